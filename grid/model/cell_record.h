// One cell: its value, its most varied attributes and the number of its shared looks, 24 bytes.
//
// The value keeps an 8-byte payload and a one-byte type tag beside the attributes. Values that do not
// fit in 8 bytes (strings, object references, arrays) live in a reference-counted box, so copying a
// cell (new cells are copies of their column's default cell) never copies a string. The empty string,
// every new cell's value, needs no box: its String tag alone says what it is.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <utility>

#include "grid/model/cell_looks.h"
#include "runtime/variant.h"

namespace lattix {

// Shared holder of a value too large for the inline payload.
struct BoxedValue {
    explicit BoxedValue(const Variant& v) : value(v) { live_.fetch_add(1, std::memory_order_relaxed); }
    ~BoxedValue() { live_.fetch_sub(1, std::memory_order_relaxed); }
    BoxedValue(const BoxedValue&) = delete;
    BoxedValue& operator=(const BoxedValue&) = delete;

    // Boxes alive in the process. None means that no cell anywhere holds a value to release, so a
    // store of many cells may drop them without visiting each one.
    static size_t Live() { return live_.load(std::memory_order_relaxed); }

    uint32_t refs = 1;
    Variant value;

private:
    static inline std::atomic<size_t> live_{0};
};

// Bits of CellRecord::typeBits.
namespace cell_bits {
inline constexpr uint8_t kTypeMask = 0x03;      // ECellTypes
inline constexpr uint8_t kHatchShift = 2;       // EHatchStyles, bits 2-4
inline constexpr uint8_t kHatchMask = 0x1C;
inline constexpr uint8_t kSelectable = 0x20;
inline constexpr uint8_t kSelected = 0x40;
inline constexpr uint8_t kChanged = 0x80;
// Bits of CellRecord::checkBits.
inline constexpr uint8_t kCheckStateMask = 0x03;
inline constexpr uint8_t kCheckVisible = 0x04;
inline constexpr uint8_t kTypeFlagsMask = 0xF8;
// Bits of CellRecord::alignment.
inline constexpr uint8_t kAlignHMask = 0x03;
inline constexpr uint8_t kAlignVShift = 2;
inline constexpr uint8_t kAlignVMask = 0x0C;
inline constexpr uint8_t kIconToTextShift = 4;
inline constexpr uint8_t kIconToTextMask = 0x30;
} // namespace cell_bits

class CellRecord {
    // The payload comes first so that the attributes pack behind it without padding.
    union Payload {
        int64_t i64;
        double r8;
        float r4;
        int32_t i4;
        int16_t i2;
        uint8_t u1;
        bool b;
        BoxedValue* box;
    };
    Payload payload_{0};
    static constexpr uint8_t kTagEmpty = 0;
    static constexpr uint8_t kTagBoxed = 0xFF;

public:
    CellRecord() = default;
    CellRecord(const CellRecord& o) { copyFrom(o); }
    CellRecord(CellRecord&& o) noexcept {
        std::memcpy(static_cast<void*>(this), &o, sizeof(CellRecord));
        o.valueTag_ = kTagEmpty;
    }
    CellRecord& operator=(const CellRecord& o) {
        if (this != &o) {
            if (o.valueTag_ == kTagBoxed) ++o.payload_.box->refs;
            releaseValue();
            std::memcpy(static_cast<void*>(this), &o, sizeof(CellRecord));
        }
        return *this;
    }
    CellRecord& operator=(CellRecord&& o) noexcept {
        if (this != &o) {
            releaseValue();
            std::memcpy(static_cast<void*>(this), &o, sizeof(CellRecord));
            o.valueTag_ = kTagEmpty;
        }
        return *this;
    }
    ~CellRecord() { releaseValue(); }

    // A value converted ahead of time to the form the record keeps, so that storing it cannot fail.
    // Only values that need a box (strings, objects, arrays) allocate while being prepared.
    class Prepared {
    public:
        Prepared() = default;
        // Looks through a by-reference slot. Throws std::bad_alloc when a box cannot be made.
        explicit Prepared(const Variant& v);
        Prepared(Prepared&& o) noexcept : payload_(o.payload_), tag_(o.tag_) { o.tag_ = kTagEmpty; }
        Prepared& operator=(Prepared&& o) noexcept {
            std::swap(payload_, o.payload_);
            std::swap(tag_, o.tag_);
            return *this;
        }
        Prepared(const Prepared&) = delete;
        Prepared& operator=(const Prepared&) = delete;
        ~Prepared() {
            if (tag_ == kTagBoxed && --payload_.box->refs == 0) delete payload_.box;
        }

    private:
        friend class CellRecord;
        Payload payload_{0};
        uint8_t tag_ = kTagEmpty;
    };
    // True when storing the value allocates (it does not fit the inline payload).
    static bool NeedsBox(const Variant& v) {
        const Variant& d = v.deref();
        switch (d.type()) {
        case VarType::String: return !d.str().empty();
        case VarType::Empty:
        case VarType::Null:
        case VarType::Int16:
        case VarType::Int32:
        case VarType::Single:
        case VarType::Double:
        case VarType::Currency:
        case VarType::Date:
        case VarType::Error:
        case VarType::Bool:
        case VarType::Byte: return false;
        default: return true;
        }
    }

    Variant value() const;
    // Stores a copy of the value (looking through a by-reference slot).
    void setValue(const Variant& v) { setPrepared(Prepared(v)); }
    // Stores a prepared value; never fails.
    void setPrepared(Prepared&& p) noexcept {
        // The prepared payload is complete before the old value goes: the old box may be the one the
        // given value was copied from.
        releaseValue();
        payload_ = p.payload_;
        valueTag_ = p.tag_;
        p.tag_ = kTagEmpty;
    }
    VarType valueType() const;
    // The value lives in a shared box (copying it out allocates).
    bool isBoxed() const { return valueTag_ == kTagBoxed; }
    // Fast paths used by the hot cell-value accessors.
    bool valueIsDouble() const { return valueTag_ == static_cast<uint8_t>(VarType::Double); }
    double doubleValue() const { return payload_.r8; }
    void setDouble(double d) {
        releaseValue();
        payload_.r8 = d;
        valueTag_ = static_cast<uint8_t>(VarType::Double);
    }
    bool valueIsInt32() const { return valueTag_ == static_cast<uint8_t>(VarType::Int32); }
    int32_t int32Value() const { return payload_.i4; }
    void setInt32(int32_t v) {
        releaseValue();
        payload_.i64 = 0; // the same bytes as a prepared Int32 value
        payload_.i4 = v;
        valueTag_ = static_cast<uint8_t>(VarType::Int32);
    }

    // Attributes kept in the record itself: the ones cells of one column commonly differ in.
    int32_t extraData = 0;
    int32_t comboListIndex = -1;

private:
    uint32_t looksId_ = 0; // declared here so that the record packs without padding

public:
    uint8_t typeBits = cell_bits::kSelectable;
    uint8_t checkBits = 0;

    // The rest of the attributes, shared with every cell that looks the same.
    const CellLooks& looks() const { return looks_table::At(looksId_); }
    // Changes the looks through `edit(CellLooks&)`. Raises 523 (out of memory) when the looks table
    // cannot grow, leaving the cell as it was.
    template <class Edit>
    void editLooks(Edit&& edit) {
        CellLooks want = looks();
        edit(want);
        looksId_ = InternLooks(looksId_, want);
    }
    // The number of the cell's looks; equal numbers mean equal looks.
    uint32_t looksId() const { return looksId_; }

    bool changed() const { return typeBits & cell_bits::kChanged; }
    void markChanged() { typeBits |= cell_bits::kChanged; }
    void clearChanged() { typeBits &= static_cast<uint8_t>(~cell_bits::kChanged); }
    bool selected() const { return typeBits & cell_bits::kSelected; }
    void setSelected(bool s) {
        typeBits = s ? (typeBits | cell_bits::kSelected) : (typeBits & static_cast<uint8_t>(~cell_bits::kSelected));
    }
    bool selectable() const { return typeBits & cell_bits::kSelectable; }
    // Marks the cell the live cell font was taken from. The mark travels with the cell when columns
    // are rebuilt and is gone when the cell is overwritten (a reused slot gets fresh copies of the
    // default cells), so a stale font link never reaches another cell.
    bool fontLinked() const { return spare_ & kFontLinkMark; }
    void setFontLinked(bool on) { spare_ = static_cast<uint8_t>(on ? (spare_ | kFontLinkMark) : (spare_ & ~kFontLinkMark)); }

private:
    static constexpr uint8_t kFontLinkMark = 0x01;

    void releaseValue() {
        if (valueTag_ == kTagBoxed && --payload_.box->refs == 0) delete payload_.box;
        valueTag_ = kTagEmpty;
    }
    void copyFrom(const CellRecord& o) {
        std::memcpy(static_cast<void*>(this), &o, sizeof(CellRecord));
        if (valueTag_ == kTagBoxed) ++payload_.box->refs;
    }

    // The number of `want`, the looks of a cell whose looks were numbered `from`; remembers the last
    // change made on this thread, since a range of cells usually makes the same one over and over.
    static uint32_t InternLooks(uint32_t from, const CellLooks& want);

    uint8_t valueTag_ = kTagEmpty; // a VarType code for inline values, kTagBoxed for boxed ones
    uint8_t spare_ = 0; // bit 0: fontLinked
};

static_assert(sizeof(CellRecord) == 24, "a cell record is 24 bytes");

} // namespace lattix
