#!/usr/bin/env bash
# readme_examples.sh <README.md> <install prefix> <scratch dir>
# Compiles and runs the README's complete C and C++ examples exactly as written, with the compile
# commands the README gives, against the installed prefix.
set -euo pipefail
readme="$1"; prefix="$2"; scratch="$3"
mkdir -p "$scratch"
fail() { echo "FAIL: $*" >&2; exit 1; }
# The fenced block of a language that holds a main function.
extract() {
  awk -v lang="$1" '
    $0 == "```" lang { inside = 1; block = ""; next }
    inside && $0 == "```" { inside = 0; if (block ~ /int main/) { printf "%s", block; exit } next }
    inside { block = block $0 "\n" }' "$readme"
}
extract c > "$scratch/first.c"
extract cpp > "$scratch/first.cpp"
[ -s "$scratch/first.c" ] || fail "no C example with main in the README"
[ -s "$scratch/first.cpp" ] || fail "no C++ example with main in the README"
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
unset LD_LIBRARY_PATH
cd "$scratch"
# The commands as the README shows them.
c_command="$(grep -m1 '^    cc -std=c11 first.c' "$readme" | sed 's/^    //')"
cpp_command="$(grep -m1 '^    c++ -std=c++20 first.cpp' "$readme" | sed 's/^    //')"
[ -n "$c_command" ] && [ -n "$cpp_command" ] || fail "the README's compile commands are missing"
bash -c "$c_command" > c.out 2>&1 || { cat c.out; fail "the C example failed"; }
grep -q "cell (1, 1) = 5.5" c.out || { cat c.out; fail "the C example printed something else"; }
bash -c "$cpp_command" > cpp.out 2>&1 || { cat cpp.out; fail "the C++ example failed"; }
grep -q "weight 2.35" cpp.out || { cat cpp.out; fail "the C++ example printed something else"; }
grep -q "0x80040201 Lattix" cpp.out || { cat cpp.out; fail "the C++ example did not catch the error"; }
echo "README examples ok"
