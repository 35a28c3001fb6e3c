"""Timers a host makes for itself: lattix.CTimer() fires on the host window's virtual clock."""

import unittest

import lattix


class TimerTest(unittest.TestCase):
    def setUp(self):
        self.g = lattix.Grid(200, 100)
        self.addCleanup(self.g.close)

    def test_fires_every_interval_until_stopped(self):
        t = lattix.CTimer()
        ticks = []
        t.on("Timer", lambda: ticks.append(self.g.host.now))
        start = self.g.host.now
        t.Interval = 100
        self.assertEqual(t.Interval, 100)
        self.g.host.advance(350)
        self.assertEqual([n - start for n in ticks], [100, 200, 300])
        t.Interval = 0
        self.g.host.advance(500)
        self.assertEqual(len(ticks), 3)
        t.Tag = "kept"
        self.assertEqual(t.Tag, "kept")
        t.RaiseTimerEvent()
        self.assertEqual(len(ticks), 4)

    def test_only_timers_can_be_created_by_name(self):
        import ctypes
        from lattix import _library as L
        self.assertEqual(repr(lattix.CTimer()), "<lattix.CTimer object>")
        handle = ctypes.c_void_p()
        err = L.Error()
        rc = lattix._lib.lx_object_create(b"Lattix", ctypes.byref(handle), ctypes.byref(err))
        self.assertEqual(rc & 0xFFFFFFFF, 0x800401F3)
        self.assertFalse(handle.value)


if __name__ == "__main__":
    unittest.main()
