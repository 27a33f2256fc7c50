// The two rules that decide what a responder reads about a product, as plain
// functions of its flags: the marks of its row, and which row of the
// distances table its guide page leads to. The index pages, the search box,
// the summary, its printed report and the water list all go by these.
#pragma once

#include <QString>

#include <optional>

namespace vexo {

struct Product_marks {
    bool inhalation = false;     // toxic by inhalation: "RIT"
    bool water_reactive = false; // gives off toxic gases in water: "MRA"
    bool agent = false;          // a chemical or biological agent: "Q/B"
};

// From a row's PIH, Chemical_Warfare and Water_reactive fields. An agent is
// never also marked water-reactive: "Q/B" wins over "MRA".
Product_marks Marks_of(const QString& pih, const QString& chemical_warfare, const QString& water_reactive);

// The text of the marks column: "Q/B", "MRA" or "".
QString Mark_text(const Product_marks& marks);

// A row's guide code: the guide number, with "P" for a material that may
// polymerize (its page first warns of it).
QString Guide_code(const QString& guide_number, const QString& polymerization);

// The text under which a product's inhalation distances are listed: its own
// supplementary text, followed for an agent by its use as a weapon.
QString Inhalation_supplement(const QString& supp_text, bool agent);

// The suffix of the product's name in the distances table, which chooses the
// row shown; nullopt when it has no distances to show. `in_water` says the
// spill is in water (the user's answer, or the summary row's own flag);
// `supplement` is the product's Inhalation_supplement.
std::optional<QString> Distances_suffix(const Product_marks& marks, bool in_water, const QString& supplement);

} // namespace vexo
