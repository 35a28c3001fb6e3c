"""Input methods from Python: composing on a cell opens its editor with the composed text shown
but not typed, the commit becomes the cell's value, and committed text feeds the key search."""

import unittest

import lattix


class InputMethodTest(unittest.TestCase):
    def grid(self):
        g = lattix.Grid(width=300, height=200)
        self.addCleanup(g.close)
        g.BorderType = lattix.lxBorderNone
        g.ColCount = 3
        g.SetColWidths(80)
        g.RowCount = 5
        g.SetRowHeights(20)
        g.host.focus()
        return g

    def test_composition_on_a_cell_commits_its_value(self):
        g = self.grid()
        g.SetCellValue(2, 2, "old")
        g.SetCurCell(2, 2)
        before = g.host.input_method_state()
        self.assertTrue(before.enabled)
        g.host.start_composition()
        g.host.update_composition("ni")
        self.assertTrue(g.IsEditing)
        self.assertEqual(g.TextEditText, "")
        # The composed text is laid out in the editor: the caret stands past it.
        shown = g.host.input_method_state()
        self.assertEqual(shown.surrounding_text, "")
        self.assertGreater(shown.caret[0], before.caret[0] + 5)
        g.host.update_composition("你好", cursor=0)
        self.assertEqual(g.host.input_method_state().caret[0], before.caret[0])
        g.host.commit_composition("你好")
        self.assertEqual(g.TextEditText, "你好")
        state = g.host.input_method_state()
        self.assertEqual((state.surrounding_text, state.cursor, state.anchor), ("你好", 2, 2))
        g.host.key("Return")
        self.assertFalse(g.IsEditing)
        self.assertEqual(g.CellValue(2, 2), "你好")
        with self.assertRaises(lattix.LattixError):
            g.host.update_composition("ab", cursor=5)

    def test_cancel_keeps_the_text_and_commit_without_editor_types(self):
        g = self.grid()
        g.SetCurCell(1, 1)
        g.host.update_composition("x")
        g.host.cancel_composition()
        self.assertTrue(g.IsEditing)
        self.assertEqual(g.TextEditText, "")
        g.host.key("Escape")
        self.assertFalse(g.IsEditing)
        pressed = []
        g.on("KeyPress", lambda CharCode: pressed.append(CharCode.value))
        g.host.commit_composition("日本")
        self.assertEqual(pressed, [ord("日")])
        self.assertEqual(g.TextEditText, "日本")

    def test_committed_text_searches_when_typing_searches(self):
        g = self.grid()
        for row, name in enumerate(["东京", "大阪", "大津", "京都"], start=1):
            g.SetCellValue(row, 1, name)
        g.KeyPressBehaviour = 3  # search in the current column
        g.SetCurCell(1, 1)
        g.host.update_composition("oo")
        self.assertFalse(g.IsEditing)
        self.assertEqual(g.CurRow, 1)
        g.host.commit_composition("大津")
        self.assertEqual(g.SearchString, "大津")
        self.assertEqual(g.CurRow, 3)
        self.assertFalse(g.IsEditing)


if __name__ == "__main__":
    unittest.main()
