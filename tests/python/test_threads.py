"""A grid belongs to the thread that made it: calls from another thread raise LattixError 0x80040210
and change nothing; the owning thread goes on as before."""

import threading
import unittest

import lattix

WRONG_THREAD = 0x80040210


def on_other_thread(call):
    """Runs call on a new thread; returns the exception it raised (None when it raised nothing)."""
    raised = []

    def run():
        try:
            call()
        except Exception as e:  # noqa: BLE001 - the test inspects whatever came out
            raised.append(e)
        else:
            raised.append(None)

    t = threading.Thread(target=run)
    t.start()
    t.join()
    return raised[0]


class ThreadTest(unittest.TestCase):
    def setUp(self):
        self.g = lattix.Grid(320, 200)
        self.addCleanup(self.g.close)

    def test_other_thread_is_refused_and_changes_nothing(self):
        g = self.g
        g.ColCount = 2
        g.RowCount = 3
        g.SetCellValue(2, 1, "kept")
        font = g.Font

        def set_rows():
            g.RowCount = 8

        for call in (set_rows, lambda: g.RowCount, lambda: g.AddRow(), lambda: g.SetCellValue(2, 1, "lost"),
                     lambda: setattr(font, "Bold", True), lambda: g.host.click(20, 20)):
            e = on_other_thread(call)
            self.assertIsInstance(e, lattix.LattixError)
            self.assertEqual(e.number, WRONG_THREAD)
            self.assertEqual(e.description, "Object used from a thread other than the one that created it.")

        self.assertEqual(g.RowCount, 3)
        self.assertEqual(g.CellValue(2, 1), "kept")
        self.assertFalse(g.Font.Bold)
        g.RowCount = 8
        self.assertEqual(g.RowCount, 8)

    def test_a_grid_made_on_a_thread_serves_that_thread(self):
        made = {}

        def own():
            with lattix.Grid(200, 100) as h:
                h.RowCount = 5
                made["rows"] = h.RowCount

        self.assertIsNone(on_other_thread(own))
        self.assertEqual(made["rows"], 5)


if __name__ == "__main__":
    unittest.main()
