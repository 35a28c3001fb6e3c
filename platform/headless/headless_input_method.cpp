// The headless host's input method: compositions injected as a real input method sends them to
// the window with the focus, and its query of the focused window's caret and text.
#include <stdexcept>

#include "platform/gfx/utf8.h"
#include "platform/headless/headless_host.h"

namespace lattix::ui::headless {

void HeadlessHost::StartComposition() { Wm().InjectCompositionStart(); }

void HeadlessHost::UpdateComposition(const std::string& preedit, int cursor) {
    const int length = static_cast<int>(gfx::decodeUtf8(preedit).size());
    if (cursor < -1 || cursor > length) throw std::invalid_argument("composition cursor out of range");
    CompositionText text;
    text.preedit = preedit;
    text.cursor = cursor;
    WindowManager& wm = Wm();
    if (preedit.empty()) {
        // Nothing left being composed: the composition ends as a cancelled one does.
        wm.InjectCompositionEnd();
        return;
    }
    wm.InjectComposition(text);
}

void HeadlessHost::CommitComposition(const std::string& text) {
    WindowManager& wm = Wm();
    CompositionText committed;
    committed.commit = text;
    // Committing nothing still ends the composition, dropping what was composed.
    if (text.empty()) wm.InjectCompositionEnd();
    else wm.InjectComposition(committed);
}

void HeadlessHost::CancelComposition() { Wm().InjectCompositionEnd(); }

bool HeadlessHost::QueryInputMethod(InputMethodQuery& query) const {
    WindowManager& wm = Wm();
    if (wm.QueryInputMethod(query) == 0) return false;
    Point topLeft{query.caret.left, query.caret.top};
    wm.ScreenToClient(topLevel_, topLeft);
    query.caret = Rect{topLeft.x, topLeft.y, topLeft.x + query.caret.width(), topLeft.y + query.caret.height()};
    return true;
}

} // namespace lattix::ui::headless
