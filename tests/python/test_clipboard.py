"""The clipboard as another program sees it, the last popup menu, and the clipboard commands of the
cell menu, from Python."""

import unittest

import lattix


class ClipboardTest(unittest.TestCase):
    def setUp(self):
        self.g = lattix.Grid(300, 200)
        self.addCleanup(self.g.close)
        self.g.BorderType = 0
        self.g.ColCount = 2
        self.g.RowCount = 2
        self.g.SetColWidths(50)
        self.g.SetRowHeights(20)

    def test_text_from_another_program_pastes_through_the_cell_menu(self):
        before = self.g.host.clipboard_sequence
        self.g.host.set_clipboard_text('1\t"two\nlines"\r\n')
        self.assertNotEqual(self.g.host.clipboard_sequence, before)
        self.assertEqual(self.g.host.clipboard_text(), '1\t"two\nlines"\r\n')
        self.g.host.answer_next("Paste")
        self.g.host.click(25, 30, button=2)
        self.assertEqual(self.g.CellValue(1, 1), "1")
        self.assertEqual(self.g.CellValue(1, 2), "two\r\nlines")

    def test_copy_puts_spreadsheet_text_and_the_menu_is_readable(self):
        self.g.SetCellValue(1, 1, 'say "hi"')
        self.g.host.answer_next("Copy")
        self.g.host.click(25, 30, button=2)
        self.assertEqual(self.g.host.clipboard_text(), '"say ""hi"""\r\n')
        items = self.g.host.last_menu_items()
        self.assertEqual([i.text for i in items], ["Cut", "Copy", "Copy with Headers", "Paste"])
        # Paste was offered while the clipboard held no text.
        self.assertEqual([i.enabled for i in items], [True, True, True, False])
        self.assertEqual(items[1].command, 0x2000 + 13)

    def test_custom_items_and_separators(self):
        self.g.BuiltinContextMenus = False
        items = self.g.ContextMenuCustomItems(1)
        items.Add("One")
        items.Add("-")
        items.Add("Two", False, True)
        self.g.host.click(25, 30, button=2)
        self.assertEqual(self.g.host.last_menu_items(),
                         [lattix.MenuItem("One", True, False, 0x2010), lattix.MenuItem("-", False, False, 0),
                          lattix.MenuItem("Two", False, True, 0x2012)])


if __name__ == "__main__":
    unittest.main()
