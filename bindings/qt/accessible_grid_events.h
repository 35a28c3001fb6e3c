// Tells assistive technologies what changes in a LattixWidget, while an accessibility client
// listens (from QAccessible::isActive, or from the platform's word that one came): the focus moving with the current cell, into the editor and
// through the drop-down list; cells selected and unselected; values of the cells on screen;
// rows shown and hidden by a tree; rows inserted, removed or reordered.
//
// The grid's events only note what happened; the notices go out from Qt's event loop once the
// grid is done (and after each paint, which shows what the host changed without an event), so an
// accessibility client that reads the grid back never runs inside a grid operation.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <span>
#include <vector>

namespace lattix {

class LattixWidget;
class LattixWidgetAccessible;
class Variant;
struct EventInfo;

class GridAccessibilityEvents final : public QObject, public QAccessible::ActivationObserver {
public:
    explicit GridAccessibilityEvents(LattixWidget& widget);
    ~GridAccessibilityEvents() override;

    void accessibilityActiveChanged(bool active) override;
    // Sends what changed since the last time now (the event loop does it a moment after a change).
    void Flush();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct SelectionNote {
        int32_t row = 0, colIndex = 0;
        bool selected = false;
    };
    struct ExpandNote {
        int32_t row = 0; // 0: every row
        bool expanded = false;
        int32_t displayedBefore = 0, displayedAfter = 0;
    };
    struct SeenCell {
        int32_t row = 0, colIndex = 0;
        std::string text;
        int32_t check = -1; // -1: no check box
    };
    // What identifies the focused object: the current cell, the editor in it, or a list item.
    struct FocusKey {
        int kind = 0; // 0 nothing, 1 cell, 2 editor, 3 list item
        int32_t row = 0, colIndex = 0, item = 0;
        bool operator==(const FocusKey&) const = default;
    };

    void Listen(bool on);
    void GridEvent(const EventInfo& event, std::span<Variant> args);
    void Schedule();
    void Forget();
    LattixWidgetAccessible* Table() const;
    // Returns true when the table's shape changed (the cells seen before mean nothing now).
    bool SendStructure(LattixWidgetAccessible& table);
    void SendFocus(LattixWidgetAccessible& table);
    void SendSelection(LattixWidgetAccessible& table);
    void SendValues(LattixWidgetAccessible& table, bool shapeChanged);
    FocusKey CurrentFocus() const;

    LattixWidget& widget_;
    int cookie_ = 0;
    QTimer flush_;
    // Notes of the grid's events since the last flush.
    bool focusMoved_ = false;
    bool reordered_ = false;
    bool editorChanged_ = false;
    std::vector<SelectionNote> selections_;
    bool selectionOverflow_ = false;
    bool selectionChanged_ = false;
    std::vector<ExpandNote> expansions_;
    int32_t displayedBeforeToggle_ = 0;
    // What the last flush saw.
    bool seen_ = false;
    int32_t seenRows_ = 0, seenCols_ = 0;
    std::vector<SeenCell> seenCells_;
    FocusKey seenFocus_;
    QString seenEditorText_;
};

} // namespace lattix
