"""LoadFromArray and LoadIntoArray in one C call: buffers of numbers (array.array, memoryview, numpy
arrays) are handed over as one block, and lists of rows are converted in bulk instead of element by
element. Anything these paths do not cover goes the general way, with the same results."""

import array
import ctypes
import datetime
import itertools

from . import _library as L
from ._library import lib
from ._values import ErrorValue, LattixError, Null, _shape, check, fill, from_serial, to_serial, Missing

_INT32_MIN, _INT32_MAX = -2**31, 2**31 - 1
_INVALID_ARGUMENT = (0x80040202, "Lattix", "Invalid procedure call or argument.")
_BAD_VAR_TYPE = 0x80020008


def _buffer(value):
    """A memoryview of value when it holds numbers through the buffer protocol, else None."""
    if isinstance(value, (str, bytes, bytearray, list, tuple)) or value is None:
        return None
    try:
        return memoryview(value)
    except TypeError:
        return None


def _numbers_kind(fmt, itemsize):
    fmt = fmt.lstrip("@=<")
    if fmt == "d":
        return L.R8
    if fmt in ("i", "l") and itemsize == 4:
        return L.I4
    return None


def _layout(shape, col_major):
    """(rows, cols, dimension giving rows, dimension giving columns) of an array's block."""
    if len(shape) == 1:
        return (1, shape[0], None, 0) if col_major else (shape[0], 1, 0, None)
    return (shape[1], shape[0], 1, 0) if col_major else (shape[0], shape[1], 0, 1)


class _Call:
    """The start address as variants and the C call of one block exchange."""

    def __init__(self, start_row, start_col):
        self.row, self.col = L.Variant(), L.Variant()
        self.err = L.Error()
        fill(start_row, self.row)
        try:
            fill(start_col, self.col)
        except BaseException:
            lib.lx_variant_clear(ctypes.byref(self.row))
            raise

    def run(self, fn, obj, block):
        from ._dispatch import raise_pending
        done_rows, done_cols = ctypes.c_int32(), ctypes.c_int32()
        try:
            rc = fn(obj._handle, ctypes.byref(self.row), ctypes.byref(self.col), ctypes.byref(block),
                    ctypes.byref(done_rows), ctypes.byref(done_cols), ctypes.byref(self.err))
        finally:
            lib.lx_variant_clear(ctypes.byref(self.row))
            lib.lx_variant_clear(ctypes.byref(self.col))
        raise_pending()
        return rc, done_rows.value, done_cols.value


def _address_of(mv, writable):
    """(address, keep-alive) of a C-contiguous buffer; None when it cannot be reached in place."""
    if not mv.c_contiguous or (writable and mv.readonly):
        return None
    if mv.readonly:
        return None
    holder = (ctypes.c_char * mv.nbytes).from_buffer(mv)
    return ctypes.addressof(holder), holder


def _numbers_block(kind, rows, cols, address, row_stride, col_stride):
    b = L.Block()
    b.type, b.rows, b.cols = kind, rows, cols
    b.numbers, b.row_stride, b.col_stride = address, row_stride, col_stride
    return b


def _strides(mv):
    if mv.strides:
        return mv.strides
    return (mv.itemsize,)


# ---- LoadFromArray


def _mixed_code(x):
    """(type code, number) of a list element a mixed block carries; None when it carries no such value."""
    t = type(x)
    if t is float:
        return L.R8, x
    if t is int:
        return (L.I4, x) if _INT32_MIN <= x <= _INT32_MAX else (L.R8, float(x))
    if t is str:
        return L.STRING, 0.0
    if x is None:
        return L.EMPTY, 0.0
    if t is bool:
        return L.BOOL, 1.0 if x else 0.0
    if x is Null:
        return L.NULL, 0.0
    if t is ErrorValue:
        return L.ERROR, float(ctypes.c_int32(x.scode).value)
    if t is datetime.datetime or t is datetime.date:
        return L.DATE, to_serial(x)
    return None


def _flat_in_block_order(items, dims, col_major):
    if dims == 1:
        return list(items)
    if col_major:
        return list(itertools.chain.from_iterable(zip(*items)))
    return list(itertools.chain.from_iterable(items))


def _list_block(items, col_major):
    """(block, keep-alive) for a list of values or of rows; None when it needs the general path."""
    dims, counts = _shape(items)
    if dims == 2 and not all(isinstance(row, (list, tuple)) for row in items):
        return None
    flat = _flat_in_block_order(items, dims, col_major)
    rows, cols, _, _ = _layout(counts, col_major)
    n = len(flat)
    kinds = set(map(type, flat))
    keep = []
    if kinds == {float} or (kinds == {int} and _fits_int32(flat)):
        numbers = array.array("d" if kinds == {float} else "i", flat)
        address, _ = numbers.buffer_info()
        keep.append(numbers)
        return _numbers_block(L.R8 if kinds == {float} else L.I4, rows, cols, address,
                              cols * numbers.itemsize, numbers.itemsize), keep
    if kinds == {str}:
        encoded = [x.encode("utf-8", "surrogateescape") for x in flat]
        b = L.Block()
        b.type, b.rows, b.cols = L.STRING, rows, cols
        return _with_texts(b, encoded, keep), keep
    codes = [_mixed_code(x) for x in flat]
    if None in codes:
        return None
    types = array.array("H", [c[0] for c in codes])
    numbers = array.array("d", [c[1] for c in codes])
    encoded = [x.encode("utf-8", "surrogateescape") if type(x) is str else b"" for x in flat]
    keep += [types, numbers]
    b = _numbers_block(L.BLOCK_MIXED, rows, cols, numbers.buffer_info()[0] if n else None, cols * 8, 8)
    b.types = types.buffer_info()[0] if n else None
    return _with_texts(b, encoded, keep), keep


def _fits_int32(values):
    try:
        array.array("i", values)
        return True
    except OverflowError:
        return False


def _with_texts(b, encoded, keep):
    lengths = array.array("q", map(len, encoded))
    text = b"".join(encoded)
    keep += [lengths, text]
    b.lengths = lengths.buffer_info()[0] if encoded else None
    b.text = ctypes.cast(ctypes.c_char_p(text), ctypes.c_void_p).value if text else None
    return b


def _buffer_block(mv, col_major):
    """(block, keep-alive) for a buffer of numbers; None when it needs the general path."""
    if mv.ndim not in (1, 2):
        raise LattixError(*_INVALID_ARGUMENT)
    kind = _numbers_kind(mv.format, mv.itemsize)
    if kind is None:
        return None
    rows, cols, row_dim, col_dim = _layout(mv.shape, col_major)
    reached = _address_of(mv, writable=False)
    if reached is None:
        # Read-only or not contiguous: one copy in C order.
        copy = bytearray(mv.tobytes())
        holder = (ctypes.c_char * len(copy)).from_buffer(copy)
        reached = (ctypes.addressof(holder), (copy, holder))
        strides = tuple(s * mv.itemsize for s in _c_strides(mv.shape))
    else:
        strides = _strides(mv)
    address, keep = reached
    row_stride = strides[row_dim] if row_dim is not None else 0
    col_stride = strides[col_dim] if col_dim is not None else 0
    return _numbers_block(kind, rows, cols, address if rows and cols else None, row_stride, col_stride), keep


def _c_strides(shape):
    return (shape[1], 1) if len(shape) == 2 else (1,)


def load_from_array(obj, start_row, start_col, source, col_major=False):
    """LoadFromArray through one block; NotImplemented when the general path has to do it."""
    mv = _buffer(source)
    if mv is not None:
        made = _buffer_block(mv, bool(col_major))
    elif isinstance(source, list):
        made = _list_block(source, bool(col_major))
    else:
        return NotImplemented
    if made is None:
        return NotImplemented
    block, keep = made
    call = _Call(start_row, start_col)
    rc, _, _ = call.run(lib.lx_load_from_block, obj, block)
    del keep
    check(rc, call.err)
    return None


# ---- LoadIntoArray


def _python_values(types, numbers, lengths, text, count):
    values = []
    offset = 0
    for k in range(count):
        t = types[k]
        if t == L.R8:
            values.append(numbers[k])
        elif t == L.STRING:
            n = lengths[k]
            values.append(text[offset:offset + n].decode("utf-8", "surrogateescape"))
            offset += n
        elif t == L.I4 or t == L.I2 or t == L.UI1:
            values.append(int(numbers[k]))
        elif t == L.EMPTY:
            values.append(None)
        elif t == L.R4:
            values.append(numbers[k])
        elif t == L.BOOL:
            values.append(numbers[k] != 0)
        elif t == L.NULL:
            values.append(Null)
        elif t == L.DATE:
            values.append(from_serial(numbers[k]))
        elif t == L.ERROR:
            scode = int(numbers[k]) & 0xFFFFFFFF
            values.append(Missing if scode == L.SCODE_MISSING else ErrorValue(scode))
        else:
            raise TypeError("lattix: unknown variant type %d" % t)
    return values


def _load_into_list(obj, start_row, start_col, target, col_major):
    dims, counts = _shape(target)
    rows, cols, _, _ = _layout(counts, col_major)
    n = rows * cols
    numbers = array.array("d", bytes(8 * n))
    types = array.array("H", bytes(2 * n))
    lengths = array.array("q", bytes(8 * n))
    b = _numbers_block(L.BLOCK_MIXED, rows, cols, numbers.buffer_info()[0] if n else None, cols * 8, 8)
    b.types = types.buffer_info()[0] if n else None
    b.lengths = lengths.buffer_info()[0] if n else None
    call = _Call(start_row, start_col)
    rc, done_rows, done_cols = call.run(lib.lx_load_into_block, obj, b)
    if rc == _BAD_VAR_TYPE - 2**32 or rc == _BAD_VAR_TYPE:
        return NotImplemented  # values a mixed block does not carry (currency, objects, arrays)
    check(rc, call.err)
    text = b""
    if b.text_out:
        try:
            text = ctypes.string_at(b.text_out, sum(lengths))
        finally:
            lib.lx_free(b.text_out)
    # The copied part of the block, row by row.
    if done_cols < cols:
        keep = [k for i in range(done_rows) for k in range(i * cols, i * cols + done_cols)]
        types = [types[k] for k in keep]
        numbers = [numbers[k] for k in keep]
        lengths = [lengths[k] for k in keep]
    values = _python_values(types, numbers, lengths, text, done_rows * done_cols)
    if dims == 1:
        target[:len(values)] = values
        return None
    for i in range(done_rows):
        row_values = values[i * done_cols:(i + 1) * done_cols]
        for j, v in enumerate(row_values):
            r, c = (j, i) if col_major else (i, j)
            row = target[r]
            if not isinstance(row, list):
                row = target[r] = list(row)
            row[c] = v
    return None


def load_into_array(obj, start_row, start_col, target, col_major=False):
    """LoadIntoArray through one block; NotImplemented when the general path has to do it."""
    col_major = bool(col_major)
    if isinstance(target, list):
        dims, counts = _shape(target)
        if dims == 2 and not all(isinstance(row, (list, tuple)) for row in target):
            return NotImplemented
        if dims == 1 and any(isinstance(x, (list, tuple)) for x in target):
            return NotImplemented
        return _load_into_list(obj, start_row, start_col, target, col_major)
    mv = _buffer(target)
    if mv is None:
        return NotImplemented
    if mv.ndim not in (1, 2):
        raise LattixError(*_INVALID_ARGUMENT)
    kind = _numbers_kind(mv.format, mv.itemsize)
    reached = _address_of(mv, writable=True) if kind is not None else None
    if reached is None:
        raise TypeError("lattix: LoadIntoArray fills writable, contiguous buffers of doubles or 32-bit integers")
    address, keep = reached
    rows, cols, row_dim, col_dim = _layout(mv.shape, col_major)
    strides = _strides(mv)
    b = _numbers_block(kind, rows, cols, address if rows and cols else None,
                       strides[row_dim] if row_dim is not None else 0, strides[col_dim] if col_dim is not None else 0)
    call = _Call(start_row, start_col)
    rc, _, _ = call.run(lib.lx_load_into_block, obj, b)
    del keep
    check(rc, call.err)
    return None
