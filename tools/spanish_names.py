"""Spanish material names for the index, from the Mexican catalogue of dangerous goods.

The catalogue (c_MaterialPeligroso of the transport waybill complement, SAT) gives the
Spanish proper shipping name of each UN number.  This module reads it, mends its stray
blanks, writes each name in the book's sentence case, tells which English index entry each
name stands beside, and gives the Spanish collation key of the alphabetical index.  Used by
convert_guidebook.py (to write the tables) and check_database_sources.py (to check them).
"""

import os
import re
import sqlite3
import unicodedata

CATALOGUE = os.path.join("un-names-es", "ccp_31_materiales_peligrosos.sql")
SCHEMA = os.path.join("un-names-es", "schema.sql")

# Blanks and footnote marks the catalogue's spreadsheet left inside words, mended by hand:
# (ID, as printed, as mended).  The generic mends (a blank after a hyphen inside a name, a
# blank after the comma of "N, N-") are in mend_blanks().
HAND_MENDS = [
    ("0016", "ca rga", "carga"),
    ("3151", "MONOMETILBIFENILMETAN OS", "MONOMETILBIFENILMETANOS"),
    ("3431", "NITROBENZOTRIFLUORURO S SÓLIDOS", "NITROBENZOTRIFLUORUROS SÓLIDOS"),
    ("2251", "BICICLO [2.2.1]", "BICICLO[2.2.1]"),
    ("0433", "HUMEDECIDA1", "HUMEDECIDA"),
    ("1336", "HUMIDIFICADA1", "HUMIDIFICADA"),
    ("1571", "HUMIDIFICADA1", "HUMIDIFICADA"),
    ("3364", "UMIDIFICADO1", "HUMIDIFICADO"),
    ("2501", "TRIS1 (", "TRIS ("),
]

# Where the English entries of one ID differ in guide, flags or distances, the Spanish name
# stands beside the entry that its qualifying text names: (ID, start of the catalogue text)
# -> English name.  Every pairing was read side by side; an ID whose entries differ and
# whose Spanish name is not paired here is left out of the index.
HAND_MATCHES = {
    ("1057", "ENCENDEDORES o RECARGAS DE ENCENDEDORES que contienen gas inflamable"):
        "Lighters containing flammable gas",
    ("1556", "ARSÉNICO, COMPUESTO LÍQUIDO DE, N.E.P."): "Arsenic compound, liquid, n.o.s.",
    ("1613", "ÁCIDO CIANHÍDRICO EN SOLUCIÓN ACUOSA"):
        "Hydrocyanic acid, aqueous solution, with not more than 20% hydrogen cyanide",
    ("1744", "BROMO o BROMO EN SOLUCIÓN"): "Bromine",
    ("1953", "GAS COMPRIMIDO TÓXICO, INFLAMABLE, N.E.P."): "Compressed gas, toxic, flammable, n.o.s.",
    ("1955", "GAS COMPRIMIDO TÓXICO, N.E.P."): "Compressed gas, toxic, n.o.s.",
    ("2845", "LÍQUIDO PIROFÓRICO ORGÁNICO, N.E.P."): "Pyrophoric liquid, organic, n.o.s.",
    ("2927", "LÍQUIDO TÓXICO, CORROSIVO, ORGÁNICO, N.E.P."): "Toxic liquid, corrosive, organic, n.o.s.",
    ("3160", "GAS LICUADO TÓXICO, INFLAMABLE, N.E.P."): "Liquefied gas, toxic, flammable, n.o.s.",
    ("3162", "GAS LICUADO TÓXICO N.E.P."): "Liquefied gas, toxic, n.o.s.",
    ("3303", "GAS COMPRIMIDO, TÓXICO, COMBURENTE, N.E.P."): "Compressed gas, toxic, oxidizing, n.o.s.",
    ("3304", "GAS COMPRIMIDO, TÓXICO, CORROSIVO, N.E.P."): "Compressed gas, toxic, corrosive, n.o.s.",
    ("3305", "GAS COMPRIMIDO, TÓXICO, INFLAMABLE, CORROSIVO, N.E.P."):
        "Compressed gas, toxic, flammable, corrosive, n.o.s.",
    ("3306", "GAS COMPRIMIDO, TÓXICO, COMBURENTE, CORROSIVO, N.E.P."):
        "Compressed gas, toxic, oxidizing, corrosive, n.o.s.",
    ("3307", "GAS LICUADO, TÓXICO, COMBURENTE, N.E.P."): "Liquefied gas, toxic, oxidizing, n.o.s.",
    ("3308", "GAS LICUADO, TÓXICO, CORROSIVO, N.E.P."): "Liquefied gas, toxic, corrosive, n.o.s.",
    ("3309", "GAS LICUADO, TÓXICO, INFLAMABLE, CORROSIVO, N.E.P"):
        "Liquefied gas, toxic, flammable, corrosive, n.o.s.",
    ("3310", "GAS LICUADO, TÓXICO, COMBURENTE, CORROSIVO, N.E.P."):
        "Liquefied gas, toxic, oxidizing, corrosive, n.o.s.",
    ("3355", "GAS INSECTICIDA, TÓXICO, INFLAMABLE, N.E.P."): "Insecticide gas, toxic, flammable, n.o.s.",
    ("3512", "GAS ADSORBIDO TÓXICO, N.E.P."): "Adsorbed gas, toxic, n.o.s.",
    ("3514", "GAS ADSORBIDO TÓXICO, INFLAMABLE, N.E.P."): "Adsorbed gas, toxic, flammable, n.o.s.",
    ("3515", "GAS ADSORBIDO TÓXICO, COMBURENTE, N.E.P."): "Adsorbed gas, toxic, oxidizing, n.o.s.",
    ("3516", "GAS ADSORBIDO TÓXICO, CORROSIVO, N.E.P."): "Adsorbed gas, toxic, corrosive, n.o.s.",
    ("3517", "GAS ADSORBIDO TÓXICO, INFLAMABLE, CORROSIVO, N.E.P."):
        "Adsorbed gas, toxic, flammable, corrosive, n.o.s.",
    ("3518", "GAS ADSORBIDO TÓXICO, COMBURENTE, CORROSIVO, N.E.P."):
        "Adsorbed gas, toxic, oxidizing, corrosive, n.o.s.",
}

# Capitals that stay in sentence case: abbreviations and acronyms of the catalogue.
KEEP_WORDS = {"ONU", "BAE", "OCS", "CL", "DINGU", "EEI", "EMI", "HMX", "NTO", "RDX", "TNPE", "TNT"}
KEEP_PATTERNS = [
    r"\bN\.E\.P\b\.?",                        # "n.o.s."
    r"\bUN(?= ?\d)",                          # UN number
    r"(?<=[(-])(?:I|II|III|IV|VI)(?=[)\s,]|$)",  # oxidation states, BAE-II, OCS-I
    r"(?<=\bTIPO )[A-G](?![^\W\d_])",          # package and peroxide types
    r"(?<=\bCATEGORÍA )[A-G](?![^\W\d_])",
    r"(?<=\()[UM](?=\))",                     # B(U), B(M)
    r"\bRC?(?= ?\d)",                         # refrigerant gases R 22, RC 318
    r"°C\b",
    r"\b[NOS](?=(?:,[NnOS]'?)*-)",            # N-, N,N-, O,O- prefixes
    r"\b[A-Z]*\d+[A-Z][A-Z\d]*\b|\b[A-Z]+\d+\b",  # symbols with figures: CL50, C12, R13B1, 1H
]
LETTER = r"[^\W\d_]"
SMALL_PREFIXES = {"n", "o", "m", "p", "sec", "terc", "alfa", "beta"}


class SpanishError(Exception):
    pass


def read_catalogue(src):
    """The catalogue's rows as (ID, text) in its order; repeated rows once."""
    db = sqlite3.connect(":memory:")
    try:
        with open(os.path.join(src, SCHEMA), encoding="utf-8") as f:
            db.executescript(f.read())
        with open(os.path.join(src, CATALOGUE), encoding="utf-8") as f:
            db.executescript(f.read())
        rows = db.execute("SELECT id, texto FROM ccp_31_materiales_peligrosos ORDER BY rowid").fetchall()
    except (OSError, sqlite3.Error) as e:
        raise SpanishError("Spanish catalogue: %s" % e)
    finally:
        db.close()
    seen, out = set(), []
    for i, text in rows:
        if not re.fullmatch(r"\d{4}", i):
            raise SpanishError("Spanish catalogue: ID %r is not four digits" % i)
        if (i, text) not in seen:
            seen.add((i, text))
            out.append((i, text))
    return out


def mend_blanks(id_text, text):
    """The text without the stray blanks and footnote marks of the catalogue."""
    for i, printed, mended in HAND_MENDS:
        if i == id_text:
            if printed not in text:
                raise SpanishError("Spanish catalogue %s: %r not found to mend" % (i, printed))
            text = text.replace(printed, mended)
    # A line break of the spreadsheet after a hyphen left a blank behind ("4- CLORO"); the
    # hyphen stays, since the catalogue prints real hyphens and broken words alike.
    text = re.sub(r"(?<=[\w'´])- (?=\w)", "-", text)
    text = re.sub(r"\b([NnOS]), (?=[NnOS]-)", r"\1,", text)
    return re.sub(r"\s+", " ", text).strip()


def sentence_case(text):
    """The name in the book's style: the catalogue's capitals in lower case, but for the first
    letter of the name and the abbreviations, symbols and prefixes that keep them."""
    keep = [False] * len(text)
    for m in re.finditer(LETTER + "+", text):
        if m.group() in KEEP_WORDS:
            keep[m.start():m.end()] = [True] * (m.end() - m.start())
    for pattern in KEEP_PATTERNS:
        for m in re.finditer(pattern, text):
            keep[m.start():m.end()] = [True] * (m.end() - m.start())
    out = list(text)
    first = None
    # Words printed in capitals are the proper shipping name; words with a small letter
    # ("MPa", "Wh", "n-", "Segundo Transitorio") are printed as the catalogue has them.
    for m in re.finditer(LETTER + "+", text):
        word = m.group()
        if not word.isupper() or all(keep[m.start():m.end()]):
            continue
        for k in range(m.start(), m.end()):
            if not keep[k]:
                out[k] = text[k].lower()
        if first is None:
            first = m.start()
    # The name's first word keeps its capital, after any prefix ("n-", "1,2-", "N,N-").
    if first is not None:
        before = [w for w in re.finditer(LETTER + "+", text[:first])
                  if w.group() not in SMALL_PREFIXES and not all(keep[w.start():w.end()])]
        if not before:
            out[first] = out[first].upper()
    return "".join(out)


def fold(name):
    """The name compared without regard to case and accents; "ñ" stays a letter of its own."""
    name = name.casefold().replace("ñ", "\0")
    name = "".join(c for c in unicodedata.normalize("NFKD", name) if not unicodedata.combining(c))
    return name.replace("\0", "ñ")


# Chemical prefixes the alphabetical index passes over ("n-Butilamina" stands at "B").
PREFIX_RE = re.compile(
    r"^(?:(?:\d+[A-Za-z]?|[A-Za-z]|sec|tert|terc|alfa|beta|gamma|alpha|cis|trans)"
    r"(?:[,'´](?:\d+|[A-Za-z])['´]?)*['´]?-)+")
ORDER = "0123456789abcdefghijklmnñopqrstuvwxyz"
RANK = {c: chr(0x41 + n) for n, c in enumerate(ORDER)}


def collation_key(name):
    """Spanish order of the alphabetical index: letter by letter, blanks and punctuation
    passed over, accents and case ignored, "ñ" after "n", leading chemical prefixes passed
    over (and then told apart by)."""
    stem = name
    while True:
        # "2-(2-Aminoetoxi)etanol" stands at "A": a prefix may open a bracket of prefixes.
        shorter = PREFIX_RE.sub("", stem).lstrip("([")
        if shorter == stem:
            break
        stem = shorter
    folded, stem = fold(name), fold(stem)

    def ranks(s):
        return "".join(RANK.get(c, "") for c in s)
    return (ranks(stem), ranks(folded), folded)


def pair_with_english(catalogue, english, profile):
    """The Spanish index entries: for each catalogue name of an ID that the index lists, the
    English entry (dict with "ID" and "Name_of_material") whose guide, flags and distances it
    takes.  `profile` gives what an English entry hands on; where the entries of an ID differ
    in it, only a name paired in HAND_MATCHES is kept.

    Returns (entries, left_out, same): entries as dicts (ID, printed, name, english); the
    names left out as (ID, printed); the names equal to an English one as (ID, name)."""
    by_id = {}
    for e in english:
        by_id.setdefault(e["ID"], []).append(e)
    entries, left_out, same = [], [], []
    used = set()
    for i, printed in catalogue:
        entries_of_id = by_id.get(i)
        if not entries_of_id:
            continue
        name = sentence_case(mend_blanks(i, printed))
        if fold(name) in {fold(e["Name_of_material"]) for e in entries_of_id}:
            same.append((i, name))
            continue
        if (i, fold(name)) in used:
            raise SpanishError("Spanish catalogue %s: %r twice" % (i, name))
        used.add((i, fold(name)))
        paired = [english for (hid, start), english in HAND_MATCHES.items()
                  if hid == i and printed.startswith(start)]
        if paired:
            match = [e for e in entries_of_id if e["Name_of_material"] == paired[0]]
            if not match:
                raise SpanishError("Spanish catalogue %s: %r is not in the index" % (i, paired[0]))
        elif len({profile(e) for e in entries_of_id}) == 1:
            match = entries_of_id
        else:
            left_out.append((i, printed))
            continue
        entries.append({"ID": i, "printed": printed, "name": name,
                        "english": match[0]["Name_of_material"]})
    unused = [k for k in HAND_MATCHES if not any(e["ID"] == k[0] and e["printed"].startswith(k[1])
                                                 for e in entries)]
    if unused:
        raise SpanishError("Spanish pairings that pair nothing: %s" % unused)
    return entries, left_out, same


def mended(catalogue):
    """(ID, as printed, as mended) of every catalogue name whose blanks were mended."""
    return [(i, t, mend_blanks(i, t)) for i, t in catalogue if mend_blanks(i, t) != re.sub(r"\s+", " ", t).strip()]
