"""The first session a newcomer types: create a grid, add columns and rows, set and read values,
catch an error, receive an event."""

import unittest

import lattix


class NewcomerSessionTest(unittest.TestCase):
    def test_session(self):
        g = lattix.Grid(width=800, height=600)
        self.addCleanup(g.close)

        g.AddCol("A", "Header A", 80)
        g.AddCol(sKey="B", sHeader="Header B")
        self.assertEqual(g.ColCount, 2)
        g.ColCount = 3
        self.assertEqual(g.ColCount, 3)
        g.AddRow(sKey="k", lCount=2)
        self.assertEqual(g.RowCount, 2)
        self.assertEqual(g.RowIndex("k"), 1)

        g.SetCellValue(1, 2, 5.5)
        g.SetCellValue(2, "A", "text")
        self.assertEqual(g.CellValue(1, 2), 5.5)
        self.assertEqual(g.CellValue(2, 1), "text")
        self.assertEqual(g.CellValue(2, 3), "", "a new cell holds an empty text")

        with self.assertRaises(lattix.LattixError) as caught:
            g.CellValue(5, 1)
        self.assertEqual(caught.exception.number, 0x80040201)
        self.assertEqual(caught.exception.source, "Lattix")
        self.assertEqual(caught.exception.description, "Subscript out of range.")

        rows = []
        g.on("CurRowChange", lambda lNewRowIfAny, lOldRowIfAny: rows.append((lNewRowIfAny, lOldRowIfAny)))
        g.CurRow = 2
        g.CurRow = 1
        self.assertEqual(rows, [(2, 0), (1, 2)])

        g.Header.Height = 24
        self.assertEqual(g.Header.Height, 24)


if __name__ == "__main__":
    unittest.main()
