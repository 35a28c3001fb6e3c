"""Keyboard and in-place editing from Python: typed keys start an edit, Enter commits through the
edit events, handlers redirect the committed value, and the key search finds rows."""

import unittest

import lattix


class EditingTest(unittest.TestCase):
    def grid(self):
        g = lattix.Grid(width=300, height=200)
        self.addCleanup(g.close)
        g.BorderType = lattix.lxBorderNone
        g.ColCount = 3
        g.SetColWidths(50)
        g.RowCount = 5
        g.SetRowHeights(20)
        g.host.focus()
        return g

    def test_typing_and_enter_commit_a_number(self):
        g = self.grid()
        g.CellValue[1, 1] = 3.0
        g.SetCurCell(1, 1)
        seen = []
        g.on("AfterCommitEdit", lambda lRow, lCol, vOldValue: seen.append((lRow, lCol, vOldValue)))
        g.host.type_text("42")
        self.assertTrue(g.IsEditing)
        self.assertEqual(g.TextEditText, "42")
        g.host.key("Return")
        self.assertFalse(g.IsEditing)
        self.assertEqual(g.CellValue[1, 1], 42.0)
        self.assertEqual(seen, [(1, 1, 3.0)])

    def test_handlers_redirect_the_value_and_validation_is_reported(self):
        g = self.grid()
        g.CellValue[2, 1] = 1.0
        g.SetCurCell(2, 1)

        def before(lRow, lCol, eResult, sNewText, vNewValue, lConvErr, bCanProceedEditing, lComboListIndex):
            vNewValue.value = float(sNewText) * 10

        g.on("BeforeCommitEdit", before)
        g.RequestEditCurCell()
        g.TextEditText = "7"
        g.CommitEditCurCell()
        self.assertEqual(g.CellValue[2, 1], 70.0)
        g.off("BeforeCommitEdit")
        g.host.type_text("x")
        g.host.key("Return")
        self.assertTrue(g.IsEditing)
        self.assertEqual(g.host.message_boxes_shown, 1)
        g.CancelEditCurCell()
        self.assertEqual(g.CellValue[2, 1], 70.0)
        with self.assertRaises(lattix.LattixError):
            g.TextEditSelStart = -1

    def test_key_search_and_keyboard_command(self):
        g = self.grid()
        for row, name in enumerate(["pear", "apple", "plum", "apricot", "fig"], start=1):
            g.CellValue[row, 2] = name
        g.KeyPressBehaviour = lattix.lxKeyPressSearchCurCol
        g.SetCurCell(1, 2)
        g.host.type_text("ap")
        self.assertEqual(g.CurRow, 2)
        self.assertEqual(g.SearchString, "ap")
        g.host.type_text("r")
        self.assertEqual(g.CurRow, 4)
        self.assertEqual(g.FindSearchMatchRow(2, "PL"), 3)
        self.assertEqual(g.FindSearchMatchRow(2, "ig", 1, False, lattix.lxSearchMatchContains), 5)
        g.DoKeyboardCommand(0x28)  # Down
        self.assertEqual(g.CurRow, 5)
        self.assertEqual(g.SearchString, "")


if __name__ == "__main__":
    unittest.main()
