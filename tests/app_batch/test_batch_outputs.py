"""The batch program's exports and charts on the sample data, read back with the standard library:
the XLSX workbook opened as the ZIP of XML parts it is, the CSV files, and the PNG headers."""
import csv
import os
import shutil
import struct
import subprocess
import tempfile
import unittest
import zipfile
import xml.etree.ElementTree as ET

EXE = os.environ["AVIGRAM_EXE"]
DATA = os.environ["AVIGRAM_DATA_DIR"]
NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}id"


def column_index(ref):
    letters = "".join(c for c in ref if c.isalpha())
    n = 0
    for c in letters:
        n = n * 26 + ord(c) - 64
    return n - 1


class Workbook:
    """The cells of every sheet: {sheet name: {(row, col): (value, number format or None)}}, 0-based."""

    def __init__(self, path):
        with zipfile.ZipFile(path) as z:
            self.names = z.namelist()
            shared = []
            if "xl/sharedStrings.xml" in self.names:
                for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
                    shared.append("".join(t.text or "" for t in si.iter("{%s}t" % NS["m"])))
            styles = ET.fromstring(z.read("xl/styles.xml"))
            formats = {int(f.get("numFmtId")): f.get("formatCode") for f in styles.iter("{%s}numFmt" % NS["m"])}
            xfs = [int(x.get("numFmtId", "0")) for x in styles.find("m:cellXfs", NS).findall("m:xf", NS)]
            rels = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
            targets = {r.get("Id"): r.get("Target") for r in rels}
            self.sheets = {}
            self.order = []
            for sheet in ET.fromstring(z.read("xl/workbook.xml")).find("m:sheets", NS):
                name = sheet.get("name")
                self.order.append(name)
                cells = {}
                xml = ET.fromstring(z.read("xl/" + targets[sheet.get(REL)]))
                for c in xml.iter("{%s}c" % NS["m"]):
                    ref = c.get("r")
                    row = int("".join(ch for ch in ref if ch.isdigit())) - 1
                    v = c.find("m:v", NS)
                    style = int(c.get("s", "0"))
                    fmt = formats.get(xfs[style]) if style < len(xfs) else None
                    if c.get("t") == "s":
                        cells[(row, column_index(ref))] = (shared[int(v.text)], fmt)
                    else:
                        cells[(row, column_index(ref))] = (float(v.text), fmt)
                self.sheets[name] = cells


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", head[16:24])


class BatchOutputs(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.out = tempfile.mkdtemp(prefix="avigram_outputs_")
        run = subprocess.run([EXE, "--batch", "--carcass", os.path.join(DATA, "BroilerCARCDATA.txt"),
                              "--out", cls.out, "--csv", "--xlsx", "--charts"],
                             capture_output=True, text=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        cls.run_result = run
        cls.book = Workbook(os.path.join(cls.out, "avigram.xlsx"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.out, ignore_errors=True)

    def test_clean_run(self):
        self.assertEqual(self.run_result.returncode, 0, self.run_result.stderr)
        self.assertEqual(self.run_result.stderr, "")
        self.assertEqual(sorted(os.listdir(self.out)),
                         ["WtDist.txt", "avigram.xlsx", "distribution.png", "flock_weights.csv", "grids.json",
                          "parts_analysis.csv", "parts_yield.png", "regvals.txt"])

    def test_one_sheet_per_grid_with_numbers_as_numbers(self):
        self.assertEqual(self.book.order, ["Flock Weights and Numbers", "Parts Analysis"])
        grid1 = self.book.sheets["Flock Weights and Numbers"]
        self.assertEqual(grid1[(0, 0)], ("Min Weight", None))
        self.assertEqual(grid1[(0, 1)][0], 1.506)
        self.assertEqual(grid1[(3, 3)][0], 2.506)       # all-flocks average
        self.assertEqual(grid1[(4, 3)][0], 141500.0)    # total birds
        self.assertEqual(grid1[(1, 5)], ("House 1", None))
        self.assertEqual(grid1[(2, 12)], (76.04, '0.00" tonnes"'))  # breast meat of all flocks
        self.assertEqual(grid1[(6, 0)], ("Below - 1.51", None))
        self.assertEqual(grid1[(6, 1)][0], 255.0)
        grid2 = self.book.sheets["Parts Analysis"]
        self.assertEqual(grid2[(0, 1)], ("No. of birds", None))
        self.assertEqual(grid2[(0, 5)], ("Breast", None))
        self.assertEqual(grid2[(1, 3)], ("Average", None))
        self.assertEqual(grid2[(2, 3)], (994.8, '0.0" g"'))

    def test_csv_and_workbook_agree(self):
        for name, sheet in (("flock_weights.csv", "Flock Weights and Numbers"), ("parts_analysis.csv", "Parts Analysis")):
            with open(os.path.join(self.out, name), newline="", encoding="utf-8") as f:
                rows = list(csv.reader(f))
            cells = self.book.sheets[sheet]
            checked = 0
            for r, row in enumerate(rows):
                for c, text in enumerate(row):
                    if not text:
                        self.assertNotIn((r, c), cells)
                        continue
                    value, fmt = cells[(r, c)]
                    if isinstance(value, float):
                        self.assertAlmostEqual(value, float(text.split(" ")[0]), places=9, msg=(name, r, c, text))
                        checked += 1
                    else:
                        self.assertEqual(value, text)
            self.assertGreater(checked, 100, name)

    def test_charts_are_pictures_of_the_promised_size(self):
        self.assertEqual(png_size(os.path.join(self.out, "distribution.png")), (1200, 700))
        self.assertEqual(png_size(os.path.join(self.out, "parts_yield.png")), (1500, 700))


if __name__ == "__main__":
    unittest.main()
