#include "platform/controls/edit_box.h"
#include "platform/controls/control_window.h"

#include <algorithm>

#include "platform/gfx/device_context.h"
#include "platform/gfx/grapheme.h"
#include "platform/gfx/shaped_text.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/utf8.h"

namespace lattix::controls {

using namespace ui;

namespace {

// A colour the system cannot translate (no colour, an unknown system index) paints as the box's
// default for that role.
gfx::Color resolve(gfx::Color c, int defaultIndex) {
    return gfx::systemColors().translate(c).value_or(gfx::sysColor(defaultIndex));
}

bool isWordChar(char32_t c) { return c > U' ' && c != U'\r' && c != U'\n'; }

std::u32string withCrLf(std::u32string_view text) {
    // Line breaks arrive as CR LF, LF or CR; the box keeps CR LF.
    std::u32string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'\r') {
            out += U"\r\n";
            if (i + 1 < text.size() && text[i + 1] == U'\n') ++i;
        } else if (text[i] == U'\n') {
            out += U"\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

Hwnd EditBox::Create(Hwnd parent, const Rect& rect, std::uint32_t style, std::uint32_t exStyle, int id) {
    WindowManager& wm = Wm();
    if (!wm.IsWindow(parent)) return 0;
    if (!wm.IsClassRegistered(kEditClassName)) {
        WindowClass c;
        c.name = kEditClassName;
        c.proc = &EditBox::Proc;
        c.background = gfx::CLR_NONE;
        c.cursor = Cursor::IBeam;
        if (!wm.RegisterClass(c)) return 0;
    }
    CreateParams p;
    p.className = kEditClassName;
    p.style = WS_CHILD | style;
    p.exStyle = exStyle;
    p.rect = rect;
    p.parent = parent;
    p.id = id;
    Hwnd hwnd = wm.CreateWindow(p);
    if (FromWindow(hwnd) == nullptr) return 0;
    return hwnd;
}

EditBox* EditBox::FromWindow(Hwnd hwnd) { return ControlOf<EditBox>(hwnd, kEditClassName); }

LResult EditBox::Proc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    return RunControlProc<EditBox>(
        hwnd, message, wParam, lParam,
        [hwnd] {
            auto* self = new EditBox(hwnd);
            self->font_ = gfx::Font::create(gfx::FontSpec{});
            return self;
        },
        [&](EditBox* self) { return self->Handle(message, wParam, lParam); });
}

std::uint32_t EditBox::Style() const { return Wm().GetStyle(hwnd_); }

LResult EditBox::Handle(MessageId message, WParam wParam, LParam lParam) {
    WindowManager& wm = Wm();
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PaintStruct ps;
        gfx::DeviceContext* dc = wm.BeginPaint(hwnd_, ps);
        if (dc) Paint(*dc);
        wm.EndPaint(hwnd_, ps);
        return 0;
    }
    case WM_SIZE:
        EnsureCaretVisible();
        return 0;
    case WM_SETFOCUS: wm.InvalidateRect(hwnd_, nullptr, false); return 0;
    case WM_KILLFOCUS:
        // The input method commits or drops its text when the focus moves; none stays shown here.
        EndComposition();
        wm.InvalidateRect(hwnd_, nullptr, false);
        return 0;
    case WM_GETDLGCODE: return 0x0001 | 0x0002 | 0x0004 | 0x0080;
    case WM_KEYDOWN: OnKeyDown(static_cast<int>(wParam)); return 0;
    case WM_CHAR: OnChar(static_cast<char32_t>(wParam)); return 0;
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION: EndComposition(); return 0;
    case WM_IME_COMPOSITION:
        if (lParam != 0) OnComposition(*reinterpret_cast<const CompositionText*>(lParam));
        return 0;
    case WM_IME_REQUEST:
        if (lParam == 0) return 0;
        AnswerInputMethod(*reinterpret_cast<InputMethodQuery*>(lParam));
        return 1;
    case WM_CUT: Cut(); return 0;
    case WM_COPY: Copy(); return 0;
    case WM_PASTE: Paste(); return 0;
    case WM_CLEAR: Clear(); return 0;
    case WM_LBUTTONDOWN: {
        if (wm.GetFocus() != hwnd_) wm.SetFocus(hwnd_);
        const int pos = CharFromPoint(GetXLParam(lParam), GetYLParam(lParam));
        MoveCaret(pos, (wParam & MK_SHIFT) != 0);
        selecting_ = true;
        wm.SetCapture(hwnd_);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (selecting_) MoveCaret(CharFromPoint(GetXLParam(lParam), GetYLParam(lParam)), true);
        return 0;
    case WM_LBUTTONUP:
        if (selecting_) {
            selecting_ = false;
            if (wm.GetCapture() == hwnd_) wm.ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED: selecting_ = false; return 0;
    case WM_LBUTTONDBLCLK: {
        // Selects the word under the pointer.
        int a = CharFromPoint(GetXLParam(lParam), GetYLParam(lParam)), b = a;
        while (a > 0 && isWordChar(text_[static_cast<size_t>(a - 1)])) --a;
        while (b < Length() && isWordChar(text_[static_cast<size_t>(b)])) ++b;
        SetSel(a, b);
        return 0;
    }
    case WM_RBUTTONUP: {
        Point p{GetXLParam(lParam), GetYLParam(lParam)};
        wm.ClientToScreen(hwnd_, p);
        ShowContextMenu(p);
        return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL: {
        const bool vert = message == WM_VSCROLL;
        const int code = LoWord(wParam);
        const int step = vert ? 1 : 8;
        const int page = vert ? std::max(1, VisibleLines()) : std::max(8, wm.GetClientRect(hwnd_).width() / 2);
        int& value = vert ? topLine_ : scrollX_;
        switch (code) {
        case SB_LINEUP: value -= step; break;
        case SB_LINEDOWN: value += step; break;
        case SB_PAGEUP: value -= page; break;
        case SB_PAGEDOWN: value += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: value = HiWord(wParam); break;
        case SB_TOP: value = 0; break;
        default: break;
        }
        value = std::max(0, std::min(value, vert ? LineCount() - 1 : 100000));
        UpdateScrollBars();
        wm.InvalidateRect(hwnd_, nullptr, false);
        return 0;
    }
    default: return wm.DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

// ---- text and selection ----

std::string EditBox::Text() const { return gfx::encodeUtf8(text_); }

void EditBox::SetText(const std::string& utf8) {
    text_ = withCrLf(gfx::decodeUtf8(utf8));
    if (limit_ > 0 && Length() > limit_) text_.resize(gfx::graphemeFloor(text_, static_cast<size_t>(limit_)));
    caret_ = anchor_ = 0;
    topLine_ = scrollX_ = 0;
    UpdateScrollBars();
    Wm().InvalidateRect(hwnd_, nullptr, false);
}

void EditBox::SetSel(int anchor, int caret) {
    const int n = Length();
    anchor_ = anchor < 0 ? n : std::min(anchor, n);
    caret_ = caret < 0 ? n : std::min(caret, n);
    EnsureCaretVisible();
    Wm().InvalidateRect(hwnd_, nullptr, false);
}

std::string EditBox::SelText() const {
    return gfx::encodeUtf8(std::u32string_view(text_).substr(static_cast<size_t>(SelStart()),
                                                             static_cast<size_t>(SelEnd() - SelStart())));
}

void EditBox::ReplaceSel(const std::string& utf8) { InsertText(gfx::decodeUtf8(utf8)); }

void EditBox::InsertText(std::u32string text) {
    const std::uint32_t style = Style();
    text = withCrLf(text);
    if (!(style & ES_MULTILINE)) {
        const size_t cut = text.find(U'\r');
        if (cut != std::u32string::npos) text.resize(cut);
    }
    for (char32_t& c : text) {
        if (style & ES_UPPERCASE) {
            if (c >= U'a' && c <= U'z') c -= 32;
        } else if (style & ES_LOWERCASE) {
            if (c >= U'A' && c <= U'Z') c += 32;
        }
    }
    // Number-only boxes take digits alone: a paste with anything else is refused as a whole.
    if (style & ES_NUMBER)
        for (char32_t c : text)
            if (c < U'0' || c > U'9') return;
    const int start = SelStart(), end = SelEnd();
    if (limit_ > 0) {
        const int room = limit_ - (Length() - (end - start));
        if (room <= 0) text.clear();
        else if (static_cast<int>(text.size()) > room) text.resize(gfx::graphemeFloor(text, static_cast<size_t>(room)));
        // Never leave half a line break behind.
        if (!text.empty() && text.back() == U'\r') text.pop_back();
        if (text.empty() && start == end) return;
    }
    undoText_ = text_;
    undoCaret_ = caret_;
    text_.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), text);
    caret_ = anchor_ = start + static_cast<int>(text.size());
    EnsureCaretVisible();
    UpdateScrollBars();
    Wm().InvalidateRect(hwnd_, nullptr, false);
    Notify();
}

void EditBox::Notify() {
    WindowManager& wm = Wm();
    const Hwnd parent = wm.GetParent(hwnd_);
    if (parent != 0)
        wm.SendMessage(parent, WM_COMMAND, MakeWParam(wm.GetDlgCtrlID(hwnd_), EN_CHANGE), static_cast<LParam>(hwnd_));
}

void EditBox::SetMargins(int left, int right) {
    marginLeft_ = std::max(0, left);
    marginRight_ = std::max(0, right);
    EnsureCaretVisible();
    Wm().InvalidateRect(hwnd_, nullptr, false);
}

void EditBox::SetFont(gfx::FontPtr font) {
    font_ = font ? std::move(font) : gfx::Font::create(gfx::FontSpec{});
    EnsureCaretVisible();
    Wm().InvalidateRect(hwnd_, nullptr, false);
}

void EditBox::SetColors(gfx::Color text, gfx::Color back) {
    textColor_ = text;
    backColor_ = back;
    Wm().InvalidateRect(hwnd_, nullptr, false);
}

// ---- clipboard ----

void EditBox::Copy() {
    if (SelStart() == SelEnd()) return;
    Wm().GetClipboard().SetText(hwnd_, SelText());
}

void EditBox::Cut() {
    if (SelStart() == SelEnd()) return;
    Copy();
    InsertText(U"");
}

void EditBox::Paste() {
    const std::optional<std::string> text = Wm().GetClipboard().GetText(hwnd_);
    if (text) InsertText(gfx::decodeUtf8(*text));
}

void EditBox::Clear() {
    if (SelStart() != SelEnd()) InsertText(U"");
}

int EditBox::ShowContextMenu(Point screen) {
    WindowManager& wm = Wm();
    const bool hasSel = SelStart() != SelEnd();
    const bool readOnly = false;
    PopupMenu menu;
    menu.AppendItem(kEditMenuUndo, "&Undo", !undoText_.empty() || undoText_ != text_);
    menu.AppendSeparator();
    menu.AppendItem(kEditMenuCut, "Cu&t", hasSel && !readOnly);
    menu.AppendItem(kEditMenuCopy, "&Copy", hasSel);
    menu.AppendItem(kEditMenuPaste, "&Paste", wm.GetClipboard().GetText(hwnd_).has_value());
    menu.AppendItem(kEditMenuDelete, "&Delete", hasSel);
    menu.AppendSeparator();
    menu.AppendItem(kEditMenuSelectAll, "Select &All", Length() > 0);
    const int command = wm.TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen, hwnd_);
    switch (command) {
    case kEditMenuUndo: {
        std::swap(undoText_, text_);
        caret_ = anchor_ = std::min(undoCaret_, Length());
        EnsureCaretVisible();
        wm.InvalidateRect(hwnd_, nullptr, false);
        Notify();
        break;
    }
    case kEditMenuCut: Cut(); break;
    case kEditMenuCopy: Copy(); break;
    case kEditMenuPaste: Paste(); break;
    case kEditMenuDelete: Clear(); break;
    case kEditMenuSelectAll: SelectAll(); break;
    default: break;
    }
    return command;
}

// ---- keys ----

void EditBox::OnKeyDown(int key) {
    WindowManager& wm = Wm();
    const bool shift = wm.GetKeyState(VK_SHIFT) < 0, ctrl = wm.GetKeyState(VK_CONTROL) < 0;
    const int line = LineOfPos(caret_);
    switch (key) {
    case VK_LEFT: {
        if (!shift && SelStart() != SelEnd()) return MoveCaret(SelStart(), false);
        int p = caret_;
        if (ctrl) {
            while (p > 0 && !isWordChar(text_[static_cast<size_t>(p - 1)])) --p;
            while (p > 0 && isWordChar(text_[static_cast<size_t>(p - 1)])) --p;
        } else if (p > 0) {
            p = static_cast<int>(gfx::previousGraphemeBoundary(text_, static_cast<size_t>(p)));
        }
        return MoveCaret(p, shift);
    }
    case VK_RIGHT: {
        if (!shift && SelStart() != SelEnd()) return MoveCaret(SelEnd(), false);
        int p = caret_;
        if (ctrl) {
            while (p < Length() && isWordChar(text_[static_cast<size_t>(p)])) ++p;
            while (p < Length() && !isWordChar(text_[static_cast<size_t>(p)])) ++p;
        } else if (p < Length()) {
            p = static_cast<int>(gfx::nextGraphemeBoundary(text_, static_cast<size_t>(p)));
        }
        return MoveCaret(std::min(p, Length()), shift);
    }
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        const int lines = (key == VK_PRIOR || key == VK_NEXT) ? std::max(1, VisibleLines()) : 1;
        const int target = std::clamp(line + ((key == VK_UP || key == VK_PRIOR) ? -lines : lines), 0, LineCount() - 1);
        if (target == line) return MoveCaret(key == VK_UP || key == VK_PRIOR ? LineStart(line) : LineEnd(line), shift);
        const Point p = PosFromChar(caret_);
        const int y = (target - topLine_) * LineHeight();
        return MoveCaret(CharFromPoint(p.x, y), shift);
    }
    case VK_HOME: return MoveCaret(ctrl ? 0 : LineStart(line), shift);
    case VK_END: return MoveCaret(ctrl ? Length() : LineEnd(line), shift);
    case VK_DELETE:
        if (SelStart() == SelEnd()) {
            if (caret_ >= Length()) return;
            anchor_ = static_cast<int>(gfx::nextGraphemeBoundary(text_, static_cast<size_t>(caret_)));
        }
        if (shift) Cut();
        else InsertText(U"");
        return;
    case VK_INSERT:
        if (ctrl) Copy();
        else if (shift) Paste();
        return;
    default: return;
    }
}

void EditBox::OnChar(char32_t ch) {
    const std::uint32_t style = Style();
    switch (ch) {
    case 1: SelectAll(); return;   // Ctrl+A
    case 3: Copy(); return;        // Ctrl+C
    case 22: Paste(); return;      // Ctrl+V
    case 24: Cut(); return;        // Ctrl+X
    case 8:                        // Backspace
        if (SelStart() == SelEnd()) {
            if (caret_ == 0) return;
            anchor_ = static_cast<int>(gfx::previousGraphemeBoundary(text_, static_cast<size_t>(caret_)));
        }
        InsertText(U"");
        return;
    case U'\n':                    // Ctrl+Enter: a line break
        if (style & ES_MULTILINE) InsertText(U"\r\n");
        return;
    case U'\r':
        if ((style & ES_MULTILINE) && (style & ES_WANTRETURN)) InsertText(U"\r\n");
        return;
    case U'\t':
        if (style & ES_MULTILINE) InsertText(U"\t");
        return;
    default:
        if (ch < 32 || ch == 127) return;
        InsertText(std::u32string(1, ch));
        return;
    }
}

void EditBox::MoveCaret(int pos, bool extend) {
    caret_ = std::clamp(pos, 0, Length());
    if (!extend) anchor_ = caret_;
    EnsureCaretVisible();
    Wm().InvalidateRect(hwnd_, nullptr, false);
}

// ---- layout ----

int EditBox::LineCount() const {
    int n = 1;
    for (char32_t c : text_)
        if (c == U'\n') ++n;
    return n;
}

int EditBox::LineStart(int line) const {
    int l = 0;
    for (int i = 0; i < Length(); ++i) {
        if (l == line) return i;
        if (text_[static_cast<size_t>(i)] == U'\n') ++l;
    }
    return l == line ? Length() : Length();
}

int EditBox::LineEnd(int line) const {
    int p = LineStart(line);
    while (p < Length() && text_[static_cast<size_t>(p)] != U'\r' && text_[static_cast<size_t>(p)] != U'\n') ++p;
    return p;
}

int EditBox::LineOfPos(int pos) const {
    int l = 0;
    for (int i = 0; i < pos && i < Length(); ++i)
        if (text_[static_cast<size_t>(i)] == U'\n') ++l;
    return l;
}

int EditBox::LineHeight() const { return std::max(1, font_->metrics().height); }

int EditBox::VisibleLines() const { return std::max(1, Wm().GetClientRect(hwnd_).height() / LineHeight()); }

gfx::ShapedTextPtr EditBox::LineShape(int line) const {
    const int start = LineStart(line), end = LineEnd(line);
    const bool rtl = Wm().GetExStyle(hwnd_) & WS_EX_RTLREADING;
    return gfx::shapeText(*font_, std::u32string_view(text_).substr(static_cast<size_t>(start), static_cast<size_t>(end - start)),
                          rtl ? gfx::TextDirection::RightToLeft : gfx::TextDirection::Auto);
}

// Left edge of a line's text in client coordinates: right-aligned lines end at the right margin.
// A left-aligned line that reads right to left is aligned right, where its reading starts.
int EditBox::LineLeft(int line) const { return TextLeft(*LineShape(line)); }

int EditBox::TextLeft(const gfx::ShapedText& shaped) const {
    const Rect client = Wm().GetClientRect(hwnd_);
    const bool right = (Style() & ES_RIGHT) || (Wm().GetExStyle(hwnd_) & WS_EX_RTLREADING) ||
                       (!(Style() & ES_CENTER) && shaped.rightToLeft);
    if (Style() & ES_CENTER && !right)
        return marginLeft_ + (client.width() - marginLeft_ - marginRight_ - shaped.advance) / 2 - scrollX_;
    if (!right) return marginLeft_ - scrollX_;
    // One pixel is kept free at the right for the caret after the last character.
    return client.width() - marginRight_ - 1 - shaped.advance - scrollX_;
}

Point EditBox::PosFromChar(int pos) const {
    pos = std::clamp(pos, 0, Length());
    const int line = LineOfPos(pos);
    const int x = LineShape(line)->caretX(static_cast<size_t>(pos - LineStart(line)));
    return {LineLeft(line) + x, (line - topLine_) * LineHeight()};
}

int EditBox::CharFromPoint(int x, int y) const {
    const int line = std::clamp(topLine_ + (y < 0 ? -1 : y / LineHeight()), 0, LineCount() - 1);
    return LineStart(line) + static_cast<int>(LineShape(line)->positionAt(x - LineLeft(line)));
}

void EditBox::EnsureCaretVisible() {
    const Rect client = Wm().GetClientRect(hwnd_);
    const std::uint32_t style = Style();
    const int line = LineOfPos(caret_);
    if (line < topLine_) topLine_ = line;
    const int visible = VisibleLines();
    if (line >= topLine_ + visible) topLine_ = line - visible + 1;
    if (style & ES_AUTOHSCROLL) {
        const int x = PosFromChar(caret_).x + scrollX_; // unscrolled
        const int room = client.width() - marginRight_;
        if (x - scrollX_ >= room) scrollX_ = x - room + std::max(1, room / 4);
        if (x - scrollX_ < marginLeft_) scrollX_ = std::max(0, x - marginLeft_ - std::max(0, room / 4));
        scrollX_ = std::max(0, scrollX_);
    } else {
        scrollX_ = 0;
    }
    UpdateScrollBars();
}

void EditBox::UpdateScrollBars() {
    WindowManager& wm = Wm();
    const std::uint32_t style = Style();
    if (style & WS_VSCROLL) {
        ScrollInfo si;
        si.mask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.min = 0;
        si.max = LineCount() - 1;
        si.page = static_cast<unsigned>(VisibleLines());
        si.pos = topLine_;
        wm.SetScrollInfo(hwnd_, SB_VERT, si, true);
    }
    if (style & WS_HSCROLL) {
        int widest = 0;
        for (int l = 0; l < LineCount(); ++l) widest = std::max(widest, LineShape(l)->advance);
        ScrollInfo si;
        si.mask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.min = 0;
        si.max = widest + marginLeft_ + marginRight_;
        si.page = static_cast<unsigned>(std::max(1, wm.GetClientRect(hwnd_).width()));
        si.pos = scrollX_;
        wm.SetScrollInfo(hwnd_, SB_HORZ, si, true);
    }
}

// ---- painting ----

void EditBox::Paint(gfx::DeviceContext& dc) {
    WindowManager& wm = Wm();
    const Rect client = wm.GetClientRect(hwnd_);
    const gfx::Color back = resolve(backColor_, gfx::COLOR_WINDOW), ink = resolve(textColor_, gfx::COLOR_WINDOWTEXT);
    const bool focused = wm.GetFocus() == hwnd_;
    dc.fillRect(client, back);
    dc.selectFont(font_);
    dc.setBkMode(gfx::BackgroundMode::Transparent);
    const int lh = LineHeight();
    const int selA = SelStart(), selB = SelEnd();
    for (int line = topLine_, y = 0; line < LineCount() && y < client.height(); ++line, y += lh) {
        const int start = LineStart(line), end = LineEnd(line);
        const int left = LineLeft(line);
        const gfx::ShapedTextPtr shaped = LineShape(line);
        const int baseline = y + font_->metrics().ascent;
        dc.setTextColor(ink);
        dc.drawShapedText(left, baseline, *shaped, nullptr);
        // Selected part: highlighted while the box has the focus; in mixed directions it may
        // show as several pieces. The text is drawn again inside them in the highlight's colour.
        const int a = std::max(selA, start), b = std::min(selB, end);
        if (focused && a < b) {
            dc.setTextColor(gfx::sysColor(gfx::COLOR_HIGHLIGHTTEXT));
            for (const auto& [l, r] : shaped->spans(static_cast<size_t>(a - start), static_cast<size_t>(b - start))) {
                const Rect piece{left + l, y, left + r, y + lh};
                dc.fillRect(piece, gfx::sysColor(gfx::COLOR_HIGHLIGHT));
                dc.drawShapedText(left, baseline, *shaped, &piece);
            }
        }
    }
    if (focused && selA == selB) {
        const Point p = PosFromChar(caret_);
        dc.fillRect(Rect{p.x, p.y, p.x + 1, p.y + lh}, ink);
    }
    // Text being composed: its line is drawn again with it.
    if (!preedit_.empty()) PaintComposition(dc, ink, back, focused);
}

} // namespace lattix::controls
