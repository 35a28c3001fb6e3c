"""The compiled call path gives the results and errors of the ctypes one, for every argument and
result type it takes, and hands everything else to the general path."""

import datetime
import decimal
import unittest

import lattix
from lattix import _dispatch
from lattix import _library as L


class CallPathTest(unittest.TestCase):
    def setUp(self):
        if _dispatch._native is None:
            self.skipTest("the package was built without its compiled call path")
        self.g = lattix.Grid(320, 200)
        self.addCleanup(self.g.close)
        self.g.ColCount = 3
        self.g.RowCount = 40
        info = self.g._info
        self.value = info.member("CellValue")
        self.key = info.member("RowKey")

    def both(self, member, kind, args):
        """(outcome of the compiled path, outcome of the ctypes path): a value or the exception."""
        outcomes = []
        for path in (_dispatch._fast_invoke, _dispatch._ctypes_fast_invoke):
            try:
                outcomes.append(("value", path(self.g, member, kind, args)))
            except lattix.LattixError as e:
                outcomes.append(("error", e.number, str(e)))
        return outcomes

    def test_arguments_and_results_match_the_ctypes_path(self):
        g = self.g
        g.SetCellValue(1, 1, datetime.datetime(2024, 2, 29, 13, 30))
        g.SetCellValue(2, 1, decimal.Decimal("12.5"))
        g.SetCellValue(3, 1, True)
        g.SetCellValue(4, 1, lattix.Null)
        g.SetCellValue(5, 1, "h\u00e9llo \udcff")
        g.SetCellValue(6, 1, 7)
        g.SetCellValue(7, 1, 2.25)
        g.SetCellValue(8, 1, None)
        for row in range(1, 10):
            a, b = self.both(self.value, L.GET, (row, 1))
            self.assertEqual(a, b, row)
            self.assertIs(type(a[1]), type(b[1]), row)
        # Addresses as floats, halves, strings (keys) and out of range.
        g.SetRowKey(6, "six")
        for address in (6.0, 5.5, 6.5, "six", "none", 0, 41, -1, 2**31 - 1):
            a, b = self.both(self.value, L.GET, (address, 1))
            self.assertEqual(a, b, address)
        # Writes: the same value lands either way.
        for value in (1.5, -3, "text", "", None):
            for path in (_dispatch._fast_invoke, _dispatch._ctypes_fast_invoke):
                path(g, self.value, L.LET, (9, 2, value))
                self.assertEqual(g.CellValue(9, 2), value)

    def test_other_arguments_go_the_general_way(self):
        for args in ((1, True), (2**40, 1), (1, 1, 1, 1, 1, 1, 1, 1, 1), (1.0, decimal.Decimal(1))):
            self.assertIs(_dispatch._native_invoke(self.g._handle, self.value.dispid, L.GET, args), NotImplemented)
        # ... and still work through the package.
        self.g.SetCellValue(1, 2, True)
        self.assertIs(self.g.CellValue(1, 2), True)
        with self.assertRaises(lattix.LattixError):
            self.g.CellValue(2**40, 1)

    def test_errors_and_handler_exceptions(self):
        with self.assertRaises(lattix.LattixError) as raised:
            self.g.SetCellValue(99, 1, 1.0)
        self.assertEqual(raised.exception.number, 0x80040201)
        self.assertIn("Subscript out of range", str(raised.exception))

        def broken(**_):
            raise KeyError("from the handler")

        self.g.on("CurRowChange", broken)
        with self.assertRaises(KeyError):
            self.g.SetCurCell(3, 1)  # the handler's exception, not a grid error
        self.g.off("CurRowChange")
        self.g.SetCurCell(4, 1)
        self.assertEqual(self.g.CurRow, 4)

    def test_bound_members_outlive_nothing(self):
        put = self.g.SetCellValue
        put(3, 3, 4.5)
        self.assertEqual(self.g.CellValue(3, 3), 4.5)
        with self.assertRaises(TypeError):
            put()


if __name__ == "__main__":
    unittest.main()
