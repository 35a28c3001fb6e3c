"""FillFromRS with the standard sqlite3 module's cursor as the record set."""

import datetime
import os
import sqlite3
import tempfile
import unittest

import lattix


class Broken:
    """A cursor whose first batch arrives and whose second fails as a broken disk would."""
    description = (("x", None, None, None, None, None, None),)

    def __init__(self):
        self.calls = 0

    def fetchmany(self, n):
        self.calls += 1
        if self.calls > 1:
            raise sqlite3.OperationalError("disk I/O error")
        return [(i,) for i in range(n)]


class RecordSetTest(unittest.TestCase):
    def setUp(self):
        self.g = lattix.Grid(300, 200)
        self.addCleanup(self.g.close)
        self.db = sqlite3.connect(":memory:", detect_types=sqlite3.PARSE_DECLTYPES)
        self.addCleanup(self.db.close)
        self.db.executescript("""
            CREATE TABLE flocks (id TEXT, birds INTEGER, weight REAL, placed DATE, note TEXT, pic BLOB);
            INSERT INTO flocks VALUES ('A1', 12000, 2.35, '2024-05-01', 'first', x'0102');
            INSERT INTO flocks VALUES ('B2', 8500, 2.1, '2024-05-03', NULL, NULL);
        """)

    def test_a_cursor_fills_columns_and_rows(self):
        cur = self.db.execute("SELECT * FROM flocks ORDER BY id")
        self.g.FillFromRS(cur, lattix.lxFillRSColsIfEmptyAndRows, "id")
        self.assertEqual(self.g.ColCount, 6)
        self.assertEqual(self.g.RowCount, 2)
        self.assertEqual([self.g.ColKey(c) for c in range(1, 7)], ["id", "birds", "weight", "placed", "note", "pic"])
        self.assertEqual(self.g.CellValue("B2", "birds"), 8500)
        self.assertEqual(self.g.CellValue(1, "weight"), 2.35)
        self.assertEqual(self.g.CellValue(1, "placed"), datetime.datetime(2024, 5, 1))
        self.assertIs(self.g.CellValue(2, "note"), lattix.Null)
        self.assertEqual(self.g.CellValue(1, "pic"), "<blob: 2 bytes>")
        # Sort types from the kinds of the first record's values.
        self.assertEqual(self.g.ColSortType("id"), lattix.lxSortByValueNoCase)
        self.assertEqual(self.g.ColSortType("birds"), lattix.lxSortByValueGeneral)

    def test_null_empty_results_and_huge_integers(self):
        self.g.FillFromRS(self.db.execute("SELECT note FROM flocks ORDER BY id"))
        self.assertIs(self.g.CellValue(2, 1), lattix.Null)
        self.g.FillFromRS(self.db.execute("SELECT * FROM flocks WHERE birds < 0"), lattix.lxFillRSColsIfEmptyAndRows)
        self.assertEqual(self.g.RowCount, 0)
        self.g.Clear(True)
        self.g.FillFromRS(self.db.execute("SELECT 9223372036854775807 AS big, 4000000000 AS mid, -7 AS small"))
        self.assertEqual(self.g.CellValue(1, 1), "9223372036854775807")
        self.assertEqual(self.g.CellValue(1, 2), 4000000000)
        self.assertEqual(self.g.CellValue(1, 3), -7)

    def test_modes_and_appending(self):
        self.g.FillFromRS(self.db.execute("SELECT id, birds FROM flocks"), lattix.lxFillRSRecreateColsOnly)
        self.assertEqual((self.g.ColCount, self.g.RowCount), (2, 0))
        self.g.FillFromRS(self.db.execute("SELECT id, birds FROM flocks"), lattix.lxFillRSAddToExistingRows)
        self.g.FillFromRS(self.db.execute("SELECT birds, id FROM flocks"), lattix.lxFillRSAddToExistingRows)
        self.assertEqual(self.g.RowCount, 4)
        self.assertEqual(self.g.CellValue(4, "id"), "B2")

    def test_a_failing_cursor_raises_and_changes_nothing(self):
        self.g.FillFromRS(self.db.execute("SELECT id FROM flocks"))

        with self.assertRaises(lattix.LattixError) as caught:
            self.g.FillFromRS(Broken())
        self.assertIn("disk I/O error", str(caught.exception))
        self.assertEqual(self.g.RowCount, 2)
        self.assertEqual(self.g.CellValue(1, 1), "A1")

    def test_a_query_run_by_the_library(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "f.db")
            con = sqlite3.connect(path)
            con.executescript("CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1), (2), (3);")
            con.close()
            self.g.FillFromRS(lattix.sqlite_record_set(path, "SELECT a * 2 AS twice FROM t"))
            self.assertEqual([self.g.CellValue(r, "twice") for r in (1, 2, 3)], [2, 4, 6])
            with self.assertRaises(lattix.LattixError) as caught:
                lattix.sqlite_record_set(path, "SELECT b FROM t")
            self.assertIn("no such column: b", str(caught.exception))


class BoundCursorTest(unittest.TestCase):
    """A cursor shown without copying it: rows are fetched as they come into view."""

    def setUp(self):
        self.g = lattix.Grid(300, 200)
        self.addCleanup(self.g.close)
        self.db = sqlite3.connect(":memory:")
        self.addCleanup(self.db.close)

    def counting(self, sql):
        cursor = self.db.execute(sql)
        fetched = []
        fetchmany = cursor.fetchmany

        class Counting:
            description = cursor.description
            closed = False

            def fetchmany(self, n):
                rows = fetchmany(n)
                fetched.append(len(rows))
                return rows

            def close(self):
                self.closed = True

        return Counting(), fetched

    def test_a_long_query_shows_its_first_screen_and_pages_on(self):
        sql = ("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c LIMIT 10000000) "
               "SELECT x AS n, 'row ' || x AS label FROM c")
        cursor, fetched = self.counting(sql)
        self.g.bind_cursor(cursor)
        self.g.host.pump()
        shown = self.g.RowCount
        self.assertTrue(5 < shown < 40, shown)
        self.assertLess(sum(fetched), 1000, "only a batch is fetched for the first screen")
        self.assertEqual(self.g.CellValue(3, "label"), "row 3")
        self.g.host.focus()
        self.g.host.key("Next")
        self.g.host.key("Next")
        self.assertGreater(self.g.RowCount, shown)
        self.assertEqual(self.g.CellValue(self.g.RowCount, 1), self.g.RowCount)
        # Closing the grid leaves the cursor to its owner.
        self.g.close()
        self.assertFalse(cursor.closed)

    def test_ctrl_end_and_sorting_fetch_the_rest_and_errors_carry_the_cursors_message(self):
        self.g.bind_cursor(self.db.execute(
            "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c LIMIT 2500) SELECT x FROM c"))
        self.g.host.pump()
        self.g.host.focus()
        self.g.host.key("End", shift=2)
        self.assertEqual((self.g.RowCount, self.g.CurRow), (2500, 2500))
        self.g.DoDefaultSort(1, 0, 1)
        self.assertEqual(self.g.CellValue(1, 1), 2500)

        self.g.bind_cursor(Broken())
        with self.assertRaises(lattix.LattixError) as caught:
            self.g.fetch_all_bound_rows()
        self.assertIn("disk I/O error", str(caught.exception))
        rows = self.g.RowCount
        self.assertGreater(rows, 0)
        self.assertEqual(self.g.CellValue(rows, 1), rows - 1)
        self.g.unbind_cursor()
        self.assertEqual(self.g.fetch_all_bound_rows(), 0)
        self.assertEqual(self.g.RowCount, rows)


if __name__ == "__main__":
    unittest.main()
