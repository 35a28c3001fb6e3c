"""A host keeping a grid's property bag and its column layout between runs."""

import unittest

import lattix


class PropertyBagTest(unittest.TestCase):
    def grid(self, **kw):
        g = lattix.Grid(**kw)
        self.addCleanup(g.close)
        return g

    def test_saved_bag_makes_an_equal_grid(self):
        g = self.grid()
        g.ColCount = 3
        g.LevelIndent = 24
        g.AutoColHeaderTextTemplate = "Field #"
        saved = g.host.save_properties()
        self.assertEqual(len(saved), 80)
        self.assertEqual(saved["LevelIndent"], 24)
        self.assertEqual(saved["AutoColHeaderTextTemplate"], "Field #")
        self.assertIn("Name", saved["Font"])
        self.assertIn("LevelIndent", g.host.changed_properties())

        h = lattix.Grid.from_property_bag(saved, 640, 480)
        self.addCleanup(h.close)
        self.assertEqual(h.host.width, 640)
        self.assertEqual(h.LevelIndent, 24)
        self.assertEqual(h.host.save_properties(), saved)
        self.assertIn("AutoColHeaderTextTemplate", h.host.changed_properties())

    def test_missing_entries_load_defaults_and_errors_propagate(self):
        h = lattix.Grid.from_property_bag({}, 200, 100)
        self.addCleanup(h.close)
        self.assertEqual(h.LevelIndent, 16)
        self.assertTrue(h.host.save_properties()["AddRowAutoTreeButton"])
        with self.assertRaises(lattix.LattixError):
            lattix.Grid.from_property_bag({"SelectionAlphaBlend": 300}, 200, 100)

    def test_layout_restored_in_a_new_grid(self):
        g = self.grid()
        g.ColCount = 3
        g.SetColWidth(2, 90)
        g.SetColPos(3, 1)
        g.SetColSortKey(2, 1)
        col_layout, sort_layout = g.LayoutCol, g.LayoutSort
        h = self.grid()
        h.ColCount = 3
        h.LayoutCol = col_layout
        h.LayoutSort = sort_layout
        self.assertEqual((h.LayoutCol, h.LayoutSort), (col_layout, sort_layout))
        with self.assertRaises(lattix.LattixError):
            h.LayoutCol = "1|Width|"
        self.assertEqual(h.LayoutCol, col_layout)


if __name__ == "__main__":
    unittest.main()
