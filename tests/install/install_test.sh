#!/usr/bin/env bash
# install_test.sh <source dir> <build dir> <scratch dir> <python>
set -euo pipefail
src="$1"; build="$2"; scratch="$3"; python="$4"
rm -rf "$scratch"
mkdir -p "$scratch"
prefix="$scratch/prefix"
unset LD_LIBRARY_PATH
fail() { echo "FAIL: $*" >&2; exit 1; }

echo "== cmake --install"
cmake --install "$build" --prefix "$prefix" >/dev/null
lib="$prefix/lib/liblattix.so.6"
[ -e "$lib" ] || fail "no $lib"
readelf -d "$lib" | grep -q 'SONAME.*\[liblattix\.so\.6\]' || fail "liblattix.so has no versioned SONAME"
[ -e "$prefix/lib/liblattixwidget.so.6" ] || fail "no liblattixwidget.so.6"
readelf -d "$prefix/lib/liblattixwidget.so.6" | grep -q 'R.*PATH.*\$ORIGIN' || fail "liblattixwidget.so has no relative rpath"
for h in grid/lattix.h bindings/c/lattix.h bindings/qt/lattix_widget.h runtime/variant.h; do
  [ -f "$prefix/include/lattix/$h" ] || fail "header $h not installed"
done
[ -f "$prefix/lib/cmake/Lattix/LattixConfig.cmake" ] || fail "no LattixConfig.cmake"
[ -f "$prefix/lib/pkgconfig/lattix.pc" ] || fail "no lattix.pc"
# The C++ API is in the library, not only the C functions.
nm -DC --defined-only "$lib" > "$scratch/symbols.txt"
grep -q 'lattix::Lattix::Create()' "$scratch/symbols.txt" || fail "the C++ API is not exported"

echo "== the example Qt program, with find_package(Lattix)"
cmake -S "$src/examples/qt_widget" -B "$scratch/example" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
      -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build "$scratch/example" >/dev/null
"$scratch/example/lattix_qt_example" --screenshot "$scratch/example.png" | grep -q "rows=4 saved=1" \
  || fail "the example did not run"
cmake --install "$scratch/example" >/dev/null
"$prefix/bin/lattix_qt_example" --screenshot "$scratch/example-installed.png" | grep -q "rows=4 saved=1" \
  || fail "the installed example did not find its libraries"

echo "== pip install bindings/python (in a virtual environment)"
# A Python that can build the package without fetching anything: setuptools and wheel at hand.
builder=""
for candidate in "$python" /usr/bin/python3; do
  if "$candidate" -c "import setuptools, wheel, venv" >/dev/null 2>&1; then builder="$candidate"; break; fi
done
[ -n "$builder" ] || fail "no Python with setuptools and wheel"
"$builder" -m venv --system-site-packages "$scratch/venv"
# Built from a copy, so that the source tree stays clean of build output.
cp -r "$src/bindings/python" "$scratch/python-package"
rm -rf "$scratch/python-package/build" "$scratch/python-package/"*.egg-info
# The compiled call path is built against the installed C header, found through lattix.pc.
PKG_CONFIG_PATH="$prefix/lib/pkgconfig" "$scratch/venv/bin/python" -m pip install --verbose --no-build-isolation \
  --no-index "$scratch/python-package" > "$scratch/pip.log" 2>&1 || { cat "$scratch/pip.log"; fail "pip install failed"; }
if grep -q "compiled call path is not built" "$scratch/pip.log"; then
  grep "compiled call path" "$scratch/pip.log"; fail "pip built the package without its compiled call path"
fi
# The installed library is found through its pkg-config file, from any folder.
(cd "$scratch" && PKG_CONFIG_PATH="$prefix/lib/pkgconfig" "$scratch/venv/bin/python" - "$prefix" <<'PY'
import sys, pathlib, lattix, lattix._library as L
assert "site-packages" in lattix.__file__, lattix.__file__
g = lattix.Grid(width=200, height=100)
g.ColCount = 2
g.RowCount = 3
g.SetCellValue(1, 2, 5.5)
assert g.CellValue(1, 2) == 5.5
loaded = pathlib.Path(L.lib._name).resolve()
assert str(loaded).startswith(str(pathlib.Path(sys.argv[1]).resolve())), loaded
from lattix import _dispatch
assert _dispatch._native is not None and "site-packages" in _dispatch._native.__file__, "no compiled call path"
print("python ok", loaded)
PY
) || fail "the installed Python package does not work"
# The package's own tests, against the installed package and library (not the build tree's).
(cd "$scratch" && env -u PYTHONPATH -u LATTIX_LIBRARY PKG_CONFIG_PATH="$prefix/lib/pkgconfig" PYTHONDONTWRITEBYTECODE=1 \
  "$scratch/venv/bin/python" -m unittest discover -v -s "$src/tests/python" -p "test_*.py" \
  > "$scratch/python-tests.log" 2>&1) || { tail -30 "$scratch/python-tests.log"; fail "the Python tests fail on the installed package"; }
grep -q "test_arguments_and_results_match_the_ctypes_path .* ok$" "$scratch/python-tests.log" \
  || fail "the compiled call path was not tested on the installed package"

echo "== pip install without a compiler: ctypes alone, said once"
rm -rf "$scratch/python-package/build" "$scratch/python-package/"*.egg-info
"$builder" -m venv --system-site-packages "$scratch/venv-ctypes"
CC=/bin/false CXX=/bin/false LDSHARED=/bin/false PKG_CONFIG_PATH="$prefix/lib/pkgconfig" \
  "$scratch/venv-ctypes/bin/python" -m pip install --quiet --no-build-isolation --no-index "$scratch/python-package" \
  > "$scratch/pip-ctypes.log" 2>&1 || { cat "$scratch/pip-ctypes.log"; fail "pip install without a compiler failed"; }
(cd "$scratch" && PKG_CONFIG_PATH="$prefix/lib/pkgconfig" "$scratch/venv-ctypes/bin/python" -c "
import warnings
with warnings.catch_warnings(record=True) as seen:
    warnings.simplefilter('always')
    import lattix
    from lattix import _dispatch
    g = lattix.Grid(100, 50)
    g.ColCount, g.RowCount = 1, 1
    g.SetCellValue(1, 1, 2.5)
    assert g.CellValue(1, 1) == 2.5
assert _dispatch._native is None
said = [str(w.message) for w in seen if 'compiled call path' in str(w.message)]
assert len(said) == 1, said
print('ctypes ok')
") || fail "the package without its compiled call path does not work or does not say so once"
rm -rf "$scratch/python-package/build" "$scratch/python-package/"*.egg-info

echo "== pip wheel, installed on its own"
PKG_CONFIG_PATH="$prefix/lib/pkgconfig" "$scratch/venv/bin/python" -m pip wheel --quiet --no-build-isolation --no-index \
  --no-deps -w "$scratch/wheels" "$scratch/python-package" > "$scratch/wheel.log" 2>&1 \
  || { cat "$scratch/wheel.log"; fail "pip wheel failed"; }
"$builder" -m venv "$scratch/venv-wheel"
"$scratch/venv-wheel/bin/python" -m pip install --quiet --no-index "$scratch"/wheels/lattix-*.whl \
  || fail "the wheel does not install"
(cd "$scratch" && PKG_CONFIG_PATH="$prefix/lib/pkgconfig" "$scratch/venv-wheel/bin/python" -c "
import lattix
from lattix import _dispatch
assert _dispatch._native is not None
g = lattix.Grid(100, 50)
g.ColCount, g.RowCount = 1, 1
g.SetCellValue(1, 1, 'wheel')
assert g.CellValue(1, 1) == 'wheel'
print('wheel ok')
") || fail "the package installed from its wheel does not work"

if [ -x "$src/tests/install/readme_examples.sh" ] || [ -f "$src/tests/install/readme_examples.sh" ]; then
  echo "== README examples"
  bash "$src/tests/install/readme_examples.sh" "$src/README.md" "$prefix" "$scratch/readme"
fi
echo "== add_subdirectory from a host project"
cmake -S "$src/tests/install/host_project" -B "$scratch/host" -G Ninja -DLATTIX_SOURCE_DIR="$src" >/dev/null
ninja -C "$scratch/host" -t targets all > "$scratch/host-targets.txt"
grep -q '^host:' "$scratch/host-targets.txt" || fail "the host program is missing"
grep -q 'liblattix.so' "$scratch/host-targets.txt" || fail "liblattix.so is not built for the host"
for t in qt_desktop_tests ui_tests avigram qt_widget_bench; do
  if grep -q "^$t:" "$scratch/host-targets.txt"; then fail "the host project builds $t"; fi
done

echo "install test passed"
