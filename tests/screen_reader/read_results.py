#!/usr/bin/env python3
"""Reads Avigram's results as a screen reader does, over AT-SPI: finds the running program, presses
"Add Flocks", answers Yes to take the sample flock file, presses "Return" and "Recalc. Flock
Distribution", then finds the results table by its name and reads cells by the names of their
flock and of their figure. Prints what it read; exits 1 when something expected is not there."""
import sys
import time

import pyatspi

APP_NAME = "Avigram"
TIME_LIMIT = 20.0


def find(root, pred, depth=0, limit=12):
    """The first object under root (root included) for which pred holds, depth first."""
    if root is None or depth > limit:
        return None
    try:
        if pred(root):
            return root
        count = root.childCount
    except Exception:
        return None
    # Tables are searched through their table interface: their children are many cells.
    if root.getRole() == pyatspi.ROLE_TABLE:
        return None
    for i in range(count):
        try:
            found = find(root.getChildAtIndex(i), pred, depth + 1, limit)
        except Exception:
            found = None
        if found is not None:
            return found
    return None


def wait_for(what, get):
    deadline = time.monotonic() + TIME_LIMIT
    while time.monotonic() < deadline:
        found = get()
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit(f"read_results: no {what} after {TIME_LIMIT:.0f} s")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == APP_NAME:
            return app
    return None


def named(role, name):
    return lambda o: o.getRole() == role and o.name == name


def press(app, name):
    button = wait_for(f'button "{name}"', lambda: find(app, named(pyatspi.ROLE_PUSH_BUTTON, name)))
    action = button.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "activate"):
            action.doAction(i)
            print(f'pressed "{name}"')
            return
    action.doAction(0)
    print(f'pressed "{name}"')


def tables(app):
    found = []

    def walk(o, depth=0):
        if o is None or depth > 14:
            return
        if o.getRole() == pyatspi.ROLE_TABLE:
            found.append(o)
            return
        for i in range(o.childCount):
            walk(o.getChildAtIndex(i), depth + 1)

    walk(app)
    return found


def read_table(table_obj):
    table = table_obj.queryTable()
    rows, cols = table.nRows, table.nColumns
    headers = [table.getColumnHeader(c).name if table.getColumnHeader(c) else "" for c in range(cols)]
    return table, rows, cols, headers


def main():
    app = wait_for("running Avigram on the accessibility bus", application)
    print(f'application "{app.name}" found')
    press(app, "Add Flocks")
    press(app, "&Yes" if find(app, named(pyatspi.ROLE_PUSH_BUTTON, "&Yes")) else "Yes")
    press(app, "Return")
    press(app, "Recalc. Flock Distribution")
    results = "Flock Weights and Numbers"
    grid = wait_for(f'table "{results}" with rows',
                    lambda: next((t for t in tables(app) if t.name == results and t.queryTable().nRows > 0), None))
    # The results are written into the grid in steps: read once its shape holds for a second.
    shape, since = None, time.monotonic()
    while time.monotonic() - since < 1.0:
        now = (grid.queryTable().nRows, grid.queryTable().nColumns)
        if now != shape:
            shape, since = now, time.monotonic()
        time.sleep(0.1)
    table, rows, cols, headers = read_table(grid)
    print(f'table "{grid.name}": {rows} rows x {cols} columns')
    print("column headers: " + " | ".join(headers))
    texts = [[table.getAccessibleAt(r, c).name for c in range(cols)] for r in range(rows)]

    def where(text):
        for r in range(rows):
            for c in range(cols):
                if texts[r][c].strip() == text:
                    return r, c
        sys.exit(f'read_results: no cell "{text}" in the results')

    # Cells by name: a flock's column is found by its name, a figure's row by its label.
    names_row, first_flock = where("House 1")
    size_row, _ = where("Flock Size")
    weight_row, _ = where("Ave. WT")
    for c in range(first_flock, cols):
        flock = texts[names_row][c]
        if not flock:
            break
        print(f'{flock}: Flock Size {texts[size_row][c]}, Ave. WT {texts[weight_row][c]}')
    label = "1.81  - 1.91"
    class_row, _ = where(label)
    print(f'weight class "{label}", House 2: {texts[class_row][first_flock + 1]} birds')
    # The cell a screen reader speaks when the user lands on it: its name, role and states.
    cell = table.getAccessibleAt(size_row, first_flock)
    states = sorted(pyatspi.stateToString(s) for s in cell.getState().getStates())
    print(f'cell at row {size_row + 1}, column {first_flock + 1}: "{cell.name}", role {cell.getRoleName()}, '
          f'states {", ".join(states)}')
    if not texts[size_row][first_flock].strip().isdigit():
        sys.exit("read_results: the flock size is not a number")
    return 0


if __name__ == "__main__":
    sys.exit(main())
