"""Late-bound access: attributes, indexed properties, methods with keyword and omitted arguments,
objects, type information, errors, events."""

import os
import pathlib
import subprocess
import sys
import unittest

import lattix


class DispatchTest(unittest.TestCase):
    def setUp(self):
        self.g = lattix.Grid(320, 200)
        self.addCleanup(self.g.close)

    def test_attributes_calls_and_set_prefix(self):
        g = self.g
        g.colcount = 2  # names are matched without regard to case
        self.assertEqual(g.ColCount, 2)
        g.AddRow(lCount=3)
        g.SetRowKey(2, "second")
        self.assertEqual(g.RowKey(2), "second")
        with self.assertRaises(AttributeError):
            g.RowKey = "x"  # indexed: needs SetRowKey
        with self.assertRaises(AttributeError):
            g.RowTextCol = 4  # read-only
        with self.assertRaises(AttributeError):
            g.NoSuchMember
        self.assertFalse(hasattr(g, "SetNoSuchMember"))
        self.assertIn("CellValue", dir(g))

    def test_keyword_and_omitted_arguments(self):
        g = self.g
        cell = g.AddCol("ka", lattix.Missing, 90)
        self.assertEqual(repr(cell), "<lattix.CellObject object>")
        g.AddCol(sHeader="Second", sKey="kb")
        self.assertEqual(g.ColIndex("kb"), 2)
        self.assertEqual(g.ColHeaderText(2), "Second")
        with self.assertRaises(lattix.LattixError) as caught:
            g.AddRow(lNoSuchParameter=1)
        self.assertEqual(caught.exception.number, 0x80020006)
        with self.assertRaises(lattix.LattixError) as caught:
            g.AddRow(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13)
        self.assertEqual(caught.exception.number, 0x8002000E)
        self.assertEqual(g.RowCount, 0, "failed calls add nothing")

    def test_errors_leave_the_grid_as_it_was(self):
        g = self.g
        g.ColCount = 1
        with self.assertRaises(lattix.LattixError) as caught:
            g.ColCount = "many"
        self.assertEqual(caught.exception.number, 0x800A000D)
        self.assertEqual(g.ColCount, 1)
        with self.assertRaises(lattix.LattixError) as caught:
            g.UIStrings(32)
        self.assertEqual((caught.exception.number, caught.exception.description),
                         (0x80040202, "Invalid procedure call or argument."))
        self.assertEqual(g.UIStrings(1), "Sort Ascending")

    def test_objects_share_identity_and_outlive_their_grid(self):
        h1, h2 = self.g.Header, self.g.Header
        self.assertEqual(h1, h2)
        self.assertEqual(len({h1, h2}), 1)
        self.assertNotEqual(h1, self.g)
        g = lattix.Grid(100, 100)
        header = g.Header
        g.close()
        del g
        with self.assertRaises(lattix.LattixError) as caught:
            header.Height
        self.assertEqual(caught.exception.description, "Illegal operation.")

    def test_type_information(self):
        self.assertEqual(lattix.dispid(self.g, "CellValue"), 0x680300AB)
        self.assertEqual(lattix.dispid(self.g, "BeginUpdate"), 0x600300D5)
        with self.assertRaises(lattix.LattixError):
            lattix.dispid(self.g, "Nope")
        by_name = {m.name: m for m in lattix.members(self.g)}
        self.assertEqual(by_name["CellValue"].kinds, ("get", "let"))
        self.assertEqual([p.name for p in by_name["CellValue"].params], ["vrow", "vCol"])
        add_col = by_name["AddCol"]
        self.assertEqual(add_col.kinds, ("method",))
        width = add_col.params[2]
        self.assertEqual((width.name, width.optional, width.has_default, width.default), ("lWidth", True, True, -1))
        self.assertFalse(add_col.params[0].has_default)
        header = {m.name for m in lattix.members(self.g.Header)}
        self.assertIn("Height", header)
        names = [e.name for e in lattix.events(self.g)]
        self.assertEqual(len(names), 91)
        self.assertEqual(names[0], "AfterCommitEdit")

    def test_library_lookup(self):
        from lattix import _library
        saved = os.environ.get("LATTIX_LIBRARY")
        try:
            os.environ["LATTIX_LIBRARY"] = "/nowhere/liblattix.so"
            self.assertEqual(_library._candidates(), [pathlib.Path("/nowhere/liblattix.so")])
            del os.environ["LATTIX_LIBRARY"]
            found = _library._candidates()
            self.assertEqual(found[0], pathlib.Path(_library.__file__).resolve().parent / "liblattix.so")
        finally:
            if saved is not None:
                os.environ["LATTIX_LIBRARY"] = saved
        env = dict(os.environ, LATTIX_LIBRARY="/nowhere/liblattix.so")
        run = subprocess.run([sys.executable, "-c", "import lattix"], env=env, capture_output=True, text=True)
        self.assertNotEqual(run.returncode, 0)
        self.assertIn("LATTIX_LIBRARY", run.stderr)


class EventsTest(unittest.TestCase):
    def setUp(self):
        self.g = lattix.Grid(320, 200)
        self.addCleanup(self.g.close)
        self.g.ColCount = 2
        self.g.RowCount = 3

    def test_handlers_get_arguments_by_name_or_position(self):
        seen = []
        self.g.on("CurCellChange", lambda lNewRowIfAny, lNewColIfAny, lOldRowIfAny, lOldColIfAny:
                  seen.append(("named", lNewRowIfAny, lNewColIfAny)))
        self.g.on("curcellchange", lambda *args: seen.append(("positional",) + args))
        self.g.CurCol = 1
        self.g.CurRow = 2
        self.assertEqual(seen[-2:], [("named", 2, 1), ("positional", 2, 1, 0, 1)])
        self.g.off("CurCellChange")
        self.g.CurRow = 3
        self.assertEqual(len(seen), 4)
        with self.assertRaises(ValueError):
            self.g.on("NoSuchEvent", print)

    def test_by_reference_arguments_are_refs_the_handler_may_set(self):
        g = self.g
        g.SetRowLevel(2, 1)
        calls = []

        def veto(lRowIfAny, bNowExpanded, bDoDefault):
            calls.append(type(bDoDefault))
            self.assertIs(bDoDefault.value, True)
            bDoDefault.value = False

        g.on("BeforeRowCollapseExpand", veto)
        after = []
        g.on("AfterRowCollapseExpand", lambda **kw: after.append(kw))
        g.CollapseAllRows()
        self.assertEqual(calls, [lattix.Ref])
        self.assertTrue(g.RowExpanded(1))
        self.assertEqual(after, [])
        g.off("BeforeRowCollapseExpand", veto)
        g.CollapseAllRows()
        self.assertFalse(g.RowExpanded(1))
        self.assertEqual(after, [{"lRowIfAny": 0, "bNowExpanded": False}])

    def test_handler_exceptions_surface_in_the_caller(self):
        def broken(**_):
            raise RuntimeError("handler failed")

        self.g.on("CurRowChange", broken)
        with self.assertRaisesRegex(RuntimeError, "handler failed"):
            self.g.CurRow = 1
        self.assertEqual(self.g.CurRow, 1, "the grid finished its work")
        self.g.off("CurRowChange")
        self.g.CurRow = 2  # nothing pending any more

    def test_handlers_may_call_back_into_the_grid(self):
        counts = []
        self.g.on("CurRowChange", lambda **kw: counts.append(self.g.RowCount))
        self.g.CurRow = 3
        self.assertEqual(counts, [3])


if __name__ == "__main__":
    unittest.main()


class HostTest(unittest.TestCase):
    def setUp(self):
        self.g = lattix.Grid(300, 200)
        self.addCleanup(self.g.close)

    def test_input_calls_and_key_names(self):
        host = self.g.host
        self.assertEqual((host.width, host.height), (300, 200))
        host.click(10, 10)
        host.double_click(10, 10, button=2, shift=1)
        host.mouse_move(20, 20)
        host.wheel(-120, 20, 20)
        host.key("Down")
        host.key("a", shift=2)
        host.key(0x0D)
        host.type_text("abc")
        with self.assertRaises(lattix.LattixError):
            host.click(1, 1, button=3)
        with self.assertRaises(ValueError):
            host.key("NoSuchKey")
        from lattix import _grid
        self.assertEqual([_grid.key_code(k) for k in ("Down", "return", "F2", "PageDown", "z", "7")],
                         [0x28, 0x0D, 0x71, 0x22, 0x5A, 0x37])

    def test_clock_answers_and_pictures(self):
        host = self.g.host
        start = host.now
        host.advance(125)
        self.assertEqual(host.now, start + 125)
        pending = host.pending_answers
        host.answer_next(6, kind="message_box")
        host.answer_next("Cancel")
        self.assertEqual(host.pending_answers, pending + 2)
        with self.assertRaises(ValueError):
            host.answer_next(1, kind="dialog")
        import tempfile
        with tempfile.TemporaryDirectory() as tmp:
            path = pathlib.Path(tmp) / "grid.png"
            host.save_png(path)
            data = path.read_bytes()
            self.assertEqual(data[1:4], b"PNG")
            self.assertEqual((int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")), (300, 200))
            with self.assertRaises(lattix.LattixError) as caught:
                host.save_png(pathlib.Path(tmp) / "no" / "such" / "dir.png")
            self.assertEqual(caught.exception.number, 0x800A004B)
        self.g.close()
        with self.assertRaises(ValueError):
            host.click(1, 1)
