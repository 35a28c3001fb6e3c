"""A grid on a headless host window."""

import ctypes

from . import _library as L
from ._dispatch import Object, raise_pending
from ._library import lib
from ._values import check


class Host:
    """The headless top-level window a grid fills."""

    def __init__(self, width, height):
        handle = ctypes.c_void_p()
        err = L.Error()
        check(lib.lx_host_create(int(width), int(height), ctypes.byref(handle), ctypes.byref(err)), err)
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
        if self._handle:
            handle, self._handle = self._handle, None
            lib.lx_host_destroy(handle)

    def __del__(self):
        self.close()

    def _call(self, name, *args):
        err = L.Error()
        rc = getattr(lib, name)(self._require(), *args, ctypes.byref(err))
        raise_pending()
        check(rc, err)


class Grid(Object):
    """A Lattix grid filling a headless host window of the given size."""

    def __init__(self, width=800, height=600):
        host = Host(width, height)
        handle = lib.lx_host_grid(host._handle)
        if not handle:
            host.close()
            raise MemoryError("lattix: no grid on the host")
        super().__init__(handle)
        object.__setattr__(self, "host", host)

    def close(self):
        """Destroys the host window; the grid goes when its last wrapper does."""
        self.host.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False
