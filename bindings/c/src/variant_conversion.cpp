#include "bindings/c/src/variant_conversion.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

#include "bindings/c/src/error_guard.h"
#include "bindings/c/src/handles.h"

namespace lattix::cabi {

namespace {
char* CopyBytes(const char* data, size_t length) {
    char* p = static_cast<char*>(std::malloc(length + 1));
    if (!p) throw std::bad_alloc();
    if (length) std::memcpy(p, data, length);
    p[length] = '\0';
    return p;
}

Variant ScalarFromC(const lx_variant& v) {
    switch (v.type) {
    case LX_EMPTY: return Variant();
    case LX_NULL: return Variant::null();
    case LX_I2: return Variant(v.value.i2);
    case LX_I4: return Variant(v.value.i4);
    case LX_R4: return Variant(v.value.r4);
    case LX_R8: return Variant(v.value.r8);
    case LX_CURRENCY: return Variant(Currency{v.value.currency});
    case LX_DATE: return Variant(Date{v.value.date});
    case LX_STRING:
        if (!v.value.str.data && v.value.str.length) RaiseInvalidPointer();
        return Variant(std::string(v.value.str.data ? v.value.str.data : "", v.value.str.length));
    case LX_OBJECT: return Variant(v.value.object ? v.value.object->object : ObjectRef{});
    case LX_ERROR: return Variant::error(v.value.error);
    case LX_BOOL: return Variant(v.value.boolean != 0);
    case LX_UI1: return Variant(v.value.ui1);
    case LX_ARRAY:
        if (!v.value.array) RaiseInvalidPointer();
        return Variant(v.value.array->array);
    default: RaiseBadVarType();
    }
}
} // namespace

Variant FromC(const lx_variant& v) {
    if (v.type == LX_BYREF) {
        if (!v.value.ref) RaiseInvalidPointer();
        if (v.value.ref->type == LX_BYREF) RaiseBadVarType();
        return Variant::byRef(ScalarFromC(*v.value.ref));
    }
    return ScalarFromC(v);
}

void ToC(const Variant& value, lx_variant& out) {
    const Variant& v = value.deref();
    lx_variant r{};
    if (const auto* s = v.getIf<std::string>()) {
        r.value.str.data = CopyBytes(s->data(), s->size());
        r.value.str.length = s->size();
        r.type = LX_STRING;
    } else if (const auto* o = v.getIf<ObjectRef>()) {
        r.value.object = NewObjectHandle(*o);
        r.type = LX_OBJECT;
    } else if (const auto* a = v.getIf<ArrayRef>()) {
        if (!*a) RaiseBadVarType();
        r.value.array = NewArrayHandle(*a);
        r.type = LX_ARRAY;
    } else if (v.isEmpty()) {
        r.type = LX_EMPTY;
    } else if (v.isNull()) {
        r.type = LX_NULL;
    } else if (const auto* i2 = v.getIf<int16_t>()) {
        r.type = LX_I2, r.value.i2 = *i2;
    } else if (const auto* i4 = v.getIf<int32_t>()) {
        r.type = LX_I4, r.value.i4 = *i4;
    } else if (const auto* f = v.getIf<float>()) {
        r.type = LX_R4, r.value.r4 = *f;
    } else if (const auto* d = v.getIf<double>()) {
        r.type = LX_R8, r.value.r8 = *d;
    } else if (const auto* c = v.getIf<Currency>()) {
        r.type = LX_CURRENCY, r.value.currency = c->scaled;
    } else if (const auto* dt = v.getIf<Date>()) {
        r.type = LX_DATE, r.value.date = dt->serial;
    } else if (const auto* b = v.getIf<bool>()) {
        r.type = LX_BOOL, r.value.boolean = *b ? 1 : 0;
    } else if (const auto* e = v.getIf<ErrorValue>()) {
        r.type = LX_ERROR, r.value.error = e->scode;
    } else if (const auto* u = v.getIf<uint8_t>()) {
        r.type = LX_UI1, r.value.ui1 = *u;
    } else {
        RaiseBadVarType();
    }
    out = r;
}

void WriteBack(const lx_variant& c, const Variant& converted) {
    if (c.type != LX_BYREF || !converted.isByRef()) return;
    lx_variant fresh{};
    ToC(converted.deref(), fresh);
    lx_variant_clear(c.value.ref);
    *c.value.ref = fresh;
}

CVariantsCleaner::~CVariantsCleaner() {
    for (lx_variant& v : vars_) lx_variant_clear(&v);
}

} // namespace lattix::cabi

using namespace lattix;
using namespace lattix::cabi;

extern "C" {

LX_API void lx_variant_init(lx_variant* v) {
    if (v) *v = lx_variant{};
}

LX_API void lx_variant_clear(lx_variant* v) {
    if (!v) return;
    switch (v->type) {
    case LX_STRING: std::free(v->value.str.data); break;
    case LX_OBJECT: lx_object_release(v->value.object); break;
    case LX_ARRAY: lx_array_release(v->value.array); break;
    default: break; // a by-reference variant does not own its target
    }
    *v = lx_variant{};
}

LX_API int32_t lx_variant_copy(lx_variant* dst, const lx_variant* src, lx_error* error) {
    return Guarded(error, [&] {
        if (!dst || !src) RaiseInvalidPointer();
        if (src->type == LX_BYREF) {
            *dst = *src;
            return;
        }
        ToC(FromC(*src), *dst);
    });
}

LX_API int32_t lx_variant_set_string(lx_variant* v, const char* utf8, size_t length, lx_error* error) {
    return Guarded(error, [&] {
        if (!v || (!utf8 && length)) RaiseInvalidPointer();
        lx_variant r{};
        r.value.str.data = CopyBytes(utf8 ? utf8 : "", length);
        r.value.str.length = length;
        r.type = LX_STRING;
        *v = r;
    });
}

LX_API void lx_variant_set_object(lx_variant* v, lx_object* obj) {
    if (!v) return;
    if (obj) lx_object_addref(obj);
    *v = lx_variant{};
    v->type = LX_OBJECT;
    v->value.object = obj;
}

LX_API void lx_variant_set_array(lx_variant* v, lx_array* array) {
    if (!v) return;
    if (array) lx_array_addref(array);
    *v = lx_variant{};
    v->type = array ? LX_ARRAY : LX_EMPTY;
    v->value.array = array;
}

LX_API void lx_variant_set_byref(lx_variant* v, lx_variant* target) {
    if (!v) return;
    *v = lx_variant{};
    v->type = target ? LX_BYREF : LX_EMPTY;
    v->value.ref = target;
}

} // extern "C"
