"""Lattix grids from Python: a late-bound client of the grid's automation interface over the C
interface of liblattix.so.

    import lattix
    g = lattix.Grid(800, 600)
    g.AddCol("A", "Header A", 80)
    g.AddRow(sKey="k", lCount=2)
    g.SetCellValue(1, 1, 5.5)
    g.CellValue(1, 1)            # 5.5
    g.on("CurRowChange", lambda lNewRowIfAny, lOldRowIfAny: print(lNewRowIfAny))
    g.GridLines = lattix.lxGridLinesBoth
"""

from ._values import Array, ErrorValue, LattixError, Missing, Null, Ref
from ._dispatch import Event, Member, Object, Param, dispid, enums, events, members
from ._grid import Grid, Host, InputMethodState, MenuItem, dc_draw_text, dc_fill_rect, load_image_list, load_picture
from ._record_set import record_set, sqlite_record_set
from ._library import lib as _lib
from . import _library as _L
from ._values import check as _check


def CTimer():
    """A timer of its own: set Interval (milliseconds) and handle its event "Timer". It fires on
    the clock of the host window (create a Grid or Host first)."""
    import ctypes
    handle = ctypes.c_void_p()
    err = _L.Error()
    _check(_lib.lx_object_create(b"CTimer", ctypes.byref(handle), ctypes.byref(err)), err)
    return Object(handle.value)

__version__ = _lib.lx_library_version().decode()


def __getattr__(name):
    """The published enumeration constants: lattix.lxSortAsc, lattix.lxGridLinesBoth, ..."""
    for constants in enums().values():
        if name in constants:
            return constants[name]
    raise AttributeError("module 'lattix' has no attribute %r" % name)


__all__ = ["Array", "CTimer", "ErrorValue", "Event", "Grid", "Host", "LattixError", "Member", "Missing", "Null", "Object",
           "Param", "Ref", "dc_draw_text", "dc_fill_rect", "dispid", "enums", "events", "load_image_list", "load_picture", "members",
           "record_set", "sqlite_record_set"]
