#include "grid/model/cell_record.h"

#include <new>

#include "grid/automation/error_table.h"

namespace lattix {

Variant CellRecord::value() const {
    switch (valueTag_) {
    case kTagEmpty: return Variant();
    case kTagBoxed: return payload_.box->value;
    case static_cast<uint8_t>(VarType::Null): return Variant::null();
    case static_cast<uint8_t>(VarType::Int16): return Variant(payload_.i2);
    case static_cast<uint8_t>(VarType::Int32): return Variant(payload_.i4);
    case static_cast<uint8_t>(VarType::Single): return Variant(payload_.r4);
    case static_cast<uint8_t>(VarType::Double): return Variant(payload_.r8);
    case static_cast<uint8_t>(VarType::String): return Variant(std::string());
    case static_cast<uint8_t>(VarType::Currency): return Variant(Currency{payload_.i64});
    case static_cast<uint8_t>(VarType::Date): return Variant(Date{payload_.r8});
    case static_cast<uint8_t>(VarType::Error): return Variant(ErrorValue{payload_.i4});
    case static_cast<uint8_t>(VarType::Bool): return Variant(payload_.b);
    case static_cast<uint8_t>(VarType::Byte): return Variant(payload_.u1);
    default: return Variant();
    }
}

uint32_t CellRecord::InternLooks(uint32_t from, const CellLooks& want) {
    struct Change {
        uint32_t from = 0;
        CellLooks want;
        uint32_t to = 0;
    };
    thread_local Change last;
    if (want == looks_table::At(from)) return from;
    if (last.from == from && last.want == want) return last.to;
    uint32_t to = 0;
    try {
        to = looks_table::Intern(want);
    } catch (const std::bad_alloc&) {
        // Memory ran out, or the table holds as many distinct looks as it can number.
        RaiseLattixError(lattix_error::kOutOfMemory);
    }
    last = Change{from, want, to};
    return to;
}

VarType CellRecord::valueType() const {
    if (valueTag_ == kTagBoxed) return payload_.box->value.type();
    return static_cast<VarType>(valueTag_);
}

CellRecord::Prepared::Prepared(const Variant& given) {
    const Variant& v = given.deref();
    Payload& p = payload_;
    uint8_t& tag = tag_;
    switch (v.type()) {
    case VarType::Empty: break;
    case VarType::Null: tag = static_cast<uint8_t>(VarType::Null); break;
    case VarType::Int16: p.i2 = v.get<int16_t>(); tag = static_cast<uint8_t>(VarType::Int16); break;
    case VarType::Int32: p.i4 = v.get<int32_t>(); tag = static_cast<uint8_t>(VarType::Int32); break;
    case VarType::Single: p.r4 = v.get<float>(); tag = static_cast<uint8_t>(VarType::Single); break;
    case VarType::Double: p.r8 = v.get<double>(); tag = static_cast<uint8_t>(VarType::Double); break;
    case VarType::Currency: p.i64 = v.get<Currency>().scaled; tag = static_cast<uint8_t>(VarType::Currency); break;
    case VarType::Date: p.r8 = v.get<Date>().serial; tag = static_cast<uint8_t>(VarType::Date); break;
    case VarType::Error: p.i4 = v.get<ErrorValue>().scode; tag = static_cast<uint8_t>(VarType::Error); break;
    case VarType::Bool: p.b = v.get<bool>(); tag = static_cast<uint8_t>(VarType::Bool); break;
    case VarType::Byte: p.u1 = v.get<uint8_t>(); tag = static_cast<uint8_t>(VarType::Byte); break;
    case VarType::String:
        if (v.str().empty()) {
            tag = static_cast<uint8_t>(VarType::String);
            break;
        }
        p.box = new BoxedValue(v);
        tag = kTagBoxed;
        break;
    default:
        p.box = new BoxedValue(v);
        tag = kTagBoxed;
        break;
    }
}

} // namespace lattix
