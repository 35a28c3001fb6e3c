"""Late-bound access to the grid's objects: attributes for properties, calls for indexed
properties and methods, events by name. Everything comes from the objects' type information."""

import collections
import ctypes
import inspect
import struct
import types
import warnings
import weakref

from . import _library as L
from ._library import lib
from ._values import ArgPack, LattixError, check, to_python
from ._values import Null as _values_Null
from . import _blocks

_BLOCK_PATHS = {"LoadFromArray": _blocks.load_from_array, "LoadIntoArray": _blocks.load_into_array}

Param = collections.namedtuple("Param", "name optional has_default default by_ref")
Member = collections.namedtuple("Member", "name dispid kinds params")
Event = collections.namedtuple("Event", "name dispid params")

_KIND_NAMES = ((L.METHOD, "method"), (L.GET, "get"), (L.LET, "let"), (L.SET, "set"))


class _ClassInfo:
    """The published members and events of one class, read once."""

    def __init__(self, handle):
        err = L.Error()
        self.name = lib.lx_object_class_name(handle).decode()
        self.members = []
        self._by_name = {}
        for i in range(lib.lx_member_count(handle)):
            d = L.MemberDesc()
            check(lib.lx_member_desc_at(handle, i, ctypes.byref(d), ctypes.byref(err)), err)
            params = [self._param(handle, i, p, err, lib.lx_member_param) for p in range(d.param_count)]
            kinds = d.kinds
            m = Member(d.name.decode(), d.id, kinds, tuple(params))
            self.members.append(m)
            self._by_name[m.name.lower()] = m
        self.events = []
        self._events_by_name = {}
        self.events_by_id = {}
        for i in range(lib.lx_event_count(handle)):
            d = L.EventDesc()
            check(lib.lx_event_desc_at(handle, i, ctypes.byref(d), ctypes.byref(err)), err)
            params = [self._param(handle, i, p, err, lib.lx_event_param, False) for p in range(d.param_count)]
            e = Event(d.name.decode(), d.id, tuple(params))
            self.events.append(e)
            self._events_by_name[e.name.lower()] = e
            self.events_by_id[e.dispid] = e

    @staticmethod
    def _param(handle, index, p, err, describe, with_default=True):
        d = L.ParamDesc()
        check(describe(handle, index, p, ctypes.byref(d), ctypes.byref(err)), err)
        default = None
        if with_default and d.has_default:
            v = L.Variant()
            check(lib.lx_member_param_default(handle, index, p, ctypes.byref(v), ctypes.byref(err)), err)
            try:
                default = to_python(v)
            finally:
                lib.lx_variant_clear(ctypes.byref(v))
        return Param(d.name.decode(), bool(d.optional), bool(d.has_default), default, bool(d.by_ref))

    def member(self, name):
        return self._by_name.get(name.lower())

    def resolve(self, name):
        """What an attribute name stands for, worked out once per class: (member, assign, function to
        call or None for a plain property) or None."""
        try:
            return self._resolved[name]
        except AttributeError:
            self._resolved = {}
        except KeyError:
            pass
        m = self.member(name)
        found = None
        if m is not None:
            # A plain property is read at once; anything else is called.
            found = (m, False, None if m.kinds & L.GET and not m.params else _bound_call(m, False))
            if self.name == "Lattix" and m.name in _BLOCK_PATHS:
                found = (m, False, _block_call(m, found[2]))
        elif name[:3].lower() == "set":
            p = self.member(name[3:])
            if p is not None and p.kinds & (L.LET | L.SET) and not p.kinds & L.METHOD:
                found = (p, True, _bound_call(p, True))
        self._resolved[name] = found
        return found

    def event(self, name):
        return self._events_by_name.get(name.lower())


_classes = {}
# Exceptions raised by event handlers, re-raised when the call that raised the event returns.
_pending = []


def _class_info(handle):
    name = lib.lx_object_class_name(handle).decode()
    info = _classes.get(name)
    if info is None:
        info = _classes[name] = _ClassInfo(handle)
    return info


def raise_pending():
    if _pending:
        exc = _pending[0]
        _pending.clear()
        raise exc


class _CallBuffers:
    """The argument, result and error buffers of one call in progress, reused from call to call."""
    __slots__ = ("argv", "raw", "result", "result_raw", "result_ref", "err", "err_ref")
    SIZE = 8

    def __init__(self):
        self.argv = (L.Variant * self.SIZE)()
        self.raw = memoryview(self.argv).cast("B")
        self.result = L.Variant()
        self.result_raw = memoryview(self.result).cast("B")
        self.result_ref = ctypes.byref(self.result)
        self.err = L.Error()
        self.err_ref = ctypes.byref(self.err)


# A call may run an event handler that calls again, so buffers come from a pool, one set per call.
_free_buffers = []
assert ctypes.sizeof(L.Variant) == 24
_unpack_type = struct.Struct("<H").unpack_from
_unpack_r8 = struct.Struct("<8xd").unpack_from
_unpack_i4 = struct.Struct("<8xi").unpack_from
# The hot call without declared argument types: every argument below is already a C value or a
# ctypes object, and skipping the per-argument conversion halves the cost of the call.
_lx_invoke = lib["lx_invoke"]
_lx_invoke.restype = ctypes.c_int32
_lx_variant_clear = lib.lx_variant_clear
_lx_variant_set_string = lib.lx_variant_set_string
# Per argument type: its slice of the pack format (a variant is 24 bytes: the type, padding and an
# 8-byte payload in a 16-byte union) and the type code packed with it. Strings are set separately.
_FAST_ARG = {int: ("H6xi12x", L.I4), float: ("H6xd8x", L.R8), type(None): ("H22x", L.EMPTY), str: ("24x", None)}
_packers = {}


def _make_packer(types):
    """(pack(raw, args), string positions) for a tuple of argument types; None when one has no fast form."""
    if len(types) > _CallBuffers.SIZE or any(t not in _FAST_ARG for t in types):
        return None
    fmt = struct.Struct("<" + "".join(_FAST_ARG[t][0] for t in types))
    # One pack_into call with the type codes and values interleaved, written out once per signature.
    items = []
    for i, t in enumerate(types):
        code = _FAST_ARG[t][1]
        if code is not None:
            items.append(str(code))
            if code != L.EMPTY:
                items.append("a[%d]" % i)
    pack = eval("lambda raw, a: pack_into(raw, 0, %s)" % ", ".join(items), {"pack_into": fmt.pack_into})
    strings = tuple(i for i, t in enumerate(types) if t is str)
    return pack, strings


def _ctypes_fast_invoke(obj, member, kind, args):
    """invoke() for positional numbers, strings and None: the arguments are packed into reused
    variants in one go. Returns NotImplemented when the arguments need the general path."""
    types = tuple(map(type, args))
    try:
        packer = _packers[types]
    except KeyError:
        packer = _packers[types] = _make_packer(types)
    if packer is None or (kind == L.SET and types and args[-1] is None):
        return NotImplemented  # (None assigned by Set is the empty object reference)
    pack, strings = packer
    buffers = _free_buffers.pop() if _free_buffers else _CallBuffers()
    try:
        try:
            pack(buffers.raw, args)
        except struct.error:
            return NotImplemented  # an integer beyond 32 bits
        argv = buffers.argv
        if strings:
            for i in strings:
                data = args[i].encode("utf-8", "surrogateescape")
                check(_lx_variant_set_string(ctypes.byref(argv[i]), data, len(data), buffers.err_ref), buffers.err)
        rc = _lx_invoke(obj._handle_c, member.dispid, kind, argv, len(args), None, 0, buffers.result_ref,
                        buffers.err_ref)
        if strings:
            for i in strings:
                _lx_variant_clear(ctypes.byref(argv[i]))
        value = None
        if rc == 0:
            raw = buffers.result_raw
            t = _unpack_type(raw)[0]
            if t == L.R8:
                value = _unpack_r8(raw)[0]
            elif t == L.I4:
                value = _unpack_i4(raw)[0]
            elif t != L.EMPTY:
                try:
                    value = to_python(buffers.result)
                finally:
                    _lx_variant_clear(buffers.result_ref)
        if _pending:
            raise_pending()
        if rc:
            check(rc, buffers.err)
        return value
    finally:
        if len(_free_buffers) < 16:
            _free_buffers.append(buffers)


_fast_invoke = _ctypes_fast_invoke

# The compiled call path, when the package was built with it: it takes the same calls as
# _fast_invoke and gives the same results and errors, without the per-call work of ctypes.
try:
    from . import _native
except ImportError as e:
    _native = None
    # Said once per process: the package works, only each call costs more.
    import glob
    import os
    built = glob.glob(os.path.join(os.path.dirname(__file__), "_native*"))
    why = "it does not load: {}".format(e) if built else "the package was built without it"
    warnings.warn("lattix: no compiled call path ({}); calls go through ctypes, about three times slower each. "
                  "Install a C++ compiler, Python's headers and pybind11, then reinstall the package to build "
                  "it.".format(why), RuntimeWarning, stacklevel=2)


def _error_of(rc, source, description):
    return LattixError(rc, source.decode("utf-8", "replace"), description.decode("utf-8", "replace"))


def _value_at(address):
    return to_python(L.Variant.from_address(address))


if _native is not None:
    _native.setup(ctypes.cast(lib.lx_invoke, ctypes.c_void_p).value,
                  ctypes.cast(lib.lx_variant_set_string, ctypes.c_void_p).value,
                  ctypes.cast(lib.lx_variant_clear, ctypes.c_void_p).value,
                  _pending, raise_pending, _error_of, _value_at, _values_Null)
    _native_invoke = _native.invoke

    def _fast_invoke(obj, member, kind, args):
        return _native_invoke(obj._handle, member.dispid, kind, args)
else:
    _native_invoke = None


def invoke(obj, member, kind, args, kwargs, nothing_for_none=False):
    if not kwargs:
        value = _fast_invoke(obj, member, kind, args)
        if value is not NotImplemented:
            return value
    return _invoke(obj, member, kind, args, kwargs, nothing_for_none)


def _invoke(obj, member, kind, args, kwargs, nothing_for_none=False):
    pack = ArgPack()
    try:
        argv = (L.Variant * max(len(args), 1))()
        for i, a in enumerate(args):
            # Only the assigned value of a Set may mean the empty object reference.
            pack.put(a, argv[i], nothing_for_none and i == len(args) - 1)
        named = (L.NamedArg * max(len(kwargs), 1))()
        keep = []
        for i, (name, a) in enumerate(kwargs.items()):
            keep.append(name.encode())
            named[i].name = keep[-1]
            pack.put(a, named[i].value)
        result = L.Variant()
        err = L.Error()
        rc = lib.lx_invoke(obj._handle, member.dispid, kind, argv, len(args), named, len(kwargs),
                           ctypes.byref(result), ctypes.byref(err))
        try:
            value = to_python(result) if rc == 0 else None
        finally:
            lib.lx_variant_clear(ctypes.byref(result))
        raise_pending()
        check(rc, err)
        pack.write_back()
        return value
    finally:
        pack.release()


def _bound_call(member, assign):
    """The function behind obj.Name(...) (and obj.SetName(...) when assign): made once per member."""
    dispid = member.dispid
    native = _native_invoke
    if assign:
        has_set, has_let = member.kinds & L.SET, member.kinds & L.LET
        SET, LET = L.SET, L.LET

        def call(obj, *args, **kwargs):
            if not args:
                raise TypeError("%s: the value to assign is missing" % member.name)
            value = args[-1]
            use_set = has_set and (isinstance(value, Object) or (value is None and not has_let))
            kind = SET if use_set or not has_let else LET
            if native is not None and not kwargs:
                result = native(obj._handle, dispid, kind, args)
                if result is not NotImplemented:
                    return result
                return _invoke(obj, member, kind, args, kwargs, kind == SET)
            return invoke(obj, member, kind, args, kwargs, kind == SET)
    else:
        kind = L.METHOD if member.kinds & L.METHOD else L.GET

        def call(obj, *args, **kwargs):
            if native is not None and not kwargs:
                result = native(obj._handle, dispid, kind, args)
                if result is not NotImplemented:
                    return result
                return _invoke(obj, member, kind, args, kwargs)
            return invoke(obj, member, kind, args, kwargs)
    call.__name__ = ("Set" if assign else "") + member.name
    call.__qualname__ = call.__name__
    return call


def _block_call(member, general):
    """LoadFromArray / LoadIntoArray: buffers and lists in one block call, the rest the general way."""
    path = _BLOCK_PATHS[member.name]

    def call(obj, *args, **kwargs):
        col_major = kwargs.get("bColMajorOrder", kwargs.get("bcolmajororder", False))
        if len(args) in (3, 4) and set(kwargs) <= {"bColMajorOrder", "bcolmajororder"} and not (
                len(args) == 4 and kwargs):
            done = path(obj, args[0], args[1], args[2], args[3] if len(args) == 4 else col_major)
            if done is not NotImplemented:
                return done
        return general(obj, *args, **kwargs)

    call.__name__ = call.__qualname__ = member.name
    return call


class _Handlers:
    """Event handlers of one object, with the one C sink that feeds them."""

    def __init__(self, obj):
        owner = weakref.ref(obj)
        self.by_id = {}
        self.cookie = None

        def sink(_user, event_id, _name, args, by_ref, count):
            try:
                target = owner()
                if target is not None:
                    target._events.dispatch(target, event_id, args, by_ref, count)
            except BaseException as exc:  # never let an exception unwind into the library
                if not _pending:
                    _pending.append(exc)

        self.sink = L.EVENT_SINK(sink)

    def dispatch(self, obj, event_id, args, by_ref, count):
        handlers = self.by_id.get(event_id)
        if not handlers:
            return
        event = obj._info.events_by_id[event_id]
        from ._values import Ref, fill
        values, refs = [], []
        for i in range(count):
            value = to_python(args[i])
            if by_ref[i]:
                value = Ref(value)
                refs.append((i, value))
            values.append(value)
        names = [p.name for p in event.params]
        for handler, by_name in list(handlers):
            try:
                if by_name:
                    handler(**dict(zip(names, values)))
                else:
                    handler(*values)
            except BaseException as exc:
                if not _pending:
                    _pending.append(exc)
        for i, ref in refs:
            fresh = L.Variant()
            try:
                fill(ref.value, fresh)
            except (TypeError, OverflowError, ValueError, LattixError) as exc:
                if not _pending:
                    _pending.append(exc)
                continue
            lib.lx_variant_clear(ctypes.byref(args[i]))
            ctypes.memmove(ctypes.byref(args[i]), ctypes.byref(fresh), ctypes.sizeof(L.Variant))


def _takes_names(handler, names):
    try:
        inspect.signature(handler).bind(**{n: None for n in names})
        return True
    except (TypeError, ValueError):
        return False


class Object:
    """A grid object reached late-bound. Non-indexed properties are attributes; indexed properties
    are read by calling them (g.CellValue(1, 2)) and assigned with Set + name
    (g.SetCellValue(1, 2, 5.5)); methods take positional arguments and keyword arguments named
    after their published parameters."""

    def __init__(self, handle):
        # handle: a reference this wrapper takes over.
        object.__setattr__(self, "_handle", handle)
        object.__setattr__(self, "_handle_c", ctypes.c_void_p(handle))
        object.__setattr__(self, "_info", _class_info(handle))
        object.__setattr__(self, "_events", None)

    def __del__(self):
        handle = self.__dict__.get("_handle")
        if handle:
            self.__dict__["_handle"] = None
            lib.lx_object_release(handle)

    def __getattr__(self, name):
        if name.startswith("_"):
            raise AttributeError(name)
        info = self.__dict__["_info"]
        found = info.resolve(name)
        if found is None:
            raise AttributeError("%s has no member %r" % (info.name, name))
        m, assign, call = found
        if call is None:
            return invoke(self, m, L.GET, (), {})
        return types.MethodType(call, self)

    def __setattr__(self, name, value):
        m = self._info.member(name)
        if m is None or not m.kinds & (L.LET | L.SET):
            raise AttributeError("%s has no assignable property %r" % (self._info.name, name))
        if m.params:
            raise AttributeError("%s.%s is indexed: assign it with Set%s(...)" % (self._info.name, m.name, m.name))
        use_set = m.kinds & L.SET and (isinstance(value, Object) or (value is None and not m.kinds & L.LET))
        kind = L.SET if use_set or not m.kinds & L.LET else L.LET
        invoke(self, m, kind, (value,), {}, kind == L.SET)

    def __dir__(self):
        return sorted(set(object.__dir__(self)) | {m.name for m in self._info.members})

    def __eq__(self, other):
        return isinstance(other, Object) and lib.lx_object_identity(self._handle) == lib.lx_object_identity(
            other._handle)

    def __hash__(self):
        return hash(lib.lx_object_identity(self._handle))

    def __repr__(self):
        return "<lattix.%s object>" % self._info.name

    # ---- events

    def on(self, event, handler):
        """Calls handler(**arguments) each time the event is raised; by-reference arguments are Ref
        objects whose .value the handler may set. A handler that does not take the published
        argument names gets them positionally."""
        e = self._info.event(event)
        if e is None:
            raise ValueError("%s raises no event %r" % (self._info.name, event))
        if self._events is None:
            handlers = _Handlers(self)
            cookie = ctypes.c_int32()
            err = L.Error()
            check(lib.lx_event_connect(self._handle, handlers.sink, None, ctypes.byref(cookie), ctypes.byref(err)),
                  err)
            handlers.cookie = cookie.value
            object.__setattr__(self, "_events", handlers)
        self._events.by_id.setdefault(e.dispid, []).append((handler, _takes_names(handler, [p.name for p in e.params])))
        return handler

    def off(self, event, handler=None):
        """Removes a handler of the event (every handler when handler is None)."""
        e = self._info.event(event)
        if e is None or self._events is None:
            return
        if handler is None:
            self._events.by_id.pop(e.dispid, None)
        else:
            self._events.by_id[e.dispid] = [h for h in self._events.by_id.get(e.dispid, []) if h[0] is not handler]


def wrap(handle):
    """The wrapper of an object handle (taking over the reference)."""
    return Object(handle)


def dispid(obj, name):
    """The dispatch identifier of a member of obj."""
    err = L.Error()
    out = ctypes.c_int32()
    check(lib.lx_dispid(obj._handle, name.encode(), ctypes.byref(out), ctypes.byref(err)), err)
    return out.value & 0xFFFFFFFF


def _kinds(bits):
    return tuple(n for b, n in _KIND_NAMES if bits & b)


def members(obj):
    """The published members of obj: name, dispid, kinds ("method", "get", "let", "set") and
    parameters (name, optional, has_default, default, by_ref)."""
    return [Member(m.name, m.dispid & 0xFFFFFFFF, _kinds(m.kinds), m.params) for m in obj._info.members]


def events(obj):
    """The events obj raises: name, dispid and parameters."""
    return list(obj._info.events)


_enums = None


def enums():
    """The published enumerations: {"ESortOrders": {"lxSortAsc": 0, "lxSortDesc": 1}, ...}."""
    global _enums
    if _enums is None:
        err = L.Error()
        found = {}
        for i in range(lib.lx_enum_count()):
            d = L.EnumDesc()
            check(lib.lx_enum_desc_at(i, ctypes.byref(d), ctypes.byref(err)), err)
            constants = {}
            for c in range(d.constant_count):
                name, value = ctypes.c_char_p(), ctypes.c_int32()
                check(lib.lx_enum_constant(i, c, ctypes.byref(name), ctypes.byref(value), ctypes.byref(err)), err)
                constants[name.value.decode()] = value.value
            found[d.name.decode()] = constants
        _enums = found
    return {name: dict(constants) for name, constants in _enums.items()}
