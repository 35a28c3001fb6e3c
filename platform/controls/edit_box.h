// The edit box ("Edit"): a multi-line text field drawn by the library. It keeps its text (lines
// end in CR LF), a caret and a selection, scrolls automatically to keep the caret in view
// (vertically always, horizontally unless word break is asked for), and offers optional scroll
// bars, the number-only, upper-case, lower-case and right-to-left styles, a text limit, margins,
// font and colours, the clipboard commands and its own context menu. It tells its parent about
// text changes with WM_COMMAND (EN_CHANGE, the control id in the low word).
//
// Keys: characters insert (Backspace deletes back, Ctrl+Enter's line feed breaks the line; Enter
// itself is left to the owner unless ES_WANTRETURN), arrows, Home, End, PgUp and PgDn move the
// caret (Shift extends the selection, Ctrl moves by words or to the text ends), Delete deletes,
// Ctrl+A selects all, Ctrl+C, Ctrl+X and Ctrl+V copy, cut and paste.
//
// Input methods (WM_IME_* messages, platform/controls/edit_box_composition.cpp): the text being
// composed shows underlined at the caret, pushing the rest of the line aside, with its own caret;
// it is not part of the text until committed, when it replaces the selection as typing would.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gfx/font.h"
#include "platform/gfx/shaped_text.h"
#include "platform/ui/window_manager.h"

namespace lattix::controls {

using ui::Hwnd;

inline constexpr const char* kEditClassName = "Edit";

// Edit styles.
inline constexpr std::uint32_t ES_CENTER = 0x0001;
inline constexpr std::uint32_t ES_RIGHT = 0x0002;
inline constexpr std::uint32_t ES_MULTILINE = 0x0004;
inline constexpr std::uint32_t ES_UPPERCASE = 0x0008;
inline constexpr std::uint32_t ES_LOWERCASE = 0x0010;
inline constexpr std::uint32_t ES_AUTOVSCROLL = 0x0040;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
inline constexpr std::uint32_t ES_WANTRETURN = 0x1000;
inline constexpr std::uint32_t ES_NUMBER = 0x2000;
// Extended style: right-to-left reading order.
inline constexpr std::uint32_t WS_EX_RTLREADING = 0x2000;

// Notification code of WM_COMMAND (high word of wParam).
inline constexpr int EN_CHANGE = 0x0300;

// Clipboard messages the edit box answers.
inline constexpr ui::MessageId WM_CUT = 0x0300;
inline constexpr ui::MessageId WM_COPY = 0x0301;
inline constexpr ui::MessageId WM_PASTE = 0x0302;
inline constexpr ui::MessageId WM_CLEAR = 0x0303;

// Commands of the edit box's own context menu.
enum EditMenuCommand { kEditMenuUndo = 1, kEditMenuCut, kEditMenuCopy, kEditMenuPaste, kEditMenuDelete, kEditMenuSelectAll };

class EditBox {
public:
    // Creates the edit box as a child of `parent` at `rect` (parent client coordinates) with the
    // given styles (ES_*, WS_* and WS_HSCROLL / WS_VSCROLL for the bars). 0 when it cannot be made.
    static Hwnd Create(Hwnd parent, const ui::Rect& rect, std::uint32_t style, std::uint32_t exStyle = 0, int id = 0);
    static EditBox* FromWindow(Hwnd hwnd);

    Hwnd hwnd() const { return hwnd_; }

    // Text in UTF-8; positions and lengths count characters (a line break is two: CR LF).
    std::string Text() const;
    // Replaces the whole text (cut to the limit), puts the caret at the start; no EN_CHANGE.
    void SetText(const std::string& utf8);
    int Length() const { return static_cast<int>(text_.size()); }
    // The selection runs from the anchor to the caret; SelStart is the lower end.
    int SelStart() const { return std::min(anchor_, caret_); }
    int SelEnd() const { return std::max(anchor_, caret_); }
    int Caret() const { return caret_; }
    void SetSel(int anchor, int caret);
    std::string SelText() const;
    // Replaces the selection as typing would (styles and limit apply); sends EN_CHANGE.
    void ReplaceSel(const std::string& utf8);
    // At most `chars` characters (0: no limit). A longer text is not cut.
    void SetLimit(int chars) { limit_ = chars < 0 ? 0 : chars; }
    int Limit() const { return limit_; }
    void SetMargins(int left, int right);
    void SetFont(gfx::FontPtr font);
    const gfx::FontPtr& Font() const { return font_; }
    // Colours as RGB or system colours (gfx::kSystemColorFlag | index).
    void SetColors(gfx::Color text, gfx::Color back);
    gfx::Color TextColor() const { return textColor_; }
    gfx::Color BackColor() const { return backColor_; }
    // The top line shown and the horizontal scroll offset in pixels.
    int FirstVisibleLine() const { return topLine_; }
    int ScrollOffsetX() const { return scrollX_; }
    int LineCount() const;
    // The character position nearest to a client point.
    int CharFromPoint(int x, int y) const;
    // The client point of a character position (left of the character, top of its line).
    ui::Point PosFromChar(int pos) const;
    void Copy();
    void Cut();
    void Paste();
    void Clear();
    void SelectAll() { SetSel(0, Length()); }
    // Shows the context menu at a screen point; returns the command chosen (0 none).
    int ShowContextMenu(ui::Point screen);

    // ---- input methods
    // The text being composed (UTF-8; empty when none) and its caret in characters.
    std::string Preedit() const;
    int PreeditCursor() const { return preeditCursor_; }
    // The caret as a client rectangle one pixel wide and a line high: the composition's caret while
    // text is being composed.
    ui::Rect CaretRect() const;

private:
    explicit EditBox(Hwnd hwnd) : hwnd_(hwnd) {}
    static ui::LResult Proc(Hwnd, ui::MessageId, ui::WParam, ui::LParam);
    ui::LResult Handle(ui::MessageId message, ui::WParam wParam, ui::LParam lParam);
    void OnKeyDown(int key);
    void OnChar(char32_t ch);
    void InsertText(std::u32string text);
    void Notify();
    void MoveCaret(int pos, bool extend);
    void EnsureCaretVisible();
    void UpdateScrollBars();
    void Paint(gfx::DeviceContext& dc);
    int LineOfPos(int pos) const;
    int LineStart(int line) const;
    int LineEnd(int line) const;
    int LineHeight() const;
    gfx::ShapedTextPtr LineShape(int line) const;
    int LineLeft(int line) const;
    int TextLeft(const gfx::ShapedText& shaped) const;
    int VisibleLines() const;
    std::uint32_t Style() const;
    // Input methods (edit_box_composition.cpp).
    void OnComposition(const ui::CompositionText& text);
    void EndComposition();
    void AnswerInputMethod(ui::InputMethodQuery& query) const;
    // The line of the composition as shown: its text with the preedit inserted at the selection.
    struct ComposedLine {
        int line = 0, start = 0, at = 0; // the line, its first position, where the preedit goes
        std::u32string text;
        gfx::ShapedTextPtr shaped;
        int left = 0;
    };
    ComposedLine Composed() const;
    void ScrollToPreeditCaret();
    void PaintComposition(gfx::DeviceContext& dc, gfx::Color ink, gfx::Color back, bool focused);

    Hwnd hwnd_;
    std::u32string text_;
    int caret_ = 0;
    int anchor_ = 0;
    int limit_ = 0;
    int marginLeft_ = 1, marginRight_ = 1;
    int topLine_ = 0;
    int scrollX_ = 0;
    bool selecting_ = false;
    gfx::FontPtr font_;
    gfx::Color textColor_ = gfx::kSystemColorFlag | gfx::COLOR_WINDOWTEXT;
    gfx::Color backColor_ = gfx::kSystemColorFlag | gfx::COLOR_WINDOW;
    std::u32string undoText_;
    int undoCaret_ = 0;
    // Text being composed, shown at the start of the selection; its caret (characters into it).
    std::u32string preedit_;
    int preeditCursor_ = 0;
    bool preeditCursorVisible_ = true;
};

} // namespace lattix::controls
