// Structured input for fuzz targets: small numbers, choices and texts taken from the front of the
// fuzzer's bytes. Once the bytes run out every read gives 0 or an empty text, so any input decodes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace lattix::fuzz {

class FuzzInput {
public:
    explicit FuzzInput(std::span<const uint8_t> data) : data_(data) {}

    bool empty() const { return pos_ >= data_.size(); }
    uint8_t Byte() { return empty() ? 0 : data_[pos_++]; }
    bool Flag() { return (Byte() & 1) != 0; }
    // A number in 0..count-1 (count > 0).
    size_t Pick(size_t count) {
        uint32_t v = Byte();
        if (count > 256) v = (v << 8) | Byte();
        return v % count;
    }
    // A number in lo..hi.
    int Between(int lo, int hi) { return lo + static_cast<int>(Pick(static_cast<size_t>(hi - lo + 1))); }
    // A text of up to maxLength bytes: a length byte, then that many bytes.
    std::string Text(size_t maxLength) {
        size_t n = std::min<size_t>(Byte(), maxLength);
        n = std::min(n, data_.size() - std::min(pos_, data_.size()));
        std::string s(reinterpret_cast<const char*>(data_.data() + pos_), n);
        pos_ += n;
        return s;
    }
    // Everything not read yet.
    std::string Rest() {
        if (empty()) return {};
        std::string s(reinterpret_cast<const char*>(data_.data() + pos_), data_.size() - pos_);
        pos_ = data_.size();
        return s;
    }

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

inline std::string_view AsText(std::span<const uint8_t> data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

} // namespace lattix::fuzz
