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


if __name__ == "__main__":
    unittest.main()
