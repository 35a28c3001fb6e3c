#include "grid/model/record_set.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "grid/automation/error_table.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"
#include "runtime/date_parts.h"

namespace lattix {

namespace {

int32_t FieldArg(const RecordSet& rs, const Variant& v) {
    const int32_t i = ToInt32(v.deref());
    if (i < 0 || i >= rs.FieldCount()) RaiseLattixError(lattix_error::kInvalidArgument);
    return i;
}

bool Contains(const std::string& upper, const char* part) { return upper.find(part) != std::string::npos; }

// Reads exactly n digits at text[pos]; -1 when they are not there.
int Digits(const std::string& text, size_t pos, size_t n) {
    if (pos + n > text.size()) return -1;
    int v = 0;
    for (size_t i = pos; i < pos + n; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}

} // namespace

const TypeInfo& RecordSet::ClassTypeInfo() {
    static const TypeInfo info = [] {
        TypeInfo ti("RecordSet", "_RecordSet");
        auto self = [](AutomationObject& o) -> RecordSet& { return static_cast<RecordSet&>(o); };
        const uint8_t get = static_cast<uint8_t>(InvokeKind::Get);
        const uint8_t method = static_cast<uint8_t>(InvokeKind::Method);
        ti.addMember({"FieldCount", 1, get, {}}, [self](AutomationObject& o, InvokeKind, Args&) {
            return Variant(self(o).FieldCount());
        });
        ti.addMember({"FieldName", 2, get, {{"lField", false, false, {}, false}}},
                     [self](AutomationObject& o, InvokeKind, Args& a) {
                         RecordSet& rs = self(o);
                         return Variant(rs.FieldName(FieldArg(rs, a[0])));
                     });
        ti.addMember({"FieldKind", 3, get, {{"lField", false, false, {}, false}}},
                     [self](AutomationObject& o, InvokeKind, Args& a) {
                         RecordSet& rs = self(o);
                         return Variant(static_cast<int32_t>(rs.FieldKindOf(FieldArg(rs, a[0]))));
                     });
        ti.addMember({"MoveNext", 4, method, {}}, [self](AutomationObject& o, InvokeKind, Args&) {
            return Variant(self(o).MoveNext());
        });
        ti.addMember({"Value", 5, get, {{"lField", false, false, {}, false}}},
                     [self](AutomationObject& o, InvokeKind, Args& a) {
                         RecordSet& rs = self(o);
                         return rs.Value(FieldArg(rs, a[0]));
                     });
        return ti;
    }();
    return info;
}

const TypeInfo& RecordSet::typeInfo() const { return ClassTypeInfo(); }

int32_t RecordSet::FindField(const Variant& nameOrNumber) const {
    const Variant& v = nameOrNumber.deref();
    if (v.isString()) {
        const std::string wanted = AsciiLower(v.str());
        for (int32_t i = 0; i < FieldCount(); ++i)
            if (AsciiLower(FieldName(i)) == wanted) return i;
        return -1;
    }
    if (!v.isNumeric()) return -1;
    const int32_t n = ToInt32(v);
    return n >= 1 && n <= FieldCount() ? n - 1 : -1;
}

FieldKind FieldKindOfDeclaredType(const std::string& declared) {
    std::string u = declared;
    std::transform(u.begin(), u.end(), u.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (u.empty()) return FieldKind::Unknown;
    if (Contains(u, "DATE") || Contains(u, "TIME")) return FieldKind::Date;
    if (Contains(u, "INT")) return FieldKind::Integer;
    if (Contains(u, "CHAR") || Contains(u, "CLOB") || Contains(u, "TEXT")) return FieldKind::Text;
    if (Contains(u, "REAL") || Contains(u, "FLOA") || Contains(u, "DOUB") || Contains(u, "NUMERIC") ||
        Contains(u, "DECIMAL"))
        return FieldKind::Real;
    return FieldKind::Unknown;
}

Variant StorableInteger(int64_t v) {
    if (v >= INT32_MIN && v <= INT32_MAX) return Variant(static_cast<int32_t>(v));
    constexpr int64_t kExact = int64_t{1} << 53;
    if (v >= -kExact && v <= kExact) return Variant(static_cast<double>(v));
    return Variant(std::to_string(v));
}

Variant StorableIntegerText(const std::string& digits) {
    const bool negative = !digits.empty() && digits[0] == '-';
    const size_t start = negative ? 1 : 0;
    if (digits.size() <= start || digits.size() - start > 18 ||
        !std::all_of(digits.begin() + static_cast<std::ptrdiff_t>(start), digits.end(),
                     [](unsigned char c) { return std::isdigit(c); }))
        return Variant(digits);
    return StorableInteger(std::strtoll(digits.c_str(), nullptr, 10));
}

std::string BlobMarker(int64_t bytes) {
    return "<blob: " + std::to_string(bytes) + (bytes == 1 ? " byte>" : " bytes>");
}

Variant DateFromText(const std::string& text) {
    const int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > 31 || text[4] != '-' || text[7] != '-')
        return Variant(text);
    double serial = DateSerialOf(year, month, day);
    // A day past the month's end would roll over: such a text is no date.
    if (SplitDateSerial(serial).day != day) return Variant(text);
    if (text.size() > 10) {
        if (text[10] != ' ' && text[10] != 'T') return Variant(text);
        const int hour = Digits(text, 11, 2), minute = Digits(text, 14, 2);
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || text.size() < 16 || text[13] != ':')
            return Variant(text);
        int second = 0;
        size_t end = 16;
        if (text.size() > 16) {
            second = Digits(text, 17, 2);
            if (text[16] != ':' || second < 0 || second > 59) return Variant(text);
            end = 19;
            // Fractions of a second are dropped: a date keeps whole seconds.
            if (text.size() > end && text[end] == '.') {
                ++end;
                while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
            }
        }
        if (end != text.size()) return Variant(text);
        const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
        serial = serial >= 0 ? serial + fraction : serial - fraction;
    }
    if (!IsValidDateSerial(serial)) return Variant(text);
    return Variant(Date{serial});
}

} // namespace lattix
