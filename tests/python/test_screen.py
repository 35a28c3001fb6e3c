"""The screen a grid is made on, and wheels that send parts of a notch."""

import os
import struct
import tempfile
import unittest

import lattix


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24])


class ScreenTest(unittest.TestCase):
    def grid(self, *args, **kwargs):
        g = lattix.Grid(*args, **kwargs)
        self.addCleanup(g.close)
        return g

    def test_a_grid_made_at_192_dpi_measures_in_that_screens_pixels(self):
        g96 = self.grid(300, 200)
        row96 = g96.DefaultRowHeight
        self.assertEqual(g96.LayoutCol, "{dpi=96}")
        g96.close()
        g = self.grid(300, 200, dpi=192)
        self.assertEqual(g.LayoutCol, "{dpi=192}")
        self.assertAlmostEqual(g.DefaultRowHeight, 2 * row96, delta=2)
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "grid.png")
            g.host.save_png(path)
            self.assertEqual(png_size(path), (300, 200))
        with self.assertRaises(lattix.LattixError):
            lattix.Grid(300, 200, dpi=20)

    def test_eight_eighths_of_a_notch_scroll_as_one_notch_does(self):
        def scrolled(deltas):
            g = self.grid(300, 200)
            g.ColCount, g.RowCount = 2, 100
            wheels = []
            g.on("MouseWheel", lambda *args: wheels.append(args[0]))
            for d in deltas:
                g.host.wheel(d, 50, 50)
            value = g.VScrollBar.Value
            g.close()
            return value, wheels

        notch, wheels = scrolled([-120])
        self.assertGreater(notch, 0)
        self.assertEqual(wheels, [-3])
        self.assertEqual(scrolled([-15] * 8), (notch, [-3]))
        self.assertEqual(scrolled([-3] * 40), (notch, [-3]))
        # Turning back drops what was gathered: seven eighths down, one up, scroll nothing.
        self.assertEqual(scrolled([-15] * 7 + [15]), (0, []))

    def test_a_window_moved_to_a_screen_of_twice_the_dpi_lays_out_at_that_dpi(self):
        g = self.grid(300, 200)
        g.ColCount, g.RowCount = 3, 30
        g.SetColWidth(2, 80)
        g.SetRowHeight(4, 25)
        row = g.DefaultRowHeight
        g.host.set_dpi(192)
        self.assertEqual(g.ColWidth(2), 160)
        self.assertEqual(g.RowHeight(4), 50)
        self.assertEqual(g.DefaultRowHeight, 2 * row)
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "grid.png")
            g.host.save_png(path)
            self.assertEqual(png_size(path), (600, 400))
        # A refused dpi changes nothing.
        with self.assertRaises(lattix.LattixError):
            g.host.set_dpi(2000)
        self.assertEqual(g.ColWidth(2), 160)
        g.host.set_dpi(96)
        self.assertEqual((g.ColWidth(2), g.RowHeight(4), g.DefaultRowHeight), (80, 25, row))

    def test_icons_may_be_given_at_a_larger_size(self):
        here = os.path.dirname(os.path.abspath(__file__))
        base = os.path.join(here, "..", "grid_paint", "hatches.png")       # 300x80: three 100x80 images
        larger = os.path.join(here, "..", "grid_paint", "plain_text.png")  # 300x120: two at 150x120
        g = self.grid(300, 200, dpi=144)
        number = g.add_image_list(base, 100, 80, larger=larger)
        self.assertEqual(number, 1)
        images = lattix.load_image_list(base, 100, 80, larger=[larger])
        self.assertEqual(images.ListCount, 3)
        with self.assertRaises(lattix.LattixError):
            g.add_image_list(base, 100, 80, larger=base)  # not larger


if __name__ == "__main__":
    unittest.main()
