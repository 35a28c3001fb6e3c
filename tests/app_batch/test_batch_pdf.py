"""The batch program's results report (--pdf) on the sample data, read back with poppler's pdfinfo
and pdftotext: its pages, the texts of the three grids as the run wrote them to grids.json, and
the old report kept when the new one cannot be written."""
import json
import os
import shutil
import subprocess
import tempfile
import unittest

EXE = os.environ["AVIGRAM_EXE"]
DATA = os.environ["AVIGRAM_DATA_DIR"]


def pdf_pages(path):
    info = subprocess.run(["pdfinfo", path], check=True, capture_output=True, text=True).stdout
    return int(next(line for line in info.splitlines() if line.startswith("Pages:")).split()[1])


def pdf_text(path):
    return subprocess.run(["pdftotext", "-layout", path, "-"], check=True, capture_output=True, text=True).stdout


class BatchPdfReport(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="avigram_pdf_")
        for name in ("BroilerCARCDATA.txt", "Broiler.clb", "Broiler.grd"):
            shutil.copy(os.path.join(DATA, name), self.root)
        self.out = os.path.join(self.root, "out")

    def tearDown(self):
        subprocess.run(["chattr", "-i", self.root], capture_output=True)
        os.chmod(self.root, 0o755)
        shutil.rmtree(self.root, ignore_errors=True)

    def run_batch(self, pdf):
        return subprocess.run([EXE, "--batch", "--carcass", os.path.join(self.root, "BroilerCARCDATA.txt"),
                               "--out", self.out, "--pdf", pdf], capture_output=True, text=True)

    def test_report_holds_the_flocks_the_flock_sizes_and_the_tonnages(self):
        report = os.path.join(self.root, "report.pdf")
        result = self.run_batch(report)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertGreaterEqual(pdf_pages(report), 4)
        text = pdf_text(report)
        with open(os.path.join(self.out, "grids.json"), encoding="utf-8") as f:
            grids = json.load(f)
        flocks = [row[1] for row in grids["GridFlock"]["text"] if len(row) > 1 and row[1].strip()]
        self.assertEqual(len(flocks), 6)
        for name in flocks:
            self.assertIn(name.strip(), text)
        self.assertIn("Flock Size", text)
        grid1 = [cell for row in grids["Grid1"]["text"] for cell in row]
        tonnages = [cell for cell in grid1 if cell.endswith(" tonnes")]
        self.assertEqual(len(tonnages), 3)
        for tonnage in tonnages:
            self.assertIn(tonnage, text)
        for heading in ("Avigram results", "Carcass file:", "Flock CV: 0.100", "Class limits:",
                        "Flock Weights and Numbers", "Parts Analysis", "Live-weight distribution"):
            self.assertIn(heading, text)
        pages = pdf_pages(report)
        self.assertIn("Page %d of %d" % (pages, pages), text)

    def test_a_report_that_cannot_be_written_keeps_the_old_file(self):
        folder = os.path.join(self.root, "reports")
        os.mkdir(folder)
        report = os.path.join(folder, "report.pdf")
        with open(report, "wb") as f:
            f.write(b"the earlier report")
        # Read-only for an ordinary user; immutable for root, whom permissions do not stop.
        os.chmod(folder, 0o555)
        if os.geteuid() == 0 and subprocess.run(["chattr", "+i", folder], capture_output=True).returncode != 0:
            self.skipTest("no way to make a folder read-only here")
        try:
            result = self.run_batch(report)
        finally:
            subprocess.run(["chattr", "-i", folder], capture_output=True)
            os.chmod(folder, 0o755)
        self.assertEqual(result.returncode, 2, result.stderr)
        self.assertIn("Cannot write the file " + report, result.stderr)
        with open(report, "rb") as f:
            self.assertEqual(f.read(), b"the earlier report")
        self.assertEqual(os.listdir(folder), ["report.pdf"])
        # The other results were written all the same.
        self.assertTrue(os.path.exists(os.path.join(self.out, "grids.json")))


if __name__ == "__main__":
    unittest.main()
