// The control frame: creation, teardown, capability flags, user-interface strings, update suspension
// and the bookkeeping services the structural operations share.
#include "grid/lattix.h"

#include <exception>
#include <utility>

#include "grid/objects/combo_objects.h"
#include "grid/objects/scroll_bar_object.h"
#include "grid/view/grid_chrome.h"

#include "grid/objects/aggr_funcs_object.h"
#include "grid/objects/cell_object.h"
#include "grid/objects/context_menu_items_object.h"
#include "grid/objects/header_object.h"
#include "grid/automation/error_table.h"
#include "runtime/automation_error.h"
#include "grid/objects/sel_items_object.h"
#include "grid/view/painter.h"
#include "grid/view/picture_object.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
const std::array<const char*, 31> kDefaultUIStrings = {
    "Sort Ascending",
    "Sort Descending",
    "Group By This Column",
    "Don't Group By This Column",
    "Remove Grouping",
    "Collapse All Rows",
    "Expand All Rows",
    "Collapse All Child Rows",
    "Expand All Child Rows",
    "Invalid value:",
    "Input Validation",
    "Cut",
    "Copy",
    "Copy with Headers",
    "Paste",
    "Not enough rows/columns to paste all data.\nProceed (some data won't be pasted)?",
    "Non-selected",
    "Selected",
    "Horizontal hatch",
    "Vertical hatch",
    "45-degree downward hatch",
    "45-degree upward hatch",
    "Horizontal and vertical crosshatch",
    "45-degree crosshatch",
    "No hatch",
    "Unchecked",
    "Checked",
    "Grayed",
    "Checkbox hidden",
    "Checkbox visible",
    "Paste Operation",
};

// Capability flags from the measured system.
std::array<bool, 4> detectSupports(const SystemDescription& s) {
    std::array<bool, 4> f{};
    int ccMajor = s.hasCommonControlsVersion ? s.commonControlsMajor : 4;
    int ccMinor = s.hasCommonControlsVersion ? s.commonControlsMinor : 0;
    if (s.osMajor == 5) f[0] = s.osMinor >= 1 && s.appThemed && ccMajor >= 6;
    else if (s.osMajor > 5) f[0] = s.appThemed;
    f[2] = (ccMajor == 4 && ccMinor >= 71) || ccMajor == 5;
    f[3] = s.bitsPerPixel > 8 &&
           ((s.ntFamily && s.osMajor >= 5) || (!s.ntFamily && (s.osMajor > 4 || (s.osMajor == 4 && s.osMinor >= 10))));
    return f;
}
} // namespace

void Lattix::RedetectSupports() {
    if (hwnd_ != 0) system_.appThemed = ui::Wm().GetSystemInfo().visualStylesInUse;
    supports_ = detectSupports(system_);
}

std::shared_ptr<Lattix> Lattix::Create() { return Create(Options{}); }

std::shared_ptr<Lattix> Lattix::Create(const Options& options) {
    std::shared_ptr<Lattix> g(new Lattix(options));
    g->initialise();
    return g;
}

Lattix::Lattix(const Options& options) : options_(options), system_(options.system) {
    painter_ = std::make_unique<GridPainter>(*this);
}

void Lattix::initialise() {
    supports_ = detectSupports(system_);
    // The default sizes are a 96-dpi screen's, in pixels of the screen measured at creation.
    defaultRowHeight_ = defaultRowNormalCellHeight_ = static_cast<int16_t>(ScaledFrom96(defaultRowHeight_));
    headerHeight_ = ScaledFrom96(headerHeight_);
    // Owned objects, in the order the control lists them.
    selItems_ = std::make_shared<SelItemsObject>(this);
    registerOwned(selItems_);
    aggrFuncs_ = std::make_shared<AggrFuncsObject>(this);
    registerOwned(aggrFuncs_);
    for (auto& list : contextMenuItems_) {
        list = std::make_shared<ContextMenuItemsObject>(this);
        registerOwned(list);
    }
    header_ = std::make_shared<HeaderObject>(this);
    registerOwned(header_);
    combos_ = std::make_shared<CombosObject>(this);
    registerOwned(combos_);
    chrome_ = std::make_unique<GridChrome>(*this);
    for (int bar = 0; bar < 2; ++bar) {
        scrollBarObjects_[static_cast<size_t>(bar)] = std::make_shared<ScrollBarObject>(this, bar);
        registerOwned(scrollBarObjects_[static_cast<size_t>(bar)]);
    }
    initialiseSorting();
    for (size_t i = 0; i < uiStrings_.size(); ++i) uiStrings_[i] = kDefaultUIStrings[i];
    // The row text column alone, at position 1 with index 1.
    cols_.resize(2);
    cols_[1] = makeColumn(1);
    cols_[1].headerText.clear();
    cells_.clear(1);
}

Lattix::~Lattix() { teardown(); }

void Lattix::teardown() {
    DetachWindow();
    // Stop handing out the grid: every object the host may still hold loses its link first.
    for (auto& weak : owned_)
        if (auto obj = weak.lock()) obj->detach();
    owned_.clear();
    for (size_t p = 1; p < cols_.size(); ++p)
        if (cols_[p].defaultCellObject) cols_[p].defaultCellObject->detach();
    header_.reset();
    aggrFuncs_.reset();
    selItems_.reset();
    combos_.reset();
    for (auto& list : contextMenuItems_) list.reset();
}

void Lattix::registerOwned(const std::shared_ptr<OwnedObject>& obj) {
    // Entries of objects that are gone are dropped whenever the list is full, so it does not grow
    // without bound. When that frees less than half of it, the list doubles as well: there are then
    // at least half as many registrations as entries before the next sweep, which keeps registering
    // linear however many objects stay alive (a column count of a million makes a million).
    if (owned_.size() >= 64 && owned_.size() == owned_.capacity()) {
        std::erase_if(owned_, [](const std::weak_ptr<OwnedObject>& w) { return w.expired(); });
        if (owned_.size() > owned_.capacity() / 2) owned_.reserve(owned_.capacity() * 2);
    }
    owned_.push_back(obj);
}

std::shared_ptr<CellObject> Lattix::newDefaultCellObject() {
    auto obj = CellObject::Create(this);
    registerOwned(obj);
    return obj;
}

void Lattix::RaiseEvent(DispId id, std::span<Variant> args) {
    if (!events_.hasSinks()) return;
    const EventInfo* info = ClassTypeInfo().findEvent(id);
    if (!info) return;
    std::shared_ptr<AutomationObject> keepAlive = weak_from_this().lock();
    events_.fire(*info, args);
}

Lattix::StructuralScope::StructuralScope(Lattix& g) : g_(g), unwinding_(std::uncaught_exceptions()) {
    if (g.structuralDepth_ > 0) RaiseLattixError(lattix_error::kIllegalOperation);
    ++g.structuralDepth_;
    ++g.structuralChanges_;
}

Lattix::StructuralScope::~StructuralScope() noexcept(false) {
    if (open_) close();
}

void Lattix::StructuralScope::close() {
    open_ = false;
    --g_.structuralDepth_;
    if (--g_.structuralChanges_ > 0 || !g_.heldHandlerError_) return;
    std::exception_ptr held = std::exchange(g_.heldHandlerError_, nullptr);
    if (std::uncaught_exceptions() == unwinding_) std::rethrow_exception(held);
}

void Lattix::RefuseDuringStructuralChange() const {
    if (structuralChanges_ > 0) RaiseLattixError(lattix_error::kIllegalOperation);
}

std::string Lattix::UIStrings(int32_t index) const {
    if (index < 1 || index > 31) RaiseLattixError(lattix_error::kInvalidArgument);
    return uiStrings_[static_cast<size_t>(index - 1)];
}

void Lattix::SetUIStrings(int32_t index, const std::string& text) {
    if (index < 1 || index > 31) RaiseLattixError(lattix_error::kInvalidArgument);
    uiStrings_[static_cast<size_t>(index - 1)] = text;
}

bool Lattix::Supports(int32_t eSupFeat) const {
    if (eSupFeat < 0 || eSupFeat > 3) RaiseLattixError(lattix_error::kInvalidArgument);
    return supports_[static_cast<size_t>(eSupFeat)];
}

std::shared_ptr<ContextMenuItemsObject> Lattix::ContextMenuCustomItems(int32_t eContextMenu) const {
    if (eContextMenu < 1 || eContextMenu > 5) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    return contextMenuItems_[static_cast<size_t>(eContextMenu - 1)];
}

void Lattix::SetHeaderHeight(int32_t h) {
    if (h < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    if (h == headerHeight_) return;
    headerHeight_ = h;
    // The cells area starts below the header: its height follows at once, not at the next resize.
    updateViewSize();
    MarkLayout(1);
    PropertyChanged("HeaderHeight");
    RelayoutAndRedraw();
}

void Lattix::PropertyChanged(std::string_view name) {
    if (options_.site) options_.site->propertyChanged(name);
}

void Lattix::BeginUpdate() {
    if (++beginUpdateCount_ == 1 && chrome_) chrome_->SetHeaderRedraw(false);
}

void Lattix::EndUpdate() {
    if (beginUpdateCount_ == 0) return;
    if (--beginUpdateCount_ == 0) {
        // Everything changed while painting was held back is shown in one repaint.
        redrawDeferred_ = false;
        if (chrome_) {
            chrome_->SetHeaderRedraw(true);
            chrome_->UpdateView();
        }
        RecalcVisibleRange();
        ++fullRedraws_;
        painter_->RequestRepaintAll();
        painter_->Draw();
    }
}

void Lattix::RelayoutAndRedraw() {
    if (beginUpdateCount_ > 0) {
        redrawDeferred_ = true;
        return;
    }
    // A scroll bar shown or hidden here resizes the cells area, which asks for this again: the
    // outer call paints once, after the last of them.
    if (relayingOut_) return;
    // Scroll bars, header items and header placement follow the layout first.
    if (chrome_) {
        relayingOut_ = true;
        try {
            chrome_->UpdateView();
        } catch (...) {
            relayingOut_ = false;
            throw;
        }
        relayingOut_ = false;
    }
    clampScrollPosition();
    RecalcVisibleRange();
    ++fullRedraws_;
    painter_->RequestRepaintAll();
    painter_->Draw();
}

void Lattix::RedrawRow(int32_t row) {
    if (beginUpdateCount_ > 0 || row < 1 || row > rows_.count() || !rows_[row].displayed()) return;
    ++rowRedraws_;
    // The row's changed cells carry their flags: the painter repaints just their rows. A grid in a
    // window leaves that to the window's next paint, so that a run of changes is painted once; a
    // grid without one paints into its own picture now.
    if (hwnd_ != 0) DeferRowPaint();
    else painter_->Draw();
}

void Lattix::BeforeSelectionBookkeeping() {
    if (selChangePending_) return;
    selChangePending_ = true;
    selContentsChanged_ = false;
    if (structuralChanges_ == 0) {
        RaiseLockedEvent(event_id::kBeforeSelectionChange, {});
        return;
    }
    // A structural change raises this in the middle of its work and cannot stop there: the
    // handler's error waits until the change is complete.
    try {
        RaiseLockedEvent(event_id::kBeforeSelectionChange, {});
    } catch (...) {
        if (!heldHandlerError_) heldHandlerError_ = std::current_exception();
    }
}

void Lattix::SetMemMngWantFreeRows(int32_t n) {
    if (n < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    wantFreeRows_ = n;
    PropertyChanged("MemMngWantFreeRows");
}

void Lattix::SetStoreInitRowNumbers(int32_t place) {
    storeInitRowNumbers_ = place;
    PropertyChanged("StoreInitRowNumbers");
}

} // namespace lattix
