// A grid of text cells in a headless host window, the clipboard as another program sees it, and a
// log of the edit and menu events.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "grid/lattix.h"
#include "platform/headless/headless_host.h"
#include "tests/cell_grid_host.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"

namespace clipboard_test {

using lattix::Lattix;
using lattix::Variant;
using lattix::ui::headless::MouseButton;
using Strings = std::vector<std::string>;

// cols columns 50 pixels wide, rows 20 pixels high under a 20-pixel header.
struct ClipGrid : lattix::test::CellGridHost {
    ClipGrid(int cols, int rows, int width = 400, int height = 300) : CellGridHost(cols, rows, width, height) {
        host.Backend().ClearShown();
    }
    std::string Text(int row, int col) { return grid->CellText(Variant(row), Variant(col)); }
    void Select(int row, int col) { grid->SetCellSelected(Variant(row), Variant(col), true); }
    // Puts text on the clipboard as another program would (the sequence number changes).
    void ExternalClipboard(const std::string& text) { host.SetClipboardTextExternally(text); }
    std::string ClipboardText() { return lattix::ui::Wm().GetClipboard().GetText(0).value_or("<none>"); }
    const lattix::ui::PopupMenu& LastMenu() { return host.MenusShown().back().request.menu; }
};

// Events as "Name(a,b,...)", only those named in `keep`; handlers may be attached per event name.
class EventLog {
public:
    using Handler = std::function<void(std::span<Variant>)>;
    EventLog(Lattix& g, std::vector<std::string> keep) : keep_(std::move(keep)) {
        g.events()->connect([this](const lattix::EventInfo& e, std::span<Variant> args) {
            if (auto h = handlers.find(e.name); h != handlers.end()) h->second(args);
            for (const std::string& k : keep_)
                if (k == e.name) entries.push_back(lattix::test::EventEntry(e.name, args));
        });
    }
    Strings take() {
        Strings out;
        out.swap(entries);
        return out;
    }
    Strings entries;
    std::map<std::string, Handler> handlers;

private:
    std::vector<std::string> keep_;
};

} // namespace clipboard_test
