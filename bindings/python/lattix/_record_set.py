"""Record sets for FillFromRS: any DB-API cursor (after execute), or a SQLite query run by the library.

The cursor is read forward with fetchmany. Field names come from cursor.description; the kind of a
field (which chooses the sort type of the column the grid makes) from its type code when the driver
gives a recognisable one, else from the type of the first record's value. Integers that no variant
carries exactly and binary values are handed over as the library's text forms (their digits, or
"<blob: N bytes>"); an exception the cursor raises reaches the caller of FillFromRS with its message,
and the grid is left as it was.
"""

import ctypes
import datetime
import decimal
import itertools

from . import _library as L
from ._library import lib
from ._values import check, fill, _INT32_MIN, _INT32_MAX

FIELD_UNKNOWN, FIELD_TEXT, FIELD_INTEGER, FIELD_REAL, FIELD_DATE = range(5)
_FAILED = ctypes.c_int32(0x80004005).value
_BATCH = 256

# Adapters alive in the library, by the user-data key the C side holds. A released adapter is kept
# until the next record set is made: its callbacks may still be on the stack when it is released.
_live = {}
_retired = []
_keys = itertools.count(1)


def is_cursor(value):
    return hasattr(value, "description") and hasattr(value, "fetchmany")


def _kind_of_value(value):
    if isinstance(value, bool) or value is None:
        return FIELD_UNKNOWN
    if isinstance(value, int):
        return FIELD_INTEGER
    if isinstance(value, (float, decimal.Decimal)):
        return FIELD_REAL
    if isinstance(value, (datetime.date, datetime.datetime)):
        return FIELD_DATE
    if isinstance(value, str):
        return FIELD_TEXT
    return FIELD_UNKNOWN


def _kind_of_type_code(code):
    for kind, python_type in ((FIELD_TEXT, str), (FIELD_INTEGER, int), (FIELD_REAL, float),
                              (FIELD_DATE, datetime.date)):
        if code is python_type or (isinstance(code, type) and issubclass(code, python_type) and code is not bool):
            return kind
    return None


def _report(err, exc):
    message = "%s: %s" % (type(exc).__name__, exc)
    err.contents.source = b"Python"
    err.contents.description = message.encode("utf-8", "replace")[:511]
    return _FAILED


class _CursorAdapter:
    def __init__(self, cursor):
        if cursor.description is None:
            raise TypeError("lattix: the cursor has no result (execute a query first)")
        self.cursor = cursor
        self.names = [str(d[0]) for d in cursor.description]
        self.buffer = list(cursor.fetchmany(_BATCH))
        self.pos = -1
        self.row = None
        first = self.buffer[0] if self.buffer else None
        self.kinds = []
        for i, d in enumerate(cursor.description):
            kind = _kind_of_type_code(d[1]) if len(d) > 1 else None
            if kind is None:
                kind = _kind_of_value(first[i]) if first is not None else FIELD_UNKNOWN
            self.kinds.append(kind)
        self.callbacks = L.RecordSetCallbacks(L.RS_MOVE_NEXT(self._move_next), L.RS_VALUE(self._value),
                                              L.RS_RELEASE(self._release))
        self.key = next(_keys)

    def _move_next(self, _user, has, err):
        try:
            self.pos += 1
            if self.pos >= len(self.buffer):
                self.buffer = list(self.cursor.fetchmany(_BATCH)) if self.buffer else []
                self.pos = 0
            self.row = self.buffer[self.pos] if self.pos < len(self.buffer) else None
            has[0] = 1 if self.row is not None else 0
            return 0
        except Exception as exc:  # reported to the grid's caller
            return _report(err, exc)

    def _value(self, _user, field, out, err):
        try:
            value = self.row[field]
            e = L.Error()
            if value is None:  # SQL NULL
                out.contents.type = L.NULL
            elif isinstance(value, int) and not isinstance(value, bool) and not _INT32_MIN <= value <= _INT32_MAX:
                check(lib.lx_variant_set_integer_text(out, str(value).encode(), ctypes.byref(e)), e)
            elif isinstance(value, (bytes, bytearray, memoryview)):
                check(lib.lx_variant_set_blob_marker(out, len(bytes(value)), ctypes.byref(e)), e)
            else:
                fill(value, out.contents)
            return 0
        except Exception as exc:
            return _report(err, exc)

    def _release(self, _user):
        adapter = _live.pop(self.key, None)
        if adapter is not None:
            _retired.append(adapter)


def record_set(cursor):
    """A record set (a lattix.Object of class RecordSet) over a DB-API cursor that has executed a query."""
    from ._dispatch import Object

    _retired.clear()
    adapter = _CursorAdapter(cursor)
    names = (ctypes.c_char_p * max(1, len(adapter.names)))(*[n.encode("utf-8") for n in adapter.names])
    kinds = (ctypes.c_int32 * max(1, len(adapter.kinds)))(*adapter.kinds)
    handle = ctypes.c_void_p()
    err = L.Error()
    _live[adapter.key] = adapter
    rc = lib.lx_record_set_create(len(adapter.names), names, kinds, ctypes.byref(adapter.callbacks),
                                  ctypes.c_void_p(adapter.key), ctypes.byref(handle), ctypes.byref(err))
    check(rc, err)
    return Object(handle.value)


def sqlite_record_set(path, sql):
    """A record set over the result of a query on a SQLite database file, run by the library."""
    from ._dispatch import Object

    handle = ctypes.c_void_p()
    err = L.Error()
    check(lib.lx_record_set_sqlite(str(path).encode("utf-8"), sql.encode("utf-8"), ctypes.byref(handle),
                                   ctypes.byref(err)), err)
    return Object(handle.value)
