#!/usr/bin/env python3
"""Convert the public 2024 guidebook sources into the CSV sources of the default database.

Usage: tools/convert_guidebook.py [SOURCE_DIR]

SOURCE_DIR defaults to ../shared/data relative to the repository root.  The CSV files are
written to resources/database/ of the repository.  Run by hand after a change of the sources
or of this converter; the build only reads the committed CSV files.  Two runs on the same
sources give byte-identical files.

Needs Python 3 and poppler-utils (pdftohtml).
"""

import csv
import io
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

import spanish_names
from database_layout import HEADERS, SUFFIX_LAND, SUFFIX_WATER, SUFFIX_WEAPON, TABLE3_TEXT

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(REPO, "resources", "database")

SITUATIONS = {
    "(when spilled on land)": SUFFIX_LAND,
    "(when spilled in water)": SUFFIX_WATER,
    "(when used as a weapon)": SUFFIX_WEAPON,
}

# Transport containers of Table 3, in Spanish (our wording, faithful to the book's).
CONTAINERS = {
    "Rail tank car": "Carro tanque de ferrocarril",
    "Highway tank truck or trailer": "Camión cisterna o remolque",
    "Agricultural nurse tank": "Tanque nodriza agrícola",
    "Multiple small cylinders": "Varios cilindros pequeños",
    "Multiple ton cylinders": "Varios cilindros de una tonelada",
    "Multiple small cylinders or single ton cylinder":
        "Varios cilindros pequeños o un solo cilindro de una tonelada",
}

# Gases of Table 2: Spanish display name with the formula, and the index entry under which
# the gas itself is listed (ID, name exactly as in the yellow index).
GASES = {
    "HCl": ("Cloruro de hidrógeno (HCl)", "1050", "Hydrogen chloride, anhydrous"),
    "HBr": ("Bromuro de hidrógeno (HBr)", "1048", "Hydrogen bromide, anhydrous"),
    "HF": ("Fluoruro de hidrógeno (HF)", "1052", "Hydrogen fluoride, anhydrous"),
    "HI": ("Yoduro de hidrógeno (HI)", "2197", "Hydrogen iodide, anhydrous"),
    "HCN": ("Cianuro de hidrógeno (HCN)", "1051", "Hydrogen cyanide, stabilized"),
    "H2S": ("Sulfuro de hidrógeno (H2S)", "1053", "Hydrogen sulfide"),
    "SO2": ("Dióxido de azufre (SO2)", "1079", "Sulfur dioxide"),
    "NH3": ("Amoníaco (NH3)", "1005", "Ammonia, anhydrous"),
    "PH3": ("Fosfina (PH3)", "2199", "Phosphine"),
    "Br2": ("Bromo (Br2)", "1744", "Bromine"),
    "Cl2": ("Cloro (Cl2)", "1017", "Chlorine"),
    "NO2": ("Dióxido de nitrógeno (NO2)", "1067", "Nitrogen dioxide"),
}


# Order of the entries of one ID in the numeric index.
GROUP_SPANISH, GROUP_ENGLISH, GROUP_AGENT = range(3)


class ConversionError(Exception):
    pass


def fail(msg):
    raise ConversionError(msg)


def clean_spaces(text):
    # Non-breaking hyphens and blanks of some extracts would keep equal names apart.
    text = text.replace("\u2010", "-").replace("\u2011", "-").replace("\u00a0", " ")
    return re.sub(r"\s+", " ", text).strip()


def join_wrapped(parts):
    """Join wrapped lines: a line broken after a hyphen inside a word continues without blank."""
    out = ""
    for p in parts:
        p = clean_spaces(p)
        if not p:
            continue
        if not out:
            out = p
        elif re.search(r"\w-$", out):
            out += p
        else:
            out += " " + p
    return out


def run_pdftohtml(pdf):
    try:
        res = subprocess.run(["pdftohtml", "-xml", "-i", "-stdout", "-q", pdf],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True)
    except FileNotFoundError:
        fail("pdftohtml not found: install poppler-utils")
    return res.stdout.decode("utf-8")


def parse_pdfxml(xml_text):
    """Pages of text items: dicts with top, left, width, height, size, family, color, runs.

    runs is a list of (text, bold) in reading order inside the item."""
    # The DOCTYPE names an external DTD that is of no use here.
    xml_text = re.sub(r"<!DOCTYPE[^>]*>", "", xml_text)
    root = ET.fromstring(xml_text)
    fonts = {}
    pages = []
    for page in root.iter("page"):
        items = []
        for el in page:
            if el.tag == "fontspec":
                fonts[el.get("id")] = (int(el.get("size")), el.get("family").split("+")[-1],
                                       el.get("color"))
            elif el.tag == "text":
                runs = []

                def walk(node, bold):
                    if node.text:
                        runs.append((node.text, bold))
                    for child in node:
                        walk(child, bold or child.tag == "b")
                        if child.tail:
                            runs.append((child.tail, bold))
                walk(el, False)
                size, family, color = fonts[el.get("font")]
                items.append({
                    "top": int(el.get("top")), "left": int(el.get("left")),
                    "width": int(el.get("width")), "height": int(el.get("height")),
                    "size": size, "family": family, "color": color, "runs": runs,
                    "text": "".join(r[0] for r in runs),
                })
        pages.append(items)
    return pages


# ---------------------------------------------------------------------------------------
# Guide pages (Spanish)

CODE_BODY, CODE_BOLD, CODE_TITLE, CODE_SECTION, CODE_SUBHEAD, CODE_NUMBER = range(6)


def group_lines(items):
    """Group the items of one page into visual lines (same baseline; small subscripts join)."""
    items = sorted(items, key=lambda it: (it["top"], it["left"]))
    lines = []
    for it in items:
        placed = False
        for line in lines:
            main = line[0]
            same = abs(it["top"] - main["top"]) <= 3
            sub = it["size"] <= 9 and main["top"] <= it["top"] <= main["top"] + main["height"]
            if same or sub:
                line.append(it)
                placed = True
                break
        if not placed:
            lines.append([it])
    out = []
    for line in lines:
        line.sort(key=lambda it: it["left"])
        runs = []
        prev = None
        for it in line:
            if prev is not None:
                gap = it["left"] - (prev["left"] + prev["width"])
                prev_text = "".join(r[0] for r in runs)
                if gap > 3 and not prev_text.endswith(" ") and not it["text"].startswith(" "):
                    runs.append((" ", False))
            runs.extend(it["runs"])
            prev = it
        main = max(line, key=lambda it: it["size"] if it["size"] > 9 else 0)
        out.append({"top": line[0]["top"], "left": line[0]["left"], "height": main["height"],
                    "size": main["size"], "family": main["family"], "color": main["color"],
                    "runs": runs, "text": "".join(r[0] for r in runs)})
    out.sort(key=lambda l: l["top"])
    return out


def is_furniture(line):
    t = clean_spaces(line["text"])
    if re.fullmatch(r"Página \d+", t) or t == "GRE2024" or t == "GUÍAS (SECCIÓN NARANJA)":
        return True
    return False


def bold_share(runs):
    total = sum(len(re.sub(r"\s", "", t)) for t, _ in runs)
    bold = sum(len(re.sub(r"\s", "", t)) for t, b in runs if b)
    return bold / total if total else 0.0


def split_bullets(runs):
    """Split a line's runs where a second bullet starts inside the line, also where the
    bullet opens a run of its own (guide 173 prints a bold bullet and a plain one)."""
    text = "".join(t for t, _ in runs)
    cuts = [(m.start(), m.end()) for m in re.finditer(r"(?<=\S)\s+(?=•\s)", text)]
    parts = [[]]
    pos = 0
    for t, b in runs:
        for i, ch in enumerate(t):
            at = pos + i
            if any(start <= at < end for start, end in cuts):
                if any(at == start for start, _ in cuts):
                    parts.append([])
                continue
            if parts[-1] and parts[-1][-1][1] == b:
                parts[-1][-1] = (parts[-1][-1][0] + ch, b)
            else:
                parts[-1].append((ch, b))
        pos += len(t)
    return parts


def normalise_sentence(text):
    text = clean_spaces(text)
    text = re.sub(r"^•\s*", "• ", text)
    return text


BOLD_OPEN, BOLD_CLOSE = "<b>", "</b>"


def bold_mask(runs, text):
    """For each character of the sentence `text` (made from `runs` by joining wrapped
    lines and tidying blanks), whether the book prints it bold.  Blanks and bullets follow
    their neighbours so that a bold run is not cut at a blank."""
    raw = [(clean_spaces(ch) or " ", b) for t, b in runs for ch in t]
    raw = [(ch, b) for ch, b in raw if ch != " "]
    mask = []
    i = 0
    for ch in text:
        if ch == " ":
            mask.append(None)
            continue
        if i >= len(raw) or raw[i][0] != ch:
            fail("bold runs do not follow the sentence %r at %r" % (text, ch))
        mask.append(None if ch == "•" else raw[i][1])
        i += 1
    if i != len(raw):
        fail("bold runs longer than the sentence %r" % text)
    return mask


def mark_bold(text, mask):
    """The sentence with its bold runs between BOLD_OPEN and BOLD_CLOSE; a run neither
    opens nor closes on a blank or a bullet."""
    out = []
    bold = False
    for i, ch in enumerate(text):
        flag = mask[i]
        if flag is None:
            # A blank stays inside a run only when the run goes on after it.
            nxt = next((m for m in mask[i + 1:] if m is not None), False)
            if bold and not nxt:
                out.append(BOLD_CLOSE)
                bold = False
        elif flag != bold:
            out.append(BOLD_OPEN if flag else BOLD_CLOSE)
            bold = flag
        out.append(ch)
    if bold:
        out.append(BOLD_CLOSE)
    marked = "".join(out)
    if strip_marks(marked) != text:
        fail("marking changed the sentence %r" % text)
    return marked


def strip_marks(text):
    return text.replace(BOLD_OPEN, "").replace(BOLD_CLOSE, "")


# Sub-headings of the guide pages; a crowded page prints them smaller than usual.
SUBHEADINGS = {"INCENDIO O EXPLOSIÓN", "A LA SALUD", "ROPA PROTECTORA", "EVACUACIÓN", "FUEGO",
               "DERRAME O FUGA", "PRIMEROS AUXILIOS"}


def guide_sentences(pdf, number):
    """The sentences of one guide in page order, as (code, text)."""
    pages = parse_pdfxml(run_pdftohtml(pdf))
    out = []
    heading = [it for it in pages[0] if it["size"] >= 24]
    if not heading:
        fail("%s: no guide number heading" % pdf)
    out.append((CODE_NUMBER, "GUÍA %d" % number))
    title_items = [it for it in pages[0]
                   if it["top"] < 80 and "AvantGarde" in it["family"] and it["size"] < 24]
    title_lines = group_lines(title_items)
    title = join_wrapped([l["text"] for l in title_lines])
    body_pages = pages
    blank = False
    if not title:
        # Guides 121 and 167 are blank in this edition; the first line of the notice is
        # their title so that every list still finds one.
        blank = True
        body_pages = pages[:1]
    else:
        out.append((CODE_TITLE, title))

    for items in body_pages:
        content = [it for it in items
                   if not (it["top"] < 80 and ("AvantGarde" in it["family"]))]
        content = [it for it in content if it["top"] >= 8]  # running header of guide 111
        content = [it for it in content
                   if not re.fullmatch(r"Página \d+|GRE2024", clean_spaces(it["text"]))]
        lines = [l for l in group_lines(content) if not is_furniture(l) and l["text"].strip()]
        body_lefts = [l["left"] for l in lines
                      if l["text"].lstrip().startswith("•") and l["color"] == "#000000"]
        base = min(body_lefts) if body_lefts else min(l["left"] for l in lines)
        current = None   # sentence being built: dict(runs, lines, left)
        prev_line = None

        def flush():
            nonlocal current
            if current is None:
                return
            text = normalise_sentence(join_wrapped(current["texts"]))
            runs = current["runs"]
            if not text:
                current = None
                return
            mask = bold_mask(runs, text)
            letters = [m for m in mask if m is not None]
            if current["forced_bold"] or all(letters):
                # Wholly bold, the small lead-ins ("Derrame Grande") included.
                code = CODE_BOLD
            elif any(letters):
                code = CODE_BODY
                text = mark_bold(text, mask)
            else:
                code = CODE_BODY
            out.append((code, text))
            current = None

        for line in lines:
            text = clean_spaces(line["text"])
            if line["color"] == "#ffffff" and line["size"] >= 15:
                flush()
                out.append((CODE_SECTION, text))
                prev_line = None
                continue
            if (line["color"] == "#000000" and bold_share(line["runs"]) > 0.99
                    and (text in SUBHEADINGS or (line["size"] == 14 and text.isupper()))):
                flush()
                out.append((CODE_SUBHEAD, text))
                prev_line = None
                continue
            if blank:
                flush()
                if text == "Intencionalmente dejada en blanco" and not any(c == CODE_TITLE for c, _ in out):
                    out.append((CODE_TITLE, text))
                else:
                    out.append((CODE_BODY, text))
                continue
            forced_bold = "AvantGarde" in line["family"]
            # A bold lead-in broken after a comma goes on at the margin.
            leadin_goes_on = (
                current is not None and prev_line is not None
                and current["texts"][-1].rstrip().endswith(",")
                and bold_share(current["runs"]) > 0.99 and bold_share(line["runs"]) > 0.99
                and not current["texts"][0].lstrip().startswith("•")
                and not text.startswith("•"))
            continuation = leadin_goes_on or (
                current is not None and prev_line is not None
                and not text.startswith("•")
                and (line["left"] > base + 6 or text[:1].islower())
                and line["top"] - prev_line["top"] <= 1.6 * max(prev_line["height"], 12)
                and abs(line["size"] - prev_line["size"]) <= 1
            )
            for i, runs in enumerate(split_bullets(line["runs"])):
                piece = "".join(r[0] for r in runs)
                if i == 0 and continuation:
                    current["texts"].append(piece)
                    current["runs"].extend(runs)
                else:
                    flush()
                    current = {"texts": [piece], "runs": list(runs), "forced_bold": forced_bold}
            prev_line = line
        flush()
    return out


def convert_guides(src):
    pdf_dir = os.path.join(src, "gre2024-guides-es", "pdf")
    sentences = {}      # (text, code) -> key
    sentence_rows = []
    page_rows = []
    slot = 0
    for number in range(111, 175):
        pdf = os.path.join(pdf_dir, "Guide_%d.pdf" % number)
        if not os.path.exists(pdf):
            fail("missing guide page %s" % pdf)
        for code, text in guide_sentences(pdf, number):
            key = sentences.get((text, code))
            if key is None:
                key = len(sentence_rows) + 1
                sentences[(text, code)] = key
                sentence_rows.append([key, text, code])
            slot += 1
            page_rows.append([slot, number, key])
    return sentence_rows, page_rows


# ---------------------------------------------------------------------------------------
# Yellow index (by ID), English

def convert_yellow(src):
    pages = parse_pdfxml(run_pdftohtml(
        os.path.join(src, "erg2024-en", "pdf", "ERG_Material_Yellow_Section.pdf")))
    entries = []
    entry_re = re.compile(r"^(\d{4}|— —)\s+(\d{3})(P?)\s+(.*)$")
    for items in pages[1:]:
        for column in (lambda it: it["left"] < 290, lambda it: it["left"] >= 290):
            col = sorted((it for it in items if column(it)), key=lambda it: it["top"])
            current = None
            for it in col:
                t = clean_spaces(it["text"])
                if not t or re.fullmatch(r"Page \d+", t) or it["top"] < 55:
                    continue
                m = entry_re.match(t)
                if m:
                    current = {"id": "----" if m.group(1) == "— —" else m.group(1),
                               "guide": int(m.group(2)), "poly": m.group(3),
                               "parts": [m.group(4)]}
                    entries.append(current)
                elif current is not None:
                    current["parts"].append(t)
                else:
                    fail("yellow index: text before the first entry: %r" % t)
    for e in entries:
        e["name"] = join_wrapped(e["parts"])
        e["name"] = NAME_CORRECTIONS.get((e["id"], e["name"]), e["name"])
        del e["parts"]
    return entries


# ---------------------------------------------------------------------------------------
# Table 1 (distances) and Table 2 (water-reactive materials), English

DIST_RE = re.compile(
    r"(\d+) m\s+\((\d+) ft\)\s+(\d+\.\d\+?) km\s+\((\d+\.\d\+?) mi\)\s+(\d+\.\d\+?) km\s+\((\d+\.\d\+?) mi\)")
TABLE3_RE = re.compile(r"Refer to Table 3")


def parse_distances(text):
    """The distance values in a piece of text: 12 values, or 6 and a Table 3 reference."""
    found = DIST_RE.findall(text)
    if len(found) == 2:
        return list(found[0]) + list(found[1])
    if len(found) == 1 and TABLE3_RE.search(text):
        return list(found[0]) + [TABLE3_TEXT] * 6
    return None


def table1_bands(src):
    """Rows of Table 1 from the PDF: for each printed row its IDs (in order) and values."""
    pages = parse_pdfxml(run_pdftohtml(os.path.join(src, "erg2024-en", "pdf", "TIH_Table1.pdf")))
    bands = []
    for items in pages:
        ids = []
        values = {}
        for it in items:
            t = clean_spaces(it["text"])
            if it["top"] >= 760 and re.fullmatch(r"\d{4}( \d{4})*", t):
                for n in t.split():
                    ids.append((it["left"], n))
            elif it["top"] < 620 and (re.fullmatch(r"\(?[\d.]+\+? (m|ft|km|mi)\)?", t)
                                       or t == "Refer to Table 3"):
                values.setdefault(it["left"], []).append((it["top"], t))
        # A row's values share one x position; a row's IDs stand at or left of it.
        # A row's values share one x position, roughly centred on the IDs of the row's
        # names (a row may list up to five names).  Split the IDs into consecutive groups,
        # one per values column, so that every column sits as near to the middle of its
        # group as possible.
        cols = sorted(values)
        ids.sort()
        groups = split_rows([lx for lx, _ in ids], cols, [n for _, n in ids])
        if groups is None:
            fail("Table 1: cannot match IDs %s to %d rows" % ([n for _, n in ids], len(cols)))
        for x, (a, b) in zip(cols, groups):
            vals = [t for _, t in sorted(values[x], reverse=True)]
            bands.append(([n for _, n in ids[a:b]], " ".join(vals)))
    return bands


def split_rows(xs, cols, labels):
    """Partition positions xs (sorted) into len(cols) consecutive non-empty groups.

    A group holds the names of one printed row, so all its labels (IDs) are equal."""
    n, m = len(xs), len(cols)
    if n < m:
        return None
    inf = float("inf")
    best = [[inf] * (m + 1) for _ in range(n + 1)]
    back = [[0] * (m + 1) for _ in range(n + 1)]
    best[0][0] = 0.0
    for j in range(1, m + 1):
        for i in range(j, n + 1):
            for k in range(j - 1, i):
                if best[k][j - 1] == inf or len(set(labels[k:i])) != 1:
                    continue
                cost = best[k][j - 1] + abs(cols[j - 1] - (xs[k] + xs[i - 1]) / 2.0 - 10)
                if cost < best[i][j]:
                    best[i][j], back[i][j] = cost, k
    if best[n][m] == inf:
        return None
    groups, i = [], n
    for j in range(m, 0, -1):
        k = back[i][j]
        groups.append((k, i))
        i = k
    return groups[::-1]


def table1_entries(src):
    """Entries of Table 1 from the layout text: ID, guide, name with situation, values."""
    path = os.path.join(src, "erg2024-en", "text-layout", "TIH_Table1.txt")
    with open(path, encoding="utf-8") as f:
        lines = [l.rstrip("\n") for l in f]
    entry_re = re.compile(r"^\s{0,20}(\d{4})\s+(\d{3}P?)\s+(.*)$")
    entries = []
    loose_values = []   # (index of the entry before, text)
    header_words = ("TABLE 1", "SMALL SPILLS", "LARGE SPILLS", "(From a", "ISOLATE",
                    "in all Directions", "No.", "Page ", "means distance", "First", "DAY")
    for l in lines:
        if not l.strip():
            continue
        m = entry_re.match(l)
        if m:
            rest = m.group(3)
            cut = re.search(r"\s\d+ m\s|\s\d+ m$|Refer to Table 3", rest)
            name = rest[:cut.start()] if cut else rest
            vals = rest[cut.start():] if cut else ""
            entries.append({"id": m.group(1), "guide": m.group(2), "parts": [name.strip()],
                            "values": vals})
            continue
        s = l.strip()
        if any(w in s for w in header_words) or s in ("—", "ID     Guide"):
            continue
        indent = len(l) - len(l.lstrip())
        cut = re.search(r"(^|\s)\d+ m\s|Refer to Table 3", s)
        if cut and cut.start() == 0 or (cut and indent > 40):
            loose_values.append((len(entries) - 1, s))
            continue
        if entries and 15 <= indent <= 40:
            name = s[:cut.start()] if cut else s
            entries[-1]["parts"].append(name.strip())
            if cut:
                loose_values.append((len(entries) - 1, s[cut.start():]))
            continue
        fail("Table 1: unexpected line %r" % l)
    for e in entries:
        full = join_wrapped(e["parts"])
        situation = ""
        for en, es in SITUATIONS.items():
            if full.endswith(en):
                situation = es
                full = full[:-len(en)].strip()
        e["name"] = full
        e["situation"] = situation
    return entries, loose_values


def convert_table1(src):
    entries, _ = table1_entries(src)
    bands = table1_bands(src)
    rows = []
    pos = 0
    for ids, text in bands:
        values = parse_distances(text)
        if values is None:
            fail("Table 1: cannot read the values %r for %s" % (text, ids))
        group = entries[pos:pos + len(ids)]
        if [e["id"] for e in group] != ids:
            fail("Table 1: row IDs %s do not match the entries %s" % (ids, [e["id"] for e in group]))
        pos += len(ids)
        for e in group:
            inline = parse_distances(e["values"]) if e["values"] else None
            if inline is not None and inline != values:
                fail("Table 1: %s %r: values of the text %s differ from the row %s"
                     % (e["id"], e["name"], inline, values))
            rows.append({"id": e["id"], "guide": e["guide"], "name": e["name"],
                         "situation": e["situation"], "values": values})
    if pos != len(entries):
        fail("Table 1: %d entries but %d placed in rows" % (len(entries), pos))
    return rows


# ---------------------------------------------------------------------------------------
# Table 3 (large spills of six gases by transport container and wind), English

TABLE3_HEAD_RE = re.compile(r"UN(\d{4}) (.+?): Large Spills")
TABLE3_VALUES_RE = re.compile(
    r"^(.*?)\s*(\d+)\s+\((\d+)\)" + r"\s+(\d+\.\d\+?)\s+\((\d+\.\d\+?)\)" * 6 + r"\s*$")
# Lines of the printed headings and page furniture, never part of a container's name.
TABLE3_FURNITURE_RE = re.compile(
    r"TABLE 3|OF SIX COMMON|ISOLATE|in all Directions|DAY|wind|mph|km/h|Meters|"
    r"^TRANSPORT$|^CONTAINER$|^Page \d+$")


def run_pdftotext_layout(pdf):
    try:
        res = subprocess.run(["pdftotext", "-layout", pdf, "-"],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True)
    except FileNotFoundError:
        fail("pdftotext not found: install poppler-utils")
    return res.stdout.decode("utf-8")


def convert_table3(src, names_by_id):
    """Rows of Table 3: one per gas ID and container, in the printed order.

    A block is the run of "UNnnnn name: Large Spills" headings printed together with the
    rows under them (1050 and 2186 share one, as do the two names of 1040); each ID of a
    block gets every row of it.  Container names that wrap are joined."""
    text = run_pdftotext_layout(os.path.join(src, "erg2024-en", "pdf", "TIH_Table3.pdf"))
    blocks = []        # [{"heads": [(id, name)], "rows": [(container, values)]}]
    pending = []       # words of a container name printed above its figures
    for line in text.splitlines():
        head = TABLE3_HEAD_RE.search(line)
        if head:
            if not blocks or blocks[-1]["rows"]:
                blocks.append({"heads": [], "rows": []})
            blocks[-1]["heads"].append((head.group(1), clean_spaces(head.group(2))))
            pending = []
            continue
        if not blocks:
            continue
        values = TABLE3_VALUES_RE.match(line)
        if values:
            container = clean_spaces(" ".join(pending + [values.group(1).strip()]))
            if container not in CONTAINERS:
                fail("Table 3: unknown transport container %r" % container)
            blocks[-1]["rows"].append((container, list(values.groups()[1:])))
            pending = []
            continue
        piece = clean_spaces(line)
        if piece and not TABLE3_FURNITURE_RE.search(piece):
            pending.append(piece)
    if len(blocks) != 6:
        fail("Table 3: %d blocks, the book prints six" % len(blocks))
    rows = []
    for number, block in enumerate(blocks, 1):
        if not block["rows"]:
            fail("Table 3: block %d has no rows" % number)
        names = {}
        for i, name in block["heads"]:
            names.setdefault(i, []).append(name)
        for i, printed in names.items():
            # "Ammonia, anhydrous / Anhydrous ammonia": every name must be in the index.
            for name in (n for p in printed for n in p.split(" / ")):
                if name not in names_by_id.get(i, []):
                    fail("Table 3: %s %r is not in the yellow index" % (i, name))
            for container, values in block["rows"]:
                rows.append([len(rows) + 1, number, i, " / ".join(printed),
                             CONTAINERS[container]] + values)
    return rows


def convert_table2(src):
    path = os.path.join(src, "erg2024-en", "text-layout", "TIH_Table2.txt")
    with open(path, encoding="utf-8") as f:
        lines = [l.rstrip("\n") for l in f]
    entry_re = re.compile(r"^\s{0,6}(\d{4})\s+(\d{3}P?)\s+(.*?)\s+((?:(?:HCl|HBr|HF|HI|HCN|H2S|SO2|NH3|PH3|Br2|Cl2|NO2)\s*)+)$")
    out = []
    in_symbols = False
    for l in lines:
        if "Chemical Symbols" in l:
            in_symbols = True
            continue
        if "TABLE 2 - " in l:
            in_symbols = False
            continue
        if in_symbols or not l.strip():
            continue
        m = entry_re.match(l)
        if m:
            out.append({"id": m.group(1), "guide": m.group(2), "parts": [m.group(3)],
                        "gases": m.group(4).split()})
            continue
        s = l.strip()
        indent = len(l) - len(l.lstrip())
        if out and indent >= 10 and not re.search(r"TABLE 2|Materials Which|\(PIH in|Produced|No\.|Use this list", s):
            out[-1]["parts"].append(s)
    for e in out:
        e["name"] = join_wrapped(e["parts"])
    return out


# ---------------------------------------------------------------------------------------
# Chemical warfare agents (2016 edition)

def convert_agents(src, green_rows):
    path = os.path.join(src, "erg2016-agents", "ERG2016LookupTable.csv")
    feet_for, miles_for = imperial_pairings(green_rows)
    agents = []
    with open(path, encoding="utf-8", newline="") as f:
        for row in csv.DictReader(f):
            m = re.match(r"^(.*?)\s*\(Weaponized.*\)\s*$", row["Material"])
            if not m:
                continue
            plus = row["ATM"].strip().lower() == "yes"

            def km(v):
                text = "%.1f" % (float(v) / 1000.0)
                if plus and text == "11.0":
                    text += "+"
                return text

            def metres(v):
                return "%d" % round(float(v))

            vals = []
            for iso, day, night in (("SM_ISO", "SM_DY", "SM_NTE"), ("LG_ISO", "LG_DY", "LG_NTE")):
                m_iso = metres(row[iso])
                k_day, k_night = km(row[day]), km(row[night])
                for metric, table in ((m_iso, feet_for), (k_day, miles_for), (k_night, miles_for)):
                    # A metric figure that the 2024 table never prints has no imperial
                    # partner to copy: the field stays empty rather than computed.
                    vals += [metric, table.get(metric, "")]
            agents.append({"id": "%04d" % int(float(row["IDNum"])),
                           "guide": int(float(row["GuideNum"])),
                           "name": m.group(1).strip(), "values": vals})
    if not agents:
        fail("agents: none found")
    return agents


def imperial_pairings(green_rows):
    """Metric value -> imperial value as the 2024 Table 1 prints them beside each other.

    Where the table prints one metric value with several imperial ones (rounding of the
    underlying figure), the pairing printed most often wins; ties go to the smaller value."""
    counts_ft, counts_mi = {}, {}
    for r in green_rows:
        v = r["values"]
        if v[6] == TABLE3_TEXT:
            pairs = [(v[0], v[1], counts_ft), (v[2], v[3], counts_mi), (v[4], v[5], counts_mi)]
        else:
            pairs = [(v[i], v[i + 1], counts_ft if i in (0, 6) else counts_mi)
                     for i in range(0, 12, 2)]
        for metric, imperial, counts in pairs:
            counts.setdefault(metric, {}).setdefault(imperial, 0)
            counts[metric][imperial] += 1

    def pick(counts):
        return {m: sorted(c.items(), key=lambda kv: (-kv[1], float(kv[0].rstrip("+"))))[0][0]
                for m, c in counts.items()}
    return pick(counts_ft), pick(counts_mi)


# ---------------------------------------------------------------------------------------
# Assembly

# Hand corrections of names whose wrapped lines the extracts cannot join right, each one
# checked against the printed page: (ID, name as joined) -> name as printed.
NAME_CORRECTIONS = {
    ("3241", "2-Bromo-2-nitropropane-1, 3-diol"): "2-Bromo-2-nitropropane-1,3-diol",
}


def build_tables(src):
    sentence_rows, page_rows = convert_guides(src)
    yellow = convert_yellow(src)
    t1 = convert_table1(src)
    t2 = convert_table2(src)
    agents = convert_agents(src, t1)

    titled = {p[1] for p in page_rows if sentence_rows[p[2] - 1][2] == CODE_TITLE}

    names_by_id = {}
    for e in yellow:
        names_by_id.setdefault(e["id"], []).append(e["name"])

    # Table 1 situations per (ID, name).
    t1_by_name = {}
    for r in t1:
        if r["name"] not in names_by_id.get(r["id"], []):
            fail("Table 1: %s %r is not in the yellow index" % (r["id"], r["name"]))
        t1_by_name.setdefault((r["id"], r["name"]), {})[r["situation"]] = r["values"]
    water_names = {(e["id"], e["name"]) for e in t2}
    for key in water_names:
        if key[1] not in names_by_id.get(key[0], []):
            fail("Table 2: %s %r is not in the yellow index" % key)

    # Yellow rows: the book's English entries, the agents, then the Spanish names beside
    # the English entry each one stands for.
    rows = []
    for e in yellow:
        key = (e["id"], e["name"])
        sits = t1_by_name.get(key, {})
        pih = "1" if (SUFFIX_LAND in sits or "" in sits) else ""
        rows.append({"ID": e["id"], "Name_of_material": e["name"], "Guide_Number": e["guide"],
                     "PIH": pih, "Water_reactive": "W" if key in water_names else "",
                     "Chemical_Warfare": "", "Polymerization": e["poly"], "Supp_text": "",
                     "group": GROUP_ENGLISH, "order": len(rows)})
    for a in sorted(agents, key=lambda a: a["name"]):
        rows.append({"ID": a["id"], "Name_of_material": a["name"], "Guide_Number": a["guide"],
                     "PIH": "1", "Water_reactive": "", "Chemical_Warfare": "Z",
                     "Polymerization": "", "Supp_text": "", "group": GROUP_AGENT,
                     "order": len(rows)})
    english = {(r["ID"], r["Name_of_material"]): r for r in rows if r["group"] == GROUP_ENGLISH}

    def hands_on(r):
        sits = t1_by_name.get((r["ID"], r["Name_of_material"]), {})
        return (r["Guide_Number"], r["PIH"], r["Water_reactive"], r["Polymerization"],
                tuple(sorted((k, tuple(v)) for k, v in sits.items())))
    catalogue = spanish_names.read_catalogue(src)
    spanish, left_out, same = spanish_names.pair_with_english(catalogue, english.values(), hands_on)
    spanish_green = []
    spanish_of = {}
    for s in spanish:
        e = english[(s["ID"], s["english"])]
        spanish_of.setdefault(s["ID"], []).append((s["name"], s["english"]))
        rows.append(dict(e, Name_of_material=s["name"], group=GROUP_SPANISH, order=len(rows)))
        for situation, values in t1_by_name.get((e["ID"], e["Name_of_material"]), {}).items():
            spanish_green.append([e["ID"], s["name"] + " " + situation] + values)
    for r in rows:
        if r["Guide_Number"] not in titled:
            fail("guide %s of %s has no title" % (r["Guide_Number"], r["ID"]))

    # Numeric order: the Spanish names of an ID first, then its English entries in the
    # printed order of the yellow index, then its agents ("----" entries open the index).
    def id_rank(i):
        return -1 if i == "----" else int(i)
    rows.sort(key=lambda r: (id_rank(r["ID"]), r["group"], r["order"]))
    for n, r in enumerate(rows, 1):
        r["Yellow_Key"] = n
    # Alphabetical order: both languages merged in the Spanish collation.
    ordered = sorted(rows, key=lambda r: (spanish_names.collation_key(r["Name_of_material"]),
                                          id_rank(r["ID"]), r["group"], r["order"]))
    for n, r in enumerate(ordered, 1):
        r["Blue_Key"] = n

    # Green rows: one per name and situation; the plain (no situation) rows are looked up
    # as name + blank + empty supplementary text, hence the trailing blank.
    green = []
    for r in t1:
        suffix = r["situation"]
        green.append([r["id"], r["name"] + " " + suffix] + r["values"])
    for a in agents:
        green.append([a["id"], a["name"] + " " + SUFFIX_WEAPON] + a["values"])
    green += spanish_green
    green.sort(key=lambda g: (int(g[0]), g[1]))
    seen = set()
    for g in green:
        if (g[0], g[1]) in seen:
            fail("Green: duplicate row %s %r" % (g[0], g[1]))
        seen.add((g[0], g[1]))

    # Water rows: one per ID of Table 2.
    water = []
    by_id = {}
    for e in t2:
        by_id.setdefault(e["id"], e["gases"])
        if by_id[e["id"]] != e["gases"]:
            fail("Table 2: %s lists different gases for its names" % e["id"])
    for i in sorted(by_id, key=int):
        gases = by_id[i]
        if len(gases) > 3:
            fail("Table 2: %s gives off more than three gases" % i)
        row = [i]
        for g in gases + [None] * (3 - len(gases)):
            if g is None:
                row += ["", "", ""]
            else:
                display, gid, search = GASES[g]
                if search not in names_by_id.get(gid, []):
                    fail("gas %s: %s %r is not in the yellow index" % (g, gid, search))
                # The summary and the produced-gases button name the gas in Spanish where
                # the catalogue gives its entry a Spanish name.
                named = [name for name, paired in spanish_of.get(gid, [])
                         if hands_on(english[(gid, paired)]) == hands_on(english[(gid, search)])]
                row += [display, gid, named[0] if named else search]
        water.append(row)

    yellow_rows = [[r["ID"], r["Name_of_material"], r["Guide_Number"], r["Yellow_Key"],
                    r["Blue_Key"], r["PIH"], r["Water_reactive"], r["Chemical_Warfare"],
                    r["Polymerization"], r["Supp_text"]] for r in rows]
    return {
        "Yellow": yellow_rows, "Green": green, "Water": water,
        "Sentences": sentence_rows, "Guides_pages": page_rows, "Summary": [],
        "Large_spills": convert_table3(src, names_by_id),
        "Spanish_names": spanish_provenance(catalogue, spanish, left_out, same, names_by_id),
    }, (left_out, same, spanish_names.mended(catalogue))


def spanish_provenance(catalogue, spanish, left_out, same, names_by_id):
    """One row per catalogue name of an ID of the index: the name as printed, the index name
    made of it (empty when left out) and the English entry it stands beside."""
    made = {(s["ID"], s["printed"]): (s["name"], s["english"]) for s in spanish}
    equal = set(same)
    rows = []
    for i, printed in catalogue:
        if i not in names_by_id:
            continue
        if (i, printed) in made:
            rows.append([i, printed] + list(made[(i, printed)]))
        elif (i, printed) in left_out:
            rows.append([i, printed, "", ""])
        else:
            name = spanish_names.sentence_case(spanish_names.mend_blanks(i, printed))
            if (i, name) not in equal:
                fail("Spanish %s %r: neither added nor left out" % (i, printed))
            english = [n for n in names_by_id[i]
                       if spanish_names.fold(n) == spanish_names.fold(name)]
            rows.append([i, printed, english[0], english[0]])
    return rows


def csv_text(header, rows):
    buf = io.StringIO()
    lines = [",".join(header)]
    for row in rows:
        fields = []
        for v in row:
            s = "" if v is None else str(v)
            # Fields with an edge blank are quoted too, so no reader can trim them.
            if re.search(r'[",\n\r]', s) or s != s.strip():
                s = '"' + s.replace('"', '""') + '"'
            fields.append(s)
        lines.append(",".join(fields))
    buf.write("\n".join(lines) + "\n")
    return buf.getvalue()


def main(argv):
    src = argv[1] if len(argv) > 1 else os.path.join(REPO, "..", "shared", "data")
    src = os.path.abspath(src)
    if not os.path.isdir(src):
        print("source folder not found: %s" % src, file=sys.stderr)
        return 2
    try:
        tables, (left_out, same, mended) = build_tables(src)
    except (ConversionError, spanish_names.SpanishError) as e:
        print("conversion failed: %s" % e, file=sys.stderr)
        return 1
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, header in HEADERS.items():
        with open(os.path.join(OUT_DIR, name + ".csv"), "w", encoding="utf-8", newline="") as f:
            f.write(csv_text(header, tables[name]))
        print("%-13s %5d rows" % (name, len(tables[name])))
    for i, printed in left_out:
        print("Spanish name left out (no sure English entry): %s %s" % (i, printed))
    for i, name in same:
        print("Spanish name equal to an English one: %s %s" % (i, name))
    for i, printed, mend in mended:
        print("Spanish name mended: %s %r -> %r" % (i, printed, mend))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
