// The default handling of messages.
#include <cstring>

#include "platform/gfx/device_context.h"
#include "platform/gfx/utf8.h"
#include "platform/ui/window_internals.h"
#include "platform/ui/window_manager.h"
#include "platform/ui/window_record.h"

namespace lattix::ui {

LResult WindowManager::DefWindowProc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return 0;
    Hwnd parent = w->IsChildWindow() ? w->parent : 0;
    switch (message) {
    case WM_PAINT: {
        PaintStruct ps;
        if (BeginPaint(hwnd, ps) != nullptr) EndPaint(hwnd, ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        auto* dc = reinterpret_cast<gfx::DeviceContext*>(wParam);
        std::optional<gfx::Color> background = internals::ClassBackground(*w->windowClass);
        if (dc == nullptr || !background) return 0;
        dc->fillRect(dc->clipBox(), *background);
        return 1;
    }
    case WM_SETCURSOR:
        // The parent may choose the cursor for its children.
        if (parent != 0 && SendMessage(parent, WM_SETCURSOR, wParam, lParam) != 0) return 1;
        SetCursor(static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(lParam))) == HTCLIENT
                      ? w->windowClass->cursor
                      : Cursor::Arrow);
        return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_CONTEXTMENU:
        return parent != 0 ? SendMessage(parent, message, wParam, lParam) : 0;
    case WM_RBUTTONUP: {
        Point pt{GetXLParam(lParam), GetYLParam(lParam)};
        ClientToScreen(hwnd, pt);
        SendMessage(hwnd, WM_CONTEXTMENU, hwnd, MakeLParam(pt.x, pt.y));
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SETTEXT:
        w->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        NotifyTopLevelChanged(*w);
        return 1;
    case WM_GETTEXTLENGTH:
        return static_cast<LResult>(w->text.size());
    case WM_GETTEXT: {
        // wParam: buffer size in bytes including the terminating NUL; returns the bytes copied.
        auto* buffer = reinterpret_cast<char*>(lParam);
        if (buffer == nullptr || wParam == 0) return 0;
        std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
        std::memcpy(buffer, w->text.data(), n);
        buffer[n] = '\0';
        return static_cast<LResult>(n);
    }
    case WM_SETREDRAW:
        w->redraw = wParam != 0;
        return 0;
    case WM_IME_COMPOSITION: {
        // A window that knows nothing of input methods gets the committed text as typed characters.
        // Like typing, a character goes where the focus is: into a child the first one opened, say.
        const auto* text = reinterpret_cast<const CompositionText*>(lParam);
        if (text == nullptr) return 0;
        for (char32_t ch : gfx::decodeUtf8(text->commit)) {
            if (!IsWindow(hwnd)) break;
            const Hwnd target = focus_ != 0 && IsChild(hwnd, focus_) ? focus_ : hwnd;
            SendMessage(target, WM_CHAR, static_cast<WParam>(ch), 1);
        }
        return 0;
    }
    case WM_NCHITTEST:
        return HitTestNonClient(hwnd, Point{GetXLParam(lParam), GetYLParam(lParam)});
    default:
        return 0;
    }
}

} // namespace lattix::ui
