"""LoadFromArray and LoadIntoArray with buffers and lists of rows: the block paths give what the
general path gives, and a failed call changes nothing."""

import array
import datetime
import unittest

import lattix

try:
    import numpy
except ImportError:
    numpy = None


class BlocksTest(unittest.TestCase):
    def setUp(self):
        self.g = lattix.Grid(200, 100)
        self.addCleanup(self.g.close)
        self.g.ColCount = 3
        self.g.RowCount = 4
        for r in range(1, 5):
            for c in range(1, 5):
                self.g.SetCellValue(r, c, r * 100 + c)

    def column(self, col):
        return [self.g.CellValue(r, col) for r in range(1, 5)]

    def test_buffers_of_doubles_and_int32s_fill_a_column_or_a_row(self):
        self.g.LoadFromArray(3, 2, array.array("d", [1.5, 2.5, 3.5]))
        self.assertEqual(self.column(2), [102, 202, 1.5, 2.5], "only what fits the grid")
        self.g.LoadFromArray(1, 3, memoryview(array.array("i", [7, 8, 9])), True)
        self.assertEqual([self.g.CellValue(1, c) for c in (3, 4)], [7, 8], "the row text column is the last")
        self.assertIs(type(self.g.CellValue(1, 3)), int)
        out = array.array("d", [-1.0] * 6)
        self.g.LoadIntoArray(2, 2, out)
        self.assertEqual(list(out), [202.0, 1.5, 2.5, -1.0, -1.0, -1.0], "elements beyond the grid keep theirs")

    def test_lists_of_rows_of_any_scalar_mix_round_trip(self):
        when = datetime.datetime(2024, 2, 29, 13, 45)
        rows = [[1.25, "grüße", None], [True, lattix.Null, 2**40], [when, lattix.ErrorValue(0x800A0007), -7]]
        self.g.LoadFromArray(1, 1, rows)
        self.assertEqual(self.g.CellValue(1, 2), "grüße")
        self.assertIs(self.g.CellValue(2, 1), True)
        self.assertEqual(self.g.CellValue(2, 3), float(2**40), "beyond 32 bits an integer is a double")
        back = [[0] * 3 for _ in range(3)]
        self.g.LoadIntoArray(1, 1, back)
        self.assertEqual(back, [[1.25, "grüße", None], [True, lattix.Null, float(2**40)],
                                [when, lattix.ErrorValue(0x800A0007), -7]])
        self.assertIs(back[2][2].__class__, int)
        # Column-major: rows come from the second dimension.
        self.g.LoadFromArray(1, 1, [["a", "b"], ["c", "d"]], True)
        self.assertEqual([self.g.CellValue(1, 2), self.g.CellValue(2, 1)], ["c", "b"])
        target = [["x"] * 5 for _ in range(2)]
        self.g.LoadIntoArray(3, 1, target, True)
        self.assertEqual(target, [[when, 401, "x", "x", "x"], [lattix.ErrorValue(0x800A0007), 402, "x", "x", "x"]])

    def test_the_block_path_matches_the_general_one(self):
        rows = [[1, 2.5, "t"], [None, False, 3]]
        self.g.LoadFromArray(1, 1, rows)
        fast = [[self.g.CellValue(r, c) for c in range(1, 4)] for r in (1, 2)]
        # A tuple goes the general way.
        self.g.LoadFromArray(1, 1, tuple(tuple(r) for r in rows))
        general = [[self.g.CellValue(r, c) for c in range(1, 4)] for r in (1, 2)]
        self.assertEqual(fast, general)
        self.assertEqual([type(v) for v in fast[0]], [type(v) for v in general[0]])

    def test_failures_change_nothing(self):
        before = [self.column(c) for c in range(1, 5)]
        for call in (lambda: self.g.LoadFromArray(1, "nokey", [[1.0, 2.0]]),
                     lambda: self.g.LoadFromArray(5, 1, array.array("d", [1.0])),
                     lambda: self.g.LoadFromArray(1, 1, memoryview(bytearray(8)).cast("d", (1, 1, 1)))):
            with self.assertRaises(lattix.LattixError) as caught:
                call()
            self.assertIn(caught.exception.number, (0x80040201, 0x80040202))
        out = array.array("d", [-1.0] * 4)
        self.g.SetCellValue(4, 1, "not a number")
        with self.assertRaises(lattix.LattixError) as caught:
            self.g.LoadIntoArray(1, 1, out)
        self.assertEqual(caught.exception.number, 0x800A000D)
        self.assertEqual(list(out), [-1.0] * 4)
        self.g.SetCellValue(4, 1, 401)
        self.assertEqual([self.column(c) for c in range(1, 5)], before)
        with self.assertRaises(TypeError):
            self.g.LoadIntoArray(1, 1, array.array("d", [0.0]).tobytes())

    @unittest.skipIf(numpy is None, "numpy is not installed")
    def test_numpy_arrays_in_any_layout(self):
        m = numpy.arange(12, dtype=numpy.float64).reshape(4, 3)
        self.g.LoadFromArray(1, 1, numpy.asfortranarray(m))
        self.assertEqual(self.g.CellValue(4, 3), 11.0)
        self.g.LoadFromArray(1, 1, m[::2, ::2])  # strided view
        self.assertEqual([self.g.CellValue(2, 1), self.g.CellValue(2, 2)], [6.0, 8.0])
        back = numpy.zeros((4, 3), dtype=numpy.int32)
        self.g.LoadIntoArray(1, 1, back)
        self.assertEqual(back[1].tolist(), [6, 8, 5])


if __name__ == "__main__":
    unittest.main()
