// Input methods in the edit box: the text being composed, shown underlined at the start of the
// selection with its own caret, the committed text taken as typed, and the answers to the host's
// questions about the caret and the text around it.
#include <algorithm>

#include "platform/controls/edit_box.h"
#include "platform/gfx/device_context.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/utf8.h"

namespace lattix::controls {

using namespace ui;

namespace {

// Control characters type nothing, composed or committed.
std::u32string printable(const std::string& utf8) {
    std::u32string text = gfx::decodeUtf8(utf8);
    std::erase_if(text, [](char32_t c) { return c < 32 || c == 127; });
    return text;
}

} // namespace

std::string EditBox::Preedit() const { return gfx::encodeUtf8(preedit_); }

void EditBox::OnComposition(const CompositionText& text) {
    std::u32string commit = printable(text.commit);
    // Typed one by one, characters other than digits would each be refused by a number-only box.
    if (Style() & ES_NUMBER) std::erase_if(commit, [](char32_t c) { return c < U'0' || c > U'9'; });
    const bool hadPreedit = !preedit_.empty();
    preedit_.clear();
    const bool replacing = text.replaceLength > 0;
    if (replacing) {
        // The text replaced lies on the caret's line.
        const int line = LineOfPos(caret_);
        const long long start = LineStart(line), end = LineEnd(line);
        const long long from = std::clamp(static_cast<long long>(caret_) + text.replaceFrom, start, end);
        anchor_ = static_cast<int>(from);
        caret_ = static_cast<int>(std::clamp(from + text.replaceLength, from, end));
    }
    if (!commit.empty() || replacing) {
        const Hwnd self = hwnd_;
        InsertText(std::move(commit));
        // The parent, told of the change, may have destroyed the box.
        if (FromWindow(self) != this) return;
    }
    preedit_ = printable(text.preedit);
    const int size = static_cast<int>(preedit_.size());
    preeditCursor_ = text.cursor < 0 ? size : std::min(text.cursor, size);
    preeditCursorVisible_ = text.cursorVisible;
    ScrollToPreeditCaret();
    if (hadPreedit || !preedit_.empty()) Wm().InvalidateRect(hwnd_, nullptr, false);
}

void EditBox::EndComposition() {
    if (preedit_.empty()) return;
    preedit_.clear();
    preeditCursor_ = 0;
    preeditCursorVisible_ = true;
    Wm().InvalidateRect(hwnd_, nullptr, false);
}

EditBox::ComposedLine EditBox::Composed() const {
    ComposedLine c;
    c.at = SelStart();
    c.line = LineOfPos(c.at);
    c.start = LineStart(c.line);
    const std::u32string_view line =
        std::u32string_view(text_).substr(static_cast<size_t>(c.start), static_cast<size_t>(LineEnd(c.line) - c.start));
    c.text.assign(line);
    c.text.insert(static_cast<size_t>(c.at - c.start), preedit_);
    const bool rtl = Wm().GetExStyle(hwnd_) & WS_EX_RTLREADING;
    c.shaped = gfx::shapeText(*font_, c.text, rtl ? gfx::TextDirection::RightToLeft : gfx::TextDirection::Auto);
    c.left = TextLeft(*c.shaped);
    return c;
}

Rect EditBox::CaretRect() const {
    const int lh = LineHeight();
    if (preedit_.empty()) {
        const Point p = PosFromChar(caret_);
        return Rect{p.x, p.y, p.x + 1, p.y + lh};
    }
    const ComposedLine c = Composed();
    const int cursor = std::clamp(preeditCursor_, 0, static_cast<int>(preedit_.size()));
    const int x = c.left + c.shaped->caretX(static_cast<size_t>(c.at - c.start + cursor));
    const int y = (c.line - topLine_) * lh;
    return Rect{x, y, x + 1, y + lh};
}

// Keeps the composition's caret in view the way typing keeps the caret in view.
void EditBox::ScrollToPreeditCaret() {
    if (preedit_.empty() || !(Style() & ES_AUTOHSCROLL)) return;
    const int x = CaretRect().left;
    const int room = Wm().GetClientRect(hwnd_).width() - marginRight_;
    if (x >= room) scrollX_ += x - room + std::max(1, room / 4);
    else if (x < marginLeft_) scrollX_ = std::max(0, scrollX_ - (marginLeft_ - x) - std::max(0, room / 4));
    else return;
    UpdateScrollBars();
}

void EditBox::AnswerInputMethod(InputMethodQuery& query) const {
    const std::uint32_t style = Style();
    query.enabled = true;
    query.caret = CaretRect();
    const int line = LineOfPos(caret_);
    const int start = LineStart(line), end = LineEnd(line);
    query.surroundingText =
        gfx::encodeUtf8(std::u32string_view(text_).substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    query.cursor = caret_ - start;
    query.anchor = std::clamp(anchor_, start, end) - start;
    query.selectedText = SelText();
    query.hints = 0;
    if (style & ES_NUMBER) query.hints |= IMH_DIGITS_ONLY;
    if (style & ES_UPPERCASE) query.hints |= IMH_UPPERCASE_ONLY;
    if (style & ES_LOWERCASE) query.hints |= IMH_LOWERCASE_ONLY;
    if (style & ES_MULTILINE) query.hints |= IMH_MULTILINE;
}

// Draws the line of the composition again: the line with the composition inserted at the
// selection (shaped as one text, so joins and direction are right), the composition underlined,
// and the selection the commit will replace still lit.
void EditBox::PaintComposition(gfx::DeviceContext& dc, gfx::Color ink, gfx::Color back, bool focused) {
    const Rect client = Wm().GetClientRect(hwnd_);
    const int lh = LineHeight();
    const ComposedLine c = Composed();
    const int y = (c.line - topLine_) * lh;
    if (y + lh <= 0 || y >= client.height()) return;
    const int baseline = y + font_->metrics().ascent;
    dc.fillRect(Rect{0, y, client.width(), y + lh}, back);
    dc.setTextColor(ink);
    dc.drawShapedText(c.left, baseline, *c.shaped, nullptr);
    const size_t from = static_cast<size_t>(c.at - c.start), to = from + preedit_.size();
    const int thickness = std::max(1, font_->underlineThickness());
    const int underline = y + std::min(lh - thickness, font_->metrics().ascent + font_->underlineOffset());
    for (const auto& [l, r] : c.shaped->spans(from, to))
        dc.fillRect(Rect{c.left + l, underline, c.left + r, underline + thickness}, ink);
    const int selectedTo = std::min(SelEnd(), LineEnd(c.line));
    if (focused && c.at < selectedTo) {
        dc.setTextColor(gfx::sysColor(gfx::COLOR_HIGHLIGHTTEXT));
        for (const auto& [l, r] : c.shaped->spans(to, to + static_cast<size_t>(selectedTo - c.at))) {
            const Rect piece{c.left + l, y, c.left + r, y + lh};
            dc.fillRect(piece, gfx::sysColor(gfx::COLOR_HIGHLIGHT));
            dc.drawShapedText(c.left, baseline, *c.shaped, &piece);
        }
    }
    if (focused && preeditCursorVisible_) dc.fillRect(CaretRect(), ink);
}

} // namespace lattix::controls
