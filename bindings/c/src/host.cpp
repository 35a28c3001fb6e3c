// Hosts: a headless top-level window with a grid filling it, and the calls that drive the window as
// a user and a clock would.
#include <algorithm>
#include <memory>
#include <optional>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bindings/c/src/error_guard.h"
#include "bindings/c/src/handles.h"
#include "grid/lattix.h"
#include "grid/model/persisted_properties.h"
#include "grid/model/property_bag_json.h"
#include "platform/gfx/utf8.h"
#include "platform/headless/headless_host.h"
#include "runtime/automation_error.h"

namespace ui = lattix::ui;
namespace headless = lattix::ui::headless;

// The container's side of the grid: the names of the persisted properties reported changed.
struct HostSite final : lattix::ControlSite {
    void propertyChanged(std::string_view name) override { changed.emplace_back(name); }
    std::vector<std::string> changed;
};

struct lx_host {
    HostSite site;
    int32_t width = 0;
    int32_t height = 0;
    std::unique_ptr<headless::HeadlessHost> window;
    std::shared_ptr<lattix::Lattix> grid;
};

using namespace lattix;
using namespace lattix::cabi;

namespace {
constexpr int32_t kMaxHostSize = 16384;
constexpr int32_t kPathFileAccessError = static_cast<int32_t>(0x800A004Bu);

// What the grid measures of the system at creation, from the host's system information.
SystemDescription DescribeSystem(const ui::SystemInfo& info) {
    SystemDescription d;
    d.osMajor = info.osMajor;
    d.osMinor = info.osMinor;
    d.ntFamily = info.family == ui::OsFamily::NT;
    d.hasCommonControlsVersion = info.commonControlsMajor != 0;
    d.commonControlsMajor = info.commonControlsMajor;
    d.commonControlsMinor = info.commonControlsMinor;
    d.appThemed = info.visualStylesInUse;
    d.bitsPerPixel = info.bitsPerPixel;
    d.dpiX = info.dpiX;
    return d;
}

// The host of a call that drives it: only on the thread that created it (its grid's thread).
lx_host& Owned(lx_host* host) {
    if (!host) RaiseInvalidPointer();
    if (host->grid) host->grid->checkOwnerThread();
    return *host;
}

headless::HeadlessHost& Window(lx_host* host) {
    if (!Owned(host).window) RaiseInvalidPointer();
    return *host->window;
}

// Button values as the grid's events count them: 1 left, 2 right, 4 middle.
headless::MouseButton ButtonOf(int32_t button) {
    switch (button) {
    case 1: return headless::MouseButton::Left;
    case 2: return headless::MouseButton::Right;
    case 4: return headless::MouseButton::Middle;
    default: RaiseInvalidArgument();
    }
}

// Shift values: 1 Shift, 2 Ctrl, 4 Alt.
unsigned ModsOf(int32_t shift) {
    if (shift < 0 || shift > 7) RaiseInvalidArgument();
    unsigned mods = 0;
    if (shift & 1) mods |= ui::kModShift;
    if (shift & 2) mods |= ui::kModCtrl;
    if (shift & 4) mods |= ui::kModAlt;
    return mods;
}

ui::VirtualKey KeyOf(int32_t key) {
    if (key < 1 || key > 0xFE) RaiseInvalidArgument();
    return static_cast<ui::VirtualKey>(key);
}
constexpr int32_t kDefaultDpi = 96;

std::unique_ptr<lx_host> MakeHost(int32_t width, int32_t height, int32_t dpi = kDefaultDpi) {
    if (width < 1 || height < 1 || width > kMaxHostSize || height > kMaxHostSize) RaiseInvalidArgument();
    if (dpi < 24 || dpi > 1200) RaiseInvalidArgument();
    auto host = std::make_unique<lx_host>();
    host->width = width;
    host->height = height;
    host->window = std::make_unique<headless::HeadlessHost>(width, height, "Lattix", dpi);
    Lattix::Options options;
    options.system = DescribeSystem(host->window->GetSystemInfo());
    options.site = &host->site;
    host->grid = Lattix::Create(options);
    host->grid->AttachToWindow(host->window->TopLevel());
    return host;
}

// Copies text and its terminating zero into buffer when it fits; *needed is always the full size.
void CopyOut(const std::string& text, char* buffer, int32_t size, int32_t* needed) {
    if (!needed || size < 0) RaiseInvalidPointer();
    const int32_t full = static_cast<int32_t>(text.size()) + 1;
    *needed = full;
    if (buffer && size >= full) std::memcpy(buffer, text.c_str(), static_cast<size_t>(full));
}
} // namespace

extern "C" {

LX_API const char* lx_library_version(void) { return LATTIX_C_VERSION; }

LX_API int32_t lx_host_create(int32_t width, int32_t height, lx_host** out, lx_error* error) {
    return Guarded(error, [&] {
        if (!out) RaiseInvalidPointer();
        *out = MakeHost(width, height).release();
    });
}

LX_API int32_t lx_host_create_at_dpi(int32_t width, int32_t height, int32_t dpi, lx_host** out, lx_error* error) {
    return Guarded(error, [&] {
        if (!out) RaiseInvalidPointer();
        *out = MakeHost(width, height, dpi).release();
    });
}

LX_API void lx_host_destroy(lx_host* host) {
    if (!host) return;
    try {
        // The host's reference to the grid goes before the window does; a grid kept alive by a
        // handle no longer reports to the host.
        if (host->grid) host->grid->DetachSite();
        host->grid.reset();
        host->window.reset();
    } catch (...) {
        // Nothing may escape; what is left is released with the host.
    }
    delete host;
}

// ---- property bags ----
LX_API int32_t lx_host_create_from_property_bag(const char* json, int32_t width, int32_t height, lx_host** out,
                                                lx_error* error) {
    return Guarded(error, [&] {
        if (!out || !json) RaiseInvalidPointer();
        const PropertyBag bag = PropertyBagFromJson(json);
        std::unique_ptr<lx_host> host = MakeHost(width, height);
        ReadProperties(*host->grid, bag);
        *out = host.release();
    });
}

LX_API int32_t lx_host_save_properties(lx_host* host, char* buffer, int32_t size, int32_t* needed,
                                       lx_error* error) {
    return Guarded(error, [&] {
        if (!Owned(host).grid) RaiseInvalidPointer();
        CopyOut(PropertyBagToJson(WriteProperties(*host->grid)), buffer, size, needed);
    });
}

LX_API int32_t lx_host_changed_properties(lx_host* host, char* buffer, int32_t size, int32_t* needed,
                                          lx_error* error) {
    return Guarded(error, [&] {
        Owned(host);
        std::string text;
        for (const std::string& name : host->site.changed) text += name + "\n";
        CopyOut(text, buffer, size, needed);
    });
}

LX_API lx_object* lx_host_grid(lx_host* host) {
    if (!host || !host->grid) return nullptr;
    try {
        return NewObjectHandle(host->grid);
    } catch (...) {
        return nullptr;
    }
}

LX_API int32_t lx_host_size(const lx_host* host, int32_t* width, int32_t* height) {
    if (!host || !width || !height) return kInvalidPointer;
    *width = host->width;
    *height = host->height;
    return LX_OK;
}

namespace {
// The host window's client area and the grid filling it take a new size.
void ResizeHostWindow(lx_host* host, headless::HeadlessHost& w, int32_t width, int32_t height, bool repaint) {
    ui::WindowManager& wm = w.Manager();
    const ui::Rect r = wm.GetWindowRect(w.TopLevel());
    wm.MoveWindow(w.TopLevel(), r.left, r.top, width, height, repaint);
    host->width = width;
    host->height = height;
    if (host->grid) host->grid->MoveGridWindow(0, 0, width, height);
}
} // namespace

LX_API int32_t lx_host_resize(lx_host* host, int32_t width, int32_t height, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (width < 1 || height < 1 || width > kMaxHostSize || height > kMaxHostSize) RaiseInvalidArgument();
        ResizeHostWindow(host, w, width, height, true);
        w.Manager().PumpMessages();
    });
}

LX_API int32_t lx_host_set_dpi(lx_host* host, int32_t dpi, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (dpi < 24 || dpi > 1200) RaiseInvalidArgument();
        ui::SystemInfo info = w.GetSystemInfo();
        const int32_t old = info.dpiX;
        if (old == dpi) return;
        auto scaled = [&](int32_t v) {
            return static_cast<int32_t>(std::clamp<int64_t>((int64_t{v} * dpi + old / 2) / old, 1, kMaxHostSize));
        };
        info.dpiX = info.dpiY = dpi;
        // The window takes its new size in pixels first, so the grid lays out once at the new dpi.
        ResizeHostWindow(host, w, scaled(host->width), scaled(host->height), false);
        w.SetSystemInfo(info);
    });
}

LX_API int32_t lx_host_focus(lx_host* host, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (host->grid) host->grid->FocusGridWindow();
        w.Pump();
    });
}

LX_API int32_t lx_host_mouse_move(lx_host* host, int32_t x, int32_t y, int32_t shift, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        w.MouseMove(x, y, ModsOf(shift));
    });
}

LX_API int32_t lx_host_mouse_down(lx_host* host, int32_t x, int32_t y, int32_t button, int32_t shift,
                                  lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        headless::MouseButton b = ButtonOf(button);
        w.MouseDown(x, y, b, ModsOf(shift));
    });
}

LX_API int32_t lx_host_mouse_up(lx_host* host, int32_t x, int32_t y, int32_t button, int32_t shift,
                                lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        headless::MouseButton b = ButtonOf(button);
        w.MouseUp(x, y, b, ModsOf(shift));
    });
}

LX_API int32_t lx_host_click(lx_host* host, int32_t x, int32_t y, int32_t button, int32_t shift, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        headless::MouseButton b = ButtonOf(button);
        w.Click(x, y, b, ModsOf(shift));
    });
}

LX_API int32_t lx_host_double_click(lx_host* host, int32_t x, int32_t y, int32_t button, int32_t shift,
                                    lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        headless::MouseButton b = ButtonOf(button);
        w.DoubleClick(x, y, b, ModsOf(shift));
    });
}

LX_API int32_t lx_host_drag(lx_host* host, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t steps,
                            int32_t button, int32_t shift, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (steps < 1) RaiseInvalidArgument();
        headless::MouseButton b = ButtonOf(button);
        w.Drag(x1, y1, x2, y2, steps, b, ModsOf(shift));
    });
}

LX_API int32_t lx_host_wheel(lx_host* host, int32_t delta, int32_t x, int32_t y, int32_t shift, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        w.Wheel(x, y, delta, ModsOf(shift));
    });
}

LX_API int32_t lx_host_hwheel(lx_host* host, int32_t delta, int32_t x, int32_t y, int32_t shift, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        w.HWheel(x, y, delta, ModsOf(shift));
    });
}

LX_API int32_t lx_host_key(lx_host* host, int32_t key, int32_t shift, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        ui::VirtualKey k = KeyOf(key);
        w.KeyPress(k, ModsOf(shift));
    });
}

LX_API int32_t lx_host_key_down(lx_host* host, int32_t key, int32_t shift, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        ui::VirtualKey k = KeyOf(key);
        w.KeyDown(k, ModsOf(shift));
    });
}

LX_API int32_t lx_host_key_up(lx_host* host, int32_t key, int32_t shift, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        ui::VirtualKey k = KeyOf(key);
        w.KeyUp(k, ModsOf(shift));
    });
}

LX_API int32_t lx_host_type_text(lx_host* host, const char* utf8, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (!utf8) RaiseInvalidPointer();
        w.TypeText(utf8);
    });
}

LX_API int32_t lx_host_composition_start(lx_host* host, lx_error* error) {
    return Guarded(error, [&] { Window(host).StartComposition(); });
}

LX_API int32_t lx_host_composition_update(lx_host* host, const char* utf8, int32_t cursor, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (!utf8) RaiseInvalidPointer();
        if (cursor < -1 || cursor > static_cast<int32_t>(gfx::decodeUtf8(utf8).size())) RaiseInvalidArgument();
        w.UpdateComposition(utf8, cursor);
    });
}

LX_API int32_t lx_host_composition_commit(lx_host* host, const char* utf8, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (!utf8) RaiseInvalidPointer();
        w.CommitComposition(utf8);
    });
}

LX_API int32_t lx_host_composition_cancel(lx_host* host, lx_error* error) {
    return Guarded(error, [&] { Window(host).CancelComposition(); });
}

LX_API int32_t lx_host_input_method_query(lx_host* host, lx_input_method_state* out, char* text, int32_t size,
                                          int32_t* needed, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (!out || !needed || size < 0) RaiseInvalidPointer();
        ui::InputMethodQuery query;
        const bool answered = w.QueryInputMethod(query);
        *out = lx_input_method_state{};
        if (answered) {
            out->answered = 1;
            out->enabled = query.enabled ? 1 : 0;
            out->caret_left = query.caret.left;
            out->caret_top = query.caret.top;
            out->caret_right = query.caret.right;
            out->caret_bottom = query.caret.bottom;
            out->cursor = query.cursor;
            out->anchor = query.anchor;
        }
        CopyOut(query.surroundingText, text, size, needed);
    });
}

LX_API int32_t lx_host_advance(lx_host* host, int64_t ms, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (ms < 0) RaiseInvalidArgument();
        w.Advance(static_cast<std::uint64_t>(ms));
    });
}

LX_API int32_t lx_host_pump(lx_host* host, lx_error* error) {
    return Guarded(error, [&] { Window(host).Pump(); });
}

LX_API int64_t lx_host_now(const lx_host* host) {
    return host && host->window ? static_cast<int64_t>(host->window->Now()) : -1;
}

LX_API int32_t lx_host_answer_next(lx_host* host, int32_t kind, int32_t value, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        switch (kind) {
        case LX_ANSWER_ANY: w.AnswerNext(value); break;
        case LX_ANSWER_MESSAGE_BOX: w.AnswerNextMessageBox(value); break;
        case LX_ANSWER_MENU: w.AnswerNextMenu(value); break;
        default: RaiseInvalidArgument();
        }
    });
}

LX_API int32_t lx_host_answer_next_text(lx_host* host, const char* text, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (!text) RaiseInvalidPointer();
        w.AnswerNext(std::string(text));
    });
}

LX_API int32_t lx_host_pending_answers(const lx_host* host) {
    return host && host->window ? static_cast<int32_t>(host->window->Backend().PendingAnswers()) : 0;
}

LX_API int32_t lx_host_message_boxes_shown(const lx_host* host) {
    return host && host->window ? static_cast<int32_t>(host->window->MessageBoxesShown().size()) : 0;
}

LX_API int32_t lx_host_popup_rect(const lx_host* host, int32_t* left, int32_t* top, int32_t* right, int32_t* bottom) {
    if (!host || !host->window) return 0;
    ui::WindowManager& wm = ui::Wm();
    const ui::Hwnd owner = host->window->TopLevel();
    for (ui::Hwnd w : wm.GetTopLevelWindows()) {
        if (w == owner || wm.GetOwner(w) != owner || !wm.IsWindowVisible(w)) continue;
        if ((wm.GetStyle(w) & ui::WS_POPUP) == 0 || wm.GetClassName(w) == "tooltips_class32") continue;
        const ui::Rect r = wm.GetWindowRect(w);
        if (left) *left = r.left;
        if (top) *top = r.top;
        if (right) *right = r.right;
        if (bottom) *bottom = r.bottom;
        return 1;
    }
    return 0;
}

LX_API int32_t lx_host_clipboard_text(lx_host* host, char* buffer, int32_t size, int32_t* needed, lx_error* error) {
    return Guarded(error, [&] {
        Window(host);
        if (!needed || size < 0) RaiseInvalidPointer();
        std::optional<std::string> text = ui::Wm().GetClipboard().GetText(0);
        if (!text) {
            *needed = 0;
            return;
        }
        CopyOut(*text, buffer, size, needed);
    });
}

LX_API int32_t lx_host_set_clipboard_text(lx_host* host, const char* utf8, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (!utf8) RaiseInvalidPointer();
        w.SetClipboardTextExternally(utf8);
    });
}

LX_API uint32_t lx_host_clipboard_sequence(const lx_host* host) {
    return host && host->window ? ui::Wm().GetClipboard().SequenceNumber() : 0;
}

LX_API int32_t lx_host_last_menu_item_count(const lx_host* host) {
    if (!host || !host->window || host->window->MenusShown().empty()) return 0;
    return static_cast<int32_t>(host->window->MenusShown().back().request.menu.Count());
}

LX_API int32_t lx_host_last_menu_item(lx_host* host, int32_t index, lx_menu_item* out, char* text, int32_t size,
                                      int32_t* needed, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (!out || !needed || size < 0) RaiseInvalidPointer();
        if (w.MenusShown().empty() || index < 0 ||
            index >= static_cast<int32_t>(w.MenusShown().back().request.menu.Count()))
            throw AutomationError(static_cast<int32_t>(0x800A0009u), "Lattix", "Subscript out of range.");
        const ui::MenuItem& item = w.MenusShown().back().request.menu.Items()[static_cast<size_t>(index)];
        CopyOut(item.separator ? std::string("-") : item.text, text, size, needed);
        out->command = item.separator ? 0 : item.command;
        out->enabled = item.enabled && !item.separator ? 1 : 0;
        out->checked = item.checked ? 1 : 0;
        out->separator = item.separator ? 1 : 0;
    });
}

LX_API int32_t lx_host_save_png(lx_host* host, const char* path, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (!path) RaiseInvalidPointer();
        try {
            w.SavePng(path);
        } catch (const std::runtime_error&) {
            throw AutomationError(kPathFileAccessError, "Lattix", "Path/File access error.");
        }
    });
}

} // extern "C"

// ---- drag and drop ----

LX_API int32_t lx_host_drop_text(lx_host* host, int32_t x, int32_t y, const char* utf8, int32_t allowed_effects,
                                 int32_t shift, int32_t drop, int32_t* effect, lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        if (!utf8) RaiseInvalidPointer();
        if (allowed_effects < 0 || allowed_effects > 7 || shift < 0 || shift > 3) RaiseInvalidArgument();
        ui::DragData data;
        data.set(ui::kMimeText, utf8);
        data.set(ui::kMimeTabText, utf8);
        unsigned keys = ui::MK_LBUTTON;
        if (shift & 1) keys |= ui::MK_SHIFT;
        if (shift & 2) keys |= ui::MK_CONTROL;
        const int32_t result = w.InjectDrop(x, y, data, allowed_effects, keys, drop != 0);
        if (effect) *effect = result;
    });
}

LX_API int32_t lx_host_script_drag(lx_host* host, int32_t mode, int32_t x, int32_t y, int32_t effect,
                                   lx_error* error) {
    return Guarded(error, [&] {
        headless::HeadlessHost& w = Window(host);
        switch (mode) {
        case 0: w.ScriptNextDragCancel(); break;
        case 1: w.ScriptNextDragDrop(x, y); break;
        case 2:
            if (effect < 0 || effect > 7) RaiseInvalidArgument();
            w.ScriptNextDragToOtherProgram(effect);
            break;
        default: RaiseInvalidArgument();
        }
    });
}

LX_API int32_t lx_host_last_drag_text(lx_host* host, char* buffer, int32_t size, int32_t* needed, lx_error* error) {
    return Guarded(error, [&] {
        (void)Window(host);
        CopyOut(headless::HeadlessHost::LastDraggedData().get(ui::kMimeTabText), buffer, size, needed);
    });
}
