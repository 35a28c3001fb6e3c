// Blocks of plain values exchanged with a grid's cells in one call.
#include <cstdlib>
#include <new>

#include "bindings/c/src/error_guard.h"
#include "bindings/c/src/handles.h"
#include "bindings/c/src/variant_conversion.h"
#include "grid/lattix.h"

namespace lattix::cabi {

namespace {

Lattix& CheckedGrid(lx_object* grid) {
    if (!grid || !grid->object) RaiseInvalidPointer();
    auto* g = dynamic_cast<Lattix*>(grid->object.get());
    if (!g) RaiseInvalidArgument();
    g->checkOwnerThread();
    return *g;
}

ValueBlock ToBlock(const lx_block& c) {
    ValueBlock b;
    switch (c.type) {
    case LX_R8: b.kind = ValueBlock::Kind::Doubles; break;
    case LX_I4: b.kind = ValueBlock::Kind::Int32s; break;
    case LX_STRING: b.kind = ValueBlock::Kind::Texts; break;
    case LX_BLOCK_MIXED: b.kind = ValueBlock::Kind::Mixed; break;
    default: RaiseBadVarType();
    }
    b.rows = c.rows;
    b.cols = c.cols;
    b.numbers = static_cast<char*>(c.numbers);
    b.rowStride = static_cast<ptrdiff_t>(c.row_stride);
    b.colStride = static_cast<ptrdiff_t>(c.col_stride);
    b.lengths = c.lengths;
    b.text = c.text;
    b.types = c.types;
    if (b.rows < 0 || b.cols < 0) RaiseInvalidArgument();
    if (b.rows > 0 && b.cols > 0) {
        const bool numbers = b.kind != ValueBlock::Kind::Texts;
        const bool texts = b.kind == ValueBlock::Kind::Texts || b.kind == ValueBlock::Kind::Mixed;
        if ((numbers && !b.numbers) || (texts && !b.lengths) || (b.kind == ValueBlock::Kind::Mixed && !b.types))
            RaiseInvalidPointer();
    }
    return b;
}

void Report(int32_t rows, int32_t cols, int32_t* rowsDone, int32_t* colsDone) {
    if (rowsDone) *rowsDone = rows;
    if (colsDone) *colsDone = cols;
}

} // namespace

} // namespace lattix::cabi

using namespace lattix;
using namespace lattix::cabi;

extern "C" {

LX_API int32_t lx_load_from_block(lx_object* grid, const lx_variant* start_row, const lx_variant* start_col,
                                  const lx_block* block, int32_t* rows_done, int32_t* cols_done, lx_error* error) {
    Report(0, 0, rows_done, cols_done);
    return Guarded(error, [&] {
        Lattix& g = CheckedGrid(grid);
        if (!start_row || !start_col || !block) RaiseInvalidPointer();
        const ValueBlock b = ToBlock(*block);
        const Variant row = FromC(*start_row), col = FromC(*start_col);
        ObjectRef keepAlive = grid->object;
        int32_t rows = 0, cols = 0;
        g.LoadFromBlock(row, col, b, &rows, &cols);
        Report(rows, cols, rows_done, cols_done);
    });
}

LX_API int32_t lx_load_into_block(lx_object* grid, const lx_variant* start_row, const lx_variant* start_col,
                                  lx_block* block, int32_t* rows_done, int32_t* cols_done, lx_error* error) {
    Report(0, 0, rows_done, cols_done);
    if (block) block->text_out = nullptr;
    return Guarded(error, [&] {
        Lattix& g = CheckedGrid(grid);
        if (!start_row || !start_col || !block) RaiseInvalidPointer();
        ValueBlock b = ToBlock(*block);
        // The texts go to memory the caller releases with lx_free, allocated before the block is
        // written so that the call still fails as a whole.
        char* out = nullptr;
        b.textAlloc = [&out](size_t bytes) {
            if (bytes == 0) return out;
            out = static_cast<char*>(std::malloc(bytes));
            if (!out) throw std::bad_alloc();
            return out;
        };
        const Variant row = FromC(*start_row), col = FromC(*start_col);
        int32_t rows = 0, cols = 0;
        try {
            g.LoadIntoBlock(row, col, b, &rows, &cols);
        } catch (...) {
            std::free(out);
            throw;
        }
        block->text_out = out;
        Report(rows, cols, rows_done, cols_done);
    });
}

LX_API void lx_free(void* p) { std::free(p); }

} // extern "C"
