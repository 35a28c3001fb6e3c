"""Drop-down lists from Python: a list defined through Combos, bound to a cell, opened by a click
on the cell's combo button, seen as the host's popup, and chosen from by keys and clicks."""

import unittest

import lattix


class DropDownTest(unittest.TestCase):
    def setUp(self):
        g = lattix.Grid(width=300, height=200)
        self.addCleanup(g.close)
        g.BorderType = lattix.lxBorderNone
        g.ColCount = 3
        g.SetColWidths(80)
        g.RowCount = 4
        g.SetRowHeights(20)
        sexes = g.Combos.Add("sex")
        for text, value in (("Mixed", "X"), ("Males", "M"), ("Females", "F")):
            sexes.AddItem(text, value)
        g.SetCellType(2, 2, lattix.lxCellCombo)
        g.SetCellCtrlKey(2, 2, "sex")
        g.SetCurCell(2, 2)
        self.g = g
        self.events = []
        for name in ("BeforeCommitEdit", "AfterCommitEdit", "CancelEdit"):
            g.on(name, lambda *args, name=name: self.events.append((name,) + tuple(
                a.value if isinstance(a, lattix.Ref) else a for a in args)))

    def open_by_button(self):
        g = self.g
        left, top, width, height = (lattix.Ref(0) for _ in range(4))
        g.CellBoundary(2, 2, left, top, width, height)
        x, y = left.value + width.value - 4, top.value + height.value // 2
        self.assertEqual(g.HitTest(x, y, 2, 2), lattix.lxCellPartComboButton)
        g.host.click(x, y)
        return left.value, top.value + height.value

    def test_collection_members(self):
        combos = self.g.Combos
        self.assertEqual(combos.Count, 1)
        sexes = combos.Items("sex")
        self.assertEqual(sexes.ListCount, 3)
        self.assertEqual(sexes.ItemText(1), "Males")
        self.assertEqual(sexes.ValueIndex("F"), 2)
        with self.assertRaises(lattix.LattixError) as caught:
            combos.Add("sex")
        self.assertEqual(caught.exception.number, 0x80040203)
        with self.assertRaises(lattix.LattixError) as caught:
            sexes.ItemText(3)
        self.assertEqual(caught.exception.number, 0x80040201)

    def test_the_button_opens_a_popup_below_the_cell_and_a_click_chooses(self):
        g = self.g
        self.assertIsNone(g.host.popup_rect())
        left, bottom = self.open_by_button()
        self.assertIsNotNone(g.host.popup_rect())
        rect = g.host.popup_rect()
        self.assertIsNotNone(rect)
        self.assertEqual(rect[:2], (left, bottom))
        self.assertEqual(rect[2] - rect[0], 80)
        item_height = (rect[3] - rect[1] - 2) // 3
        g.host.click(rect[0] + 10, rect[1] + 1 + 2 * item_height + item_height // 2)
        self.assertIsNone(g.host.popup_rect())
        self.assertEqual(g.CellValue(2, 2), "F")
        self.assertEqual(g.CellText(2, 2), "Females")
        self.assertEqual(self.events, [("BeforeCommitEdit", 2, 2, 1, "Females", "F", 0, False, 2),
                                       ("AfterCommitEdit", 2, 2, "")])

    def test_keys_choose_and_escape_cancels(self):
        g = self.g
        self.open_by_button()
        g.host.key(0x28)  # Down
        g.host.key(0x28)
        g.host.key(0x0D)  # Enter
        self.assertEqual(g.CellValue(2, 2), "M")
        self.open_by_button()
        g.host.type_text("f")
        g.host.key(0x1B)  # Escape
        self.assertEqual(g.CellValue(2, 2), "M")
        self.assertEqual(self.events[-1], ("CancelEdit", 2, 2))
        self.assertIsNone(g.host.popup_rect())


if __name__ == "__main__":
    unittest.main()
