"""The value mapping between Python and the grid's variants."""

import ctypes
import datetime
import decimal

from . import _library as L
from ._library import lib

_EPOCH = datetime.datetime(1899, 12, 30)
_INT32_MIN, _INT32_MAX = -2**31, 2**31 - 1
_INT64_MIN, _INT64_MAX = -2**63, 2**63 - 1


class _NullType:
    """The Null value: a value that is known to be unknown (not the same as None, which is Empty)."""
    _instance = None

    def __new__(cls):
        if cls._instance is None:
            cls._instance = super().__new__(cls)
        return cls._instance

    def __repr__(self):
        return "lattix.Null"

    def __bool__(self):
        return False


Null = _NullType()


class ErrorValue:
    """An error value (an scode), as a variant may hold one."""
    __slots__ = ("scode",)

    def __init__(self, scode):
        self.scode = scode & 0xFFFFFFFF

    def __eq__(self, other):
        return isinstance(other, ErrorValue) and other.scode == self.scode

    def __hash__(self):
        return hash(self.scode)

    def __repr__(self):
        return "lattix.Missing" if self.scode == L.SCODE_MISSING else "lattix.ErrorValue(0x%08X)" % self.scode


# Passed for an optional argument to leave it out.
Missing = ErrorValue(L.SCODE_MISSING)


class Ref:
    """A value passed by reference: the callee (or an event handler) may replace .value."""
    __slots__ = ("value",)

    def __init__(self, value=None):
        self.value = value

    def __repr__(self):
        return "lattix.Ref(%r)" % (self.value,)


class Array(list):
    """An array coming from the grid: a list (nested lists for two dimensions) with the lower bound
    of each dimension. Pass one to give an array other lower bounds than 0."""

    def __init__(self, items=(), lower=None):
        super().__init__(items)
        self.lower = tuple(lower) if lower is not None else None


class LattixError(Exception):
    """An error the grid or the automation runtime raised."""

    def __init__(self, number, source, description):
        super().__init__("%s (0x%08X, %s)" % (description, number & 0xFFFFFFFF, source))
        self.number = number & 0xFFFFFFFF
        self.source = source
        self.description = description


def raise_error(rc, err):
    raise LattixError(rc, err.source.decode("utf-8", "replace"), err.description.decode("utf-8", "replace"))


def check(rc, err):
    if rc != 0:
        raise_error(rc, err)


# ---- dates

def to_serial(value):
    if isinstance(value, datetime.datetime):
        if value.tzinfo is not None:
            value = value.replace(tzinfo=None)
        day = datetime.datetime(value.year, value.month, value.day)
        days = (day - _EPOCH).days
        fraction = (value - day) / datetime.timedelta(days=1)
    else:
        days = (value - _EPOCH.date()).days
        fraction = 0.0
    # Before the epoch the day counts backwards but the time of day still counts forwards.
    return days + fraction if days >= 0 else days - fraction


def from_serial(serial):
    days = int(serial)
    fraction = abs(serial - days)
    micro = round(fraction * 86400 * 1000) * 1000  # to the millisecond, as the runtime keeps it
    return _EPOCH + datetime.timedelta(days=days, microseconds=micro)


# ---- Python to variant

class ArgPack:
    """Converts arguments into variants and undoes everything afterwards. By-reference targets and
    mutable lists are read back after a successful call."""

    def __init__(self):
        self._owned = []       # variants to clear
        self._refs = []        # (Ref, target Variant)
        self._lists = []       # (list, variant holding its array)

    def put(self, value, v, nothing_for_none=False):
        """Fills the variant v (which holds nothing)."""
        self._owned.append(v)
        if isinstance(value, Ref):
            target = L.Variant()
            self._owned.append(target)
            fill(value.value, target)
            lib.lx_variant_set_byref(ctypes.byref(v), ctypes.byref(target))
            self._refs.append((value, target))
            return
        if value is None and nothing_for_none:
            v.type = L.OBJECT
            v.value.object = None
            return
        fill(value, v)
        if isinstance(value, list) and v.type == L.ARRAY:
            self._lists.append((value, v))

    def write_back(self):
        for ref, target in self._refs:
            ref.value = to_python(target)
        for items, v in self._lists:
            items[:] = read_array(v.value.array)

    def release(self):
        for v in self._owned:
            lib.lx_variant_clear(ctypes.byref(v))
        self._owned.clear()


def fill(value, v):
    """Fills the variant v (which holds nothing) with a Python value."""
    from ._dispatch import Object  # the wrapper of grid objects

    err = L.Error()
    if value is None:
        v.type = L.EMPTY
    elif value is Null:
        v.type = L.NULL
    elif isinstance(value, bool):
        v.type = L.BOOL
        v.value.boolean = 1 if value else 0
    elif isinstance(value, int):
        if _INT32_MIN <= value <= _INT32_MAX:
            v.type = L.I4
            v.value.i4 = value
        else:
            v.type = L.R8
            v.value.r8 = float(value)
    elif isinstance(value, float):
        v.type = L.R8
        v.value.r8 = value
    elif isinstance(value, str):
        data = value.encode("utf-8", "surrogateescape")
        check(lib.lx_variant_set_string(ctypes.byref(v), data, len(data), ctypes.byref(err)), err)
    elif isinstance(value, decimal.Decimal):
        scaled = int((value * 10000).to_integral_value(rounding=decimal.ROUND_HALF_EVEN))
        if not _INT64_MIN <= scaled <= _INT64_MAX:
            raise OverflowError("currency value out of range: %s" % value)
        v.type = L.CURRENCY
        v.value.currency = scaled
    elif isinstance(value, (datetime.datetime, datetime.date)):
        v.type = L.DATE
        v.value.date = to_serial(value)
    elif isinstance(value, ErrorValue):
        v.type = L.ERROR
        v.value.error = ctypes.c_int32(value.scode).value
    elif isinstance(value, Object):
        lib.lx_variant_set_object(ctypes.byref(v), value._handle)
    elif _is_cursor(value):
        from ._record_set import record_set
        rs = record_set(value)
        lib.lx_variant_set_object(ctypes.byref(v), rs._handle)
    elif isinstance(value, (list, tuple)):
        array = make_array(value)
        lib.lx_variant_set_array(ctypes.byref(v), array)
        lib.lx_array_release(array)
    else:
        raise TypeError("lattix: cannot pass a value of type %s" % type(value).__name__)


def _is_cursor(value):
    """A DB-API cursor: passed where a record set is expected (FillFromRS)."""
    return hasattr(value, "description") and hasattr(value, "fetchmany")


def _shape(items):
    """(dims, counts) of a list: two dimensions when every element is a list or tuple of one length."""
    if items and all(isinstance(row, (list, tuple)) for row in items):
        width = len(items[0])
        if width and all(len(row) == width for row in items):
            return 2, (len(items), width)
    return 1, (len(items),)


def make_array(items):
    """A new array (one reference) holding the items."""
    dims, counts = _shape(items)
    lower = getattr(items, "lower", None) or (0,) * dims
    if len(lower) != dims:
        raise ValueError("lattix: %d lower bounds for an array of %d dimensions" % (len(lower), dims))
    lo = (ctypes.c_int32 * 2)(*lower)
    n = (ctypes.c_int32 * 2)(*counts)
    array = ctypes.c_void_p()
    err = L.Error()
    check(lib.lx_array_create(dims, lo, n, ctypes.byref(array), ctypes.byref(err)), err)
    try:
        index = (ctypes.c_int32 * 2)()
        element = L.Variant()
        for i, row in enumerate(items):
            for j, item in enumerate(row if dims == 2 else (row,)):
                index[0] = lower[0] + i
                if dims == 2:
                    index[1] = lower[1] + j
                try:
                    fill(item, element)
                    check(lib.lx_array_put(array, index, ctypes.byref(element), ctypes.byref(err)), err)
                finally:
                    lib.lx_variant_clear(ctypes.byref(element))
    except BaseException:
        lib.lx_array_release(array)
        raise
    return array


# ---- variant to Python

def read_array(array):
    dims = lib.lx_array_dims(array)
    err = L.Error()
    lower, counts = [], []
    for d in range(dims):
        lo, n = ctypes.c_int32(), ctypes.c_int32()
        check(lib.lx_array_bounds(array, d, ctypes.byref(lo), ctypes.byref(n), ctypes.byref(err)), err)
        lower.append(lo.value)
        counts.append(n.value)
    index = (ctypes.c_int32 * 2)()
    element = L.Variant()

    def get(i, j=0):
        index[0], index[1] = i, j
        check(lib.lx_array_get(array, index, ctypes.byref(element), ctypes.byref(err)), err)
        try:
            return to_python(element)
        finally:
            lib.lx_variant_clear(ctypes.byref(element))

    if dims == 1:
        return Array([get(lower[0] + i) for i in range(counts[0])], lower)
    return Array([[get(lower[0] + i, lower[1] + j) for j in range(counts[1])] for i in range(counts[0])], lower)


def to_python(v):
    """The Python value of a variant; the variant keeps what it holds."""
    from ._dispatch import wrap

    t = v.type
    if t == L.EMPTY:
        return None
    if t == L.NULL:
        return Null
    if t == L.I2:
        return v.value.i2
    if t == L.I4:
        return v.value.i4
    if t == L.UI1:
        return v.value.ui1
    if t == L.R4:
        return float(v.value.r4)
    if t == L.R8:
        return v.value.r8
    if t == L.BOOL:
        return v.value.boolean != 0
    if t == L.STRING:
        raw = ctypes.string_at(v.value.str.data, v.value.str.length) if v.value.str.length else b""
        return raw.decode("utf-8", "surrogateescape")
    if t == L.CURRENCY:
        return decimal.Decimal(v.value.currency).scaleb(-4)
    if t == L.DATE:
        return from_serial(v.value.date)
    if t == L.ERROR:
        scode = v.value.error & 0xFFFFFFFF
        return Missing if scode == L.SCODE_MISSING else ErrorValue(scode)
    if t == L.OBJECT:
        if not v.value.object:
            return None
        lib.lx_object_addref(v.value.object)
        return wrap(v.value.object)
    if t == L.ARRAY:
        return read_array(v.value.array)
    if t == L.BYREF:
        return to_python(ctypes.cast(v.value.ref, ctypes.POINTER(L.Variant)).contents)
    raise TypeError("lattix: unknown variant type %d" % t)
