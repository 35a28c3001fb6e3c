"""A grid on a headless host window."""

import collections
import ctypes
import json
import os

from . import _library as L
from ._dispatch import Object, raise_pending, wrap
from ._library import lib
from ._values import check


# Virtual-key codes by name.
_KEYS = {
    "back": 0x08, "backspace": 0x08, "tab": 0x09, "return": 0x0D, "enter": 0x0D, "shift": 0x10,
    "control": 0x11, "ctrl": 0x11, "alt": 0x12, "menu": 0x12, "pause": 0x13, "escape": 0x1B, "esc": 0x1B,
    "space": 0x20, "pageup": 0x21, "prior": 0x21, "pagedown": 0x22, "next": 0x22, "end": 0x23,
    "home": 0x24, "left": 0x25, "up": 0x26, "right": 0x27, "down": 0x28, "insert": 0x2D, "delete": 0x2E,
    "apps": 0x5D, "multiply": 0x6A, "add": 0x6B, "subtract": 0x6D, "decimal": 0x6E, "divide": 0x6F,
}
_KEYS.update({"f%d" % n: 0x6F + n for n in range(1, 13)})
_KEYS.update({"numpad%d" % n: 0x60 + n for n in range(10)})


# An item of a popup menu: its text, whether it can be chosen, its check mark and its command.
MenuItem = collections.namedtuple("MenuItem", "text enabled checked command")

# What the focused window tells an input method: whether it takes typed text, its caret (left, top,
# right, bottom) in client pixels of the host window, the text of the caret's line, and the caret
# and the far end of the selection in that text (characters).
InputMethodState = collections.namedtuple("InputMethodState", "enabled caret surrounding_text cursor anchor")


def key_code(key):
    if isinstance(key, int):
        return key
    if len(key) == 1 and key.upper() in "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789":
        return ord(key.upper())
    try:
        return _KEYS[key.lower()]
    except KeyError:
        raise ValueError("lattix: no key named %r" % key) from None


class Host:
    """The headless top-level window a grid fills."""

    def __init__(self, width, height, _property_bag=None, dpi=96):
        handle = ctypes.c_void_p()
        err = L.Error()
        if _property_bag is None:
            rc = lib.lx_host_create_at_dpi(int(width), int(height), int(dpi), ctypes.byref(handle), ctypes.byref(err))
        else:
            text = json.dumps(_property_bag).encode("utf-8")
            rc = lib.lx_host_create_from_property_bag(text, int(width), int(height), ctypes.byref(handle),
                                                      ctypes.byref(err))
        check(rc, err)
        self._handle = handle

    @property
    def width(self):
        return self._size()[0]

    @property
    def height(self):
        return self._size()[1]

    def _size(self):
        w, h = ctypes.c_int32(), ctypes.c_int32()
        lib.lx_host_size(self._require(), ctypes.byref(w), ctypes.byref(h))
        return w.value, h.value

    def _require(self):
        if not self._handle:
            raise ValueError("lattix: the host window is closed")
        return self._handle

    def close(self):
        # A host whose construction failed has no handle at all.
        if getattr(self, "_handle", None):
            handle, self._handle = self._handle, None
            lib.lx_host_destroy(handle)

    def __del__(self):
        self.close()

    def resize(self, width, height):
        """Resizes the window's client area; the grid follows it."""
        self._call("lx_host_resize", int(width), int(height))

    def set_dpi(self, dpi):
        """As when the window moves to a screen of dpi dots per inch: the window keeps its size on the
        screen (its pixels scale by new / old dpi) and the grid lays out again at the new dpi."""
        self._call("lx_host_set_dpi", int(dpi))

    def focus(self):
        """Gives the grid the keyboard focus."""
        self._call("lx_host_focus")

    # ---- input at client pixels of the window; button 1 left, 2 right, 4 middle; shift 1 Shift,
    # 2 Ctrl, 4 Alt. Each call delivers everything it causes, events included.

    def click(self, x, y, button=1, shift=0):
        self._call("lx_host_click", x, y, button, shift)

    def double_click(self, x, y, button=1, shift=0):
        self._call("lx_host_double_click", x, y, button, shift)

    def mouse_down(self, x, y, button=1, shift=0):
        self._call("lx_host_mouse_down", x, y, button, shift)

    def mouse_up(self, x, y, button=1, shift=0):
        self._call("lx_host_mouse_up", x, y, button, shift)

    def mouse_move(self, x, y, shift=0):
        self._call("lx_host_mouse_move", x, y, shift)

    def drag(self, x1, y1, x2, y2, steps=4, button=1, shift=0):
        self._call("lx_host_drag", x1, y1, x2, y2, steps, button, shift)

    def wheel(self, delta, x, y, shift=0):
        """delta in wheel units: +120 is one notch away from the user."""
        self._call("lx_host_wheel", delta, x, y, shift)

    def hwheel(self, delta, x, y, shift=0):
        """The horizontal wheel: +120 is one notch to the right."""
        self._call("lx_host_hwheel", delta, x, y, shift)

    def key(self, key, shift=0):
        """Presses and releases a key: a name ("Down", "Return", "F2", "A") or a virtual-key code."""
        self._call("lx_host_key", key_code(key), shift)

    def key_down(self, key, shift=0):
        self._call("lx_host_key_down", key_code(key), shift)

    def key_up(self, key, shift=0):
        self._call("lx_host_key_up", key_code(key), shift)

    def type_text(self, text):
        self._call("lx_host_type_text", text.encode("utf-8"))

    # ---- input methods, as one sends them to the window with the focus (the grid or its editor)

    def start_composition(self):
        self._call("lx_host_composition_start")

    def update_composition(self, text, cursor=None):
        """Shows text being composed, with its caret `cursor` characters into it (None: at its end).
        On the grid it starts an edit where typing its first character would; empty text ends the
        composition."""
        self._call("lx_host_composition_update", str(text).encode("utf-8"), -1 if cursor is None else int(cursor))

    def commit_composition(self, text):
        """Commits text, taken as typed, and ends the composition."""
        self._call("lx_host_composition_commit", str(text).encode("utf-8"))

    def cancel_composition(self):
        """Ends the composition, dropping what was being composed."""
        self._call("lx_host_composition_cancel")

    def input_method_state(self):
        """An InputMethodState of the focused window, or None when no window answers."""
        state = L.InputMethodState()
        needed = ctypes.c_int32()
        self._call("lx_host_input_method_query", ctypes.byref(state), None, 0, ctypes.byref(needed))
        buffer = ctypes.create_string_buffer(needed.value)
        self._call("lx_host_input_method_query", ctypes.byref(state), buffer, needed.value, ctypes.byref(needed))
        if not state.answered:
            return None
        caret = (state.caret_left, state.caret_top, state.caret_right, state.caret_bottom)
        return InputMethodState(bool(state.enabled), caret, buffer.value.decode("utf-8"), state.cursor, state.anchor)

    # ---- virtual time

    def advance(self, ms):
        """Moves the clock forward, firing the timers that fall due on the way."""
        self._call("lx_host_advance", int(ms))

    def pump(self):
        """Delivers queued messages and pending paints, as an idle event loop does: changed cells on
        screen are painted here (save_png paints them too)."""
        self._call("lx_host_pump")

    @property
    def now(self):
        return lib.lx_host_now(self._require())

    # ---- message boxes and menus

    def answer_next(self, answer, kind=None):
        """Answers the next message box or menu: a button result or menu command (int), or a button
        caption or menu item text (str). kind: None for whichever comes first, "message_box" or
        "menu"."""
        if isinstance(answer, str):
            if kind is not None:
                raise ValueError("lattix: text answers go to whichever comes first")
            self._call("lx_host_answer_next_text", answer.encode("utf-8"))
            return
        kinds = {None: 0, "message_box": 1, "menu": 2}
        if kind not in kinds:
            raise ValueError("lattix: kind is None, 'message_box' or 'menu'")
        self._call("lx_host_answer_next", kinds[kind], int(answer))

    @property
    def pending_answers(self):
        return lib.lx_host_pending_answers(self._require())

    @property
    def message_boxes_shown(self):
        return lib.lx_host_message_boxes_shown(self._require())

    # ---- the clipboard, as another program on the desktop uses it

    def clipboard_text(self):
        """The clipboard's text, or None when it holds no text."""
        needed = ctypes.c_int32()
        self._call("lx_host_clipboard_text", None, 0, ctypes.byref(needed))
        if needed.value == 0:
            return None
        buffer = ctypes.create_string_buffer(needed.value)
        self._call("lx_host_clipboard_text", buffer, needed.value, ctypes.byref(needed))
        return buffer.value.decode("utf-8")

    def set_clipboard_text(self, text):
        """Puts text on the clipboard as another program would; the sequence number changes."""
        self._call("lx_host_set_clipboard_text", str(text).encode("utf-8"))

    @property
    def clipboard_sequence(self):
        return lib.lx_host_clipboard_sequence(self._require())

    # ---- the last popup menu

    def last_menu_items(self):
        """The items of the last popup menu shown, as MenuItem(text, enabled, checked, command) tuples;
        a separator is ("-", False, False, 0). Empty when no menu was shown."""
        items = []
        for index in range(lib.lx_host_last_menu_item_count(self._require())):
            item = L.MenuItem()
            needed = ctypes.c_int32()
            buffer = ctypes.create_string_buffer(256)
            self._call("lx_host_last_menu_item", index, ctypes.byref(item), buffer, 256, ctypes.byref(needed))
            if needed.value > 256:
                buffer = ctypes.create_string_buffer(needed.value)
                self._call("lx_host_last_menu_item", index, ctypes.byref(item), buffer, needed.value,
                           ctypes.byref(needed))
            items.append(MenuItem(buffer.value.decode("utf-8"), bool(item.enabled), bool(item.checked),
                                  item.command))
        return items

    # ---- property bags

    def save_properties(self):
        """The grid's persisted properties as a dict keyed by entry name (JSON-compatible values)."""
        return json.loads(self._text("lx_host_save_properties"))

    def changed_properties(self):
        """The property names the grid reported changed to its container, in order."""
        return self._text("lx_host_changed_properties").splitlines()

    def _text(self, name):
        needed = ctypes.c_int32()
        self._call(name, None, 0, ctypes.byref(needed))
        buffer = ctypes.create_string_buffer(needed.value)
        self._call(name, buffer, needed.value, ctypes.byref(needed))
        return buffer.value.decode("utf-8")

    # ---- drag and drop (effects: 1 copy, 2 move, 4 link)

    def drop_text(self, x, y, text, allowed_effects=3, shift=0, drop=True):
        """Another program drags text over client point (x, y) and drops it there (or, with drop
        False, moves on). Returns the effect the drop target took."""
        effect = ctypes.c_int32()
        self._call("lx_host_drop_text", x, y, text.encode("utf-8"), allowed_effects, shift, 1 if drop else 0,
                   ctypes.byref(effect))
        return effect.value

    def script_drag(self, drop_at=None, effect=None):
        """How the next drag a grid starts ends: dropped at client point drop_at=(x, y), taken by
        another program with `effect`, or (neither given) cancelled."""
        if drop_at is not None:
            self._call("lx_host_script_drag", 1, drop_at[0], drop_at[1], 0)
        elif effect is not None:
            self._call("lx_host_script_drag", 2, 0, 0, effect)
        else:
            self._call("lx_host_script_drag", 0, 0, 0, 0)

    def last_drag_text(self):
        """The tab-separated text of the latest drag a grid started."""
        return self._text("lx_host_last_drag_text")

    # ---- popup windows

    def popup_rect(self):
        """(left, top, right, bottom) on the screen of the open popup window, such as a drop-down
        list; None when none is open. The host window's client area starts at (0, 0)."""
        edges = [ctypes.c_int32() for _ in range(4)]
        if not lib.lx_host_popup_rect(self._require(), *[ctypes.byref(e) for e in edges]):
            return None
        return tuple(e.value for e in edges)

    # ---- pictures

    def save_png(self, path):
        self._call("lx_host_save_png", os.fsencode(path))

    def _call(self, name, *args):
        err = L.Error()
        rc = getattr(lib, name)(self._require(), *args, ctypes.byref(err))
        raise_pending()
        check(rc, err)


class Grid(Object):
    """A Lattix grid filling a headless host window of the given size, on a screen of `dpi` dots per
    inch (the grid's pixels are that screen's)."""

    def __init__(self, width=800, height=600, _host=None, dpi=96):
        host = _host if _host is not None else Host(width, height, dpi=dpi)
        handle = lib.lx_host_grid(host._handle)
        if not handle:
            host.close()
            raise MemoryError("lattix: no grid on the host")
        super().__init__(handle)
        object.__setattr__(self, "host", host)

    def add_image_list(self, path, width, height, larger=()):
        """Registers an image list of width x height icons cut from a PNG strip; returns its number
        for CellImageList. `larger` names PNG strips of the same icons drawn larger (for a 2x screen,
        twice the size), used on a screen of that scale instead of resizing the icons."""
        err = L.Error()
        number = ctypes.c_int32()
        check(lib.lx_grid_add_image_list_png(self._handle, os.fsencode(path), width, height, ctypes.byref(number),
                                             ctypes.byref(err)), err)
        for strip in _paths(larger):
            check(lib.lx_grid_add_larger_images_png(self._handle, number.value, os.fsencode(strip), 0,
                                                    ctypes.byref(err)), err)
        return number.value

    def bind_cursor(self, cursor):
        """Shows the result of a DB-API cursor that has executed a query (or a record set object) without
        copying it: one column per field, and a record is fetched each time the grid needs a row, as
        rows come into view. Ctrl+End, sorting, grouping and FillFromRS fetch the rest first. The
        cursor stays the caller's: it is never closed by the grid. An error of the cursor is raised
        by the call that asked for the row, and no row is added for it."""
        from ._record_set import is_cursor, record_set
        records = record_set(cursor) if is_cursor(cursor) else cursor
        err = L.Error()
        check(lib.lx_grid_bind_record_set(self._handle, records._handle, ctypes.byref(err)), err)
        raise_pending()

    def unbind_cursor(self):
        """Ends the binding: the rows fetched stay, no more are fetched."""
        err = L.Error()
        check(lib.lx_grid_unbind_record_set(self._handle, ctypes.byref(err)), err)

    def fetch_all_bound_rows(self):
        """Fetches every remaining record of the bound cursor into rows; returns the number fetched in all."""
        err = L.Error()
        count = ctypes.c_int64()
        check(lib.lx_grid_read_bound_records(self._handle, ctypes.byref(count), ctypes.byref(err)), err)
        raise_pending()
        return count.value

    @classmethod
    def from_property_bag(cls, entries, width=800, height=600):
        """A grid loaded from a property bag (a dict as Host.save_properties returns); an entry the
        grid refuses raises."""
        return cls(width, height, _host=Host(width, height, _property_bag=dict(entries)))

    def close(self):
        """Destroys the host window; the grid goes when its last wrapper does."""
        self.host.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False


def load_picture(path):
    """A picture object read from a PNG file, for BackgroundPicture."""
    err = L.Error()
    handle = ctypes.c_void_p()
    check(lib.lx_picture_load_png(os.fsencode(path), ctypes.byref(handle), ctypes.byref(err)), err)
    return wrap(handle.value)


def _paths(larger):
    return [larger] if isinstance(larger, (str, bytes, os.PathLike)) else list(larger)


def load_image_list(path, width, height, larger=()):
    """An image list object of width x height icons cut from a PNG strip, for SetImageList of a grid,
    its Header or a drop-down list. `larger` names PNG strips of the same icons drawn larger, as in
    Grid.add_image_list."""
    err = L.Error()
    handle = ctypes.c_void_p()
    check(lib.lx_image_list_load_png(os.fsencode(path), width, height, ctypes.byref(handle), ctypes.byref(err)), err)
    images = wrap(handle.value)
    for strip in _paths(larger):
        check(lib.lx_image_list_add_larger_png(images._handle, os.fsencode(strip), 0, ctypes.byref(err)), err)
    return images


def dc_fill_rect(hdc, left, top, right, bottom, colour):
    """Fills a rectangle of the hdc a custom-draw event hands over."""
    err = L.Error()
    check(lib.lx_dc_fill_rect(hdc, left, top, right, bottom, colour & 0xFFFFFFFF, ctypes.byref(err)), err)


def dc_draw_text(hdc, text, left, top, right, bottom, flags=0, colour=0):
    """Draws text into the hdc a custom-draw event hands over (flags: text format flags, 1 centre,
    2 right, 4 vertical centre, 8 bottom)."""
    err = L.Error()
    check(lib.lx_dc_draw_text(hdc, text.encode(), left, top, right, bottom, flags, colour & 0xFFFFFFFF,
                              ctypes.byref(err)), err)
