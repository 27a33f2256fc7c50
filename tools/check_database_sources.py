#!/usr/bin/env python3
"""Consistency check of the committed CSV sources of the default database.

Usage: tools/check_database_sources.py [CSV_DIR]

CSV_DIR defaults to resources/database/ of the repository.  Reads nothing else.  Prints
every fault found and exits with 1 when there is any, 0 when the sources are sound.
"""

import csv
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import spanish_names  # noqa: E402
from database_layout import HEADERS, SUFFIX_LAND, SUFFIX_WATER, SUFFIX_WEAPON, TABLE3_TEXT  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Tables a database may leave out: checked when their file is there.
OPTIONAL = {"Large_spills"}
DISTANCE_FIELDS = HEADERS["Green"][2:]
LARGE_SPILL_FIELDS = HEADERS["Large_spills"][5:]
CONTAINERS = [
    "Carro tanque de ferrocarril", "Camión cisterna o remolque", "Tanque nodriza agrícola",
    "Varios cilindros pequeños", "Varios cilindros de una tonelada",
    "Varios cilindros pequeños o un solo cilindro de una tonelada",
]

# Table 3 values read by hand from the printed book: ID, container, field pair, metric and
# imperial figure.
LARGE_SPILL_CHECKS = [
    ("1017", "Carro tanque de ferrocarril", "Isolate", "1000", "3000"),
    ("1017", "Carro tanque de ferrocarril", "Night_low", "11.0+", "7.0+"),
    ("1017", "Varios cilindros pequeños o un solo cilindro de una tonelada", "Day_low", "1.3", "0.9"),
    ("1005", "Carro tanque de ferrocarril", "Day_low", "1.6", "1.0"),
    ("1005", "Tanque nodriza agrícola", "Night_low", "1.4", "0.9"),
    ("1040", "Carro tanque de ferrocarril", "Night_low", "3.0", "1.8"),
    ("1040", "Varios cilindros pequeños o un solo cilindro de una tonelada", "Isolate", "30", "100"),
    ("1050", "Carro tanque de ferrocarril", "Night_low", "9.7", "6.1"),
    ("2186", "Varios cilindros de una tonelada", "Night_high", "0.1", "0.1"),
    ("1052", "Camión cisterna o remolque", "Isolate", "200", "700"),
    ("1052", "Carro tanque de ferrocarril", "Day_moderate", "2.1", "1.3"),
    ("1079", "Carro tanque de ferrocarril", "Day_moderate", "11.0+", "7.0+"),
    ("1079", "Varios cilindros de una tonelada", "Night_low", "7.4", "4.3"),
    ("1079", "Camión cisterna o remolque", "Day_high", "5.0", "3.3"),
]

# Rows read by hand from the printed book (Table 1 of ERG2024; the agents from the 2016
# edition's lookup table with the imperial figures Table 1 prints beside the same metric
# ones).  ID, name, guide, flags (PIH, W, Z, P), then for each distances row: the name
# with its suffix and the twelve values in field order.
SPOT_CHECKS = [
    ("1005", "Ammonia, anhydrous", 125, ("1", "", "", ""),
     {"Ammonia, anhydrous ": ["30", "100", "0.1", "0.1", "0.2", "0.1"] + [TABLE3_TEXT] * 6}),
    ("1005", "Anhydrous ammonia", 125, ("1", "", "", ""),
     {"Anhydrous ammonia ": ["30", "100", "0.1", "0.1", "0.2", "0.1"] + [TABLE3_TEXT] * 6}),
    ("1017", "Chlorine", 124, ("1", "", "", ""),
     {"Chlorine ": ["60", "200", "0.3", "0.2", "1.5", "0.9"] + [TABLE3_TEXT] * 6}),
    ("1050", "Hydrogen chloride, anhydrous", 125, ("1", "", "", ""),
     {"Hydrogen chloride, anhydrous ": ["30", "100", "0.1", "0.1", "0.3", "0.2"] + [TABLE3_TEXT] * 6}),
    ("1076", "Phosgene", 125, ("1", "", "", ""),
     {"Phosgene ": ["100", "300", "0.6", "0.4", "2.5", "1.6",
                    "500", "1500", "3.0", "1.9", "9.5", "5.9"]}),
    ("1203", "Gasoline", 128, ("", "", "", ""), {}),
    ("1203", "Petrol", 128, ("", "", "", ""), {}),
    ("1362", "Carbon, activated", 133, ("", "", "", ""), {}),
    ("1830", "Sulfuric acid", 137, ("", "", "", ""), {}),
    ("1010", "Butadienes, stabilized", 116, ("", "", "", "P"), {}),
    ("2810", "GB", 153, ("1", "", "Z", ""),
     {"GB " + SUFFIX_WEAPON: ["60", "200", "0.4", "0.3", "1.1", "0.7",
                              "400", "1250", "2.1", "1.3", "4.9", "3.1"]}),
    ("2810", "Sarin", 153, ("1", "", "Z", ""),
     {"Sarin " + SUFFIX_WEAPON: ["60", "200", "0.4", "0.3", "1.1", "0.7",
                                 "400", "1250", "2.1", "1.3", "4.9", "3.1"]}),
    ("1746", "Bromine trifluoride", 144, ("1", "W", "", ""),
     {"Bromine trifluoride " + SUFFIX_LAND: ["30", "100", "0.1", "0.1", "0.2", "0.1",
                                            "30", "100", "0.3", "0.2", "0.5", "0.3"],
      "Bromine trifluoride " + SUFFIX_WATER: ["30", "100", "0.1", "0.1", "0.3", "0.2",
                                             "100", "300", "0.8", "0.5", "2.8", "1.8"]}),
    ("1162", "Dimethyldichlorosilane", 155, ("", "W", "", ""),
     {"Dimethyldichlorosilane " + SUFFIX_WATER: ["30", "100", "0.1", "0.1", "0.1", "0.1",
                                                "30", "100", "0.4", "0.2", "1.2", "0.8"]}),
    ("1259", "Nickel carbonyl", 131, ("1", "", "", ""),
     {"Nickel carbonyl ": ["100", "300", "1.4", "0.9", "5.2", "3.3",
                           "1000", "3000", "11.0+", "7.0+", "11.0+", "7.0+"]}),
    # Spanish names of the catalogue, beside the English entry they stand for.
    ("1005", "Amoniaco, anhidro", 125, ("1", "", "", ""),
     {"Amoniaco, anhidro ": ["30", "100", "0.1", "0.1", "0.2", "0.1"] + [TABLE3_TEXT] * 6}),
    ("1017", "Cloro", 124, ("1", "", "", ""),
     {"Cloro ": ["60", "200", "0.3", "0.2", "1.5", "0.9"] + [TABLE3_TEXT] * 6}),
    ("1050", "Cloruro de hidrógeno anhidro", 125, ("1", "", "", ""),
     {"Cloruro de hidrógeno anhidro ": ["30", "100", "0.1", "0.1", "0.3", "0.2"] + [TABLE3_TEXT] * 6}),
    ("1203", "Combustible para motores o gasolina", 128, ("", "", "", ""), {}),
    ("1830", "Ácido sulfúrico con más del 51% de ácido", 137, ("", "", "", ""), {}),
    ("1790", "Ácido fluorhídrico con más del 60% de fluoruro de hidrógeno", 157, ("", "", "", ""), {}),
    ("1790", "Ácido fluorhídrico con un máximo del 60% de fluoruro de hidrógeno", 157, ("", "", "", ""), {}),
    ("2810", "Líquido tóxico, orgánico, N.E.P.", 153, ("", "", "", ""), {}),
    ("3318", "Solución acuosa de amoniaco, con una densidad relativa menor de 0,880 a 15°C, con más del "
             "50% de amoniaco", 125, ("1", "", "", ""),
     {"Solución acuosa de amoniaco, con una densidad relativa menor de 0,880 a 15°C, con más del 50% "
      "de amoniaco ": ["30", "100", "0.1", "0.1", "0.2", "0.1", "150", "500", "0.8", "0.5", "2.0", "1.3"]}),
    ("1953", "Compressed gas, poisonous, flammable, n.o.s. (Inhalation Hazard Zone B)", 119,
     ("1", "", "", ""),
     {"Compressed gas, poisonous, flammable, n.o.s. (Inhalation Hazard Zone B) ":
      ["30", "100", "0.1", "0.1", "0.4", "0.2", "300", "1000", "1.4", "0.9", "3.1", "1.9"]}),
]

# Gases given off in water, as Table 2 lists them, for a few materials.
WATER_CHECKS = {
    "1162": ["Cloruro de hidrógeno (HCl)"],
    "1384": ["Sulfuro de hidrógeno (H2S)", "Dióxido de azufre (SO2)"],
    "1746": ["Fluoruro de hidrógeno (HF)", "Bromo (Br2)"],
}

# Bold words the book prints inside sentences that are otherwise plain, by guide: each
# sentence must be on that guide's page with its bold runs marked.
BOLD_OPEN, BOLD_CLOSE = "<b>", "</b>"
BOLD_CHECKS = [
    (142, "• <b>TÓXICO</b>; la inhalación, ingestión o contacto con vapores (piel, ojos) o sustancia "
          "puede causar lesión severa, quemaduras o la muerte."),
    (143, "• <b>TÓXICO</b>; la inhalación, ingestión o contacto con vapores (piel, ojos) polvos o "
          "sustancias pueden causar lesiones severas, quemaduras o la muerte."),
    (144, "• <b>TÓXICO</b>; la inhalación o contacto con el vapor, sustancia, o productos en "
          "descomposición puede causar severas lesiones, quemaduras o la muerte."),
    (135, "• Polvos químicos secos, carbonato de sodio, cal o arena SECA. "
          "<b>EXCEPTO para UN1384, UN1923, UN1929 y UN3342.</b>"),
    (135, "• Arena SECA, polvo químico seco, carbonato de sodio o cal. <b>EXCEPTO para UN1384, "
          "UN1923, UN1929 y UN3342</b> o retírese del área y deje quemar."),
    (164, "• Si se identifica que la fuente está fuera del embalaje <b>NO LO TOQUE</b>. Mantenerse "
          "alejado y espere las instrucciones de la Autoridad de Radiación."),
    (135, "• Use la ropa de protección química que está específicamente recomendada por el "
          "fabricante <b>cuando NO EXISTA RIESGO DE INCENDIO</b>."),
    (124, "• Use la ropa de protección química que está específicamente recomendada por el "
          "fabricante <b>cuando NO EXISTA RIESGO DE INCENDIO.</b>"),
    (124, "• La ropa de protección para incendios estructurales provee protección térmica "
          "<b>pero solo protección química limitada</b>."),
    (117, "• La ropa de protección para incendios estructurales provee protección térmica "
          "<b>pero solo protección química limitada.</b>"),
    (166, "• La sustancia reacciona con el agua y con el vapor de agua en el aire para formar un "
          "<b>gas tóxico y corrosivo de fluoruro de hidrógeno, ácido fluorhídrico</b> y un residuo "
          "de color blanco soluble en agua, extremadamente irritante y corrosivo."),
    (116, "• Aquellas sustancias designadas con una (<b>P</b>) pueden polimerizar explosivamente "
          "cuando se calientan o están involucradas en un incendio."),
    (117, "• Aquellas sustancias designadas con una <b>(P)</b> pueden polimerizar explosivamente "
          "cuando se calientan o están involucradas en un incendio."),
    (132, "• Para la <b>hidrazina</b>, absorba con arena SECA o absorbente inerte (vermiculita, "
          "almohadillas absorbentes)."),
    (140, "• Si hay <b>productos de nitrato de amonio</b> dentro de un tanque, vagón de ferrocarril o "
          "remolque que está involucrado en un incendio, AISLE a 1600 metros (1 milla) a la "
          "redonda; también, inicie la evacuación incluyendo a los respondedores de emergencia a "
          "1600 metros (1 milla) a la redonda."),
    (147, "• Si está disponible, use <b>una gran cantidad de agua</b> para extinguir o sofocar un "
          "incendio en una batería de alto voltaje. El uso de una pequeña cantidad de agua podría "
          "liberar gases tóxicos."),
]


def strip_marks(text):
    return text.replace(BOLD_OPEN, "").replace(BOLD_CLOSE, "")


def mark_fault(text):
    """Why the bold marks of a sentence are not sound, or None.  Runs alternate, open and
    close in pairs, hold text, and neither start nor end on a blank."""
    parts = re.split(r"(</?b>)", text)
    expected = BOLD_OPEN
    for i, part in enumerate(parts):
        if i % 2 == 0:
            continue
        if part != expected:
            return "%s where %s was expected" % (part, expected)
        if expected == BOLD_CLOSE:
            run = parts[i - 1]
            if not run.strip() or run != run.strip():
                return "bold run %r is empty or has a blank at an end" % run
        expected = BOLD_CLOSE if expected == BOLD_OPEN else BOLD_OPEN
    if expected == BOLD_CLOSE:
        return "a bold run is never closed"
    return None


INTEGER_COLUMNS = {
    "Yellow": ["Guide_Number", "Yellow_Key", "Blue_Key", "PIH"],
    "Green": ["ID"],
    "Sentences": ["Key", "Code"],
    "Guides_pages": ["Key", "Guide_page", "Sentences_key"],
    "Large_spills": ["Key", "Block", "ID"],
}

# Reasonable bounds of the book's content.
MIN_YELLOW, MAX_YELLOW = 4000, 5500
MIN_IDS, MAX_IDS = 1800, 2300
MIN_GREEN = 400
MIN_WATER = 60


class Report:
    def __init__(self):
        self.faults = []

    def fault(self, msg):
        self.faults.append(msg)


def read_table(folder, name, report):
    path = os.path.join(folder, name + ".csv")
    if name in OPTIONAL and not os.path.exists(path):
        return []
    try:
        with open(path, "rb") as f:
            raw = f.read()
    except OSError as e:
        report.fault("%s.csv: cannot read (%s)" % (name, e.strerror))
        return []
    if raw.startswith(b"\xef\xbb\xbf"):
        report.fault("%s.csv: starts with a byte order mark" % name)
    if b"\r" in raw:
        report.fault("%s.csv: has carriage returns; lines must end in LF" % name)
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError:
        report.fault("%s.csv: not UTF-8" % name)
        return []
    rows = list(csv.reader(text.splitlines(keepends=True) if text else []))
    if not rows or rows[0] != HEADERS[name]:
        report.fault("%s.csv: header is %s, expected %s"
                     % (name, rows[0] if rows else None, HEADERS[name]))
        return []
    out = []
    for n, row in enumerate(rows[1:], 2):
        if len(row) != len(HEADERS[name]):
            report.fault("%s.csv line %d: %d fields, expected %d"
                         % (name, n, len(row), len(HEADERS[name])))
            continue
        out.append(dict(zip(HEADERS[name], row)))
    for col in INTEGER_COLUMNS.get(name, []):
        for r in out:
            if r[col] != "" and not re.fullmatch(r"-?\d+", r[col]):
                report.fault("%s.%s: %r is not an integer" % (name, col, r[col]))
    return out


def check(folder):
    report = Report()
    t = {name: read_table(folder, name, report) for name in HEADERS}
    if report.faults:
        return report.faults
    yellow, green, water = t["Yellow"], t["Green"], t["Water"]
    sentences, pages = t["Sentences"], t["Guides_pages"]

    if t["Summary"]:
        report.fault("Summary.csv: holds %d rows; the shipped summary is empty" % len(t["Summary"]))

    # Sentences and guide pages
    keys = [r["Key"] for r in sentences]
    if len(set(keys)) != len(keys):
        report.fault("Sentences.Key: not unique")
    by_key = {r["Key"]: r for r in sentences}
    seen_texts = {}
    for r in sentences:
        text = r["Sentences"]
        if not text.strip():
            report.fault("Sentences %s: empty sentence" % r["Key"])
        if text != text.strip() or "  " in text or "\n" in text:
            report.fault("Sentences %s: stray blanks or line breaks: %r" % (r["Key"], text))
        fault = mark_fault(text)
        if fault:
            report.fault("Sentences %s: %s: %r" % (r["Key"], fault, text))
        elif BOLD_OPEN in text and r["Code"] not in ("0", "1"):
            report.fault("Sentences %s: bold marks in a sentence of code %s" % (r["Key"], r["Code"]))
        text = strip_marks(text)
        if re.search(r"Página\s*\d+|GRE2024|ERG2024", text):
            report.fault("Sentences %s: page furniture inside: %r" % (r["Key"], text))
        if r["Code"] not in [str(c) for c in range(7)]:
            report.fault("Sentences %s: code %r outside 0..6" % (r["Key"], r["Code"]))
        if (r["Sentences"], r["Code"]) in seen_texts:
            report.fault("Sentences %s: same sentence as %s" % (r["Key"], seen_texts[(r["Sentences"], r["Code"])]))
        seen_texts[(r["Sentences"], r["Code"])] = r["Key"]
    slot_keys = [r["Key"] for r in pages]
    if len(set(slot_keys)) != len(slot_keys):
        report.fault("Guides_pages.Key: not unique")
    guides = {}
    for r in sorted(pages, key=lambda r: int(r["Key"])):
        s = by_key.get(r["Sentences_key"])
        if s is None:
            report.fault("Guides_pages %s: sentence %s does not exist" % (r["Key"], r["Sentences_key"]))
            continue
        guides.setdefault(int(r["Guide_page"]), []).append(s)
    if sorted(guides) != list(range(111, 175)):
        report.fault("Guides_pages: guides %s, expected the 64 guides 111 to 174"
                     % sorted(set(range(111, 175)) ^ set(guides)))
    for g, marked in BOLD_CHECKS:
        if marked not in [s["Sentences"] for s in guides.get(g, [])]:
            report.fault("guide %d: the book's bold words are not marked in %r" % (g, strip_marks(marked)))
    titles = {}
    for g, ss in guides.items():
        codes = [s["Code"] for s in ss]
        if codes.count("2") != 1:
            report.fault("guide %d: %d title sentences, expected 1" % (g, codes.count("2")))
        else:
            titles[g] = ss[codes.index("2")]["Sentences"]
        if codes.count("5") != 1 or ss[codes.index("5")]["Sentences"] != "GUÍA %d" % g:
            report.fault("guide %d: no single heading \"GUÍA %d\"" % (g, g))
        if g not in (121, 167):
            heads = [s["Sentences"] for s in ss if s["Code"] == "3"]
            if heads != ["PELIGROS POTENCIALES", "SEGURIDAD PÚBLICA", "RESPUESTA DE EMERGENCIA"]:
                report.fault("guide %d: section headings %s" % (g, heads))
            if len(ss) < 25:
                report.fault("guide %d: only %d sentences" % (g, len(ss)))

    # Index
    ids = {r["ID"] for r in yellow}
    if not MIN_YELLOW <= len(yellow) <= MAX_YELLOW:
        report.fault("Yellow: %d entries, the book and its Spanish names have about 4,800" % len(yellow))
    if not MIN_IDS <= len(ids) <= MAX_IDS:
        report.fault("Yellow: %d IDs, the book has about 2,000" % len(ids))
    names = {}
    for r in yellow:
        key = (r["ID"], r["Name_of_material"])
        if key in names:
            report.fault("Yellow: %s %r listed twice" % key)
        names[key] = r
        if not re.fullmatch(r"\d{4}|----", r["ID"]):
            report.fault("Yellow: ID %r is neither four digits nor ----" % r["ID"])
        if not r["Name_of_material"] or r["Name_of_material"] != r["Name_of_material"].strip():
            report.fault("Yellow %s: bad name %r" % (r["ID"], r["Name_of_material"]))
        if int(r["Guide_Number"]) not in titles:
            report.fault("Yellow %s %r: guide %s has no title, the entry would not show"
                         % (r["ID"], r["Name_of_material"], r["Guide_Number"]))
        for col, flag in (("PIH", "1"), ("Water_reactive", "W"), ("Chemical_Warfare", "Z"),
                          ("Polymerization", "P")):
            if r[col] not in ("", flag):
                report.fault("Yellow %s %r: %s is %r" % (r["ID"], r["Name_of_material"], col, r[col]))
    for col in ("Yellow_Key", "Blue_Key"):
        values = [int(r[col]) for r in yellow]
        if sorted(values) != list(range(1, len(yellow) + 1)):
            report.fault("Yellow.%s: not a numbering 1..%d" % (col, len(yellow)))
    numeric = sorted(yellow, key=lambda r: int(r["Yellow_Key"]))
    order = [-1 if r["ID"] == "----" else int(r["ID"]) for r in numeric]
    if order != sorted(order):
        report.fault("Yellow.Yellow_Key: not in ID order")

    # Distances
    green_keys = {}
    for r in green:
        key = (int(r["ID"]), r["Name_of_material"])
        green_keys[key] = green_keys.get(key, 0) + 1
        agent = r["Name_of_material"].endswith(SUFFIX_WEAPON)
        vals = [r[f] for f in DISTANCE_FIELDS]
        if vals[0] == "":
            if any(vals):
                report.fault("Green %s %r: danger row with values" % key)
            continue
        for i, v in enumerate(vals):
            metric = i % 2 == 0
            if v == TABLE3_TEXT and i >= 6:
                continue
            if v == "" and not metric and agent:
                continue   # the 2024 table prints no imperial partner for this figure
            pattern = r"\d+" if i in (0, 1, 6, 7) else r"\d+\.\d\+?"
            if not re.fullmatch(pattern, v):
                report.fault("Green %s %r: %s is %r" % (key[0], key[1], DISTANCE_FIELDS[i], v))
    if len(green) < MIN_GREEN:
        report.fault("Green: only %d rows" % len(green))

    def lookup(id_text, name, suffix, why):
        if id_text == "----":
            report.fault("%s: %r has no ID to look up" % (why, name))
            return
        key = (int(id_text), name + " " + suffix)
        if green_keys.get(key, 0) != 1:
            report.fault("%s: lookup %s %r finds %d distances rows"
                         % (why, key[0], key[1], green_keys.get(key, 0)))

    # Every lookup the index pages, the water list and the summary can compose.
    for r in yellow:
        pih, w, z = r["PIH"] == "1", r["Water_reactive"] == "W", r["Chemical_Warfare"] == "Z"
        name = r["Name_of_material"]
        if z and r["Supp_text"]:
            report.fault("Yellow %s %r: an agent's supplementary text would split its suffix"
                         % (r["ID"], name))
        if pih and z:
            lookup(r["ID"], name, r["Supp_text"] + SUFFIX_WEAPON, "agent")
        elif pih and not w:
            lookup(r["ID"], name, r["Supp_text"], "inhalation hazard")
        if w:
            lookup(r["ID"], name, SUFFIX_WATER, "spilled in water")
            if pih:
                lookup(r["ID"], name, SUFFIX_LAND, "spilled on land")
            if r["ID"] not in {x["ID"] for x in water}:
                report.fault("Yellow %s %r: water-reactive but not in Water" % (r["ID"], name))
    water_ids = [r["ID"] for r in water]
    if len(set(water_ids)) != len(water_ids):
        report.fault("Water: an ID listed twice")
    if len(water) < MIN_WATER:
        report.fault("Water: only %d rows" % len(water))
    for w in water:
        entries = [r for r in yellow if r["ID"] == w["ID"]]
        if not entries:
            report.fault("Water %s: no index entry" % w["ID"])
        for r in entries:
            # The water-reactive list offers every index name of the ID.
            lookup(r["ID"], r["Name_of_material"], SUFFIX_WATER, "water list")
            if r["PIH"] == "1":
                lookup(r["ID"], r["Name_of_material"], SUFFIX_LAND, "water list")
        if not w["First_product"]:
            report.fault("Water %s: no gas" % w["ID"])
        for n in ("First", "Second", "Third"):
            product, gid, search = w[n + "_product"], w[n + "_ID"], w[n + "_name_search"]
            if not product:
                if gid or search:
                    report.fault("Water %s: %s gas without a name" % (w["ID"], n))
                continue
            if not re.fullmatch(r"\S.* \([A-Za-z0-9]+\)", product):
                report.fault("Water %s: gas %r lacks its formula" % (w["ID"], product))
            gas = names.get((gid, search))
            if gas is None:
                report.fault("Water %s: gas search name %s %r is not in Yellow" % (w["ID"], gid, search))
            elif gas["PIH"] == "1":
                lookup(gid, search, gas["Supp_text"], "gas in the summary")
        if n == "Third" and w["Third_product"] and not w["Second_product"]:
            report.fault("Water %s: third gas without a second" % w["ID"])

    check_large_spills(t["Large_spills"], green, names, report)
    check_spanish(yellow, green, t["Spanish_names"], report)
    check_readme(folder, t, report)

    # Hand-picked rows against the book
    for id_text, name, guide, flags, rows in SPOT_CHECKS:
        r = names.get((id_text, name))
        if r is None:
            report.fault("spot check: %s %r is missing from Yellow" % (id_text, name))
            continue
        got = (r["PIH"], r["Water_reactive"], r["Chemical_Warfare"], r["Polymerization"])
        if int(r["Guide_Number"]) != guide or got != flags:
            report.fault("spot check %s %r: guide %s flags %s, the book says %s %s"
                         % (id_text, name, r["Guide_Number"], got, guide, flags))
        for gname, values in rows.items():
            found = [g for g in green if g["ID"] == str(int(id_text)) and g["Name_of_material"] == gname]
            if len(found) != 1:
                report.fault("spot check %s %r: %d distances rows" % (id_text, gname, len(found)))
                continue
            got_vals = [found[0][f] for f in DISTANCE_FIELDS]
            if got_vals != values:
                report.fault("spot check %s %r: distances %s, the book says %s"
                             % (id_text, gname, got_vals, values))
        if not rows and any(g["ID"] == str(int(id_text)) and g["Name_of_material"].startswith(name + " ")
                            for g in green):
            report.fault("spot check %s %r: has distances, the book gives none" % (id_text, name))
    for id_text, gases in WATER_CHECKS.items():
        w = [x for x in water if x["ID"] == id_text]
        got = [w[0][n + "_product"] for n in ("First", "Second", "Third")] if w else []
        got = [g for g in got if g]
        if got != gases:
            report.fault("spot check Water %s: gases %s, the book says %s" % (id_text, got, gases))
    return report.faults


def check_spanish(yellow, green, spanish, report):
    """Every Spanish name stands beside the English entry it was paired with: same ID, guide,
    flags and distances; an ID's Spanish names open its entries in the numeric index; no ID
    lists one name twice; the alphabetical index follows the Spanish collation."""
    entries = {(r["ID"], r["Name_of_material"]): r for r in yellow}
    rows_of = {}
    for g in green:
        rows_of[(g["ID"], g["Name_of_material"])] = [g[f] for f in DISTANCE_FIELDS]

    def distances(r):
        i = str(int(r["ID"])) if r["ID"].isdigit() else r["ID"]
        return {s: rows_of.get((i, r["Name_of_material"] + " " + s))
                for s in ("", SUFFIX_LAND, SUFFIX_WATER, SUFFIX_WEAPON)}
    added = set()
    for row in spanish:
        name, english = row["Name_of_material"], row["English_name"]
        where = "Spanish %s %r" % (row["ID"], name or row["Catalogue_text"])
        if not name:
            continue
        paired = entries.get((row["ID"], english))
        if paired is None:
            report.fault("%s: paired with %r, which is not in Yellow" % (where, english))
            continue
        if spanish_names.fold(name) == spanish_names.fold(english):
            continue
        r = entries.get((row["ID"], name))
        if r is None:
            report.fault("%s: not in Yellow" % where)
            continue
        added.add((row["ID"], name))
        for col in ("Guide_Number", "PIH", "Water_reactive", "Chemical_Warfare", "Polymerization",
                    "Supp_text"):
            if r[col] != paired[col]:
                report.fault("%s: %s %r, its English entry %r has %r"
                             % (where, col, r[col], english, paired[col]))
        if distances(r) != distances(paired):
            report.fault("%s: distances differ from those of %r" % (where, english))
    first_english = {}
    for r in yellow:
        if (r["ID"], r["Name_of_material"]) not in added:
            first_english[r["ID"]] = min(first_english.get(r["ID"], 10**9), int(r["Yellow_Key"]))
    folded = {}
    for r in yellow:
        key = (r["ID"], spanish_names.fold(r["Name_of_material"]))
        if key in folded:
            report.fault("Yellow %s: %r and %r are one name" % (r["ID"], folded[key], r["Name_of_material"]))
        folded[key] = r["Name_of_material"]
        if (r["ID"], r["Name_of_material"]) in added and int(r["Yellow_Key"]) > first_english.get(r["ID"], 10**9):
            report.fault("Yellow %s %r: a Spanish name after the English ones" % (r["ID"], r["Name_of_material"]))
    by_name = sorted(yellow, key=lambda r: int(r["Blue_Key"]))
    for a, b in zip(by_name, by_name[1:]):
        if spanish_names.collation_key(a["Name_of_material"]) > spanish_names.collation_key(b["Name_of_material"]):
            report.fault("Yellow.Blue_Key: %r before %r is not the Spanish order"
                         % (a["Name_of_material"], b["Name_of_material"]))


def check_readme(folder, tables, report):
    """The README beside the sources counts their rows right and lists the Spanish names
    left out."""
    try:
        with open(os.path.join(folder, "README.md"), encoding="utf-8") as f:
            text = f.read()
    except OSError:
        report.fault("README.md: missing beside the sources")
        return
    for name, count in re.findall(r"^\| `(\w+)\.csv` \| ([\d,]+) \|", text, re.M):
        if name in OPTIONAL and not tables.get(name):
            continue   # a table left out is not counted
        if name in tables and int(count.replace(",", "")) != len(tables[name]):
            report.fault("README.md: %s.csv counted %s, it holds %d rows" % (name, count, len(tables[name])))
    spanish = tables["Spanish_names"]
    for label, count in (("added", len({(r["ID"], r["Name_of_material"]) for r in spanish
                                         if r["Name_of_material"]
                                         and spanish_names.fold(r["Name_of_material"])
                                         != spanish_names.fold(r["English_name"])})),
                         ("left out", sum(1 for r in spanish if not r["Name_of_material"]))):
        m = re.search(r"([\d,]+) Spanish names? " + label, text)
        if not m or int(m.group(1).replace(",", "")) != count:
            report.fault("README.md: says %s Spanish names %s, there are %d"
                         % (m.group(1) if m else "nothing of the", label, count))
    for r in spanish:
        if not r["Name_of_material"] and r["Catalogue_text"] not in text:
            report.fault("README.md: the Spanish name %s %r left out is not listed" % (r["ID"], r["Catalogue_text"]))


def check_large_spills(spills, green, names, report):
    """Every value of Table 3 in the form the book prints, its gases those that Table 1 sends
    to it, the gases of one block with equal rows, and hand-picked values as printed."""
    if not spills:
        return
    metric = {"Isolate_meters": r"\d+"}
    for r in spills:
        where = "Large_spills %s %r" % (r["ID"], r["Container"])
        if r["Container"] not in CONTAINERS:
            report.fault("%s: unknown container" % where)
        if not any(names.get((r["ID"], n)) for n in r["Name_of_material"].split(" / ")):
            report.fault("%s: %r is not in Yellow" % (where, r["Name_of_material"]))
        for n, field in enumerate(LARGE_SPILL_FIELDS):
            pattern = metric.get(field, r"\d+" if field == "Isolate_feets" else r"\d+\.\d\+?")
            if not re.fullmatch(pattern, r[field]):
                report.fault("%s: %s %r is not a figure" % (where, field, r[field]))
            if n % 2 == 1 and r[field].endswith("+") != r[LARGE_SPILL_FIELDS[n - 1]].endswith("+"):
                report.fault("%s: %s and its metric figure disagree on \"+\"" % (where, field))
    keys = [int(r["Key"]) for r in spills if r["Key"].isdigit()]
    if keys != list(range(1, len(spills) + 1)):
        report.fault("Large_spills: keys are not 1, 2, 3, ... in order")
    seen = set()
    for r in spills:
        if (r["ID"], r["Container"]) in seen:
            report.fault("Large_spills %s %r: repeated" % (r["ID"], r["Container"]))
        seen.add((r["ID"], r["Container"]))
    referred = {g["ID"] for g in green if g["LP_Isolate_meters"] == TABLE3_TEXT}
    held = {str(int(r["ID"])) for r in spills if r["ID"].isdigit()}
    for i in sorted(referred - held):
        report.fault("Green %s sends to Table 3, which has no rows for it" % i)
    for i in sorted(held - referred):
        report.fault("Large_spills %s: Table 1 gives its large spills itself" % i)
    blocks = {}
    for r in spills:
        blocks.setdefault(r["Block"], {}).setdefault(r["ID"], []).append(
            [r["Container"]] + [r[f] for f in LARGE_SPILL_FIELDS])
    for block, gases in blocks.items():
        if len({str(v) for v in gases.values()}) != 1:
            report.fault("Large_spills block %s: its gases have different rows" % block)
    for id_text, container, pair, m, imperial in LARGE_SPILL_CHECKS:
        found = [r for r in spills if r["ID"] == id_text and r["Container"] == container]
        unit = "_meters" if pair == "Isolate" else "_km"
        other = "_feets" if pair == "Isolate" else "_miles"
        got = (found[0][pair + unit], found[0][pair + other]) if found else None
        if got != (m, imperial):
            report.fault("spot check Large_spills %s %r %s: %s, the book says %s"
                         % (id_text, container, pair, got, (m, imperial)))


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.join(REPO, "resources", "database")
    faults = check(folder)
    for f in faults:
        print("FAULT: " + f)
    if faults:
        print("%d fault(s) in the database sources in %s" % (len(faults), folder))
        return 1
    print("database sources in %s: consistent" % folder)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
