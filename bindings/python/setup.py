"""Builds the package with its compiled call path (lattix._native) when a C++ compiler, Python's
headers and pybind11 are at hand; otherwise the package is built without it, says so once, and makes
every call through ctypes. The module does not link liblattix: it only needs the C interface's
header, found beside this folder in the source tree, under LATTIX_INCLUDE_DIR, through pkg-config
(lattix.pc) or in the usual include folders."""

import os
import shutil
import subprocess
import sys
import sysconfig

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = os.path.dirname(os.path.abspath(__file__))
WARNING = "lattix: the compiled call path is not built ({}); the package makes its calls through ctypes"


def header_folder():
    """The folder holding bindings/c/lattix.h (as an include path of the form bindings/c/lattix.h) or
    lattix.h itself, and the form the module includes it by."""
    candidates = [os.path.normpath(os.path.join(HERE, "..", ".."))]
    if os.environ.get("LATTIX_INCLUDE_DIR"):
        candidates.append(os.environ["LATTIX_INCLUDE_DIR"])
    if shutil.which("pkg-config"):
        try:
            flags = subprocess.run(["pkg-config", "--cflags-only-I", "lattix"], capture_output=True, text=True,
                                   check=True).stdout.split()
            candidates += [f[2:] for f in flags if f.startswith("-I")]
        except (subprocess.CalledProcessError, OSError):
            pass
    candidates += [os.path.join(sys.prefix, "include"), "/usr/local/include", "/usr/include"]
    for folder in candidates:
        for inner in ("bindings/c/lattix.h", "lattix/lattix.h", "lattix.h"):
            if os.path.isfile(os.path.join(folder, inner)):
                return folder, inner
    return None, None


def pybind11_folder():
    try:
        import pybind11
        return pybind11.get_include()
    except ImportError:
        pass
    for folder in (os.path.join(sys.prefix, "include"), "/usr/local/include", "/usr/include"):
        if os.path.isfile(os.path.join(folder, "pybind11", "pybind11.h")):
            return folder
    return None


class OptionalBuildExt(build_ext):
    """Builds the compiled call path when it can; any failure leaves the package on ctypes alone."""

    def run(self):
        try:
            super().run()
        except Exception as e:  # no compiler at all
            self.warn_once(str(e).splitlines()[0] if str(e) else type(e).__name__)

    def build_extension(self, ext):
        try:
            super().build_extension(ext)
        except Exception as e:
            self.warn_once(str(e).splitlines()[0] if str(e) else type(e).__name__)

    def warn_once(self, why):
        if not getattr(self, "_warned", False):
            self._warned = True
            print(WARNING.format(why), file=sys.stderr)


def extensions():
    headers, include_form = header_folder()
    pybind11 = pybind11_folder()
    missing = [name for name, found in (("the C interface's header lattix.h", headers), ("pybind11", pybind11),
                                         ("Python's headers", os.path.isfile(
                                             os.path.join(sysconfig.get_paths()["include"], "Python.h"))))
               if not found]
    if missing:
        print(WARNING.format("missing " + " and ".join(missing)), file=sys.stderr)
        return []
    macros = [] if include_form == "bindings/c/lattix.h" else [("LATTIX_HEADER", '"{}"'.format(include_form))]
    return [Extension("lattix._native", [os.path.relpath(os.path.join(HERE, "native", "call_path.cpp"), HERE)],
                      include_dirs=[headers, pybind11], define_macros=macros, language="c++",
                      extra_compile_args=["-std=c++17", "-O2", "-fvisibility=hidden"])]


setup(ext_modules=extensions(), cmdclass={"build_ext": OptionalBuildExt})
