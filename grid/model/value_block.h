// A block of plain values (doubles, 32-bit integers, UTF-8 texts, or a mix of scalars) exchanged with
// a block of cells in one call: the bulk path of the C interface and of the Python package.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace lattix {

struct ValueBlock {
    enum class Kind : uint8_t {
        Doubles, // numbers: double
        Int32s,  // numbers: int32_t
        Texts,   // texts only
        Mixed,   // types[] gives each element's variant type; numbers are doubles, strings are texts
    };
    Kind kind = Kind::Doubles;
    int32_t rows = 0;
    int32_t cols = 0;
    // Doubles, Int32s, Mixed: element (i, j) at numbers + i * rowStride + j * colStride (bytes).
    char* numbers = nullptr;
    ptrdiff_t rowStride = 0;
    ptrdiff_t colStride = 0;
    // Texts, Mixed: one length per element, row-major (i * cols + j); the texts' bytes follow each
    // other in that order in `text` (in) or are appended to *textOut (out). In Mixed, elements that
    // are no string have length 0.
    int64_t* lengths = nullptr;
    const char* text = nullptr;
    std::string* textOut = nullptr;
    // Out, instead of textOut: called once with the texts' total size before anything is written; the
    // texts are copied to the memory it returns. It may throw std::bad_alloc.
    std::function<char*(size_t)> textAlloc;
    // Mixed: one variant type code per element, row-major.
    uint16_t* types = nullptr;

    char* number(int32_t i, int32_t j) const { return numbers + i * rowStride + j * colStride; }
};

} // namespace lattix
