// Drag and drop: OLEDrag starts a drag of the selected cells, and a grid whose OLEDropMode is
// lxOLEDropManual (1) reports drags passing over it and drops on it through the OLE* events.
//
// The grid neither moves nor pastes anything itself: the data object and the effects pass through
// the events unchanged, and the host decides (it removes moved cells in OLECompleteDrag, it reads a
// drop in OLEDragDrop).
//
// Dragging out: a data object with the selected cells' text as the clipboard copy writes it
// (tab-separated, CR LF after each row; the same text as plain text) is given to OLEStartDrag with
// AllowedEffects copy | move; a handler may change the data or the effects, and AllowedEffects 0
// cancels the drag. The platform's drag and drop runs the drag, raising OLEGiveFeedback for each
// effect a target offers, and OLECompleteDrag reports the effect the drop took.
//
// Dropping in: OLEDragOver (State 0 enter, 2 over, 1 leave) and OLEDragDrop carry the data object, the
// proposed Effect (Ctrl: copy; else move when allowed, else copy), the mouse button and modifiers,
// and the point in client pixels; the Effect the handler leaves is what the drop source is told.
#include <algorithm>
#include <array>

#include "grid/automation/error_table.h"
#include "grid/input/tab_text.h"
#include "grid/lattix.h"
#include "grid/objects/data_object.h"
#include "platform/ui/drag_drop.h"
#include "platform/ui/messages.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {

inline constexpr DispId kOLEDragDrop = 54, kOLEDragOver = 55, kOLECompleteDrag = 56, kOLEGiveFeedback = 57,
                        kOLEStartDrag = 59;
constexpr int32_t kStateEnter = 0, kStateLeave = 1, kStateOver = 2;

int32_t ButtonOf(uint32_t keys) {
    return (keys & ui::MK_LBUTTON ? 1 : 0) | (keys & ui::MK_RBUTTON ? 2 : 0) | (keys & ui::MK_MBUTTON ? 4 : 0);
}
int32_t ShiftOf(uint32_t keys) { return (keys & ui::MK_SHIFT ? 1 : 0) | (keys & ui::MK_CONTROL ? 2 : 0); }

int32_t ProposedEffect(const ui::DragOverInfo& info) {
    const int32_t allowed = info.allowedEffects;
    if ((info.keyState & ui::MK_CONTROL) && (allowed & ui::kDropEffectCopy)) return ui::kDropEffectCopy;
    if (allowed & ui::kDropEffectMove) return ui::kDropEffectMove;
    if (allowed & ui::kDropEffectCopy) return ui::kDropEffectCopy;
    return allowed & ui::kDropEffectLink;
}

class GridDropTarget final : public ui::DropTarget {
public:
    explicit GridDropTarget(Lattix& g) : g_(g) {}

    int32_t DragEnter(ui::DragData& data, const ui::DragOverInfo& info) override {
        if (g_.OLEDropMode() == 0) return ui::kDropEffectNone;
        current_ = std::make_shared<DataObject>(data);
        return over(kStateEnter, info);
    }
    int32_t DragOver(ui::DragData&, const ui::DragOverInfo& info) override {
        if (!current_) return ui::kDropEffectNone;
        return over(kStateOver, info);
    }
    void DragLeave(ui::DragData&) override {
        if (!current_) return;
        std::array<Variant, 7> args{data(), Variant::byRef(Variant(int32_t{0})), Variant::byRef(Variant(int32_t{0})),
                                    Variant::byRef(Variant(int32_t{0})), Variant::byRef(Variant(0.0f)),
                                    Variant::byRef(Variant(0.0f)), Variant::byRef(Variant(int32_t{kStateLeave}))};
        current_.reset();
        g_.RaiseEvent(kOLEDragOver, args);
    }
    int32_t Drop(ui::DragData& data, const ui::DragOverInfo& info) override {
        if (g_.OLEDropMode() == 0) return ui::kDropEffectNone;
        if (!current_) current_ = std::make_shared<DataObject>(data);
        std::array<Variant, 6> args{this->data(), Variant::byRef(Variant(ProposedEffect(info))),
                                    Variant::byRef(Variant(ButtonOf(info.keyState))),
                                    Variant::byRef(Variant(ShiftOf(info.keyState))),
                                    Variant::byRef(Variant(static_cast<float>(info.point.x))),
                                    Variant::byRef(Variant(static_cast<float>(info.point.y)))};
        current_.reset();
        g_.RaiseEvent(kOLEDragDrop, args);
        return ToInt32(args[1].deref()) & info.allowedEffects;
    }

private:
    Variant data() const { return Variant::byRef(Variant(std::static_pointer_cast<AutomationObject>(current_))); }
    int32_t over(int32_t state, const ui::DragOverInfo& info) {
        std::array<Variant, 7> args{data(), Variant::byRef(Variant(ProposedEffect(info))),
                                    Variant::byRef(Variant(ButtonOf(info.keyState))),
                                    Variant::byRef(Variant(ShiftOf(info.keyState))),
                                    Variant::byRef(Variant(static_cast<float>(info.point.x))),
                                    Variant::byRef(Variant(static_cast<float>(info.point.y))),
                                    Variant::byRef(Variant(state))};
        g_.RaiseEvent(kOLEDragOver, args);
        return ToInt32(args[1].deref()) & info.allowedEffects;
    }

    Lattix& g_;
    std::shared_ptr<DataObject> current_;
};

class GridDragSource final : public ui::DragSource {
public:
    explicit GridDragSource(Lattix& g) : g_(g) {}
    void GiveFeedback(int32_t effect) override {
        std::array<Variant, 2> args{Variant::byRef(Variant(effect)), Variant::byRef(Variant(true))};
        g_.RaiseEvent(kOLEGiveFeedback, args);
    }

private:
    Lattix& g_;
};

} // namespace

int32_t Lattix::OLEDropMode() const { return ToInt32(StoredProperty("OLEDropMode", Variant(int32_t{0}))); }

void Lattix::SetOLEDropMode(int32_t e) {
    if (e < 0 || e > 1) RaiseLattixError(lattix_error::kInvalidArgument);
    if (e == OLEDropMode()) return;
    SetStoredProperty("OLEDropMode", Variant(e));
    PropertyChanged("OLEDropMode");
}

ui::DropTarget* Lattix::GridDropTargetObject() {
    if (!dropTarget_) dropTarget_ = std::make_shared<GridDropTarget>(*this);
    return dropTarget_.get();
}

std::string Lattix::SelectedCellsTabText() {
    // The selected cells as the copy command writes them; with nothing selected, the current cell.
    CopyBuffer buffer;
    if (selection_.count() > 0) return copySelection(false, true, false, buffer);
    if (!validCell(curRow_, curCol_) || !holdsCellText(curRow_, curCol_)) return {};
    std::string out;
    AppendTabField(out, DisplayedText(curRow_, curCol_));
    return out.append("\r\n");
}

int32_t Lattix::OLEDrag() {
    if (hwnd_ == 0 || ui::DragDrop().Dragging()) return ui::kDropEffectNone;
    const std::string text = SelectedCellsTabText();
    ui::DragData data;
    data.set(ui::kMimeTabText, text);
    data.set(ui::kMimeText, text);
    auto dataObject = std::make_shared<DataObject>(std::move(data), std::static_pointer_cast<Lattix>(shared_from_this()));
    std::array<Variant, 2> start{Variant::byRef(Variant(std::static_pointer_cast<AutomationObject>(dataObject))),
                                 Variant::byRef(Variant(int32_t{ui::kDropEffectCopy | ui::kDropEffectMove}))};
    RaiseEvent(kOLEStartDrag, start);
    const int32_t allowed = ToInt32(start[1].deref()) & (ui::kDropEffectCopy | ui::kDropEffectMove | ui::kDropEffectLink);
    if (allowed == ui::kDropEffectNone) return ui::kDropEffectNone;
    GridDragSource feedback(*this);
    const int32_t effect = ui::DragDrop().DoDragDrop(hwnd_, dataObject->data(), allowed, &feedback);
    std::array<Variant, 1> complete{Variant::byRef(Variant(effect))};
    RaiseEvent(kOLECompleteDrag, complete);
    return effect;
}

} // namespace lattix
