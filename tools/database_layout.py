"""What the CSV sources of the default database look like: the columns of each
table and the texts the windows match in them.  Shared by the converter that
writes the sources and the check that reads them back."""

# Situation suffixes the windows append to a material name when they look up its distances.
SUFFIX_LAND = "(cuando es derramado sobre la tierra)"
SUFFIX_WATER = "(cuando es derramado en el agua)"
SUFFIX_WEAPON = "(cuando es utilizado como una arma)"

# Large spills of the six gases of Table 3 carry no figures in Table 1; the book sends the
# reader to Table 3 instead, and so do these six fields.
TABLE3_TEXT = "Consulte la Tabla 3"

HEADERS = {
    "Yellow": ["ID", "Name_of_material", "Guide_Number", "Yellow_Key", "Blue_Key", "PIH",
               "Water_reactive", "Chemical_Warfare", "Polymerization", "Supp_text"],
    "Green": ["ID", "Name_of_material",
              "SP_Isolate_meters", "SP_Isolate_feets", "SP_Protect_Day_km",
              "SP_Protect_Day_miles", "SP_Protect_Night_km", "SP_Protect_Night_miles",
              "LP_Isolate_meters", "LP_Isolate_feets", "LP_Protect_Day_km",
              "LP_Protect_Day_miles", "LP_Protect_Night_km", "LP_Protect_Night_miles"],
    "Water": ["ID", "First_product", "First_ID", "First_name_search",
              "Second_product", "Second_ID", "Second_name_search",
              "Third_product", "Third_ID", "Third_name_search"],
    "Sentences": ["Key", "Sentences", "Code"],
    "Guides_pages": ["Key", "Guide_page", "Sentences_key"],
    "Summary": ["Key", "ID", "Name", "High_green", "Bold"],
    "Spanish_names": ["ID", "Catalogue_text", "Name_of_material", "English_name"],
    "Large_spills": ["Key", "Block", "ID", "Name_of_material", "Container",
                     "Isolate_meters", "Isolate_feets",
                     "Day_low_km", "Day_low_miles", "Day_moderate_km", "Day_moderate_miles",
                     "Day_high_km", "Day_high_miles",
                     "Night_low_km", "Night_low_miles", "Night_moderate_km", "Night_moderate_miles",
                     "Night_high_km", "Night_high_miles"],
}
