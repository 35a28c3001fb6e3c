"""Finding and loading liblattix.so, and the C declarations of its interface."""

import ctypes
import ctypes.util
import os
import pathlib
import subprocess

LIBRARY_NAME = "liblattix.so"

# Variant type codes and invoke kinds of the C interface.
EMPTY, NULL, I2, I4, R4, R8, CURRENCY, DATE, STRING, OBJECT, ERROR, BOOL = range(12)
UI1 = 17
ARRAY = 0x2000
BYREF = 0x4000
METHOD, GET, LET, SET = 1, 2, 4, 8
SCODE_MISSING = 0x80020004


class _Str(ctypes.Structure):
    _fields_ = [("data", ctypes.c_void_p), ("length", ctypes.c_size_t)]


class _Value(ctypes.Union):
    _fields_ = [
        ("i2", ctypes.c_int16),
        ("i4", ctypes.c_int32),
        ("r4", ctypes.c_float),
        ("r8", ctypes.c_double),
        ("currency", ctypes.c_int64),
        ("date", ctypes.c_double),
        ("error", ctypes.c_int32),
        ("boolean", ctypes.c_int32),
        ("ui1", ctypes.c_uint8),
        ("str", _Str),
        ("object", ctypes.c_void_p),
        ("array", ctypes.c_void_p),
        ("ref", ctypes.c_void_p),
    ]


class Variant(ctypes.Structure):
    _fields_ = [("type", ctypes.c_uint16), ("reserved_", ctypes.c_uint16 * 3), ("value", _Value)]


class Error(ctypes.Structure):
    _fields_ = [("number", ctypes.c_int32), ("source", ctypes.c_char * 64), ("description", ctypes.c_char * 512)]


class MenuItem(ctypes.Structure):
    _fields_ = [("command", ctypes.c_int32), ("enabled", ctypes.c_int32), ("checked", ctypes.c_int32),
                ("separator", ctypes.c_int32)]


class InputMethodState(ctypes.Structure):
    _fields_ = [("answered", ctypes.c_int32), ("enabled", ctypes.c_int32), ("caret_left", ctypes.c_int32),
                ("caret_top", ctypes.c_int32), ("caret_right", ctypes.c_int32), ("caret_bottom", ctypes.c_int32),
                ("cursor", ctypes.c_int32), ("anchor", ctypes.c_int32)]


class NamedArg(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p), ("value", Variant)]


class MemberDesc(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p), ("id", ctypes.c_int32), ("kinds", ctypes.c_int32),
                ("param_count", ctypes.c_int32)]


class ParamDesc(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p), ("optional", ctypes.c_int32), ("has_default", ctypes.c_int32),
                ("by_ref", ctypes.c_int32)]


class EventDesc(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p), ("id", ctypes.c_int32), ("param_count", ctypes.c_int32)]


class EnumDesc(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p), ("constant_count", ctypes.c_int32)]


class Block(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int32), ("rows", ctypes.c_int32), ("cols", ctypes.c_int32),
                ("reserved_", ctypes.c_int32), ("numbers", ctypes.c_void_p), ("row_stride", ctypes.c_int64),
                ("col_stride", ctypes.c_int64), ("lengths", ctypes.c_void_p), ("text", ctypes.c_void_p),
                ("text_out", ctypes.c_void_p), ("types", ctypes.c_void_p)]


BLOCK_MIXED = 0x0FFF

EVENT_SINK = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_int32, ctypes.c_char_p, ctypes.POINTER(Variant),
                              ctypes.POINTER(ctypes.c_uint8), ctypes.c_int32)

_P = ctypes.c_void_p
_I32 = ctypes.c_int32

# Record sets over a host's cursor (lx_record_set_callbacks).
RS_MOVE_NEXT = ctypes.CFUNCTYPE(ctypes.c_int32, ctypes.c_void_p, ctypes.POINTER(ctypes.c_int32), ctypes.POINTER(Error))
RS_VALUE = ctypes.CFUNCTYPE(ctypes.c_int32, ctypes.c_void_p, ctypes.c_int32, ctypes.POINTER(Variant),
                            ctypes.POINTER(Error))
RS_RELEASE = ctypes.CFUNCTYPE(None, ctypes.c_void_p)


class RecordSetCallbacks(ctypes.Structure):
    _fields_ = [("move_next", RS_MOVE_NEXT), ("value", RS_VALUE), ("release", RS_RELEASE)]

_PV = ctypes.POINTER(Variant)
_PE = ctypes.POINTER(Error)
_PI32 = ctypes.POINTER(ctypes.c_int32)

_PROTOTYPES = {
    "lx_library_version": (ctypes.c_char_p, []),
    "lx_variant_clear": (None, [_PV]),
    "lx_variant_set_string": (_I32, [_PV, ctypes.c_char_p, ctypes.c_size_t, _PE]),
    "lx_variant_set_object": (None, [_PV, _P]),
    "lx_variant_set_array": (None, [_PV, _P]),
    "lx_variant_set_byref": (None, [_PV, _PV]),
    "lx_array_create": (_I32, [_I32, _PI32, _PI32, ctypes.POINTER(_P), _PE]),
    "lx_array_addref": (None, [_P]),
    "lx_array_release": (None, [_P]),
    "lx_array_dims": (_I32, [_P]),
    "lx_array_bounds": (_I32, [_P, _I32, _PI32, _PI32, _PE]),
    "lx_array_get": (_I32, [_P, _PI32, _PV, _PE]),
    "lx_array_put": (_I32, [_P, _PI32, _PV, _PE]),
    "lx_object_addref": (None, [_P]),
    "lx_object_release": (None, [_P]),
    "lx_object_create": (_I32, [ctypes.c_char_p, ctypes.POINTER(_P), _PE]),
    "lx_object_class_name": (ctypes.c_char_p, [_P]),
    "lx_object_identity": (ctypes.c_size_t, [_P]),
    "lx_dispid": (_I32, [_P, ctypes.c_char_p, _PI32, _PE]),
    "lx_invoke": (_I32, [_P, _I32, _I32, _PV, _I32, ctypes.POINTER(NamedArg), _I32, _PV, _PE]),
    "lx_member_count": (_I32, [_P]),
    "lx_member_desc_at": (_I32, [_P, _I32, ctypes.POINTER(MemberDesc), _PE]),
    "lx_member_param": (_I32, [_P, _I32, _I32, ctypes.POINTER(ParamDesc), _PE]),
    "lx_member_param_default": (_I32, [_P, _I32, _I32, _PV, _PE]),
    "lx_event_count": (_I32, [_P]),
    "lx_event_desc_at": (_I32, [_P, _I32, ctypes.POINTER(EventDesc), _PE]),
    "lx_event_param": (_I32, [_P, _I32, _I32, ctypes.POINTER(ParamDesc), _PE]),
    "lx_enum_count": (_I32, []),
    "lx_enum_desc_at": (_I32, [_I32, ctypes.POINTER(EnumDesc), _PE]),
    "lx_enum_constant": (_I32, [_I32, _I32, ctypes.POINTER(ctypes.c_char_p), _PI32, _PE]),
    "lx_event_connect": (_I32, [_P, EVENT_SINK, _P, _PI32, _PE]),
    "lx_event_disconnect": (_I32, [_P, _I32, _PE]),
    "lx_load_from_block": (_I32, [_P, _PV, _PV, ctypes.POINTER(Block), _PI32, _PI32, _PE]),
    "lx_load_into_block": (_I32, [_P, _PV, _PV, ctypes.POINTER(Block), _PI32, _PI32, _PE]),
    "lx_free": (None, [_P]),
    "lx_picture_load_png": (_I32, [ctypes.c_char_p, ctypes.POINTER(_P), _PE]),
    "lx_image_list_load_png": (_I32, [ctypes.c_char_p, _I32, _I32, ctypes.POINTER(_P), _PE]),
    "lx_grid_add_image_list_png": (_I32, [_P, ctypes.c_char_p, _I32, _I32, _PI32, _PE]),
    "lx_image_list_add_larger_png": (_I32, [_P, ctypes.c_char_p, _I32, _PE]),
    "lx_grid_add_larger_images_png": (_I32, [_P, _I32, ctypes.c_char_p, _I32, _PE]),
    "lx_dc_fill_rect": (_I32, [_I32, _I32, _I32, _I32, _I32, ctypes.c_uint32, _PE]),
    "lx_dc_draw_text": (_I32, [_I32, ctypes.c_char_p, _I32, _I32, _I32, _I32, ctypes.c_uint32, ctypes.c_uint32, _PE]),
    "lx_host_create": (_I32, [_I32, _I32, ctypes.POINTER(_P), _PE]),
    "lx_host_create_at_dpi": (_I32, [_I32, _I32, _I32, ctypes.POINTER(_P), _PE]),
    "lx_host_set_dpi": (_I32, [_P, _I32, _PE]),
    "lx_grid_bind_record_set": (_I32, [_P, _P, _PE]),
    "lx_grid_unbind_record_set": (_I32, [_P, _PE]),
    "lx_grid_read_bound_records": (_I32, [_P, ctypes.POINTER(ctypes.c_int64), _PE]),
    "lx_record_set_create": (_I32, [_I32, ctypes.POINTER(ctypes.c_char_p), _PI32, ctypes.POINTER(RecordSetCallbacks), _P,
                                    ctypes.POINTER(_P), _PE]),
    "lx_record_set_sqlite": (_I32, [ctypes.c_char_p, ctypes.c_char_p, ctypes.POINTER(_P), _PE]),
    "lx_variant_set_integer_text": (_I32, [_PV, ctypes.c_char_p, _PE]),
    "lx_variant_set_blob_marker": (_I32, [_PV, ctypes.c_int64, _PE]),
    "lx_host_destroy": (None, [_P]),
    "lx_host_grid": (_P, [_P]),
    "lx_host_size": (_I32, [_P, _PI32, _PI32]),
    "lx_host_resize": (_I32, [_P, _I32, _I32, _PE]),
    "lx_host_focus": (_I32, [_P, _PE]),
    # property bags
    "lx_host_create_from_property_bag": (_I32, [ctypes.c_char_p, _I32, _I32, ctypes.POINTER(_P), _PE]),
    "lx_host_save_properties": (_I32, [_P, ctypes.c_char_p, _I32, _PI32, _PE]),
    "lx_host_changed_properties": (_I32, [_P, ctypes.c_char_p, _I32, _PI32, _PE]),
}


def _pkg_config_libdir():
    try:
        result = subprocess.run(["pkg-config", "--variable=libdir", "lattix"], capture_output=True, text=True,
                                timeout=10, check=False)
    except (OSError, subprocess.SubprocessError):
        return None
    return result.stdout.strip() if result.returncode == 0 else None


def _candidates():
    """Where the library may be, in the order it is looked for."""
    override = os.environ.get("LATTIX_LIBRARY")
    if override:
        # An explicit choice is the only one.
        return [pathlib.Path(override)]
    package = pathlib.Path(__file__).resolve().parent
    found = [package / LIBRARY_NAME]
    # A copy of the package in a build tree records where that build put the library.
    marker = package / "_build_tree.txt"
    if marker.is_file():
        found.append(pathlib.Path(marker.read_text(encoding="utf-8").strip()))
    # The package in a source checkout: the default build directory.
    found.append(package.parent.parent.parent / "build" / "bindings" / "c" / LIBRARY_NAME)
    # An installed package: the library installed into the same prefix (<prefix>/lib/pythonX.Y/
    # site-packages/lattix next to <prefix>/lib/liblattix.so, also with a multiarch lib folder).
    for prefix in package.parents[2:5]:
        found.append(prefix / LIBRARY_NAME)
        found.append(prefix / "lib" / LIBRARY_NAME)
        found.extend(sorted(prefix.glob("lib/*-linux-gnu/" + LIBRARY_NAME)))
    # An installed library announced to pkg-config (its prefix's lib/pkgconfig on PKG_CONFIG_PATH, or
    # a standard prefix such as /usr/local).
    libdir = _pkg_config_libdir()
    if libdir:
        found.append(pathlib.Path(libdir) / LIBRARY_NAME)
    # Finally wherever the dynamic loader looks.
    system = ctypes.util.find_library("lattix")
    if system:
        found.append(system)
    return found


def _declare(lib):
    for name, (restype, argtypes) in _PROTOTYPES.items():
        fn = getattr(lib, name)
        fn.restype = restype
        fn.argtypes = argtypes
    for name, (restype, argtypes) in HOST_PROTOTYPES.items():
        fn = getattr(lib, name)
        fn.restype = restype
        fn.argtypes = argtypes


# Host input, virtual time, scripted answers and pictures.
_HOST_INPUT = [_P, _I32, _I32, _I32, _I32, _PE]
HOST_PROTOTYPES = {
    "lx_host_mouse_move": (_I32, [_P, _I32, _I32, _I32, _PE]),
    "lx_host_mouse_down": (_I32, _HOST_INPUT),
    "lx_host_mouse_up": (_I32, _HOST_INPUT),
    "lx_host_click": (_I32, _HOST_INPUT),
    "lx_host_double_click": (_I32, _HOST_INPUT),
    "lx_host_drag": (_I32, [_P, _I32, _I32, _I32, _I32, _I32, _I32, _I32, _PE]),
    "lx_host_wheel": (_I32, [_P, _I32, _I32, _I32, _I32, _PE]),
    "lx_host_hwheel": (_I32, [_P, _I32, _I32, _I32, _I32, _PE]),
    "lx_host_key": (_I32, [_P, _I32, _I32, _PE]),
    "lx_host_key_down": (_I32, [_P, _I32, _I32, _PE]),
    "lx_host_key_up": (_I32, [_P, _I32, _I32, _PE]),
    "lx_host_type_text": (_I32, [_P, ctypes.c_char_p, _PE]),
    "lx_host_composition_start": (_I32, [_P, _PE]),
    "lx_host_composition_update": (_I32, [_P, ctypes.c_char_p, _I32, _PE]),
    "lx_host_composition_commit": (_I32, [_P, ctypes.c_char_p, _PE]),
    "lx_host_composition_cancel": (_I32, [_P, _PE]),
    "lx_host_input_method_query": (_I32, [_P, ctypes.POINTER(InputMethodState), ctypes.c_char_p, _I32,
                                          ctypes.POINTER(_I32), _PE]),
    "lx_host_advance": (_I32, [_P, ctypes.c_int64, _PE]),
    "lx_host_pump": (_I32, [_P, _PE]),
    "lx_host_now": (ctypes.c_int64, [_P]),
    "lx_host_answer_next": (_I32, [_P, _I32, _I32, _PE]),
    "lx_host_answer_next_text": (_I32, [_P, ctypes.c_char_p, _PE]),
    "lx_host_pending_answers": (_I32, [_P]),
    "lx_host_message_boxes_shown": (_I32, [_P]),
    "lx_host_save_png": (_I32, [_P, ctypes.c_char_p, _PE]),
    "lx_host_popup_rect": (_I32, [_P] + [ctypes.POINTER(_I32)] * 4),
    "lx_host_clipboard_text": (_I32, [_P, ctypes.c_char_p, _I32, ctypes.POINTER(_I32), _PE]),
    "lx_host_set_clipboard_text": (_I32, [_P, ctypes.c_char_p, _PE]),
    "lx_host_clipboard_sequence": (ctypes.c_uint32, [_P]),
    "lx_host_last_menu_item_count": (_I32, [_P]),
    "lx_host_last_menu_item": (_I32, [_P, _I32, ctypes.POINTER(MenuItem), ctypes.c_char_p, _I32,
                                      ctypes.POINTER(_I32), _PE]),
}


def load():
    tried = []
    for path in _candidates():
        # A bare name (from the loader's cache) is opened by the loader's own search.
        if isinstance(path, str) or path.is_file():
            lib = ctypes.CDLL(str(path))
            _declare(lib)
            return lib
        tried.append(str(path))
    raise ImportError("lattix: cannot find " + LIBRARY_NAME + " (looked at: " + ", ".join(tried) +
                      "); set LATTIX_LIBRARY to its path")


lib = load()
