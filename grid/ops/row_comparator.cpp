#include "grid/ops/row_comparator.h"

#include <cmath>
#include <cstring>

#include "grid/lattix.h"
#include "grid/ops/sort_events.h"
#include "grid/ops/radix_sort.h"
#include "grid/ops/stable_merge_sort.h"
#include "grid/ops/text_compare.h"
#include "runtime/conversions.h"
#include "runtime/text_conversion.h"

namespace lattix {

namespace {

// Value classes of the general rule, in their sort order.
constexpr uint8_t kNull = 0, kEmpty = 1, kNumber = 2, kCurrency = 3, kText = 4, kError = 5, kOther = 6;
uint8_t rank(uint8_t cls) { return cls == kCurrency ? kNumber : cls; }

int threeWay(double a, double b) {
    if (a < b) return -1;
    if (a > b) return 1;
    const bool na = std::isnan(a), nb = std::isnan(b);
    return nb - na; // NaN sorts before every number
}
template <class T> int threeWay(T a, T b) { return (a > b) - (a < b); }

constexpr int32_t kDynamicIcons = 2;

} // namespace

RowComparator::RowComparator(Lattix& grid, const SortCriteria& criteria, int32_t first, int32_t last, bool groupValues,
                             int32_t groupValueCriteria)
    : grid_(grid), first_(first), rows_(last >= first ? static_cast<size_t>(last - first + 1) : 0) {
    const size_t n = rows_;
    keys_.resize(criteria.items().size());
    for (size_t k = 0; k < keys_.size(); ++k) {
        const SortItem& item = criteria.items()[k];
        Keys& key = keys_[k];
        key.col = item.col;
        key.desc = item.order == sort_order::kDesc;
        const int32_t t = item.type;
        using namespace sort_type;
        if (t == kValueGeneral || t == kValueCustomGroups) key.kind = Kind::General;
        else if (t >= kValueUseCase && t <= kCellTextNoCase) key.kind = Kind::Text;
        else if (t >= kIcon && t <= kExtraData) key.kind = Kind::Integer;
        else if (t == kCustom) key.kind = Kind::Custom;
        else key.kind = Kind::None;
        if (key.kind == Kind::None || key.kind == Kind::Custom) continue;

        const int32_t col = item.col;
        if (key.kind == Kind::General) {
            key.cls.resize(n);
            key.num.resize(n);
            const bool askHost = t == kValueCustomGroups && groupValues && static_cast<int32_t>(k) < groupValueCriteria;
            for (size_t i = 0; i < n; ++i) {
                const int32_t row = first + static_cast<int32_t>(i);
                if (!askHost) {
                    readGeneralCell(key, row, i);
                    continue;
                }
                Variant args[] = {Variant(row), Variant(col), Variant::byRef(grid.Cell(row, col).value()),
                                  Variant::byRef(Variant(std::string()))};
                grid.RaiseEvent(event_id::kCustomGroupValue, args);
                readGeneral(key, row, i, args[2].deref());
                std::string shown = TextOf(args[3].deref());
                if (!shown.empty()) {
                    if (key.groupText.empty()) key.groupText.resize(n);
                    key.groupText[i] = std::move(shown);
                }
            }
        } else if (key.kind == Kind::Text) {
            key.cls.resize(n);
            key.text.resize(n);
            const bool noCase = t == kValueNoCase || t == kCellTextNoCase;
            const bool cellText = t == kCellTextUseCase || t == kCellTextNoCase;
            for (size_t i = 0; i < n; ++i) {
                const int32_t row = first + static_cast<int32_t>(i);
                std::string s;
                if (cellText) {
                    s = grid.DisplayedText(row, col);
                    key.cls[i] = 1;
                } else {
                    const CellRecord& cell = grid.Cell(row, col);
                    if (cell.valueIsDouble()) {
                        s = TextOfDouble(cell.doubleValue());
                        key.cls[i] = 1;
                    } else {
                        Variant v = cell.value();
                        key.cls[i] = v.isNull() ? 0 : 1;
                        if (!v.isNull()) s = TextOf(v);
                    }
                }
                key.text[i] = noCase ? FoldCase(s) : std::move(s);
            }
        } else {
            key.exact.resize(n);
            const bool dynamicIcons = (t == kIcon || t == kExtraIcon) && (grid.DynamicContentEvents() & kDynamicIcons);
            for (size_t i = 0; i < n; ++i) {
                const int32_t row = first + static_cast<int32_t>(i);
                const CellRecord& cell = grid.Cell(row, col);
                int64_t v = 0;
                switch (t) {
                case kIcon:
                case kExtraIcon:
                    if (dynamicIcons) {
                        Variant args[] = {Variant(row), Variant(col), cell.value(),
                                          Variant::byRef(Variant(static_cast<uint8_t>(cell.looks().imageLists & 0x0F))),
                                          Variant::byRef(Variant(cell.looks().icon)),
                                          Variant::byRef(Variant(static_cast<uint8_t>(cell.looks().imageLists >> 4))),
                                          Variant::byRef(Variant(cell.looks().extraIcon))};
                        grid.RaiseEvent(event_id::kCellDynamicIcons, args);
                        v = ToInt16(t == kIcon ? args[4].deref() : args[6].deref());
                    } else {
                        v = t == kIcon ? cell.looks().icon : cell.looks().extraIcon;
                    }
                    break;
                case kForeColor: v = cell.looks().foreColor; break;
                case kBackColor: v = cell.looks().backColor; break;
                case kFontIndex: v = cell.looks().fontIndex; break;
                case kSelected: v = cell.selected(); break;
                case kSelectable: v = cell.selectable(); break;
                case kHatch: v = (cell.typeBits & cell_bits::kHatchMask) >> cell_bits::kHatchShift; break;
                case kCheckState: v = cell.checkBits & cell_bits::kCheckStateMask; break;
                case kCheckVisible: v = (cell.checkBits & cell_bits::kCheckVisible) ? 1 : 0; break;
                case kComboListIndex: v = cell.comboListIndex; break;
                case kExtraData: v = cell.extraData; break;
                default: break;
                }
                key.exact[i] = v;
            }
        }
    }
}

void RowComparator::readGeneralCell(Keys& k, int32_t row, size_t i) {
    const CellRecord& cell = grid_.Cell(row, k.col);
    if (cell.valueIsDouble()) {
        k.cls[i] = kNumber;
        k.num[i] = cell.doubleValue();
        return;
    }
    readGeneral(k, row, i, cell.value());
}

void RowComparator::readGeneral(Keys& k, int32_t, size_t i, const Variant& value) {
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Null: k.cls[i] = kNull; break;
    case VarType::Empty: k.cls[i] = kEmpty; break;
    case VarType::String:
        k.cls[i] = kText;
        if (k.text.empty()) k.text.resize(k.cls.size());
        k.text[i] = FoldCase(v.str());
        break;
    case VarType::Currency:
        k.cls[i] = kCurrency;
        k.num[i] = v.get<Currency>().toDouble();
        if (k.exact.empty()) k.exact.resize(k.cls.size());
        k.exact[i] = v.get<Currency>().scaled;
        break;
    case VarType::Error:
        k.cls[i] = kError;
        if (k.exact.empty()) k.exact.resize(k.cls.size());
        k.exact[i] = v.get<ErrorValue>().scode;
        break;
    case VarType::Date: k.cls[i] = kNumber; k.num[i] = v.get<Date>().serial; break;
    case VarType::Bool: k.cls[i] = kNumber; k.num[i] = v.get<bool>() ? -1.0 : 0.0; break;
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Single:
    case VarType::Double:
    case VarType::Byte:
        k.cls[i] = kNumber;
        k.num[i] = ToDouble(v);
        break;
    default: k.cls[i] = kOther; break;
    }
}

int RowComparator::compareGeneral(const Keys& k, size_t i, size_t j) const {
    const uint8_t ci = k.cls[i], cj = k.cls[j];
    if (rank(ci) != rank(cj)) return rank(ci) < rank(cj) ? -1 : 1;
    switch (rank(ci)) {
    case kNumber: {
        if (int r = threeWay(k.num[i], k.num[j])) return r;
        if (ci == kCurrency && cj == kCurrency) return threeWay(k.exact[i], k.exact[j]);
        return 0;
    }
    case kText: return CompareTextUseCase(k.text[i], k.text[j]);
    case kError: return threeWay(k.exact[i], k.exact[j]);
    default: return 0;
    }
}

int RowComparator::compareCustom(const Keys& k, int32_t a, int32_t b) {
    Variant args[] = {Variant(k.col), Variant(a), Variant(b), Variant::byRef(grid_.Cell(a, k.col).value()),
                      Variant::byRef(grid_.Cell(b, k.col).value()), Variant::byRef(Variant(int32_t{0}))};
    grid_.RaiseEvent(event_id::kCustomSort, args);
    const double r = ToDouble(args[5].deref());
    return (r > 0) - (r < 0);
}

int RowComparator::compareItem(size_t k, int32_t a, int32_t b) {
    const Keys& key = keys_[k];
    const size_t i = static_cast<size_t>(a - first_), j = static_cast<size_t>(b - first_);
    switch (key.kind) {
    case Kind::General: return compareGeneral(key, i, j);
    case Kind::Text:
        if (key.cls[i] != key.cls[j]) return key.cls[i] < key.cls[j] ? -1 : 1;
        return CompareTextUseCase(key.text[i], key.text[j]);
    case Kind::Integer: return threeWay(key.exact[i], key.exact[j]);
    case Kind::Custom: return compareCustom(key, a, b);
    case Kind::None: return 0;
    }
    return 0;
}

int RowComparator::compareFrom(size_t k0, int32_t a, int32_t b) {
    for (size_t k = k0; k < keys_.size(); ++k)
        if (int r = compareItem(k, a, b)) return keys_[k].desc ? -r : r;
    return 0;
}

namespace {

// Order-preserving image of a double; NaN below every number, -0 equal to 0.
uint64_t imageOf(double d) {
    if (std::isnan(d)) return 0;
    if (d == 0) d = 0;
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return (bits >> 63) ? ~bits : bits | (uint64_t{1} << 63);
}
// The first eight bytes, big-endian, zero-padded: orders like the bytes, ties when they agree.
uint64_t prefixOf(const std::string& s) {
    uint64_t v = 0;
    for (size_t i = 0; i < 8; ++i) v = (v << 8) | (i < s.size() ? static_cast<unsigned char>(s[i]) : 0u);
    return v;
}

struct Imaged {
    uint64_t k0;
    uint64_t k1;
    int32_t pos;
};

} // namespace

bool RowComparator::buildImages(size_t k, std::vector<uint64_t>& out, bool& exact) const {
    const Keys& key = keys_[k];
    const size_t n = rows_;
    out.assign(n, 0);
    switch (key.kind) {
    case Kind::Custom: return false;
    case Kind::None: exact = true; return true; // every row equal
    case Kind::Integer:
        for (size_t i = 0; i < n; ++i) out[i] = static_cast<uint64_t>(key.exact[i]) ^ (uint64_t{1} << 63);
        exact = true;
        break;
    case Kind::Text:
        for (size_t i = 0; i < n; ++i) out[i] = (static_cast<uint64_t>(key.cls[i]) << 63) | (prefixOf(key.text[i]) >> 1);
        exact = false;
        break;
    case Kind::General: {
        bool plainNumbers = true;
        for (size_t i = 0; i < n && plainNumbers; ++i) plainNumbers = key.cls[i] == kNumber;
        exact = plainNumbers;
        for (size_t i = 0; i < n; ++i) {
            if (plainNumbers) {
                out[i] = imageOf(key.num[i]);
                continue;
            }
            const uint8_t c = key.cls[i];
            uint64_t sub = 0;
            if (rank(c) == kNumber) sub = imageOf(key.num[i]);
            else if (c == kText) sub = prefixOf(key.text[i]);
            else if (c == kError) sub = static_cast<uint64_t>(key.exact[i]) ^ (uint64_t{1} << 63);
            out[i] = (static_cast<uint64_t>(rank(c)) << 61) | (sub >> 3);
        }
        break;
    }
    }
    if (key.desc)
        for (uint64_t& v : out) v = ~v;
    return true;
}

void RowComparator::sortPositions(std::vector<int32_t>& positions) {
    if (positions.size() < 2) return;
    if (images_ < 0 || keys_.empty()) {
        StableMergeSort(positions, [&](int32_t a, int32_t b) { return compare(a, b); });
        return;
    }
    if (images_ == 0) {
        // First use: build the images of the leading criteria.
        images_ = -1;
        if (buildImages(0, image0_, exact0_)) {
            images_ = 1;
            if (exact0_ && keys_.size() > 1 && buildImages(1, image1_, exact1_)) images_ = 2;
        }
        if (images_ < 0) {
            sortPositions(positions);
            return;
        }
    }
    if (exact0_ && (keys_.size() == 1 || (images_ > 1 && exact1_ && keys_.size() == 2))) {
        // The images decide the order alone: no comparison is needed. Two criteria sort by the
        // second first; the stable sort by the first then keeps that order among its ties.
        const bool two = keys_.size() == 2;
        BigArray<KeyedPosition> keyed(positions.size());
        for (size_t i = 0; i < positions.size(); ++i) {
            const size_t at = static_cast<size_t>(positions[i] - first_);
            keyed[i] = KeyedPosition{two ? image1_[at] : image0_[at], positions[i]};
        }
        if (two) {
            RadixSortByKey(keyed);
            for (KeyedPosition& k : keyed) k.key = image0_[static_cast<size_t>(k.pos - first_)];
        }
        RadixSortByKey(keyed);
        for (size_t i = 0; i < positions.size(); ++i) positions[i] = keyed[i].pos;
        return;
    }
    BigArray<Imaged> items(positions.size());
    for (size_t i = 0; i < positions.size(); ++i) {
        const size_t at = static_cast<size_t>(positions[i] - first_);
        items[i] = Imaged{image0_[at], images_ > 1 ? image1_[at] : 0, positions[i]};
    }
    const bool two = images_ > 1;
    StableMergeSort(items, [&](const Imaged& a, const Imaged& b) {
        if (a.k0 != b.k0) return a.k0 < b.k0 ? -1 : 1;
        if (!exact0_) return compare(a.pos, b.pos);
        if (!two) return compareFrom(1, a.pos, b.pos);
        if (a.k1 != b.k1) return a.k1 < b.k1 ? -1 : 1;
        return compareFrom(exact1_ ? 2 : 1, a.pos, b.pos);
    });
    for (size_t i = 0; i < positions.size(); ++i) positions[i] = items[i].pos;
}

const std::string& RowComparator::groupText(size_t k, int32_t row) const {
    static const std::string none;
    const Keys& key = keys_[k];
    if (key.groupText.empty()) return none;
    return key.groupText[static_cast<size_t>(row - first_)];
}

} // namespace lattix
