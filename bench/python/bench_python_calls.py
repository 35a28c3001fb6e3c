"""Figures of the Python package's call path: one SetCellValue, and LoadFromArray / LoadIntoArray of
1,000,000 doubles from and into an array.array, a list of rows and (when installed) a numpy array.

    PYTHONPATH=build/python python3 bench/python/bench_python_calls.py

Each figure is the median of a few runs, wall clock and process CPU time."""

import array
import statistics
import time

import lattix

ROWS, COLS = 100000, 10


def measure(label, fn, repeat=5, per=1):
    walls, cpus = [], []
    for _ in range(repeat):
        w, c = time.perf_counter(), time.process_time()
        fn()
        walls.append(time.perf_counter() - w)
        cpus.append(time.process_time() - c)
    wall, cpu = statistics.median(walls) / per, statistics.median(cpus) / per
    unit, scale = ("us", 1e6) if per > 1 else ("s", 1)
    print("%-44s %10.3f %s wall %10.3f %s cpu" % (label, wall * scale, unit, cpu * scale, unit))


def main():
    g = lattix.Grid(400, 300)
    g.ColCount = COLS
    g.RowCount = ROWS
    n = 100000

    from lattix import _dispatch
    print("call path:", "compiled (lattix._native)" if _dispatch._native is not None else "ctypes")

    # Row 5 is on screen: its repaint waits for the window's next paint, so a run of puts costs the
    # calls alone, as for row 90,000, which is not on screen. The paint is timed on its own below.
    def puts(row):
        def run():
            for _ in range(n):
                g.SetCellValue(row, 3, 1.5)
        return run

    def gets():
        for _ in range(n):
            g.CellValue(5, 3)

    measure("SetCellValue(90000, 3, 1.5), per call", puts(90000), per=n)
    measure("SetCellValue(5, 3, 1.5) on screen, per call", puts(5), per=n)
    measure("CellValue(5, 3), per call", gets, per=n)

    def put_and_paint():
        for _ in range(n // 10):
            g.SetCellValue(5, 3, 1.5)
            g.host.pump()
    measure("SetCellValue(5, 3, 1.5) then host paint, per pair", put_and_paint, per=n // 10)

    flat = array.array("d", (float(i) for i in range(ROWS * COLS)))
    # array.array is one dimension: one column of a million rows of a one-column grid.
    tall = lattix.Grid(200, 100)
    tall.ColCount = 1
    tall.RowCount = ROWS * COLS
    measure("LoadFromArray 1,000,000 doubles, array.array", lambda: tall.LoadFromArray(1, 1, flat))
    out = array.array("d", bytes(8 * ROWS * COLS))
    measure("LoadIntoArray 1,000,000 doubles, array.array", lambda: tall.LoadIntoArray(1, 1, out))
    assert out == flat

    rows = [[float(r * COLS + c) for c in range(COLS)] for r in range(ROWS)]
    measure("LoadFromArray 100,000 x 10 doubles, list of rows", lambda: g.LoadFromArray(1, 1, rows))
    target = [[None] * COLS for _ in range(ROWS)]
    measure("LoadIntoArray 100,000 x 10 doubles, list of rows", lambda: g.LoadIntoArray(1, 1, target))
    assert target == rows
    mixed = [[r, "t%d" % r, r * 0.5, None, True, r, "x", 1.0, 2, 3] for r in range(ROWS)]
    measure("LoadFromArray 100,000 x 10 mixed, list of rows", lambda: g.LoadFromArray(1, 1, mixed), repeat=3)
    measure("LoadIntoArray 100,000 x 10 mixed, list of rows", lambda: g.LoadIntoArray(1, 1, target), repeat=3)
    assert target == mixed

    try:
        import numpy
    except ImportError:
        return
    m = numpy.arange(ROWS * COLS, dtype=numpy.float64).reshape(ROWS, COLS)
    measure("LoadFromArray 100,000 x 10 doubles, numpy", lambda: g.LoadFromArray(1, 1, m))
    back = numpy.zeros((ROWS, COLS))
    measure("LoadIntoArray 100,000 x 10 doubles, numpy", lambda: g.LoadIntoArray(1, 1, back))
    assert (back == m).all()


if __name__ == "__main__":
    main()
