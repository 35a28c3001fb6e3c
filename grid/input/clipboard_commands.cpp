// Copy, cut, clear and paste of the selected cells as tab-separated text.
//
// Copy, cut and clear share one pass over the selected items in their enumeration order. Cut and
// clear ask RequestEdit for each cell first (a cancelled cell is neither copied nor cleared) and
// store the text it leaves through the shared edit commit path (CommitTextToCell). A copy keeps
// what it copied (texts and flags, copied rows x copied columns) with the clipboard's sequence
// number: while the clipboard still holds that copy, paste takes the cells from the buffer, so
// that holes in a scattered selection stay holes. Otherwise paste reads the clipboard's text (grid/input/tab_text.h).
//
// The passes over the cells hold the structure lock: RequestEdit and the commit events may change
// values but not add, remove or move rows and columns (522).
#include "grid/input/tab_text.h"
#include "grid/lattix.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"

namespace lattix {

// The row-text cell of an ordinary row takes part only when the grid shows row text: selecting a
// whole row selects it too, and copying it would add an empty column nobody sees.
bool Lattix::holdsCellText(int32_t row, int32_t colIndex) const {
    return colIndex <= colCount_ || rows_[row].isGroup() || RowHasRowText(row);
}

void Lattix::CopySelectedCells(bool withHeaders) { copyCutClear(false, true, withHeaders); }
void Lattix::CutSelectedCells() { copyCutClear(true, true, false); }
void Lattix::ClearSelectedCells() { copyCutClear(true, false, false); }

void Lattix::copyCutClear(bool clear, bool copy, bool withHeaders) {
    if (selection_.count() == 0) return;
    CopyBuffer buffer;
    const std::string out = copySelection(clear, copy, withHeaders, buffer);
    if (!copy) return;
    ui::Clipboard& clipboard = ui::Wm().GetClipboard();
    if (clipboard.SetText(hwnd_, out)) {
        buffer.clipboardSequence = clipboard.SequenceNumber();
        copyBuffer_ = std::move(buffer);
    } else {
        // The clipboard could not be opened: nothing was copied, and an older copy no longer
        // stands for what the clipboard holds.
        copyBuffer_ = CopyBuffer{};
    }
}

std::string Lattix::copySelection(bool clear, bool copy, bool withHeaders, CopyBuffer& buffer) {
    if (clear && editing_) EndEditing();
    const int32_t lastPos = colCount_ + 1;
    // Clearing raises events cell by cell, so it follows the published enumeration order; a plain
    // copy may read the cells in row order, which is much kinder to the caches. With handlers to
    // hear the dynamic text the pass walks a copy of the set, which they may change.
    const bool snapshot = clear || events_.hasSinks();
    const std::vector<SelItem> items = snapshot ? selection_.items() : std::vector<SelItem>{};
    auto forEachItem = [&](auto&& f) {
        if (snapshot) {
            for (const SelItem& item : items) f(item);
        } else {
            selection_.forEachSorted(1, rows_.count(), 1, lastPos, [&](SelItem item) { f(item); });
        }
    };
    std::vector<int32_t> posOfIndex(static_cast<size_t>(lastPos) + 1, 0);
    for (int32_t p = 1; p <= lastPos; ++p) posOfIndex[static_cast<size_t>(cols_[static_cast<size_t>(p)].index)] = p;

    // The cells of each selected item: in row mode every visible column of the row (a group row its
    // row-text cell).
    std::vector<int32_t> visibleIndexes;
    for (int32_t p = 1; p <= lastPos; ++p)
        if (cols_[static_cast<size_t>(p)].visible) visibleIndexes.push_back(cols_[static_cast<size_t>(p)].index);
    auto forEachCell = [&](const SelItem& item, auto&& f) {
        if (item.row < 1 || item.row > rows_.count()) return;
        if (!rowMode_) {
            if (item.col >= 1 && item.col <= lastPos && holdsCellText(item.row, item.col)) f(item.row, item.col);
        } else if (rows_[item.row].isGroup()) {
            f(item.row, lastPos);
        } else {
            for (int32_t c : visibleIndexes)
                if (holdsCellText(item.row, c)) f(item.row, c);
        }
    };

    // Copied rows and columns, numbered in ascending row and display position order.
    std::vector<int32_t> rowNumber, posNumber(static_cast<size_t>(lastPos) + 1, 0);
    int32_t copiedRows = 0, copiedCols = 0;
    if (copy) {
        rowNumber.assign(static_cast<size_t>(rows_.count()) + 1, 0);
        forEachItem([&](const SelItem& item) {
            forEachCell(item, [&](int32_t row, int32_t colIndex) {
                rowNumber[static_cast<size_t>(row)] = 1;
                if (const int32_t pos = posOfIndex[static_cast<size_t>(colIndex)]; pos > 0) posNumber[static_cast<size_t>(pos)] = 1;
            });
        });
        for (int32_t& n : rowNumber)
            if (n) n = ++copiedRows;
        for (int32_t& n : posNumber)
            if (n) n = ++copiedCols;
    }
    if (copy) {
        buffer.rows = copiedRows;
        buffer.cols = copiedCols;
        buffer.texts.resize(static_cast<size_t>(copiedRows) * static_cast<size_t>(copiedCols));
        buffer.copied.assign(buffer.texts.size(), 0);
    }

    {
        UpdateSuspension suspend(*this);
        StructureLock lock(*this);
        forEachItem([&](const SelItem& item) {
            forEachCell(item, [&](int32_t row, int32_t colIndex) {
                // An event handler may have removed rows or columns on the way.
                if (row > rows_.count() || colIndex > colCount_ + 1) return;
                std::string text;
                if (clear) {
                    const EditRequestAnswer answer = RaiseRequestEdit(row, colIndex, 0, std::string());
                    if (answer.cancel) return;
                    text = answer.text;
                    if (row > rows_.count() || colIndex > colCount_ + 1) return;
                }
                if (copy && row < static_cast<int32_t>(rowNumber.size()) && colIndex <= lastPos) {
                    const int32_t r = rowNumber[static_cast<size_t>(row)];
                    const int32_t c = posNumber[static_cast<size_t>(posOfIndex[static_cast<size_t>(colIndex)])];
                    if (r > 0 && c > 0) {
                        const size_t at = static_cast<size_t>(r - 1) * static_cast<size_t>(copiedCols) + static_cast<size_t>(c - 1);
                        buffer.texts[at] = DisplayedText(row, colIndex);
                        buffer.copied[at] = 1;
                    }
                }
                if (clear) CommitTextToCell(row, colIndex, text, false, -1);
            });
        });
    }
    if (!copy) return {};

    std::string out;
    out.reserve(buffer.texts.size() * 8);
    if (withHeaders) {
        bool first = true;
        for (int32_t p = 1; p <= lastPos; ++p) {
            if (!posNumber[static_cast<size_t>(p)]) continue;
            if (!first) out.push_back('\t');
            first = false;
            AppendTabField(out, cols_[static_cast<size_t>(p)].headerText);
        }
        out.append("\r\n");
    }
    // Every row ends with CR LF, the last one too, as spreadsheets write it: a reader drops one
    // trailing line end, so without it a last row of empty cells would be lost.
    for (int32_t r = 0; r < copiedRows; ++r) {
        for (int32_t c = 0; c < copiedCols; ++c) {
            if (c > 0) out.push_back('\t');
            AppendTabField(out, buffer.texts[static_cast<size_t>(r) * static_cast<size_t>(copiedCols) + static_cast<size_t>(c)]);
        }
        out.append("\r\n");
    }
    return out;
}

bool Lattix::pasteTargetFits(int32_t sourceRows, int32_t sourceCols, std::vector<int32_t>& targetRows,
                             std::vector<int32_t>& targetCols) {
    for (int32_t r = curRow_; r <= rows_.count() && static_cast<int32_t>(targetRows.size()) < sourceRows; ++r)
        if (rows_[r].displayed()) targetRows.push_back(r);
    const int32_t startPos = PositionOfIndex(curCol_);
    for (int32_t p = startPos; p >= 1 && p <= colCount_ + 1 && static_cast<int32_t>(targetCols.size()) < sourceCols; ++p) {
        const ColumnRecord& c = cols_[static_cast<size_t>(p)];
        // The row-text column takes part only when the paste starts in it.
        if (c.visible && (p <= colCount_ || p == startPos)) targetCols.push_back(c.index);
    }
    const bool rowsShort = static_cast<int32_t>(targetRows.size()) < sourceRows && !Virtual();
    return static_cast<int32_t>(targetCols.size()) >= sourceCols && !rowsShort;
}

void Lattix::PasteFromClipboard() {
    if (curRow_ < 1 || curCol_ < 1 || curRow_ > rows_.count() || curCol_ > colCount_ + 1) return;
    ui::Clipboard& clipboard = ui::Wm().GetClipboard();
    const bool fromBuffer = copyBuffer_.valid() && clipboard.SequenceNumber() == copyBuffer_.clipboardSequence;
    TabTable table;
    if (!fromBuffer) {
        std::optional<std::string> text = clipboard.GetText(hwnd_);
        if (!text || text->empty()) return;
        table = ReadTabText(*text);
        if (table.empty()) return;
    }
    // The buffer may be replaced by a copy an event handler makes: paste from a snapshot.
    const CopyBuffer buffer = fromBuffer ? copyBuffer_ : CopyBuffer{};
    const int32_t sourceRows = fromBuffer ? buffer.rows : static_cast<int32_t>(table.rows.size());
    const int32_t sourceCols = fromBuffer ? buffer.cols : static_cast<int32_t>(table.columns);
    if (editing_) EndEditing();

    std::vector<int32_t> targetRows, targetCols;
    if (!pasteTargetFits(sourceRows, sourceCols, targetRows, targetCols)) {
        const int answer = ui::Wm().MessageBox(hwnd_, UIStrings(16), UIStrings(31), ui::MB_YESNO | ui::MB_ICONQUESTION);
        if (answer != ui::IDYES) return;
    }
    if (Virtual()) {
        while (static_cast<int32_t>(targetRows.size()) < sourceRows && RequestVirtualRow())
            if (rows_[rows_.count()].displayed()) targetRows.push_back(rows_.count());
    }

    // The source text of block cell (i, j), nullptr where there is none (a hole, a short line).
    auto sourceText = [&](int32_t i, int32_t j) -> const std::string* {
        if (fromBuffer) {
            const size_t at = static_cast<size_t>(i) * static_cast<size_t>(buffer.cols) + static_cast<size_t>(j);
            return buffer.copied[at] ? &buffer.texts[at] : nullptr;
        }
        const std::vector<std::string>& line = table.rows[static_cast<size_t>(i)];
        return j < static_cast<int32_t>(line.size()) ? &line[static_cast<size_t>(j)] : nullptr;
    };

    {
        UpdateSuspension suspend(*this);
        StructureLock lock(*this);
        if (sourceRows == 1 && sourceCols == 1) {
            const std::string* one = sourceText(0, 0);
            if (!one) return;
            const std::string text = *one;
            // One value fills every selected cell (the current cell when nothing is selected).
            std::vector<std::pair<int32_t, int32_t>> cells;
            for (const SelItem& item : selection_.items()) {
                if (item.row < 1 || item.row > rows_.count()) continue;
                if (!rowMode_) {
                    if (holdsCellText(item.row, item.col)) cells.emplace_back(item.row, item.col);
                } else if (rows_[item.row].isGroup()) {
                    cells.emplace_back(item.row, colCount_ + 1);
                } else {
                    for (int32_t p = 1; p <= colCount_ + 1; ++p) {
                        const ColumnRecord& c = cols_[static_cast<size_t>(p)];
                        if (c.visible && holdsCellText(item.row, c.index)) cells.emplace_back(item.row, c.index);
                    }
                }
            }
            if (cells.empty()) cells.emplace_back(curRow_, curCol_);
            for (const auto& [row, col] : cells)
                if (row <= rows_.count() && col <= colCount_ + 1) pasteOneCell(row, col, text);
        } else {
            for (size_t i = 0; i < targetRows.size() && static_cast<int32_t>(i) < sourceRows; ++i) {
                for (size_t j = 0; j < targetCols.size() && static_cast<int32_t>(j) < sourceCols; ++j) {
                    const std::string* text = sourceText(static_cast<int32_t>(i), static_cast<int32_t>(j));
                    if (!text) continue;
                    if (targetRows[i] > rows_.count() || targetCols[j] > colCount_ + 1) continue;
                    pasteOneCell(targetRows[i], targetCols[j], *text);
                }
            }
        }
    }
    FlushPendingEvents();
}

void Lattix::pasteOneCell(int32_t row, int32_t colIndex, const std::string& source) {
    std::string text = source;
    // RequestEdit may cancel the cell or adjust its text (nobody to ask when nothing listens).
    if (events_.hasSinks()) {
        const EditRequestAnswer answer = RaiseRequestEdit(row, colIndex, 0, source);
        if (answer.cancel || row > rows_.count() || colIndex > colCount_ + 1) return;
        text = ApplyTextEditOptions(answer.text, answer.textEditOpt, answer.maxLength);
    }
    if (multiSelect_) {
        if (rowMode_) selectRow(row, true);
        else selectCell(row, colIndex, true);
        // A cell that was not selected before joined the selection: the set of selected cells changed.
        if (selChangePending_) selContentsChanged_ = true;
    }
    CommitTextToCell(row, colIndex, text, false, -1);
}

} // namespace lattix
