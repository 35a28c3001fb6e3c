"""Drag and drop through the host: text dropped onto a grid, cells dragged out."""

import unittest

import lattix


class DragDropTest(unittest.TestCase):
    def setUp(self):
        self.g = lattix.Grid(300, 200)
        self.addCleanup(self.g.close)
        self.g.BorderType = 0
        self.g.ColCount = 2
        self.g.RowCount = 3
        self.g.SetColWidths(60)
        self.g.SetRowHeights(20)

    def test_text_dropped_in_manual_mode(self):
        self.assertEqual(self.g.host.drop_text(70, 50, "x"), 0, "no drops while OLEDropMode is 0")
        self.g.OLEDropMode = 1
        seen = []

        def on_drop(Data, Effect, Button, Shift, x, y):
            seen.append((Data.value.GetData(1), Button.value, Shift.value, x.value, y.value))
            Effect.value = 1

        self.g.on("OLEDragDrop", on_drop)
        self.assertEqual(self.g.host.drop_text(70, 50, "a\tb", allowed_effects=3, shift=2), 1)
        self.assertEqual(seen, [("a\tb", 1, 2, 70.0, 50.0)])

    def test_cells_dragged_out(self):
        self.g.SetCellValue(2, 1, "left")
        self.g.SetCellValue(2, 2, "right")
        self.g.MultiSelect = True
        self.g.SetCellSelected(2, 1, True)
        self.g.SetCellSelected(2, 2, True)
        effects = []
        self.g.on("OLECompleteDrag", lambda Effect: effects.append(Effect.value))
        self.g.host.script_drag(effect=2)
        self.g.OLEDrag()
        self.assertEqual(self.g.host.last_drag_text(), "left\tright\r\n")
        self.assertEqual(effects, [2])


if __name__ == "__main__":
    unittest.main()
