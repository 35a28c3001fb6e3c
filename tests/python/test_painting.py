"""Painting from Python: appearance properties with system colours, a background picture, an image
list, drawing into the hdc of a custom-draw event, and the grid rendered to a PNG file."""

import os
import tempfile
import unittest

import lattix

HERE = os.path.dirname(os.path.abspath(__file__))
PICTURES = os.path.join(HERE, "..", "grid_paint")


class PaintingTest(unittest.TestCase):
    def test_render_with_host_drawing(self):
        g = lattix.Grid(300, 120)
        self.addCleanup(g.close)
        g.ColCount, g.RowCount = 3, 4
        g.GridLineColor = 0x80000010
        self.assertEqual(g.GridLineColor & 0xFFFFFFFF, 0x80000010)
        g.SelectionAlphaBlend = 128
        self.assertEqual(g.SelectionAlphaBlend, 128)
        with self.assertRaises(lattix.LattixError):
            g.SelectionAlphaBlend = 256
        g.BackgroundPicture = lattix.load_picture(os.path.join(PICTURES, "hatches.png"))
        self.assertEqual(g.BackgroundPicture.Width, 300)
        drawn = []

        def draw(lRow, lCol, hdc, lLeft, lTop, lRight, lBottom, bSelected):
            lattix.dc_fill_rect(hdc, lLeft, lTop, lRight, lBottom, 0x80000005)
            lattix.dc_draw_text(hdc, "host", lLeft, lTop, lRight, lBottom, 1 | 4 | 32, 0x0000FF)
            drawn.append((lRow, lCol, hdc))

        g.on("CustomDrawCell", draw)
        g.SetCellType(2, 3, lattix.lxCellCustomDraw)
        # The cell is drawn by the window's next paint.
        self.assertEqual(drawn, [])
        g.host.pump()
        self.assertEqual([(r, c) for r, c, _ in drawn], [(2, 3)])
        # The hdc is valid only during the event.
        with self.assertRaises(lattix.LattixError):
            lattix.dc_fill_rect(drawn[0][2], 0, 0, 5, 5, 0)
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "grid.png")
            g.host.save_png(path)
            with open(path, "rb") as f:
                self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")

    def test_pictures_and_image_lists_from_files(self):
        g = lattix.Grid(200, 100)
        self.addCleanup(g.close)
        with self.assertRaises(lattix.LattixError):
            lattix.load_picture("/nonexistent/tile.png")
        # A strip 300 pixels wide cannot be cut into 16-pixel icons.
        with self.assertRaises(lattix.LattixError):
            g.add_image_list(os.path.join(PICTURES, "hatches.png"), 16, 16)
        self.assertEqual(g.add_image_list(os.path.join(PICTURES, "hatches.png"), 300, 80), 1)
        self.assertEqual(g.add_image_list(os.path.join(PICTURES, "hatches.png"), 150, 80), 2)

    def test_image_list_objects_and_allow_sorting_are_published(self):
        g = lattix.Grid(200, 100)
        self.addCleanup(g.close)
        icons = lattix.load_image_list(os.path.join(PICTURES, "hatches.png"), 150, 80)
        self.assertEqual((icons.ImageWidth, icons.ImageHeight, icons.ListCount), (150, 80, 2))
        g.SetImageList(icons)
        g.Header.SetImageList(icons.hImageList)
        combo = g.Combos.Add("parts")
        combo.SetImageList(icons)
        with self.assertRaises(lattix.LattixError) as caught:
            g.SetImageList("icons")
        self.assertEqual(caught.exception.description,
                         "This method expects an ImageList object or a long hImageList handle.")
        names = {m.name for m in lattix.members(g)}
        self.assertIn("SetImageList", names)
        self.assertTrue(g.AllowSorting)
        g.AllowSorting = False
        self.assertFalse(g.AllowSorting)


if __name__ == "__main__":
    unittest.main()
