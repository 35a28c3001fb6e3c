"""Geometry from Python: the grid lives in its host window, finds cells under points, scrolls
cells into view, and takes colours written as unsigned numbers."""

import os
import tempfile
import unittest

import lattix


class GeometryTest(unittest.TestCase):
    def grid(self, width=300, height=200):
        g = lattix.Grid(width=width, height=height)
        self.addCleanup(g.close)
        g.BorderType = lattix.lxBorderNone
        g.ColCount = 4
        g.SetColWidths(50)
        g.RowCount = 30
        g.SetRowHeights(20)
        return g

    def test_cell_from_point_and_hit_test(self):
        g = self.grid()
        row, col = lattix.Ref(0), lattix.Ref(0)
        g.CellFromPoint(60, g.Sys(lattix.lxSysCellsAreaStartRowTopY) + 25, row, col)
        self.assertEqual((row.value, col.value), (2, 2))
        self.assertEqual(g.HitTest(60, 45), lattix.lxCellPartText)
        with self.assertRaises(lattix.LattixError) as caught:
            g.HitTest(60, 45, 31, 1)
        self.assertEqual(caught.exception.number, 0x80040201)
        left, top, width, height = (lattix.Ref(0) for _ in range(4))
        g.CellBoundary(2, 2, left, top, width, height)
        self.assertEqual((left.value, width.value, height.value), (50, 50, 20))
        self.assertEqual(g.RowStartY(3), 40)
        self.assertEqual(g.ColStartX(3), 100)

    def test_ensure_visible_and_sys(self):
        g = self.grid()
        top = g.Sys(lattix.lxSysCellsAreaStartRowTopY)
        view = g.Sys(lattix.lxSysCellsAreaHeight)
        g.EnsureVisibleRow(20)  # the default gap is 8 pixels below the row
        left, row_top, width, height = (lattix.Ref(0) for _ in range(4))
        g.CellBoundary(20, 1, left, row_top, width, height)
        self.assertEqual(row_top.value + height.value, top + view - 8)
        g.EnsureVisibleCell(1, 1)
        self.assertEqual(g.Sys(lattix.lxSysCellsAreaStartRow), 1)
        self.assertEqual(g.Sys(lattix.lxSysRowsVisScrollCount), 30)

    def test_host_resize_and_focus(self):
        g = self.grid()
        # Thirty rows overflow the window: the vertical scroll bar takes its width off the client.
        self.assertTrue(g.VScrollBar.Visible)
        bar = g.VScrollBar.Thickness
        self.assertGreater(bar, 0)
        self.assertEqual(g.Sys(lattix.lxSysClientAreaWidth), 300 - bar)
        g.host.resize(240, 150)
        self.assertEqual(g.Sys(lattix.lxSysClientAreaWidth), 240 - bar)
        self.assertEqual(g.Sys(lattix.lxSysClientAreaHeight), 150)
        g.ResizeColToFillSpace(4)
        self.assertEqual(g.ColWidth(4), 240 - bar - 150)
        g.host.focus()
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "grid.png")
            g.host.save_png(path)
            self.assertTrue(os.path.getsize(path) > 0)

    def test_system_colours_and_enumerations(self):
        g = self.grid()
        g.BackColor = 0x80000005
        self.assertEqual(g.BackColor & 0xFFFFFFFF, 0x80000005)
        g.SetCellBackColor(1, 1, 0x8000000F)
        self.assertEqual(g.CellBackColor(1, 1) & 0xFFFFFFFF, 0x8000000F)
        g.GridLines = lattix.lxGridLinesBoth
        self.assertEqual(g.GridLines, 3)
        with self.assertRaises(lattix.LattixError):
            g.BackColor = 0x100000000


if __name__ == "__main__":
    unittest.main()
