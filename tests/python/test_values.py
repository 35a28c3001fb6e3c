"""The value mapping between Python and the grid's variants."""

import datetime
import decimal
import unittest

import lattix


class ValuesTest(unittest.TestCase):
    def setUp(self):
        self.g = lattix.Grid(200, 100)
        self.addCleanup(self.g.close)
        self.g.ColCount = 2
        self.g.RowCount = 2

    def round_trip(self, value):
        self.g.SetCellValue(1, 1, value)
        return self.g.CellValue(1, 1)

    def test_scalars_keep_their_python_type(self):
        cases = [None, lattix.Null, 0, -2**31, 2**31 - 1, 1.25, "", "grüße \u20ac", True, False, lattix.Missing,
                 lattix.ErrorValue(0x800A0007)]
        for value in cases:
            with self.subTest(value=value):
                back = self.round_trip(value)
                self.assertIs(type(back), type(value))
                self.assertEqual(back, value)
        self.assertIs(self.round_trip(lattix.Null), lattix.Null)
        # Beyond 32 bits an integer travels as a double.
        self.assertEqual(self.round_trip(2**40), float(2**40))

    def test_currency_is_exact_to_four_places(self):
        self.assertEqual(self.round_trip(decimal.Decimal("-12345.6789")), decimal.Decimal("-12345.6789"))
        self.assertEqual(self.round_trip(decimal.Decimal("0.00005")), decimal.Decimal("0.0000"))
        self.assertEqual(self.round_trip(decimal.Decimal("0.00015")), decimal.Decimal("0.0002"))
        self.assertEqual(self.round_trip(decimal.Decimal("922337203685477.5807")),
                         decimal.Decimal("922337203685477.5807"))
        with self.assertRaises(OverflowError):
            self.g.SetCellValue(1, 1, decimal.Decimal("922337203685477.5808"))

    def test_dates_count_from_1899_12_30_with_the_time_as_fraction(self):
        for value in [datetime.datetime(1899, 12, 30), datetime.datetime(2024, 2, 29, 13, 45, 10),
                      datetime.datetime(1899, 12, 29, 6, 0), datetime.datetime(1800, 1, 1, 23, 59, 59)]:
            with self.subTest(value=value):
                self.assertEqual(self.round_trip(value), value)
        self.assertEqual(self.round_trip(datetime.date(2000, 1, 1)), datetime.datetime(2000, 1, 1))
        self.assertEqual(lattix._values.to_serial(datetime.datetime(1899, 12, 29, 6, 0)), -1.25)
        self.assertEqual(lattix._values.to_serial(datetime.datetime(1900, 1, 1, 12)), 2.5)

    def test_arrays_of_one_and_two_dimensions(self):
        self.assertEqual(self.round_trip((1, "two", 3.0)), [1, "two", 3.0])
        back = self.round_trip([[1, 2, 3], [4, 5, 6]])
        self.assertEqual(back, [[1, 2, 3], [4, 5, 6]])
        self.assertEqual(back.lower, (0, 0))
        shifted = self.round_trip(lattix.Array([[1], [2]], lower=(1, 5)))
        self.assertEqual(shifted.lower, (1, 5))
        ragged = self.round_trip([[1, 2], [3]])
        self.assertEqual(ragged, [[1, 2], [3]], "rows of different lengths make a 1-D array of arrays")
        self.assertEqual(ragged.lower, (0,))
        self.assertEqual(self.round_trip([]), [])

    def test_the_grid_fills_a_list_passed_to_it(self):
        self.g.SetCellValue(1, 1, "a")
        self.g.SetCellValue(1, 2, "b")
        self.g.SetCellValue(2, 1, "c")
        target = [[None, None], [None, None]]
        self.g.LoadIntoArray(1, 1, target)
        self.assertEqual(target, [["a", "b"], ["c", ""]])
        frozen = ((0, 0), (0, 0))
        self.g.LoadIntoArray(1, 1, frozen)
        self.assertEqual(frozen, ((0, 0), (0, 0)), "a tuple cannot be filled")

    def test_values_without_a_mapping_are_refused_before_the_call(self):
        self.g.SetCellValue(1, 1, "")
        with self.assertRaises(TypeError):
            self.g.SetCellValue(1, 1, object())
        with self.assertRaises(TypeError):
            self.g.SetCellValue(1, 1, b"bytes")
        self.assertEqual(self.g.CellValue(1, 1), "")


if __name__ == "__main__":
    unittest.main()


class EnumerationsTest(unittest.TestCase):
    def test_constants_are_module_attributes(self):
        self.assertEqual(lattix.lxSortDesc, 1)
        self.assertEqual(lattix.lxHatchNone, 7)
        self.assertEqual(lattix.enums()["EGridLines"]["lxGridLinesBoth"], 3)
        self.assertEqual(len(lattix.enums()), 42)
        with self.assertRaises(AttributeError):
            lattix.lxNoSuchConstant
