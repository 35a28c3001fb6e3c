#include "tests/grid_hardening/random_user.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <set>

#include "grid/objects/sel_items_object.h"
#include "grid/objects/sort_group_object.h"
#include "platform/headless/headless_backend.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_manager.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix::test {

namespace {
constexpr int kWidth = 360, kHeight = 260;
constexpr int kMaxRows = 40, kMaxCols = 9;
constexpr size_t kRecentKept = 40;

// Members a random user does not call through the type information: modal boxes of their own, a
// debugging hook, and the record-set fill, which needs a record set.
const std::set<std::string> kSkippedMembers = {"ShowAboutBox", "DevDbg", "FillFromRS", "OLEDrag"};

// Members the curated calls pick most often: the ones that walk rows, columns, cells or the
// selection and raise events on the way, and the structural ones.
const char* const kCurated[] = {
    "RowCount",       "ColCount",       "AddRow",         "AddCol",           "RemoveRow",       "RemoveCol",
    "Clear",          "MoveRow",        "ColPos",         "CurRow",           "CurCol",          "SetCurCell",
    "CellSelected",   "ClearSelection", "SelectAll",      "InvertSelection",  "MultiSelect",     "RowMode",
    "CellValue",      "CellType",       "Sort",           "Group",            "Ungroup",         "AutoWidthCol",
    "AutoWidthCols",  "AutoHeightRow",  "AutoHeightRows", "IsCellTextClipped", "EvaluateTextWidth", "ColVisible",
    "RowVisible",     "RowLevel",       "RowExpanded",    "DynamicContentEvents", "Editable",   "UseTabKey",
    "DragSelect",     "DoKeyboardCommand", "FrozenCols",  "EnsureVisibleRow", "SearchString",    "CellCheckVisible",
    "CellSelectable", "RequestEditCurCell", "CommitEditCurCell", "CancelEditCurCell", "DoDefaultSort",
    "SkipNonSelectableCells", "KeyPressBehaviour", "CellText", "TextEditText", "ExpandAllRows",
    "CollapseAllRows", "SortRowChildNodes", "LayoutCol", "LayoutSort", "RowIsGroup", "Virtual",
};

const ui::VirtualKey kKeys[] = {ui::VK_TAB,    ui::VK_LEFT,  ui::VK_RIGHT,    ui::VK_UP,     ui::VK_DOWN,
                                ui::VK_HOME,   ui::VK_END,   ui::VK_PRIOR,    ui::VK_NEXT,   ui::VK_RETURN,
                                ui::VK_ESCAPE, ui::VK_F2,    ui::VK_F4,       ui::VK_SPACE,  ui::VK_DELETE,
                                ui::VK_BACK,   ui::VK_ADD,   ui::VK_SUBTRACT, ui::VK_MULTIPLY, ui::VK_APPS,
                                ui::VK_F10,    ui::VK_A,     ui::VK_A + 2,    ui::VK_A + 23, ui::VK_A + 21};

std::string describe(const Variant& v) {
    try {
        const Variant& d = v.deref();
        if (d.isMissing()) return "<omitted>";
        if (d.type() == VarType::String) return "\"" + ToString(d) + "\"";
        return ToString(d);
    } catch (...) {
        return "<value>";
    }
}
} // namespace

RandomUser::RandomUser(uint64_t seed) : rng_(seed), host_(kWidth, kHeight), grid_(Lattix::Create()) {
    // The desktop outlives a host: a run starts away from the last run's pointer and clicks.
    host_.MouseMove(-5, -5);
    host_.Advance(2000);
    grid_->AttachToWindow(host_.TopLevel());
    grid_->SetColCount(4);
    grid_->SetRowCount(12);
    ui::Wm().SetFocus(grid_->WindowHandle());
    grid_->events()->connect([this](const EventInfo& e, std::span<Variant> args) { onEvent(e, args); });
    // A popup menu takes a random item (sorting, grouping, column commands), or goes away.
    host_.Backend().OnMenu([this](const ui::PopupMenuRequest& r) -> std::optional<int> {
        const auto& items = r.menu.Items();
        if (items.empty() || chance(3)) return 0;
        const ui::MenuItem& it = items[static_cast<size_t>(pick(0, static_cast<int>(items.size()) - 1))];
        note("  menu item \"" + it.text + "\"");
        return it.command;
    });
    host_.Backend().OnMessageBox([this](const ui::MessageBoxRequest& r) -> std::optional<int> {
        const std::vector<int> buttons = r.Buttons();
        return buttons.empty() ? std::nullopt : std::optional<int>(buttons[static_cast<size_t>(pick(0, static_cast<int>(buttons.size()) - 1))]);
    });
}

RandomUser::~RandomUser() {
    host_.Backend().OnMenu(nullptr);
    host_.Backend().OnMessageBox(nullptr);
    grid_.reset();
}

int RandomUser::pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
bool RandomUser::chance(int oneIn) { return pick(1, oneIn) == 1; }

void RandomUser::note(std::string what) {
    // LATTIX_RANDOM_USER_TRACE=1 writes every call as it happens (for a run that dies outright).
    static const bool trace = std::getenv("LATTIX_RANDOM_USER_TRACE") != nullptr;
    if (trace) std::fprintf(stderr, "%s\n", what.c_str());
    recent_.push_back(std::move(what));
    if (recent_.size() > kRecentKept) recent_.pop_front();
}

std::string RandomUser::shortText() {
    static const char* const texts[] = {"", "a", "B", "12", "-3.5", "x\ty", "line\r\nnext", "2024-02-29", "True",
                                        "\xC3\xA9t\xC3\xA9", "zz", "0", "1e308", "#"};
    return texts[pick(0, static_cast<int>(std::size(texts)) - 1)];
}

Variant RandomUser::rowAddress() {
    const int rows = grid_->RowCount();
    switch (pick(0, 9)) {
    case 0: return Variant(pick(-2, 0));
    case 1: return Variant(rows + pick(1, 2));
    case 2: return Variant(shortText()); // a key, seldom one that exists
    default: return Variant(rows > 0 ? pick(1, rows) : 1);
    }
}

Variant RandomUser::colAddress() {
    const int cols = grid_->ColCount();
    switch (pick(0, 9)) {
    case 0: return Variant(pick(-1, 0));
    case 1: return Variant(cols + pick(1, 2)); // the row-text column, then beyond
    case 2: return Variant(shortText());
    default: return Variant(cols > 0 ? pick(1, cols) : 1);
    }
}

Variant RandomUser::anyValue() {
    switch (pick(0, 7)) {
    case 0: return Variant();
    case 1: return Variant(pick(-5, 100));
    case 2: return Variant(pick(-1000, 1000) / 8.0);
    case 3: return Variant(chance(2));
    // Dates near the epoch: a date read as a size (a tree button, a width) stays drawable. Sizes in
    // the tens of thousands are the bounded-work tests' business, not this user's.
    case 4: return Variant(Date{static_cast<double>(pick(-10, 800))});
    default: return Variant(shortText());
    }
}

// An argument after the parameter's name: its type prefix and what it addresses.
Variant RandomUser::argumentFor(const std::string& name) {
    if (chance(25)) return anyValue(); // a value of the wrong kind now and then
    std::string lower = AsciiLower(name);
    if (lower.find("row") != std::string::npos && lower[0] == 'v') return rowAddress();
    if (lower.find("col") != std::string::npos && lower[0] == 'v') return colAddress();
    if (lower.rfind("bt", 0) == 0) return Variant(pick(-1, 4));
    if (lower[0] == 'b') return Variant(chance(2));
    if (lower[0] == 's') return Variant(shortText());
    if (lower[0] == 'e') return Variant(pick(-1, 5));
    if (lower[0] == 'i') return Variant(static_cast<int16_t>(pick(-1, 4)));
    if (lower[0] == 'o') return Variant(chance(3) ? -1 : pick(0, 0xFFFFFF));
    if (lower.find("count") != std::string::npos) return Variant(pick(-1, 4));
    if (lower.find("row") != std::string::npos) return Variant(pick(-1, grid_->RowCount() + 1));
    if (lower.find("col") != std::string::npos) return Variant(pick(-1, grid_->ColCount() + 2));
    if (lower[0] == 'l') return Variant(pick(-2, 60));
    return anyValue();
}

void RandomUser::memberCall(bool fromHandler) {
    if (chance(fromHandler ? 2 : 3)) curatedCall();
    else typeInfoCall();
}

void RandomUser::curatedCall() {
    const std::string name = kCurated[pick(0, static_cast<int>(std::size(kCurated)) - 1)];
    const MemberInfo* m = Lattix::ClassTypeInfo().findMember(name);
    if (!m) return;
    std::vector<Variant> args;
    for (const ParamInfo& p : m->params) {
        if (p.optional && chance(2)) break;
        args.push_back(argumentFor(p.name));
    }
    InvokeKind kind = m->supports(InvokeKind::Method) ? InvokeKind::Method : InvokeKind::Let;
    if (kind == InvokeKind::Let && m->supports(InvokeKind::Get) && chance(4)) kind = InvokeKind::Get;
    if (kind == InvokeKind::Let) {
        if (name == "RowCount") args.push_back(Variant(pick(-1, 30)));
        else if (name == "ColCount") args.push_back(Variant(pick(-1, 7)));
        else if (name == "CurRow") args.push_back(Variant(pick(-1, grid_->RowCount() + 1)));
        else if (name == "CurCol") args.push_back(Variant(pick(-1, grid_->ColCount() + 2)));
        else if (name == "DynamicContentEvents") args.push_back(Variant(pick(0, 15)));
        else if (name == "FrozenCols") args.push_back(Variant(pick(-1, 3)));
        else if (name == "CellValue") args.push_back(anyValue());
        else if (name == "CellType") args.push_back(Variant(pick(-1, 4)));
        else if (name == "KeyPressBehaviour") args.push_back(Variant(pick(-1, 5)));
        else if (name == "RowLevel") args.push_back(Variant(pick(-1, 3)));
        else if (name == "ColPos") args.push_back(Variant(pick(-1, grid_->ColCount() + 1)));
        else if (name == "LayoutCol" || name == "LayoutSort" || name == "SearchString" || name == "TextEditText")
            args.push_back(Variant(shortText()));
        else args.push_back(Variant(chance(2)));
    }
    if (name == "Group" && chance(2)) {
        // Something to group by first.
        note("GroupObject.AddItem");
        try {
            grid_->GroupObject()->AddItem(colAddress());
        } catch (const AutomationError&) {
        }
    }
    std::string line = std::string(kind == InvokeKind::Let ? "let " : kind == InvokeKind::Get ? "get " : "") + name + "(";
    for (size_t i = 0; i < args.size(); ++i) line += (i ? ", " : "") + describe(args[i]);
    note(line + ")");
    grid_->invoke(m->id, kind, args);
}

void RandomUser::typeInfoCall() {
    const auto& members = Lattix::ClassTypeInfo().members();
    const MemberInfo& m = members[static_cast<size_t>(pick(0, static_cast<int>(members.size()) - 1))];
    if (kSkippedMembers.count(m.name)) return;
    std::vector<InvokeKind> kinds;
    for (InvokeKind k : {InvokeKind::Method, InvokeKind::Get, InvokeKind::Let})
        if (m.supports(k)) kinds.push_back(k);
    if (kinds.empty()) return;
    const InvokeKind kind = kinds[static_cast<size_t>(pick(0, static_cast<int>(kinds.size()) - 1))];
    std::vector<Variant> args;
    for (const ParamInfo& p : m.params) {
        if (p.optional && chance(2)) break;
        args.push_back(argumentFor(p.name));
    }
    if (kind == InvokeKind::Let) args.push_back(argumentFor(m.name.substr(0, 1) == "C" ? "lValue" : m.name));
    if (chance(30)) args.push_back(anyValue()); // one argument too many
    std::string line = std::string(kind == InvokeKind::Let ? "let " : kind == InvokeKind::Get ? "get " : "") + m.name + "(";
    for (size_t i = 0; i < args.size(); ++i) line += (i ? ", " : "") + describe(args[i]);
    note(line + ")");
    grid_->invoke(m.id, kind, args);
}

void RandomUser::inputAction() {
    const int x = pick(-5, kWidth + 5), y = pick(-5, kHeight + 5);
    unsigned mods = 0;
    if (chance(4)) mods |= ui::kModShift;
    if (chance(5)) mods |= ui::kModCtrl;
    if (chance(15)) mods |= ui::kModAlt;
    using ui::headless::MouseButton;
    const MouseButton button = chance(6) ? MouseButton::Right : MouseButton::Left;
    const std::string at = "(" + std::to_string(x) + "," + std::to_string(y) + ") mods " + std::to_string(mods);
    switch (pick(0, 11)) {
    case 0:
    case 1:
        note("click " + at + (button == MouseButton::Right ? " right" : ""));
        host_.Click(x, y, button, mods);
        break;
    case 2:
        note("double click " + at);
        host_.DoubleClick(x, y, MouseButton::Left, mods);
        break;
    case 3: {
        const int x2 = pick(-20, kWidth + 20), y2 = pick(-20, kHeight + 20);
        note("drag " + at + " to (" + std::to_string(x2) + "," + std::to_string(y2) + ")");
        host_.Drag(x, y, x2, y2, pick(1, 5), MouseButton::Left, mods);
        break;
    }
    case 4:
        note("wheel " + at);
        host_.Wheel(x, y, chance(2) ? 120 : -120, mods);
        break;
    case 5:
    case 6:
    case 7: {
        const ui::VirtualKey key = kKeys[pick(0, static_cast<int>(std::size(kKeys)) - 1)];
        note("key " + std::to_string(key) + " mods " + std::to_string(mods));
        host_.KeyPress(key, mods);
        break;
    }
    case 8: {
        const std::string text = shortText();
        note("type \"" + text + "\"");
        host_.TypeText(text);
        break;
    }
    case 9: {
        std::string text;
        const int rows = pick(1, 4), cols = pick(1, 4);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) text += (c ? "\t" : "") + shortText();
            text += "\r\n";
        }
        note("clipboard text set by another program");
        host_.SetClipboardTextExternally(text);
        break;
    }
    case 10:
        note("mouse move " + at);
        host_.MouseMove(x, y, mods);
        break;
    default: {
        const int ms = pick(1, 700);
        note("time passes " + std::to_string(ms) + " ms");
        host_.Advance(static_cast<uint64_t>(ms));
        break;
    }
    }
}

void RandomUser::onEvent(const EventInfo& e, std::span<Variant> args) {
    if (checking_) return;
    // By-reference answers: now and then a different one (a veto, another key, another text).
    if (chance(5)) {
        for (Variant& a : args) {
            if (!a.isByRef() || !a.slot() || !chance(2)) continue;
            const Variant& d = a.deref();
            if (d.type() == VarType::Bool) *a.slot() = Variant(!ToBool(d));
            else if (d.type() == VarType::String) *a.slot() = Variant(shortText());
            else if (d.type() == VarType::Int16) *a.slot() = Variant(static_cast<int16_t>(pick(-1, 40)));
            else if (d.isNumeric()) *a.slot() = Variant(pick(-1, 3));
        }
    }
    if (handlerDepth_ >= 2 || !chance(10)) return;
    ++handlerDepth_;
    note("  in " + e.name + ":");
    try {
        memberCall(true);
    } catch (const AutomationError& err) {
        note("    -> error " + std::to_string(err.unsignedNumber() & 0xFFFF));
        // Most hosts handle their own errors; some let them run out of the handler.
        if (chance(8)) {
            --handlerDepth_;
            throw;
        }
    } catch (...) {
        --handlerDepth_;
        throw;
    }
    --handlerDepth_;
}

void RandomUser::oneStep() {
    // Keeps the grid small, so that every step stays cheap to check.
    if (grid_->RowCount() > kMaxRows) grid_->SetRowCount(kMaxRows / 2);
    if (grid_->ColCount() > kMaxCols) grid_->SetColCount(kMaxCols / 2);
    if (chance(2)) memberCall(false);
    else inputAction();
}

std::string RandomUser::checkInvariants() {
    checking_ = true;
    struct Restore {
        bool& flag;
        ~Restore() { flag = false; }
    } restore{checking_};
    Lattix& g = *grid_;
    const int rows = g.RowCount(), cols = g.ColCount();
    if (rows < 0 || cols < 0) return "negative counts";
    if (g.CurRow() < 0 || g.CurRow() > rows) return "CurRow " + std::to_string(g.CurRow()) + " outside 0.." + std::to_string(rows);
    if (g.CurCol() < 0 || g.CurCol() > cols + 1)
        return "CurCol " + std::to_string(g.CurCol()) + " outside 0.." + std::to_string(cols + 1);
    const auto items = g.SelItems()->GetArray();
    if (static_cast<int32_t>(items.size()) != g.SelItems()->Count()) return "SelItems.Count differs from its items";
    for (const auto& it : items) {
        if (it.Row < 1 || it.Row > rows || it.Col < 1 || it.Col > cols + 1)
            return "selected item (" + std::to_string(it.Row) + "," + std::to_string(it.Col) + ") outside the grid";
        if (g.RowMode() && it.Col != 1) return "row-mode item in column " + std::to_string(it.Col);
    }
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols + 1; ++c) {
            (void)g.CellValue(Variant(r), Variant(c));
            (void)g.CellText(Variant(r), Variant(c));
            (void)g.CellSelected(Variant(r), Variant(c));
        }
    for (int p = 1; p <= cols + 1; ++p) {
        const int32_t index = g.Column(p).index;
        if (index < 1 || index > cols + 1) return "column position " + std::to_string(p) + " holds index " + std::to_string(index);
    }
    if (g.BeginUpdateCount() < 0) return "negative BeginUpdateCount";
    // The picture is the window with the popups it owns, and a tooltip near an edge reaches past the
    // window: the window keeps its size and the picture holds at least all of it.
    const ui::Rect frame = ui::Wm().GetWindowRect(host_.TopLevel());
    if (frame.width() != kWidth || frame.height() != kHeight) return "the host window changed its size";
    const gfx::Bitmap picture = host_.Render();
    if (picture.width() < kWidth || picture.height() < kHeight)
        return "the picture of " + std::to_string(picture.width()) + " x " + std::to_string(picture.height()) +
               " does not hold the window";
    return {};
}

std::string RandomUser::Run(int steps) {
    for (step_ = 0; step_ < steps; ++step_) {
        note("step " + std::to_string(step_) + ":");
        try {
            oneStep();
        } catch (const AutomationError& e) {
            const uint32_t n = e.unsignedNumber();
            note("  -> error " + std::to_string(n & 0xFFFF) + " " + e.description());
            if (e.description().empty()) return "an automation error without a description";
        } catch (const std::exception& e) {
            note(std::string("  -> ") + e.what());
        } catch (...) {
            note("  -> unknown exception");
        }
        const std::string& last = recent_.back();
        const bool foreign = last.rfind("  -> ", 0) == 0 && last.rfind("  -> error ", 0) != 0;
        std::string broken = foreign ? "an exception other than an automation error: " + last.substr(5) : std::string();
        if (broken.empty()) {
            try {
                broken = checkInvariants();
            } catch (const std::exception& e) {
                broken = std::string("reading the grid threw: ") + e.what();
            }
        }
        // Leaves no update suspended for good: the picture must come back.
        while (grid_->BeginUpdateCount() > 3) grid_->EndUpdate();
        if (!broken.empty()) {
            std::string report = broken + " after step " + std::to_string(step_) + "; the latest calls:\n";
            for (const std::string& s : recent_) report += "  " + s + "\n";
            return report;
        }
    }
    return {};
}

} // namespace lattix::test
