#include "bindings/qt/accessible_grid_events.h"

#include <QEvent>

#include <algorithm>
#include <tuple>

#include "bindings/qt/accessible_grid_cells.h"
#include "bindings/qt/lattix_widget.h"
#include "bindings/qt/lattix_widget_accessible.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {

// The grid's events this listens to (their published identifiers).
namespace heard {
constexpr DispId kAfterCommitEdit = 1;
constexpr DispId kCancelEdit = 3;
constexpr DispId kCellSelectionChange = 8;
constexpr DispId kAfterSelectionChange = 10;
constexpr DispId kAfterContentsSorted = 23;
constexpr DispId kAfterContentsGrouped = 25;
constexpr DispId kCurCellChange = 26;
constexpr DispId kAfterCellCheckChange = 36;
constexpr DispId kTextEditStarted = 74;
constexpr DispId kTextEditChange = 75;
constexpr DispId kBeforeRowCollapseExpand = 84;
constexpr DispId kAfterRowCollapseExpand = 85;
} // namespace heard

// More selection changes than this in one go are told as one change of the table's selection.
constexpr size_t kMaxSelectionNotes = 256;
// The cells on screen whose values are watched, at most.
constexpr size_t kMaxSeenCells = 8192;

void Send(QAccessibleEvent& e) { QAccessible::updateAccessibility(&e); }

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

GridAccessibilityEvents::GridAccessibilityEvents(LattixWidget& widget) : widget_(widget) {
    flush_.setSingleShot(true);
    flush_.setInterval(0);
    connect(&flush_, &QTimer::timeout, this, [this] { Flush(); });
    widget_.installEventFilter(this);
    QAccessible::installActivationObserver(this);
    if (QAccessible::isActive()) Listen(true);
}

GridAccessibilityEvents::~GridAccessibilityEvents() {
    QAccessible::removeActivationObserver(this);
    Listen(false);
    widget_.removeEventFilter(this);
    DetachLattixWidgetAccessibility(&widget_);
}

void GridAccessibilityEvents::accessibilityActiveChanged(bool active) {
    Listen(active);
    Forget();
    if (active) Schedule();
}

void GridAccessibilityEvents::Listen(bool on) {
    EventSource* events = widget_.grid()->events();
    if (on && cookie_ == 0) {
        cookie_ = events->connect([this](const EventInfo& e, std::span<Variant> args) { GridEvent(e, args); });
    } else if (!on && cookie_ != 0) {
        events->disconnect(cookie_);
        cookie_ = 0;
    }
}

void GridAccessibilityEvents::GridEvent(const EventInfo& event, std::span<Variant> args) {
    auto arg = [&](size_t i) { return i < args.size() ? ToInt32(args[i].deref()) : 0; };
    try {
        switch (event.id) {
        case heard::kCurCellChange: focusMoved_ = true; break;
        case heard::kCellSelectionChange:
            selectionChanged_ = true;
            if (selections_.size() < kMaxSelectionNotes) selections_.push_back({arg(0), arg(1), arg(2) != 0});
            else selectionOverflow_ = true;
            break;
        case heard::kAfterSelectionChange: selectionChanged_ = true; break;
        case heard::kAfterContentsSorted:
        case heard::kAfterContentsGrouped: reordered_ = true; break;
        case heard::kTextEditChange: editorChanged_ = true; break;
        case heard::kBeforeRowCollapseExpand: displayedBeforeToggle_ = widget_.grid()->DisplayedRowCount(); break;
        case heard::kAfterRowCollapseExpand:
            expansions_.push_back({arg(0), arg(1) != 0, displayedBeforeToggle_, widget_.grid()->DisplayedRowCount()});
            break;
        case heard::kAfterCommitEdit:
        case heard::kCancelEdit:
        case heard::kAfterCellCheckChange:
        case heard::kTextEditStarted: break;
        default: return;
        }
    } catch (...) {
        // An argument that is not a number: the flush looks at the grid itself.
    }
    Schedule();
}

bool GridAccessibilityEvents::eventFilter(QObject* watched, QEvent* e) {
    if (watched == &widget_ && cookie_ != 0) {
        switch (e->type()) {
        case QEvent::FocusIn:
            seenFocus_ = {};
            Schedule();
            break;
        // A paint shows what the host changed; keys and clicks may have moved through an open list.
        case QEvent::Paint:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease: Schedule(); break;
        default: break;
        }
    }
    return false;
}

void GridAccessibilityEvents::Schedule() {
    if (!flush_.isActive()) flush_.start();
}

void GridAccessibilityEvents::Forget() {
    focusMoved_ = reordered_ = editorChanged_ = false;
    selections_.clear();
    selectionOverflow_ = selectionChanged_ = false;
    expansions_.clear();
    seen_ = false;
    seenCells_.clear();
    seenFocus_ = {};
    seenEditorText_.clear();
}

LattixWidgetAccessible* GridAccessibilityEvents::Table() const {
    return dynamic_cast<LattixWidgetAccessible*>(QAccessible::queryAccessibleInterface(&widget_));
}

void GridAccessibilityEvents::Flush() {
    flush_.stop();
    // Listening is the sign of a client: the platform tells the observers when one comes or goes
    // (QAccessible::setActive), and this one listens from then on.
    LattixWidgetAccessible* table = cookie_ != 0 ? Table() : nullptr;
    if (table == nullptr || table->grid() == nullptr) {
        Forget();
        return;
    }
    try {
        const bool shapeChanged = SendStructure(*table);
        SendFocus(*table);
        SendSelection(*table);
        SendValues(*table, shapeChanged);
        seen_ = true;
    } catch (...) {
        // A host's handler raised while the grid was read: start over from what is there next time.
        seen_ = false;
    }
    focusMoved_ = reordered_ = editorChanged_ = false;
    selections_.clear();
    selectionOverflow_ = selectionChanged_ = false;
    expansions_.clear();
}

bool GridAccessibilityEvents::SendStructure(LattixWidgetAccessible& table) {
    Lattix& g = *table.grid();
    const VisibleCellMap& map = *table.cellMap();
    const int32_t rows = map.RowCount(), cols = map.ColCount();
    const bool first = !seen_;
    bool reset = reordered_ || cols != seenCols_;
    int32_t expected = seenRows_;
    for (const ExpandNote& n : expansions_) {
        if (n.row == 0) reset = true;
        expected += n.displayedAfter - n.displayedBefore;
    }
    if (rows != expected) reset = true; // the host added, removed, showed or hid rows
    seenRows_ = rows;
    seenCols_ = cols;
    if (first) return true;

    // The expanded state of each toggled row, on the cell with its tree button.
    for (const ExpandNote& n : expansions_) {
        const int row = map.RowOf(n.row);
        if (n.row == 0 || row < 0) continue;
        int column = map.ColOf(g.TreeColumnOfRow(n.row));
        if (column < 0) column = 0;
        if (QAccessibleInterface* cell = table.cellAt(row, column)) {
            QAccessible::State changed;
            changed.expanded = changed.collapsed = true;
            QAccessibleStateChangeEvent e(cell, changed);
            Send(e);
        }
    }
    auto change = [&](QAccessibleTableModelChangeEvent::ModelChangeType type, int firstRow, int lastRow) {
        QAccessibleTableModelChangeEvent e(&table, type);
        if (type != QAccessibleTableModelChangeEvent::ModelReset) {
            e.setFirstRow(firstRow);
            e.setLastRow(lastRow);
            e.setFirstColumn(0);
            e.setLastColumn(cols - 1);
        }
        Send(e);
        table.forgetChildren();
    };
    if (reset) {
        change(QAccessibleTableModelChangeEvent::ModelReset, 0, 0);
        return true;
    }
    bool changed = false;
    for (const ExpandNote& n : expansions_) {
        const int32_t delta = n.displayedAfter - n.displayedBefore;
        const int row = map.RowOf(n.row);
        if (delta == 0 || row < 0) continue;
        // The rows below the toggled one came or went.
        change(delta > 0 ? QAccessibleTableModelChangeEvent::RowsInserted : QAccessibleTableModelChangeEvent::RowsRemoved,
               row + 1, row + std::abs(delta));
        changed = true;
    }
    return changed;
}

GridAccessibilityEvents::FocusKey GridAccessibilityEvents::CurrentFocus() const {
    Lattix& g = *widget_.grid();
    FocusKey key;
    key.row = g.CurRow();
    key.colIndex = g.CurCol();
    if (g.TextEditHwnd() != 0) key.kind = 2;
    else if (g.ComboDroppedDown()) key.kind = 3, key.item = g.DropDownHighlighted();
    else if (key.row >= 1 && key.row <= g.RowCount() && g.Row(key.row).visibleIndex > 0) key.kind = 1;
    return key;
}

void GridAccessibilityEvents::SendFocus(LattixWidgetAccessible& table) {
    const FocusKey now = CurrentFocus();
    QAccessibleInterface* editor = now.kind == 2 ? table.openEditor() : nullptr;
    const QString editorText = editor != nullptr ? editor->text(QAccessible::Value) : QString();
    if (!widget_.hasFocus()) {
        seenFocus_ = now;
        seenEditorText_ = editorText;
        return;
    }
    if (now.kind != 0 && (!(now == seenFocus_) || focusMoved_)) {
        if (QAccessibleInterface* target = table.focusChild()) {
            QAccessibleEvent e(target, QAccessible::Focus);
            Send(e);
        }
    } else if (editor != nullptr && editorText != seenEditorText_) {
        QAccessibleTextUpdateEvent e(editor, 0, seenEditorText_, editorText);
        Send(e);
    }
    seenFocus_ = now;
    seenEditorText_ = editorText;
}

void GridAccessibilityEvents::SendSelection(LattixWidgetAccessible& table) {
    if (!selectionChanged_) return;
    Lattix& g = *table.grid();
    const VisibleCellMap& map = *table.cellMap();
    if (!selectionOverflow_) {
        for (const SelectionNote& n : selections_) {
            const int row = map.RowOf(n.row);
            if (row < 0) continue;
            const int column = g.Row(n.row).isGroup() ? 0 : map.ColOf(n.colIndex);
            QAccessibleInterface* cell = column >= 0 ? table.cellAt(row, column) : nullptr;
            if (cell == nullptr) continue;
            QAccessibleEvent e(cell, n.selected ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
            Send(e);
        }
    }
    QAccessibleEvent within(&table, QAccessible::SelectionWithin);
    Send(within);
}

void GridAccessibilityEvents::SendValues(LattixWidgetAccessible& table, bool shapeChanged) {
    Lattix& g = *table.grid();
    const VisibleCellMap& map = *table.cellMap();
    // The columns on screen.
    std::vector<int32_t> columns;
    for (int32_t p = 1; p <= g.ColCount(); ++p) {
        const ColumnRecord& c = g.Column(p);
        const int32_t left = c.left - g.ScrollX();
        if (c.laidOut && c.visibleIndex > 0 && left < g.ViewWidth() && left + c.width > 0) columns.push_back(c.index);
    }
    std::vector<SeenCell> now;
    const VisibleRange& range = g.VisRange();
    for (int32_t r = std::max(1, range.firstRow); r <= range.lastRow && now.size() < kMaxSeenCells; ++r) {
        if (!g.Row(r).displayed()) continue;
        if (g.Row(r).isGroup()) {
            now.push_back({r, g.RowTextCol(), g.DisplayedText(r, g.RowTextCol()), -1});
            continue;
        }
        for (int32_t c : columns) {
            const int32_t check = g.CellCheckVisible(r, c) ? g.CellCheckState(r, c) : -1;
            now.push_back({r, c, g.DisplayedText(r, c), check});
        }
    }
    auto order = [](const SeenCell& a, const SeenCell& b) { return std::tie(a.row, a.colIndex) < std::tie(b.row, b.colIndex); };
    std::sort(now.begin(), now.end(), order);
    if (!shapeChanged) {
        for (const SeenCell& cell : now) {
            auto before = std::lower_bound(seenCells_.begin(), seenCells_.end(), cell, order);
            if (before == seenCells_.end() || before->row != cell.row || before->colIndex != cell.colIndex) continue;
            if (before->text == cell.text && before->check == cell.check) continue;
            const int row = map.RowOf(cell.row);
            const int column = cell.colIndex == g.RowTextCol() ? 0 : map.ColOf(cell.colIndex);
            QAccessibleInterface* iface = row >= 0 && column >= 0 ? table.cellAt(row, column) : nullptr;
            if (iface == nullptr) continue;
            if (before->text != cell.text) {
                QAccessibleValueChangeEvent e(iface, FromUtf8(cell.text));
                Send(e);
            }
            if (before->check != cell.check) {
                QAccessible::State changed;
                changed.checked = true;
                changed.checkStateMixed = true;
                QAccessibleStateChangeEvent e(iface, changed);
                Send(e);
            }
        }
    }
    seenCells_ = std::move(now);
}

} // namespace lattix
