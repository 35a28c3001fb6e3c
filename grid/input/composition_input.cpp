// Input methods on the grid window. Committed text is typed: each character arrives as WM_CHAR,
// so the first one starts an edit or feeds the key search exactly as a key would, and the rest go
// to the editor it opened. Text being composed starts an edit on the current cell where typing its
// first character would, and shows in the editor; an open editor gets the composition as it is.
#include "grid/lattix.h"
#include "platform/controls/edit_box.h"
#include "platform/gfx/utf8.h"
#include "platform/ui/window_manager.h"

namespace lattix {

namespace {
constexpr int32_t kKeyPressNone = 0;
} // namespace

bool Lattix::handleCompositionMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam, ui::LResult& result) {
    result = 0;
    switch (message) {
    case ui::WM_IME_STARTCOMPOSITION:
    case ui::WM_IME_ENDCOMPOSITION:
    case ui::WM_IME_COMPOSITION:
    case ui::WM_IME_REQUEST: break;
    default: return false;
    }
    ui::WindowManager& wm = ui::Wm();
    // The text editor takes the composition whole (the focus normally is there already).
    if (editing_ && controls::EditBox::FromWindow(editor_.hwnd) != nullptr) {
        result = wm.SendMessage(editor_.hwnd, message, wParam, lParam);
        return true;
    }
    const bool userMode = !options_.site || options_.site->userMode();
    if (message == ui::WM_IME_REQUEST) {
        auto* query = reinterpret_cast<ui::InputMethodQuery*>(lParam);
        if (query == nullptr) return true;
        *query = ui::InputMethodQuery{};
        query->enabled = userMode && paint_.enabled && keyPressBehaviour_ != kKeyPressNone;
        // The candidates open by the current cell, where its editor will be.
        if (validCell(curRow_, curCol_)) {
            RecalcVisibleRange();
            const gfx::Rect r = CellTextRect(curRow_, curCol_);
            if (r.width() > 0 && r.height() > 0) query->caret = ui::Rect{r.left, r.top, r.left + 1, r.bottom};
        }
        result = 1;
        return true;
    }
    if (message != ui::WM_IME_COMPOSITION || lParam == 0 || !userMode) return true;
    const auto& text = *reinterpret_cast<const ui::CompositionText*>(lParam);
    const ui::CompositionText composed{std::string(), text.preedit, text.cursor, text.cursorVisible};
    if (!text.commit.empty()) {
        const ui::CompositionText committed{text.commit, std::string(), -1, true};
        wm.DefWindowProc(hwnd_, message, 0, reinterpret_cast<ui::LParam>(&committed));
        if (hwnd_ == 0) return true;
    }
    if (composed.preedit.empty()) return true;
    if (!editing_) {
        const std::u32string chars = gfx::decodeUtf8(composed.preedit);
        requestEdit(static_cast<int32_t>(chars.front()), false, true);
    }
    if (editing_ && controls::EditBox::FromWindow(editor_.hwnd) != nullptr)
        wm.SendMessage(editor_.hwnd, ui::WM_IME_COMPOSITION, 0, reinterpret_cast<ui::LParam>(&composed));
    return true;
}

} // namespace lattix
