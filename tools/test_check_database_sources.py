#!/usr/bin/env python3
"""Tests of the database source check: each fault planted in a copy of the sources is caught."""

import csv
import io
import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_database_sources as chk  # noqa: E402

SOURCES = os.path.join(chk.REPO, "resources", "database")


def read(folder, name):
    with open(os.path.join(folder, name + ".csv"), encoding="utf-8", newline="") as f:
        return list(csv.reader(f))


def write(folder, name, rows):
    buf = io.StringIO()
    csv.writer(buf, lineterminator="\n").writerows(rows)
    with open(os.path.join(folder, name + ".csv"), "w", encoding="utf-8", newline="") as f:
        f.write(buf.getvalue())


class CheckCatchesFaults(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp()
        for name in chk.HEADERS:
            shutil.copy(os.path.join(SOURCES, name + ".csv"), self.dir)
        shutil.copy(os.path.join(SOURCES, "README.md"), self.dir)

    def tearDown(self):
        shutil.rmtree(self.dir)

    def faults(self):
        return chk.check(self.dir)

    def edit(self, name, fn):
        rows = read(self.dir, name)
        rows = fn(rows)
        write(self.dir, name, rows)

    def test_committed_sources_pass(self):
        self.assertEqual(self.faults(), [])

    def test_changed_distance_is_caught(self):
        def fn(rows):
            for r in rows:
                if r[0] == "1017":
                    r[2] = "30"
            return rows
        self.edit("Green", fn)
        self.assertTrue(any("1017" in f and "spot check" in f for f in self.faults()))

    def test_large_spills_faults_are_caught_and_the_table_may_be_left_out(self):
        def fn(rows):
            for r in rows:
                if r[2] == "1017" and r[4] == "Carro tanque de ferrocarril":
                    r[13] = "11.0"     # night, low wind: the book prints 11.0+
                if r[2] == "2186":
                    r[5] = "300"       # no longer the rows of 1050, its block
            return rows
        self.edit("Large_spills", fn)
        faults = self.faults()
        self.assertTrue(any("1017" in f and "Night_low" in f and "spot check" in f for f in faults))
        self.assertTrue(any("block 4" in f for f in faults))
        os.remove(os.path.join(self.dir, "Large_spills.csv"))
        self.assertEqual(self.faults(), [])

    def test_missing_water_row_of_a_flagged_entry_is_caught(self):
        self.edit("Green", lambda rows: [r for r in rows
                                         if r[1] != "Dimethyldichlorosilane (cuando es derramado en el agua)"])
        self.assertTrue(any("Dimethyldichlorosilane" in f and "finds 0" in f for f in self.faults()))

    def test_duplicate_distances_row_is_caught(self):
        self.edit("Green", lambda rows: rows + [r for r in rows if r[0] == "1076" and r[1] == "Phosgene "])
        self.assertTrue(any("Phosgene" in f and "finds 2" in f for f in self.faults()))

    def test_guide_without_title_is_caught(self):
        sentences = read(self.dir, "Sentences")
        titles = {r[0] for r in sentences[1:] if r[2] == "2" and r[1].startswith("Líquidos Inflamables (no")}
        self.edit("Guides_pages", lambda rows: [r for r in rows if not (r[1] == "128" and r[2] in titles)])
        faults = self.faults()
        self.assertTrue(any("guide 128" in f and "title" in f for f in faults))
        self.assertTrue(any("Gasoline" in f for f in faults))

    def test_page_furniture_and_empty_sentence_are_caught(self):
        def fn(rows):
            rows[5][1] = rows[5][1] + " Página 190"
            rows[6][1] = ""
            return rows
        self.edit("Sentences", fn)
        faults = self.faults()
        self.assertTrue(any("furniture" in f for f in faults))
        self.assertTrue(any("empty sentence" in f for f in faults))

    def test_unsound_bold_marks_are_caught(self):
        toxic = "• <b>TÓXICO</b>; la inhalación, ingestión o contacto con vapores (piel, ojos) o sustancia"
        original = read(self.dir, "Sentences")
        for planted, expected in (("<b>TÓXICO", "never closed"), ("TÓXICO</b>", "where <b> was expected"),
                                  ("<b>TÓXICO <b>y</b></b>", "where </b> was expected"),
                                  ("<b> TÓXICO</b>", "blank at an end"), ("TÓXICO", "not marked")):
            with self.subTest(planted=planted):
                write(self.dir, "Sentences", [
                    r[:1] + [r[1].replace("<b>TÓXICO</b>", planted)] + r[2:] if r[1].startswith(toxic) else r
                    for r in original])
                self.assertTrue(any(expected in f for f in self.faults()), self.faults())

    def test_unknown_gas_search_name_is_caught(self):
        def fn(rows):
            rows[1][3] = "Hydrogen chloride"
            return rows
        self.edit("Water", fn)
        self.assertTrue(any("not in Yellow" in f for f in self.faults()))

    def test_spanish_name_faults_are_caught(self):
        def cloro(col, value):
            return lambda r: r[:col] + [value] + r[col + 1:] if r[:2] == ["1017", "Cloro"] else r
        blue = {r[1]: r[4] for r in read(self.dir, "Yellow")[1:]}
        cases = [
            ("Yellow", cloro(2, "125"), "Guide_Number '125', its English entry 'Chlorine' has '124'"),
            ("Green", lambda r: r[:2] + ["100"] + r[3:] if r[1] == "Cloro " else r, "distances differ"),
            ("Green", lambda r: None if r[1] == "Cloro " else r, "lookup 1017 'Cloro ' finds 0"),
            ("Yellow", cloro(4, blue["Chlorine"]), "Blue_Key"),
            ("Spanish_names", lambda r: r[:3] + ["Bromine"] if r[0] == "1017" else r, "paired with 'Bromine'"),
            ("Yellow", lambda r: r[:1] + ["CLORO"] + r[2:] if r[:2] == ["1017", "Chlorine"] else r,
             "are one name"),
            ("README", ("1,956 Spanish names added", "1,955 Spanish names added"), "says 1,955"),
            ("README", ("APARATO ACCIONADO POR BATERÍA\"", "\""), "3171 'VEHÍCULO ACCIONADO POR"),
            ("README", ("| `Green.csv` | 848 |", "| `Green.csv` | 575 |"), "Green.csv counted 575"),
        ]
        with open(os.path.join(SOURCES, "README.md"), encoding="utf-8") as f:
            text = f.read()
        for table, edit, expected in cases:
            with self.subTest(expected=expected):
                self.tearDown()
                self.setUp()
                if table == "README":
                    with open(os.path.join(self.dir, "README.md"), "w", encoding="utf-8") as f:
                        f.write(text.replace(*edit))
                else:
                    rows = read(self.dir, table)
                    write(self.dir, table, rows[:1] + [r for r in map(edit, rows[1:]) if r is not None])
                faults = self.faults()
                self.assertTrue(any(expected in f for f in faults), faults)

    def test_wrong_header_and_bom_are_caught(self):
        path = os.path.join(self.dir, "Summary.csv")
        with open(path, "w", encoding="utf-8-sig", newline="") as f:
            f.write("Key,ID,Name,Bold\n")
        faults = self.faults()
        self.assertTrue(any("byte order mark" in f for f in faults))
        self.assertTrue(any("Summary.csv: header" in f for f in faults))

    def test_command_line_exit_status(self):
        self.assertEqual(chk.main(["check", self.dir]), 0)
        self.edit("Yellow", lambda rows: rows[:1] + rows[1:][::2])
        self.assertEqual(chk.main(["check", self.dir]), 1)


if __name__ == "__main__":
    unittest.main()
