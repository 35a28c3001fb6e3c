// lattix._native: the hot call of the Python package in C. One call packs positional numbers, strings
// and None into variants on the stack, calls lx_invoke and maps the common results back, without the
// per-call work of ctypes. Everything else stays with the package's Python code: a call this module
// does not take returns NotImplemented and the package makes it the general way.
//
// The module does not link the library: the package hands it the addresses of the C functions from
// the library it loaded, so both always talk to the same copy.
#define PY_SSIZE_T_CLEAN
#include <pybind11/pybind11.h>

#include <cstring>

// In the source tree the header is bindings/c/lattix.h; an installed one may sit elsewhere.
#ifdef LATTIX_HEADER
#include LATTIX_HEADER
#else
#include "bindings/c/lattix.h"
#endif

namespace {

namespace py = pybind11;

using InvokeFn = int32_t (*)(lx_object*, lx_dispid_t, int32_t, const lx_variant*, int32_t, const lx_named_arg*, int32_t,
                             lx_variant*, lx_error*);
using SetStringFn = int32_t (*)(lx_variant*, const char*, size_t, lx_error*);
using ClearFn = void (*)(lx_variant*);

// What setup() was given; the Python objects are kept for the life of the process.
struct CallPath {
    InvokeFn invoke = nullptr;
    SetStringFn setString = nullptr;
    ClearFn clear = nullptr;
    PyObject* pending = nullptr;      // list of exceptions raised by event handlers during a call
    PyObject* raisePending = nullptr; // raises and clears the first of them
    PyObject* makeError = nullptr;    // (rc, source bytes, description bytes) -> the exception to raise
    PyObject* fromAddress = nullptr;  // address of a variant -> its Python value (the rarer types)
    PyObject* null = nullptr;         // the package's Null
};
CallPath gPath;

constexpr int kMaxArgs = 8;

// The variants of one call; strings set into them are released on every path out.
struct Args {
    lx_variant v[kMaxArgs];
    int strings[kMaxArgs];
    int stringCount = 0;
    ~Args() {
        for (int i = 0; i < stringCount; ++i) gPath.clear(&v[strings[i]]);
    }
};

// Packs one argument; false when it needs the general path (another type, an integer beyond 32 bits).
// A string that cannot be encoded or stored sets a Python error and returns false with `failed` set.
bool pack(PyObject* a, Args& args, int i, bool& failed) {
    lx_variant& v = args.v[i];
    std::memset(&v, 0, sizeof v);
    PyTypeObject* t = Py_TYPE(a);
    if (t == &PyFloat_Type) {
        v.type = LX_R8;
        v.value.r8 = PyFloat_AS_DOUBLE(a);
        return true;
    }
    if (t == &PyLong_Type) {
        int overflow = 0;
        const long long n = PyLong_AsLongLongAndOverflow(a, &overflow);
        if (overflow || n < INT32_MIN || n > INT32_MAX) return false;
        v.type = LX_I4;
        v.value.i4 = static_cast<int32_t>(n);
        return true;
    }
    if (a == Py_None) return true; // LX_EMPTY
    if (t == &PyUnicode_Type) {
        PyObject* bytes = PyUnicode_AsEncodedString(a, "utf-8", "surrogateescape");
        if (!bytes) {
            failed = true;
            return false;
        }
        lx_error err{};
        const int32_t rc = gPath.setString(&v, PyBytes_AS_STRING(bytes), static_cast<size_t>(PyBytes_GET_SIZE(bytes)), &err);
        Py_DECREF(bytes);
        if (rc != 0) {
            failed = true;
            PyObject* exc = PyObject_CallFunction(gPath.makeError, "iy#y#", rc, err.source, static_cast<Py_ssize_t>(strnlen(err.source, sizeof err.source)),
                                                  err.description, static_cast<Py_ssize_t>(strnlen(err.description, sizeof err.description)));
            if (exc) {
                PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exc)), exc);
                Py_DECREF(exc);
            }
            return false;
        }
        args.strings[args.stringCount++] = i;
        return true;
    }
    return false;
}

// The Python value of a result; the variant is cleared.
PyObject* resultValue(lx_variant& r) {
    switch (r.type) {
    case LX_EMPTY: Py_RETURN_NONE;
    case LX_R8: return PyFloat_FromDouble(r.value.r8);
    case LX_I4: return PyLong_FromLong(r.value.i4);
    case LX_I2: return PyLong_FromLong(r.value.i2);
    case LX_UI1: return PyLong_FromLong(r.value.ui1);
    case LX_R4: return PyFloat_FromDouble(static_cast<double>(r.value.r4));
    case LX_BOOL: return PyBool_FromLong(r.value.boolean != 0);
    case LX_NULL: Py_INCREF(gPath.null); return gPath.null;
    case LX_STRING: {
        PyObject* s = PyUnicode_DecodeUTF8(r.value.str.length ? r.value.str.data : "", static_cast<Py_ssize_t>(r.value.str.length),
                                           "surrogateescape");
        gPath.clear(&r);
        return s;
    }
    default: {
        PyObject* value = PyObject_CallFunction(gPath.fromAddress, "n", reinterpret_cast<Py_ssize_t>(&r));
        gPath.clear(&r);
        return value;
    }
    }
}

// invoke(handle, dispid, kind, args): the member's result, or NotImplemented when the arguments need
// the general path. Raises what the grid or an event handler raised.
PyObject* Invoke(PyObject*, PyObject* const* argv, Py_ssize_t argc) {
    if (argc != 4 || !PyTuple_Check(argv[3])) {
        PyErr_SetString(PyExc_TypeError, "invoke(handle, dispid, kind, args)");
        return nullptr;
    }
    if (!gPath.invoke) {
        PyErr_SetString(PyExc_RuntimeError, "lattix._native: setup() has not run");
        return nullptr;
    }
    void* handle = PyLong_AsVoidPtr(argv[0]);
    const long dispid = PyLong_AsLong(argv[1]);
    const long kind = PyLong_AsLong(argv[2]);
    if (PyErr_Occurred()) return nullptr;
    PyObject* tuple = argv[3];
    const Py_ssize_t n = PyTuple_GET_SIZE(tuple);
    // (None assigned by Set is the empty object reference, which the general path makes.)
    if (n > kMaxArgs || (kind == LX_SET && n > 0 && PyTuple_GET_ITEM(tuple, n - 1) == Py_None)) Py_RETURN_NOTIMPLEMENTED;
    Args args;
    for (Py_ssize_t i = 0; i < n; ++i) {
        bool failed = false;
        if (!pack(PyTuple_GET_ITEM(tuple, i), args, static_cast<int>(i), failed)) {
            if (failed) return nullptr;
            Py_RETURN_NOTIMPLEMENTED;
        }
    }
    lx_variant result;
    std::memset(&result, 0, sizeof result);
    lx_error err{};
    const int32_t rc = gPath.invoke(static_cast<lx_object*>(handle), static_cast<lx_dispid_t>(dispid), static_cast<int32_t>(kind),
                                    args.v, static_cast<int32_t>(n), nullptr, 0, &result, &err);
    PyObject* value = nullptr;
    if (rc == 0) {
        value = resultValue(result);
        if (!value) return nullptr;
    } else {
        gPath.clear(&result);
    }
    // An exception of an event handler comes first, as on the general path.
    if (PyList_GET_SIZE(gPath.pending) > 0) {
        Py_XDECREF(value);
        PyObject* none = PyObject_CallNoArgs(gPath.raisePending);
        Py_XDECREF(none);
        if (!none) return nullptr;
        Py_RETURN_NONE; // (raise_pending always raises)
    }
    if (rc != 0) {
        PyObject* exc = PyObject_CallFunction(gPath.makeError, "iy#y#", rc, err.source, static_cast<Py_ssize_t>(strnlen(err.source, sizeof err.source)),
                                              err.description, static_cast<Py_ssize_t>(strnlen(err.description, sizeof err.description)));
        if (exc) {
            PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exc)), exc);
            Py_DECREF(exc);
        }
        return nullptr;
    }
    return value;
}

PyMethodDef kMethods[] = {
    {"invoke", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(&Invoke)), METH_FASTCALL,
     "invoke(handle, dispid, kind, args): a call of positional numbers, strings and None, or NotImplemented"},
    {nullptr, nullptr, 0, nullptr},
};

} // namespace

PYBIND11_MODULE(_native, m) {
    m.doc() = "The hot call path of the lattix package";
    m.def(
        "setup",
        [](uintptr_t invoke, uintptr_t setString, uintptr_t clear, py::list pending, py::object raisePending,
           py::object makeError, py::object fromAddress, py::object null) {
            gPath.invoke = reinterpret_cast<InvokeFn>(invoke);
            gPath.setString = reinterpret_cast<SetStringFn>(setString);
            gPath.clear = reinterpret_cast<ClearFn>(clear);
            gPath.pending = pending.release().ptr();
            gPath.raisePending = raisePending.release().ptr();
            gPath.makeError = makeError.release().ptr();
            gPath.fromAddress = fromAddress.release().ptr();
            gPath.null = null.release().ptr();
        },
        "Hands the module the library's functions and the package's helpers.");
    if (PyModule_AddFunctions(m.ptr(), kMethods) != 0) throw py::error_already_set();
}
