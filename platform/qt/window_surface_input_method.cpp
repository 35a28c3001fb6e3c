// Qt's input methods on a window surface. A QInputMethodEvent becomes the composition messages of
// the window with the focus (committed text, text being composed with its caret, a replacement of
// text around the caret); Qt's queries are answered from that window's WM_IME_REQUEST, its caret
// mapped into the widget so that the candidate list opens by it. Qt counts UTF-16 units where the
// window manager counts characters.
#include <algorithm>

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>

#include "platform/qt/qt_backend.h"
#include "platform/qt/window_surface.h"
#include "platform/ui/window_manager.h"

namespace lattix::ui::qt {

namespace {

bool IsPair(const QString& s, qsizetype i) {
    return s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate();
}

// The UTF-16 offset of a character position in s.
qsizetype Utf16Offset(const QString& s, int characters) {
    qsizetype i = 0;
    for (int n = 0; n < characters && i < s.size(); ++n) i += IsPair(s, i) ? 2 : 1;
    return i;
}

// The characters in s before a UTF-16 offset (clamped to s).
int CharactersBefore(const QString& s, qsizetype utf16) {
    utf16 = std::clamp<qsizetype>(utf16, 0, s.size());
    int n = 0;
    for (qsizetype i = 0; i < utf16; i += IsPair(s, i) ? 2 : 1) ++n;
    return n;
}

// The focused window of this surface's tree answers; false when none does.
bool QueryFocus(Hwnd topLevel, InputMethodQuery& state) {
    WindowManager& wm = Wm();
    const Hwnd focus = wm.GetFocus();
    if (focus == 0 || wm.GetAncestorRoot(focus) != topLevel) return false;
    return wm.QueryInputMethod(state) != 0;
}

} // namespace

void WindowSurface::inputMethodEvent(QInputMethodEvent* e) {
    WindowManager& wm = Wm();
    const Hwnd focus = wm.GetFocus();
    if (focus == 0 || wm.GetAncestorRoot(focus) != topLevel_) {
        e->ignore();
        return;
    }
    CompositionText text;
    text.commit = e->commitString().toStdString();
    const QString preedit = e->preeditString();
    text.preedit = preedit.toStdString();
    for (const QInputMethodEvent::Attribute& a : e->attributes())
        if (a.type == QInputMethodEvent::Cursor) {
            text.cursor = CharactersBefore(preedit, a.start);
            text.cursorVisible = a.length != 0;
        }
    if (e->replacementLength() > 0) {
        // The replaced range counts UTF-16 units from the caret in the text around it.
        InputMethodQuery state;
        if (QueryFocus(topLevel_, state)) {
            const QString around = QString::fromStdString(state.surroundingText);
            const qsizetype caret = Utf16Offset(around, state.cursor);
            const qsizetype from = caret + e->replacementStart(), to = from + e->replacementLength();
            text.replaceFrom = CharactersBefore(around, from) - state.cursor;
            text.replaceLength = CharactersBefore(around, to) - CharactersBefore(around, from);
        }
    }
    if (text.commit.empty() && text.preedit.empty() && text.replaceLength == 0) wm.InjectCompositionEnd();
    else wm.InjectComposition(text);
    e->accept();
    updateInputMethod();
}

QVariant WindowSurface::inputMethodQuery(Qt::InputMethodQuery query) const {
    InputMethodQuery state;
    const bool answered = QueryFocus(topLevel_, state);
    const QString around = QString::fromStdString(state.surroundingText);
    switch (query) {
    // A window that does not answer still takes committed text, as typed characters.
    case Qt::ImEnabled: return answered ? state.enabled : kind_ == Kind::Embedded;
    case Qt::ImCursorRectangle: {
        if (!answered) return QWidget::inputMethodQuery(query);
        const Rect window = Wm().GetWindowRect(topLevel_);
        const double ratio = DevicePixelRatio();
        const QRectF caret((state.caret.left - window.left) / ratio, (state.caret.top - window.top) / ratio,
                           state.caret.width() / ratio, state.caret.height() / ratio);
        return caret.toAlignedRect();
    }
    case Qt::ImSurroundingText: return around;
    case Qt::ImCursorPosition: return static_cast<int>(Utf16Offset(around, state.cursor));
    case Qt::ImAnchorPosition: return static_cast<int>(Utf16Offset(around, state.anchor));
    case Qt::ImCurrentSelection: return QString::fromStdString(state.selectedText);
    case Qt::ImHints: {
        Qt::InputMethodHints hints = Qt::ImhNone;
        if (state.hints & IMH_DIGITS_ONLY) hints |= Qt::ImhDigitsOnly;
        if (state.hints & IMH_UPPERCASE_ONLY) hints |= Qt::ImhUppercaseOnly;
        if (state.hints & IMH_LOWERCASE_ONLY) hints |= Qt::ImhLowercaseOnly;
        if (state.hints & IMH_MULTILINE) hints |= Qt::ImhMultiLine;
        return hints.toInt();
    }
    default: return QWidget::inputMethodQuery(query);
    }
}

void WindowSurface::updateInputMethod() {
    if (kind_ != Kind::Embedded || !hasFocus()) return;
    QGuiApplication::inputMethod()->update(Qt::ImQueryInput | Qt::ImEnabled | Qt::ImHints);
}

} // namespace lattix::ui::qt
