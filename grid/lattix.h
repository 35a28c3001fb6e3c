// The Lattix grid control.
//
// grid/ itself holds the control frame: this class, what it asks of its container
// (control_site.h) and the frame services; its parts live in model/, view/, input/ and ops/, the
// objects it hands out in objects/ and its published interface in automation/.
//
// The C++ members carry the published names: a property P has P(...) to read it and SetP(...) to
// assign it; methods keep their names. The automation interface (Invoke by dispatch identifier or by
// name) calls exactly these members. Every member checks its arguments before it changes anything
// and raises AutomationError (0x80040000 + code, source "Lattix") on misuse.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <limits>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "grid/control_site.h"
#include "grid/objects/font_object.h"
#include "grid/model/combo_lists.h"
#include "grid/model/font_table.h"
#include "grid/model/format_table.h"
#include "grid/input/mouse_state.h"
#include "grid/model/property_bag.h"
#include "grid/input/selection_store.h"
#include "grid/model/cell_storage.h"
#include "grid/model/column_layout.h"
#include "grid/model/column_record.h"
#include "grid/model/row_key_index.h"
#include "grid/model/row_table.h"
#include "grid/model/value_block.h"
#include "grid/view/geometry.h"
#include "platform/ui/menu.h"
#include "platform/ui/messages.h"
#include "platform/ui/types.h"
#include "grid/view/paint_settings.h"
#include "runtime/automation.h"

namespace lattix {

class CellObject;
class OwnedObject;
class HeaderObject;
class AggrFuncsObject;
class ContextMenuItemsObject;
class CombosObject;
class SelItemsObject;
class SortGroupObject;
class SortCriteria;
struct SortGroupState;
class GridChrome;
class ScrollBarObject;
namespace gfx {
class DeviceContext;
class Font;
class ImageList;
} // namespace gfx
class GridPainter;
class PictureObject;
class RecordSet;
class RecordSetBinding;
namespace ui {
class DropTarget;
}

// Optional arguments of AddCol, with their published defaults.
struct AddColArgs {
    std::string sKey;
    std::string sHeader;
    int32_t lWidth = -1;
    int32_t eHeaderAlignH = 0;
    int32_t eHeaderAlignV = 0;
    int32_t eHeaderTextFlags = 32768;
    int16_t iHeaderIcon = 0;
    bool bVisible = true;
    Variant vColBefore = Variant::missing();
    int32_t eSortType = 0;
    int32_t eSortOrderDefault = 0;
    int32_t lMinWidth = -1;
    int32_t lMaxWidth = -1;
    bool bAllowSizing = true;
    Variant vTag = Variant::missing();
    int32_t lCount = 1;
};

// Optional arguments of AddRow, with their published defaults.
struct AddRowArgs {
    std::string sKey;
    Variant vRowBefore = Variant::missing();
    bool bVisible = true;
    int32_t lHeight = -1;
    bool bGroupRow = false;
    Variant vRowParent = Variant::missing();
    bool bExpanded = true;
    int32_t btLevel = 0;
    int32_t eTreeButton = 0;
    bool bVisibleAsChild = true;
    Variant vTag = Variant::missing();
    int32_t lCount = 1;
};

// Optional arguments of FontClone; an omitted one leaves the clone's value.
struct FontCloneArgs {
    Variant bBold = Variant::missing();
    Variant bItalic = Variant::missing();
    Variant bUnderline = Variant::missing();
    Variant bStrikethrough = Variant::missing();
    Variant sName = Variant::missing();
    Variant cSize = Variant::missing();
};

// Event identifiers used inside the grid (position in the published event list + 1).
namespace event_id {
inline constexpr DispId kAfterCommitEdit = 1;
inline constexpr DispId kRowDynamicFormatting = 4;
inline constexpr DispId kCellDynamicFormatting = 5;
inline constexpr DispId kCellDynamicText = 6;
inline constexpr DispId kCellDynamicIcons = 7;
inline constexpr DispId kCustomDrawCellGetSize = 30;
inline constexpr DispId kCustomDrawTreeButtonRequest = 88;
inline constexpr DispId kCellSelectionChange = 8;
inline constexpr DispId kBeforeSelectionChange = 9;
inline constexpr DispId kAfterSelectionChange = 10;
inline constexpr DispId kCurCellChange = 26;
inline constexpr DispId kCurRowChange = 27;
inline constexpr DispId kCurColChange = 28;
inline constexpr DispId kDblClick = 40;
inline constexpr DispId kQuitCustomEdit = 60;
} // namespace event_id

// ---- painting events ----
namespace event_id {
inline constexpr DispId kCustomDrawCell = 29;
inline constexpr DispId kBeforeCellContentsDraw = 31;
inline constexpr DispId kAfterCellContentsDraw = 32;
inline constexpr DispId kAfterCellDraw = 33;
inline constexpr DispId kBeforeRowFirstDraw = 34;
inline constexpr DispId kRequestRow = 62;
inline constexpr DispId kRequestRowData = 63;
inline constexpr DispId kCustomDrawTreeButton = 89;
inline constexpr DispId kResizeBeforeRedraw = 64;
inline constexpr DispId kResizeAfterRedraw = 65;
} // namespace event_id

// ---- row hierarchy events ----
namespace event_id {
inline constexpr DispId kBeforeRowCollapseExpand = 84;
inline constexpr DispId kAfterRowCollapseExpand = 85;
} // namespace event_id

class Lattix final : public AutomationObject {
public:
    struct Options {
        SystemDescription system;
        ControlSite* site = nullptr;
    };
    static std::shared_ptr<Lattix> Create();
    static std::shared_ptr<Lattix> Create(const Options& options);
    ~Lattix() override;
    Lattix(const Lattix&) = delete;
    Lattix& operator=(const Lattix&) = delete;

    // ---- automation ----
    const TypeInfo& typeInfo() const override;
    EventSource* events() override { return &events_; }
    static const TypeInfo& ClassTypeInfo();
    // Raises an event by identifier. Arguments are in published order; by-reference ones must be ByRef
    // slots, which the caller reads back afterwards.
    void RaiseEvent(DispId id, std::span<Variant> args);

    // ---- storage and addressing ----
    int32_t ColCount() const { return colCount_; }
    void SetColCount(int32_t n);
    int32_t RowCount() const { return rows_.count(); }
    void SetRowCount(int32_t n);
    std::shared_ptr<CellObject> AddCol(const AddColArgs& args = {});
    int32_t AddRow(const AddRowArgs& args = {});
    int32_t RowTextCol() const { return colCount_ + 1; }
    int32_t MemMngWantFreeRows() const { return wantFreeRows_; }
    void SetMemMngWantFreeRows(int32_t n);
    int32_t StoreInitRowNumbers() const { return storeInitRowNumbers_; }
    void SetStoreInitRowNumbers(int32_t place);

    int32_t RowIndex(const std::string& sKey) const { return keyIndex_.find(sKey); }
    int32_t ColIndex(const std::string& sKey) const;
    std::string RowKey(int32_t lRow) const;
    void SetRowKey(int32_t lRow, const std::string& key);
    std::string ColKey(int32_t lCol) const;
    void SetColKey(int32_t lCol, const std::string& key);
    Variant RowTag(const Variant& vrow) const;
    void SetRowTag(const Variant& vrow, const Variant& tag);
    Variant ColTag(const Variant& vCol) const;
    void SetColTag(const Variant& vCol, const Variant& tag);
    int32_t ColPos(const Variant& vCol) const { return ResolveColPos(vCol); }

    // ---- cells ----
    Variant CellValue(const Variant& vrow, const Variant& vCol) const;
    void SetCellValue(const Variant& vrow, const Variant& vCol, const Variant& value);
    std::shared_ptr<CellObject> ColDefaultCell(const Variant& vCol) const;

    // ---- current cell and selection (grid/input) ----
    int32_t CurRow() const { return curRow_; }
    void SetCurRow(int32_t lRow);
    int32_t CurCol() const { return curCol_; }
    void SetCurCol(int32_t lCol);
    void SetCurCell(const Variant& vrow, const Variant& vCol);
    bool CellSelected(const Variant& vrow, const Variant& vCol) const;
    void SetCellSelected(const Variant& vrow, const Variant& vCol, bool bNewSelected);
    void ClearSelection();
    void SelectAll();
    void InvertSelection();
    bool RowMode() const { return rowMode_; }
    void SetRowMode(bool b);
    bool FullRowSelect() const { return fullRowSelect_; }
    void SetFullRowSelect(bool b);
    bool DragSelect() const { return dragSelect_; }
    void SetDragSelect(bool b);
    // Interactive moves: the keyboard and the mouse compute a target cell and a modifier state
    // (Shift 1, Ctrl 2) and the current cell and selection follow the rules of MoveInput.
    enum class MoveInput { Keyboard, Mouse };
    // Applies the selection rule for a move to (row, col) without moving the current cell.
    void ApplyMoveSelection(int32_t row, int32_t col, int32_t shift, MoveInput how);
    // Makes (row, col) current: records it, scrolls it into view, redraws and raises the pending
    // change events.
    void CommitMove(int32_t row, int32_t col);
    // Selection rule plus commit: a whole interactive move.
    void UserMove(int32_t row, int32_t col, int32_t shift, MoveInput how);
    // The anchor of range extension.
    int32_t AnchorRow() const { return anchorRow_; }
    int32_t AnchorCol() const { return anchorCol_; }

    // ---- mouse (grid/input/mouse_input.cpp) ----
    const MouseState& Mouse() const { return mouse_; }
    // The user's tree-button toggle of a row (BeforeRowCollapseExpand may veto it).
    void ToggleRowExpandedByUser(int32_t row);
    // The user's check-box toggle of a cell (CellCheckChange may veto or change the new state).
    void ToggleCellCheck(int32_t row, int32_t colIndex);

    // ---- frame ----
    std::string UIStrings(int32_t index) const;
    void SetUIStrings(int32_t index, const std::string& text);
    bool Supports(int32_t eSupFeat) const;
    bool IsUnicode() const { return system_.ntFamily; }
    Variant Sys(int32_t eSysParm) const;
    std::shared_ptr<HeaderObject> Header() const { return header_; }
    std::shared_ptr<AggrFuncsObject> AggrFuncs() const { return aggrFuncs_; }
    std::shared_ptr<ContextMenuItemsObject> ContextMenuCustomItems(int32_t eContextMenu) const;

    // ---- clipboard commands (grid/input/clipboard_commands.cpp) ----
    // Copy, cut, clear and paste of the selected cells as tab-separated text (grid/input/tab_text.h).
    // The keyboard checks its own conditions (CopyPasteEnabled, Editable) before it calls them.
    void CopySelectedCells(bool withHeaders);
    void CutSelectedCells();
    void ClearSelectedCells();
    void PasteFromClipboard();
    // What the last copy kept: the copied texts and flags (row-major, copied rows x copied columns).
    struct CopyBuffer {
        uint32_t clipboardSequence = 0;
        int32_t rows = 0, cols = 0;
        std::vector<std::string> texts;
        std::vector<uint8_t> copied;
        bool valid() const { return rows > 0 && cols > 0; }
    };
    const CopyBuffer& ClipboardCopyBuffer() const { return copyBuffer_; }

    // ---- built-in context menus (grid/ops/context_menus.cpp) ----
    bool BuiltinContextMenus() const { return builtinContextMenus_; }
    void SetBuiltinContextMenus(bool b);
    // The header bar's right click at window point (x, y) over column index col (0: no column).
    void OpenHeaderContextMenu(int32_t col, int32_t x, int32_t y);
    // Carries out a command of the menu last shown (8192 + item number); errors are shown in a
    // message box, never passed on.
    void RunContextMenuCommand(int32_t command);
    std::shared_ptr<SelItemsObject> SelItems() const { return selItems_; }
    int32_t ScreenDpiX() const { return system_.dpiX; }
    // The grid's window moved to a screen of another dpi (24..1200; anything else is ignored): every
    // size in pixels (row heights, column widths and limits, default heights, the header height and
    // the scroll positions) is rescaled by new / old dpi, fonts and glyphs are made again, and the
    // grid lays out once and repaints. Raises no event: what the host sees keeps its proportions.
    void ScreenDpiChanged(int32_t dpi);

    // ---- header bar, scroll bars, visual styles and tooltips (grid/view/grid_chrome.h) ----
    GridChrome& Chrome() const { return *chrome_; }
    std::shared_ptr<ScrollBarObject> HScrollBar() const { return scrollBarObjects_[0]; }
    std::shared_ptr<ScrollBarObject> VScrollBar() const { return scrollBarObjects_[1]; }
    int32_t ScrollBarStyle() const;
    void SetScrollBarStyle(int32_t e);
    bool UseXPStyles() const;
    void SetUseXPStyles(bool b);
    // The wish, when the system supports visual styles: what everything that draws themed tests.
    bool XPStylesInEffect() const;
    int32_t ToolTipDelayTime() const;
    void SetToolTipDelayTime(int32_t ms);
    int32_t ToolTipVisibleTime() const;
    void SetToolTipVisibleTime(int32_t ms);
    bool IsColHeaderTextClipped(const Variant& vCol, bool bCheckPartiallyHidden = true);
    // Reads the capability flags again from the system (after a theme change).
    void RedetectSupports();

    // ---- persisted settings applied by the property bag (grid/model/property_bag.h) ----
    bool AllowSorting() const { return allowSorting_; }
    void SetAllowSorting(bool b);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool b);
    // Persisted properties whose let the grid does not publish yet, kept under their bag entry name.
    Variant StoredProperty(std::string_view name, const Variant& defaultValue) const;
    void SetStoredProperty(std::string_view name, Variant value);
    // The container goes away before the grid: nothing more is reported to it.
    void DetachSite() { options_.site = nullptr; }

    // ---- record sets (grid/model/fill_from_record_set.cpp) ----
    // Columns and rows from the records of rs (EFillFromRSMode eMode); vRowKeyField names the field
    // (by name or 1-based number) whose text becomes each new row's key.
    void FillFromRS(RecordSet& rs, int32_t eMode = 1, const Variant& vRowKeyField = Variant::missing());
    // A record set shown without copying it (grid/model/record_set_binding.h): every row and
    // column goes, one column per field is made as FillFromRS makes them, the grid turns virtual and
    // reads a record each time it needs a row. A new binding ends the one before. Raises 522 from
    // an event handler in the middle of a structural change, and the record set's own errors.
    void BindRecordSet(std::shared_ptr<RecordSet> records);
    // Ends the binding: the rows read stay, no more are read; the record set is not closed.
    void UnbindRecordSet();
    const RecordSetBinding* BoundRecordSet() const { return binding_.get(); }
    // Reads every record the cursor has left into rows (nothing without a binding).
    void ReadBoundRecordsToEnd();

    // ---- frame services (grid/frame_services.cpp) ----
    int32_t hWnd() const;
    // True while the keyboard focus is in the grid window or a window of its own.
    bool IsFocused() const;
    // The library's name and version in a message box.
    void ShowAboutBox();
    // Diagnostics: lParmIndex 0 gives a text with every internal count, one "name: value" a line;
    // 1.. one count (see README). vParmValue is not used.
    Variant DevDbg(int32_t lParmIndex, const Variant& vParmValue);
    static const char* LibraryVersion();
    // The grid window gained or lost the keyboard focus (other: the window that lost or gains it).
    void FocusChanged(bool gained, ui::Hwnd other);

    // ---- drag and drop (grid/input/ole_drag_drop.cpp) ----
    int32_t OLEDropMode() const;
    void SetOLEDropMode(int32_t e);
    // Drags the selected cells (or the current cell) out; returns the effect the drop took.
    int32_t OLEDrag();
    // The selected cells' text as the clipboard copy writes it (tab-separated, CR LF after each row).
    std::string SelectedCellsTabText();
    // The grid window's drop target (registered with the window).
    ui::DropTarget* GridDropTargetObject();

    // ---- layout strings the host keeps (grid/model/layout_strings.cpp) ----
    std::string LayoutCol() const;
    void SetLayoutCol(const std::string& text);
    std::string LayoutSort() const;
    void SetLayoutSort(const std::string& text);

    // ---- update suspension ----
    void BeginUpdate();
    void EndUpdate();
    int32_t BeginUpdateCount() const { return beginUpdateCount_; }

    // ---- painting (grid/view/painter.h) ----
    void Draw();
    void DrawCell(const Variant& vrow, const Variant& vCol);
    void Refresh();
    GridPainter& Painter() { return *painter_; }
    int32_t GridLineColor() const { return paint_.gridLineColor; }
    void SetGridLineColor(int32_t o);
    int32_t HighlightBackColor() const { return paint_.highlightBackColor; }
    void SetHighlightBackColor(int32_t o);
    int32_t HighlightForeColor() const { return paint_.highlightForeColor; }
    void SetHighlightForeColor(int32_t o);
    int32_t HighlightBackColorNoFocus() const { return paint_.highlightBackColorNoFocus; }
    void SetHighlightBackColorNoFocus(int32_t o);
    int32_t HighlightForeColorNoFocus() const { return paint_.highlightForeColorNoFocus; }
    void SetHighlightForeColorNoFocus(int32_t o);
    bool HighlightSelCells() const { return paint_.highlightSelCells; }
    void SetHighlightSelCells(bool b);
    bool HideSelection() const { return paint_.hideSelection; }
    void SetHideSelection(bool b);
    bool HighlightSelIcons() const { return paint_.highlightSelIcons; }
    void SetHighlightSelIcons(bool b);
    uint8_t SelectionAlphaBlend() const { return paint_.selectionAlphaBlend; }
    void SetSelectionAlphaBlend(int32_t bt);
    bool FocusRectNoFocus() const { return paint_.focusRectNoFocus; }
    void SetFocusRectNoFocus(bool b);
    int32_t FocusRectColor1() const { return paint_.focusRectColor1; }
    void SetFocusRectColor1(int32_t o);
    int32_t FocusRectColor2() const { return paint_.focusRectColor2; }
    void SetFocusRectColor2(int32_t o);
    int32_t FocusRectNoFocusColor1() const { return paint_.focusRectNoFocusColor1; }
    void SetFocusRectNoFocusColor1(int32_t o);
    int32_t FocusRectNoFocusColor2() const { return paint_.focusRectNoFocusColor2; }
    void SetFocusRectNoFocusColor2(int32_t o);
    bool OpaqueTextInHatchedCells() const { return paint_.opaqueTextInHatchedCells; }
    void SetOpaqueTextInHatchedCells(bool b);
    bool DisableIcons() const { return paint_.disableIcons; }
    void SetDisableIcons(bool b);
    bool Enabled() const { return paint_.enabled; }
    void SetEnabled(bool b);
    bool ChangeColorsWhenDisabled() const { return paint_.changeColorsWhenDisabled; }
    void SetChangeColorsWhenDisabled(bool b);
    int32_t TreeLines() const { return paint_.treeLines; }
    void SetTreeLines(int32_t e);
    int32_t TreeLinesColor() const { return paint_.treeLinesColor; }
    void SetTreeLinesColor(int32_t o);
    int32_t TreeButtonBackColor() const { return paint_.treeButtonBackColor; }
    void SetTreeButtonBackColor(int32_t o);
    int32_t TreeButtonForeColor() const { return paint_.treeButtonForeColor; }
    void SetTreeButtonForeColor(int32_t o);
    int32_t TreeButtonBorderColor() const { return paint_.treeButtonBorderColor; }
    void SetTreeButtonBorderColor(int32_t o);
    bool FlatCellControls() const { return paint_.flatCellControls; }
    void SetFlatCellControls(bool b);
    const std::shared_ptr<PictureObject>& BackgroundPicture() const { return paint_.backgroundPicture; }
    void SetBackgroundPicture(const std::shared_ptr<PictureObject>& oPicture);
    bool Virtual() const { return paint_.isVirtual; }
    void SetVirtual(bool b);
    // A virtual grid asks its host for the next row (RequestRow, then RequestRowData); false when the
    // host has no more rows.
    bool RequestVirtualRow();
    bool IsEditing() const { return editing_; }
    // The current cell's drop-down list opened (true) or closed: its combo button shows pressed
    // while the list is down.
    void SetComboDroppedDown(bool droppedDown);
    // The grid window's new client size (its size message).
    void Resized(int32_t width, int32_t height);
    // The container runs the control in a design environment (its user mode is off): nothing is
    // painted but the placeholder.
    bool InDesignMode() const;
    void PaintPlaceholder(gfx::DeviceContext& dc);
    bool ComboDroppedDown() const { return comboDroppedDown_; }

    // ---- columns ----
    int32_t ColWidth(const Variant& vCol) const;
    void SetColWidth(const Variant& vCol, int32_t lWidth);
    int32_t ColMinWidth(const Variant& vCol) const;
    void SetColMinWidth(const Variant& vCol, int32_t lWidth);
    int32_t ColMaxWidth(const Variant& vCol) const;
    void SetColMaxWidth(const Variant& vCol, int32_t lWidth);
    bool ColAllowSizing(const Variant& vCol) const;
    void SetColAllowSizing(const Variant& vCol, bool b);
    std::string ColHeaderText(const Variant& vCol) const;
    void SetColHeaderText(const Variant& vCol, const std::string& s);
    int16_t ColHeaderIcon(const Variant& vCol) const;
    void SetColHeaderIcon(const Variant& vCol, int16_t i);
    int32_t ColHeaderTextFlags(const Variant& vCol) const;
    void SetColHeaderTextFlags(const Variant& vCol, int32_t e);
    int32_t ColHeaderAlignH(const Variant& vCol) const;
    void SetColHeaderAlignH(const Variant& vCol, int32_t e);
    int32_t ColHeaderAlignV(const Variant& vCol) const;
    void SetColHeaderAlignV(const Variant& vCol, int32_t e);
    int32_t ColHeaderBackColor(const Variant& vCol) const;
    void SetColHeaderBackColor(const Variant& vCol, int32_t o);
    int32_t ColHeaderForeColor(const Variant& vCol) const;
    void SetColHeaderForeColor(const Variant& vCol, int32_t o);
    int32_t ColSortType(const Variant& vCol) const;
    void SetColSortType(const Variant& vCol, int32_t e);
    int32_t ColSortOrderDefault(const Variant& vCol) const;
    void SetColSortOrderDefault(const Variant& vCol, int32_t e);
    int32_t ColSortOrder(const Variant& vCol) const;
    void SetColSortOrder(const Variant& vCol, int32_t e);
    int32_t ColSortKey(const Variant& vCol) const;
    void SetColSortKey(const Variant& vCol, int32_t l);
    bool ColVisible(const Variant& vCol) const;
    void SetColVisible(const Variant& vCol, bool bVisible);
    int32_t ColVisibleIndex(const Variant& vCol) const;
    void SetColPos(const Variant& vCol, int32_t lPos);
    int32_t ColFromPos(int32_t lColPos) const;
    void SetColWidths(int32_t lWidth, const Variant& vStartCol = Variant::missing(),
                      const Variant& vEndCol = Variant::missing());
    void ResizeColToFillSpace(const Variant& vCol);
    int32_t FrozenCols() const { return frozenCols_; }
    void SetFrozenCols(int32_t n);
    int32_t FrozenColsEdgeWidth() const { return frozenColsEdgeWidth_; }
    void SetFrozenColsEdgeWidth(int32_t n);
    int32_t FrozenColsEdgeColor() const { return frozenColsEdgeColor_; }
    void SetFrozenColsEdgeColor(int32_t o);
    bool FrozenColsEdgeDrawAlways() const { return frozenColsEdgeDrawAlways_; }
    void SetFrozenColsEdgeDrawAlways(bool b);
    const std::string& AutoColHeaderTextTemplate() const { return autoColHeaderTextTemplate_; }
    void SetAutoColHeaderTextTemplate(const std::string& s);
    // Column layout values (totals of the frozen and scrollable areas).
    const ColumnLayout& ColLayout() const { return colLayout_; }
    // Header items redrawn because a column's header attributes changed.
    uint64_t HeaderItemRefreshCount() const { return headerItemRefreshes_; }
    // The view reports the window width, its border width and the width of the vertical scroll bar
    // when it is shown (0 otherwise); ResizeColToFillSpace works from them.
    void SetViewMetrics(int32_t windowWidth, int32_t borderWidth, int32_t vScrollBarWidth);
    int32_t CellsAreaWidth() const;

    // ---- row hierarchy ----
    int32_t RowLevel(const Variant& vrow) const;
    void SetRowLevel(const Variant& vrow, int32_t btLevel);
    int32_t RowParent(const Variant& vrow) const { return ParentOf(ResolveRow(vrow)); }
    int32_t RowLastNested(const Variant& vrow) const { return LastNestedOf(ResolveRow(vrow)); }
    int32_t RowChildCount(const Variant& vrow) const;
    bool RowHasChildren(const Variant& vrow) const;
    bool RowExpanded(const Variant& vrow) const;
    void SetRowExpanded(const Variant& vrow, bool bExpanded);
    bool RowVisible(const Variant& vrow) const;
    void SetRowVisible(const Variant& vrow, bool bVisible);
    bool RowVisibleAsChild(const Variant& vrow) const;
    void SetRowVisibleAsChild(const Variant& vrow, bool b);
    int32_t RowTreeButton(const Variant& vrow) const;
    void SetRowTreeButton(const Variant& vrow, int32_t e);
    bool RowIsGroup(const Variant& vrow) const;
    void SetRowIsGroup(const Variant& vrow, bool b);
    int32_t RowVisibleIndex(const Variant& vrow) const;
    int32_t RowHeight(const Variant& vrow) const;
    void SetRowHeight(const Variant& vrow, int32_t iHeight);
    int32_t RowNormalCellHeight(const Variant& vrow) const;
    void SetRowNormalCellHeight(const Variant& vrow, int32_t iHeight);
    void SetRowHeights(int32_t iHeight, const Variant& vStartRow = Variant::missing(),
                       const Variant& vEndRow = Variant::missing());
    void CollapseAllChildRows(const Variant& vrow);
    void ExpandAllChildRows(const Variant& vrow);
    void CollapseAllRows();
    void ExpandAllRows();
    int32_t TreeCol() const { return treeCol_; }
    void SetTreeCol(int32_t n);
    int32_t LevelIndent() const { return levelIndent_; }
    // 0..32767 (96-dpi units), else 514.
    void SetLevelIndent(int32_t n);
    int32_t TreeButtonSize() const { return treeButtonSize_; }
    // 0..255 (96-dpi units), else 514: the button is drawn from a glyph of that size.
    void SetTreeButtonSize(int32_t n);
    bool AddRowAutoTreeButton() const { return addRowAutoTreeButton_; }
    void SetAddRowAutoTreeButton(bool b);
    int32_t DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int32_t n);
    int32_t DefaultRowNormalCellHeight() const { return defaultRowNormalCellHeight_; }
    void SetDefaultRowNormalCellHeight(int32_t n);
    bool DefaultAutoGroupRowExpanded() const { return defaultAutoGroupRowExpanded_; }
    void SetDefaultAutoGroupRowExpanded(bool b);
    // Tree services on positions (1..RowCount).
    int32_t ParentOf(int32_t pos) const;
    int32_t LastNestedOf(int32_t pos) const;
    // True when every ancestor of the row is expanded.
    bool AncestorsExpanded(int32_t pos) const;
    // Expands or collapses one row (the routine behind RowExpanded and the user's toggle); returns
    // the number of nested rows walked.
    int32_t ExpandOrCollapseRow(int32_t pos, bool expand);
    // Marks the positions (top, visibleIndex) of the rows from pos to the end stale; they are
    // recomputed the next time a position is read.
    void LayoutRowsFrom(int32_t pos);
    // Recomputes stale row positions now.
    void FlushRowLayout() const;

    // ---- removing and moving ----
    void RemoveCol(const Variant& vCol, int32_t lCount = 1);
    void RemoveRow(const Variant& vrow, int32_t lCount = 1);
    void Clear(bool bRemoveCols = false);
    void MoveRow(const Variant& vrow, const Variant& vRowNewPos, int32_t lCount = 1, int32_t eMode = 0);
    // Internal: removes rows first..first + count - 1 (keys and selection are the caller's business).
    void RemoveRowRange(int32_t first, int32_t count);
    void ClearRows(bool bRemoveCols) { clearRows(bRemoveCols); }

    // ---- arrays ----
    void LoadFromArray(const Variant& vStartRow, const Variant& vStartCol, const Variant& vArray,
                       bool bColMajorOrder = false);
    void LoadIntoArray(const Variant& vStartRow, const Variant& vStartCol, const Variant& vArray,
                       bool bColMajorOrder = false) const;
    // The same with a block of plain values (grid/model/value_block.h): element (i, j) goes to or
    // comes from cell (start row + i, start column index + j); *rowsDone x *colsDone elements are copied.
    void LoadFromBlock(const Variant& vStartRow, const Variant& vStartCol, const ValueBlock& block,
                       int32_t* rowsDone, int32_t* colsDone);
    void LoadIntoBlock(const Variant& vStartRow, const Variant& vStartCol, const ValueBlock& block,
                       int32_t* rowsDone, int32_t* colsDone) const;

    // ---- cell attributes, displayed text, fonts and colours ----
    std::string CellText(const Variant& vrow, const Variant& vCol);
    int32_t CellType(const Variant& vrow, const Variant& vCol) const;
    void SetCellType(const Variant& vrow, const Variant& vCol, int32_t eType);
    int32_t CellTypeFlags(const Variant& vrow, const Variant& vCol) const;
    void SetCellTypeFlags(const Variant& vrow, const Variant& vCol, int32_t eFlags);
    int32_t CellTextFlags(const Variant& vrow, const Variant& vCol) const;
    void SetCellTextFlags(const Variant& vrow, const Variant& vCol, int32_t eFlags);
    int32_t CellAlignH(const Variant& vrow, const Variant& vCol) const;
    void SetCellAlignH(const Variant& vrow, const Variant& vCol, int32_t e);
    int32_t CellAlignV(const Variant& vrow, const Variant& vCol) const;
    void SetCellAlignV(const Variant& vrow, const Variant& vCol, int32_t e);
    int32_t CellIconToText(const Variant& vrow, const Variant& vCol) const;
    void SetCellIconToText(const Variant& vrow, const Variant& vCol, int32_t e);
    uint8_t CellIndentLeft(const Variant& vrow, const Variant& vCol) const;
    void SetCellIndentLeft(const Variant& vrow, const Variant& vCol, uint8_t bt);
    uint8_t CellIndentRight(const Variant& vrow, const Variant& vCol) const;
    void SetCellIndentRight(const Variant& vrow, const Variant& vCol, uint8_t bt);
    uint8_t CellIndentTop(const Variant& vrow, const Variant& vCol) const;
    void SetCellIndentTop(const Variant& vrow, const Variant& vCol, uint8_t bt);
    uint8_t CellIndentBottom(const Variant& vrow, const Variant& vCol) const;
    void SetCellIndentBottom(const Variant& vrow, const Variant& vCol, uint8_t bt);
    int32_t CellBackColor(const Variant& vrow, const Variant& vCol) const;
    void SetCellBackColor(const Variant& vrow, const Variant& vCol, int32_t o);
    int32_t CellForeColor(const Variant& vrow, const Variant& vCol) const;
    void SetCellForeColor(const Variant& vrow, const Variant& vCol, int32_t o);
    uint8_t CellImageList(const Variant& vrow, const Variant& vCol) const;
    void SetCellImageList(const Variant& vrow, const Variant& vCol, uint8_t bt);
    uint8_t CellExtraImageList(const Variant& vrow, const Variant& vCol) const;
    void SetCellExtraImageList(const Variant& vrow, const Variant& vCol, uint8_t bt);
    int16_t CellIcon(const Variant& vrow, const Variant& vCol) const;
    void SetCellIcon(const Variant& vrow, const Variant& vCol, int16_t i);
    int16_t CellExtraIcon(const Variant& vrow, const Variant& vCol) const;
    void SetCellExtraIcon(const Variant& vrow, const Variant& vCol, int16_t i);
    int32_t CellHatch(const Variant& vrow, const Variant& vCol) const;
    void SetCellHatch(const Variant& vrow, const Variant& vCol, int32_t e);
    std::string CellFmtString(const Variant& vrow, const Variant& vCol) const;
    void SetCellFmtString(const Variant& vrow, const Variant& vCol, const std::string& s);
    std::shared_ptr<FontObject> CellFont(const Variant& vrow, const Variant& vCol);
    void SetCellFont(const Variant& vrow, const Variant& vCol, const std::shared_ptr<FontObject>& oFont);
    bool CellCheckVisible(const Variant& vrow, const Variant& vCol) const;
    void SetCellCheckVisible(const Variant& vrow, const Variant& vCol, bool b);
    int32_t CellCheckState(const Variant& vrow, const Variant& vCol) const;
    void SetCellCheckState(const Variant& vrow, const Variant& vCol, int32_t e);
    int32_t CellCheckPos(const Variant& vrow, const Variant& vCol) const;
    void SetCellCheckPos(const Variant& vrow, const Variant& vCol, int32_t e);
    bool CellSelectable(const Variant& vrow, const Variant& vCol) const;
    void SetCellSelectable(const Variant& vrow, const Variant& vCol, bool b);
    int32_t CellExtraData(const Variant& vrow, const Variant& vCol) const;
    void SetCellExtraData(const Variant& vrow, const Variant& vCol, int32_t l);
    int32_t CellComboListIndex(const Variant& vrow, const Variant& vCol) const;
    void SetCellComboListIndex(const Variant& vrow, const Variant& vCol, int32_t l);
    std::string CellCtrlKey(const Variant& vrow, const Variant& vCol) const;
    void SetCellCtrlKey(const Variant& vrow, const Variant& vCol, const std::string& s);
    int32_t CellEffectiveForeColor(const Variant& vrow, const Variant& vCol);
    int32_t CellEffectiveBackColor(const Variant& vrow, const Variant& vCol);
    void CellDefaultForeColor(const Variant& vrow, const Variant& vCol);
    void CellDefaultBackColor(int32_t vrow, const Variant& vCol);
    void CellDefaultFont(const Variant& vrow, const Variant& vCol);
    Variant InitValue(int32_t eCellType) const;
    std::shared_ptr<FontObject> FontClone(const FontCloneArgs& args = {}) const;
    // Row and 0-based column: column 0 is the header text of column 1, column c the value of c + 1.
    Variant Textmatrix(const Variant& vrow, const Variant& vCol) const;
    int32_t CellCheckGap() const { return cellCheckGap_; }
    void SetCellCheckGap(int32_t l);
    int32_t CellIconGap() const { return cellIconGap_; }
    void SetCellIconGap(int32_t l);
    int32_t DynamicContentEvents() const { return dynamicContentEvents_; }
    void SetDynamicContentEvents(int32_t e);
    const std::shared_ptr<FontObject>& Font() const { return font_; }
    void SetFont(const std::shared_ptr<FontObject>& oFont);
    int32_t ForeColor() const { return foreColor_; }
    void SetForeColor(int32_t o);
    int32_t BackColor() const { return backColor_; }
    void SetBackColor(int32_t o);
    int32_t BackColorOddRows() const { return backColorOddRows_; }
    void SetBackColorOddRows(int32_t o);
    int32_t BackColorEvenRows() const { return backColorEvenRows_; }
    void SetBackColorEvenRows(int32_t o);
    // Internal: the displayed text of the cell at row position and column index (never raises).
    std::string DisplayedText(int32_t row, int32_t colIndex);
    // Internal: effective colours and font of a resolved cell (the painter uses the same order).
    int32_t EffectiveForeColor(int32_t row, int32_t colIndex);
    int32_t EffectiveBackColor(int32_t row, int32_t colIndex);
    std::shared_ptr<const FontObject> EffectiveFont(int32_t row, int32_t colIndex);
    FormatTable& FormatStrings() { return formatTable_; }
    const FontTable& Fonts() const { return fontTable_; }
    ComboListStore& ComboLists() { return comboLists_; }
    // Font table number of a font for a cell: 0 when it is the same as the grid's Font.
    uint16_t CellFontNumber(const FontDescription& d);
    // The same for a column default cell; 0 also when the table is full (never raises).
    uint16_t DefaultCellFontNumber(const FontObject& f);
    // The live cell font (the object the latest CellFont get returned), nullptr when none is linked.
    const std::shared_ptr<FontObject>& LiveCellFont() const { return liveFont_.font; }

    // ---- sorting and grouping (grid/ops) ----
    std::shared_ptr<SortGroupObject> SortObject() const;
    std::shared_ptr<SortGroupObject> GroupObject() const;
    void Sort(const Variant& vCols = Variant::missing(), const Variant& vRowStart = Variant::missing(),
              const Variant& vRowEnd = Variant::missing());
    void DoDefaultSort(const Variant& vCol, int32_t iShift = 0, int32_t eSortOrder = -1,
                       const Variant& vRowStart = Variant::missing(), const Variant& vRowEnd = Variant::missing());
    void SortRowChildNodes(const Variant& vrow);
    bool SortScrollToCurRow() const;
    void SetSortScrollToCurRow(bool b);
    void Group();
    void Ungroup();
    void ResetEffectiveGroupObject();
    bool PrefixGroupValues() const;
    void SetPrefixGroupValues(bool b);
    bool AllowGrouping() const;
    void SetAllowGrouping(bool b);
    // The header's entry point for a click on column index lCol with the modifier state iShift
    // (1 Shift, 2 Ctrl, 4 Alt): when AllowSorting is on, DoDefaultSort(lCol, iShift). An error does
    // not propagate: its description is returned for the header to show; empty when all went well.
    std::string SortByHeaderClick(int32_t lCol, int32_t iShift);
    // The grouping criteria in effect and the number of sort criteria the last sort used.
    const SortCriteria& EffectiveGroupCriteria() const;
    int32_t SortCriteriaInEffect() const;
    bool IsSorting() const;
    // Grouping bookkeeping: a data cell changed, or rows were added, removed or moved.
    void GroupedCellChanged(int32_t row, int32_t colIndex);
    void GroupedRowsChanged();
    // ---- geometry, scroll position and hit testing (grid/view/geometry.h) ----
    void CellFromPoint(int32_t xPixels, int32_t yPixels, int32_t& lRow, int32_t& lCol);
    int32_t RowStartY(const Variant& vrow) const;
    int32_t ColStartX(const Variant& vCol) const;
    // ECellParts of the point; lRow / lCol 0 are found under the point (513 for a cell that does not exist).
    int32_t HitTest(int32_t xPixels, int32_t yPixels, int32_t lRow = 0, int32_t lCol = 0);
    // Window rectangles of the cell and of its text.
    gfx::Rect CellBoundary(const Variant& vrow, const Variant& vCol);
    gfx::Rect CellTextBoundary(const Variant& vrow, const Variant& vCol);
    void EnsureVisibleRow(const Variant& vrow, int32_t eMode = 0, int32_t lGap = 8);
    void EnsureVisibleCol(const Variant& vCol, int32_t eMode = 0, int32_t lGap = 8);
    void EnsureVisibleCell(const Variant& vrow, const Variant& vCol);
    // Scrolls the cell into view by the automatic rule; true when a scroll value changed.
    bool EnsureCellVisibleAuto(int32_t row, int32_t colIndex);
    void AutoWidthCol(const Variant& vCol, int32_t lMinimumWidth = -1, int32_t lMaximumWidth = -1,
                      int32_t eCellVisibility = 1);
    void AutoWidthCols(const Variant& vStartCol = Variant::missing(), const Variant& vEndCol = Variant::missing(),
                       bool bIncludeInvisibleCols = false, int32_t lMinimumWidth = -1, int32_t lMaximumWidth = -1,
                       int32_t eCellVisibility = 1);
    void AutoHeightRow(const Variant& vrow, int32_t lMinimumHeight = -1, int32_t lMaximumHeight = -1,
                       int32_t eCellVisibility = 1);
    void AutoHeightRows(const Variant& vStartRow = Variant::missing(), const Variant& vEndRow = Variant::missing(),
                        bool bIncludeInvisibleRows = false, int32_t lMinimumHeight = -1, int32_t lMaximumHeight = -1,
                        int32_t eCellVisibility = 1);
    int32_t GetOptimalCellHeight(int32_t lTextLineCount = 1, int32_t btImageList = 0, int32_t btExtraImageList = 0,
                                 int32_t eIconToText = 0, bool bCheckVisible = false, int32_t eCheckPos = 0,
                                 bool bComboButton = false, int32_t btIndentTop = 0, int32_t btIndentBottom = 0,
                                 const std::shared_ptr<FontObject>& oFont = nullptr, bool bHGridLineAllowed = true);
    int32_t EvaluateTextWidth(const Variant& vrow, const Variant& vCol);
    int32_t EvaluateTextHeight(const Variant& vrow, const Variant& vCol);
    bool IsCellTextClipped(const Variant& vrow, const Variant& vCol, bool bCheckPartiallyHidden = true);
    int32_t GridLines() const { return gridLines_; }
    void SetGridLines(int32_t e);
    int32_t GridLinesExtend() const { return gridLinesExtend_; }
    void SetGridLinesExtend(int32_t e);
    int32_t GridLineThicknessH() const { return gridLineThicknessH_; }
    void SetGridLineThicknessH(int32_t n);
    int32_t GridLineThicknessV() const { return gridLineThicknessV_; }
    void SetGridLineThicknessV(int32_t n);
    bool FocusRect() const { return focusRect_; }
    void SetFocusRect(bool b);
    bool DrawRowText() const { return drawRowText_; }
    void SetDrawRowText(bool b);
    int32_t RowTextStartCol() const { return rowTextStartCol_; }
    void SetRowTextStartCol(int32_t n);
    int32_t BorderType() const { return borderType_; }
    void SetBorderType(int32_t e);
    bool Editable() const { return editable_; }
    void SetEditable(bool b);
    bool ShowControlsInAllCells() const { return showControlsInAllCells_; }
    void SetShowControlsInAllCells(bool b);
    bool AutoWidthColWithHeader() const { return autoWidthColWithHeader_; }
    void SetAutoWidthColWithHeader(bool b);
    bool EnsureVisibleAutoHScroll() const { return ensureVisibleAutoHScroll_; }
    void SetEnsureVisibleAutoHScroll(bool b);
    bool EnsureVisibleAutoVScroll() const { return ensureVisibleAutoVScroll_; }
    void SetEnsureVisibleAutoVScroll(bool b);

    // Internal geometry services (positions are row positions 1..RowCount and column positions
    // 1..ColCount + 1; colIndex arguments are column indexes).
    const ViewState& View() const { return view_; }
    const ColumnTotals& ColTotals() const { return colTotals_; }
    // Brings the visible range up to date when the layout is marked (Algorithm of the painter's
    // first step) and returns it.
    void RecalcVisibleRange();
    const VisibleRange& VisRange();
    int32_t MaxVisRowHeight();
    // Top of the cells area in the window: the header height when the header bar is shown.
    int32_t CellsAreaTop() const;
    int32_t ViewWidth() const { return view_.viewWidth; }
    int32_t ViewHeight() const { return view_.viewHeight; }
    int32_t ClientWidth() const { return view_.clientWidth; }
    int32_t ClientHeight() const { return view_.clientHeight; }
    // The client size of the grid window (from WM_SIZE; callable directly for a grid without one).
    void SetClientSize(int32_t width, int32_t height);
    // Room the scroll bars take inside the client area (0 when they are outside it or hidden).
    void SetScrollBarSpace(int32_t vScrollWidth, int32_t hScrollHeight);
    int32_t ScrollX() const { return view_.scrollX; }
    int32_t ScrollY() const { return view_.scrollY; }
    int32_t HScrollValue() const { return view_.hScrollValue; }
    // Set the scroll position, clamped to [0, max]; true when it changed.
    bool SetScrollY(int32_t value);
    bool SetHScrollValue(int32_t value);
    void ResetHorizontalScroll();
    int32_t VScrollMax() const;
    int32_t HScrollMax() const;
    int32_t ContentHeight() const;
    int32_t ContentWidth() const;
    // Content y of a row's top; the displayed row holding content y (0 when none), O(log n).
    int32_t RowTop(int32_t pos) const;
    int32_t RowAtContentY(int32_t y) const;
    // The laid-out column position holding content x (0 when none), O(log n).
    int32_t ColPosAtContentX(int32_t x) const;
    int32_t RowTextStartPos() const;
    bool RowHasRowText(int32_t row) const;
    int32_t LevelIndentPx() const;
    // A size in 96-dpi units in pixels of the grid's screen (halves round to even).
    int32_t ScaledFrom96(int32_t units) const;
    int32_t TreeButtonPx() const;
    struct CellHit {
        int32_t row = 0;
        int32_t col = 0; // column index
    };
    CellHit CellAtWindowPoint(int32_t x, int32_t y);
    // The cell rectangle in window coordinates (row-text and group-row cells included).
    gfx::Rect CellRectInWindow(int32_t row, int32_t colIndex) const;
    // The column index of the row's tree column (RowTextCol for a group row), 0 when none.
    int32_t TreeColumnOfRow(int32_t row) const;
    // Position of the frozen edge column (0 when nothing is frozen).
    int32_t FrozenEdgePos() const;
    // Thickness of the right and bottom grid lines the painter draws for the cell.
    void CellGridLines(int32_t row, int32_t colIndex, int32_t& rightLine, int32_t& bottomLine) const;
    struct EffectiveIcons {
        int32_t imageList = 0, icon = 0, extraImageList = 0, extraIcon = 0;
    };
    // The cell's icons after CellDynamicIcons.
    EffectiveIcons CellIcons(int32_t row, int32_t colIndex);
    // Lays out the parts of a cell in cellRect (see CellParts).
    CellParts LayoutCellParts(int32_t row, int32_t colIndex, const gfx::Rect& cellRect, bool computeEvenIfEmpty = false);
    void LayoutTreeButton(int32_t row, CellParts& parts);
    // The ECellParts value of window point (x, y) in the given cell.
    int32_t HitTestCell(int32_t x, int32_t y, int32_t row, int32_t colIndex);
    // Image lists registered with the grid (1-based numbers in the cells); icon size {0, 0} when absent.
    // SetImageList replaces them with the store: one image list (object or handle) or an array of up
    // to 15, numbered 1, 2, ... in array order; Empty or Nothing leaves none. Error 518 otherwise.
    void SetImageList(const Variant& vImageListStore);
    int32_t RegisterImageList(std::shared_ptr<gfx::ImageList> list);
    int32_t ImageListCount() const { return static_cast<int32_t>(imageLists_.size()); }
    const std::shared_ptr<gfx::ImageList>& ImageListAt(int32_t number) const { return imageLists_[static_cast<size_t>(number - 1)]; }
    gfx::Size IconSize(int32_t imageList, int32_t index) const;
    int32_t BorderWidth() const;
    // Text measuring: the font a FontObject draws with at the screen's dpi, the DrawText flags of a
    // cell (text flags, alignment, prefix handling), and the size of the displayed text (width of a
    // word-wrapped text limited to textRectWidth).
    std::shared_ptr<const gfx::Font> GfxFontOf(const FontObject& font) const;
    uint32_t CellDrawTextFlags(int32_t row, int32_t colIndex) const;
    gfx::Size MeasureCellText(int32_t row, int32_t colIndex, int32_t textRectWidth);
    gfx::Rect CellTextRect(int32_t row, int32_t colIndex);
    // Optimal sizes of one cell (CustomDrawCellGetSize for custom-drawn cells).
    int32_t CellOptimalHeight(int32_t row, int32_t colIndex);
    int32_t CellOptimalWidth(int32_t row, int32_t colIndex);
    // The optimal width of a column's header item.
    int32_t HeaderItemOptimalWidth(int32_t pos) const;

    // ---- drop-down lists (grid/objects/combo_objects.h, grid/input/drop_down.cpp) ----
    std::shared_ptr<CombosObject> Combos() const { return combos_; }
    // The list window (0 until a list first opens); it is shown while comboDroppedDown_ is set.
    ui::Hwnd DropDownWindow() const { return dropDownHwnd_; }
    // Opens the current cell's list over the cell (the start of editing a list cell, F4, the combo
    // button, RequestEditCurCell with bShowCombo). charCode: a printable character that started the
    // edit lights the first item starting with it. A list cell is then being edited. False when the
    // cell has no list or a list is open already.
    bool DropDownCurCellList(int32_t charCode);
    // A key (KeyCode, Shift) or a character for the open list: navigation, Enter, Escape, F4,
    // Alt+Up/Down and Ctrl+Up/Down, and the list's search as you type. False when no list is open
    // or the key is not the list's.
    bool DropDownKey(int32_t keyCode, int32_t shift);
    bool DropDownChar(int32_t charCode);
    // Closes the open list of a list cell without taking an item and raises CancelEdit.
    void CancelListEdit();
    // Closes an open list without any event (a text-with-list cell keeps its editor).
    void CloseDropDown();
    // The lit item of the open list (-1: none or no list open) and the typed search text.
    int32_t DropDownHighlighted() const;
    const std::string& DropDownSearchString() const { return comboSearch_; }
    // Light the first item whose text starts with (equals) s, ignoring case; bSet keeps s as the
    // search text. No match, or an empty s, clears the search text and the highlight.
    void SearchStringFindStartsWith(const std::string& s, bool bSet);
    void SearchStringFindEqualsTo(const std::string& s, bool bSet);
    // Auto-completion of a text-with-list cell whose editor text went from `previous` to `text`: the
    // first item starting with the text is lit; when one character was added at the end the text is
    // completed to the item's text, the added part selected (selStart, selLength in characters).
    struct AutoCompletion {
        bool completed = false;
        std::string text;
        int32_t selStart = 0, selLength = 0;
    };
    AutoCompletion DropDownTextChanged(const std::string& previous, const std::string& text);
    // Index of the first item of list `slot` whose text equals `text` ignoring case; -1 when none.
    int32_t ComboItemIndexOfText(int32_t slot, const std::string& text) const;
    // Where a drop-down of `width` (below 1: the cell's) and `height` goes for a cell on a screen area.
    static gfx::Rect DropDownPlacement(const gfx::Rect& cell, const gfx::Rect& area, int32_t width, int32_t height,
                                       int32_t itemHeight);
    // Used by the list objects: measuring items in the list font, a change an open list shows, a
    // list about to go (its edit ends, cells forget it), the width of the list's scroll bar.
    void MeasureComboItem(ComboList& list, ComboItem& item);
    void RemeasureComboList(ComboList& list);
    void ComboListChanged(int16_t slot, bool repaintCells);
    void ComboListRemoving(int16_t slot);
    int32_t DropDownScrollBarWidth() const;
    static int32_t Utf8Length(const std::string& s);
    // A list cell (lxCellCombo) is being edited through its open list; a text-with-list cell's list
    // is open over its editor.
    bool ListCellBeingEdited() const { return editing_ && comboDroppedDown_ && droppedIsListCell_; }
    bool ComboListOpenOverEditor() const { return editing_ && comboDroppedDown_ && !droppedIsListCell_; }
    // Ends a list cell's edit by a key of DoKeyboardCommand: Enter and Tab (with UseTabKey) take the
    // lit item, Escape cancels. False for other keys (the edit goes on).
    bool EndListCellEditByKey(int32_t keyCode);
    // A text-with-list cell's commit: the index of the item entered (-1: none) and its icon (0).
    void StoreTextComboIndex(int32_t row, int32_t colIndex, int32_t listIndex);

    // ---- in-place editing and the shared commit path (grid/input/edit_*.cpp) ----
    // What a RequestEdit handler returned.
    struct EditRequestAnswer {
        bool cancel = false;
        std::string text;
        int32_t maxLength = 0;
        int32_t textEditOpt = 0;
    };
    // Raises RequestEdit (row, colIndex, charCode, bCancel False, sText text, lMaxLength 0,
    // eTextEditOpt 0) and returns what the handler left in the by-reference arguments.
    EditRequestAnswer RaiseRequestEdit(int32_t row, int32_t colIndex, int32_t charCode, const std::string& text);
    // The text as the editor options would let it be typed: upper or lower case, digits only, cut to
    // maxLength when that is above 0.
    static std::string ApplyTextEditOptions(std::string text, int32_t textEditOpt, int32_t maxLength);
    struct EditTextValue {
        Variant value;      // empty when the conversion failed
        int32_t convErr = 0; // 0, 13 (not a value of the type) or 6 (out of range)
    };
    // Converts an entered text to the type of the cell's current value (the user locale's formats).
    EditTextValue ConvertEditText(int32_t row, int32_t colIndex, const std::string& text) const;
    // Stores a typed text into a cell: converts it (with the validation message unless
    // SilentValidation), raises BeforeCommitEdit, then stores the value and raises AfterCommitEdit,
    // or raises CancelEdit. Returns the EEditResults outcome: 0 cancelled, 1 stored, 2 proceed
    // (validation failed and was reported, or the handler asked to go on editing). Nothing is stored
    // for 0 and 2. The clipboard commands call it per cell with bCanProceedEditing False.
    int32_t CommitTextToCell(int32_t row, int32_t colIndex, const std::string& sText, bool bCanProceedEditing,
                             int32_t lComboListIndex = -1);
    void RequestEditCurCell(int32_t lCharCode = 0, bool bShowCombo = false);
    void CommitEditCurCell();
    void CancelEditCurCell();
    ui::Hwnd TextEditHwnd() const { return editor_.hwnd; }
    std::string TextEditText() const;
    void SetTextEditText(const std::string& s);
    int32_t TextEditSelStart() const;
    void SetTextEditSelStart(int32_t n);
    int32_t TextEditSelLength() const;
    void SetTextEditSelLength(int32_t n);
    std::string TextEditSelText() const;
    void SetTextEditSelText(const std::string& s);
    bool AllowGroupRowEditing() const { return allowGroupRowEditing_; }
    void SetAllowGroupRowEditing(bool b);
    bool SilentValidation() const { return silentValidation_; }
    void SetSilentValidation(bool b);
    // Starts editing the current cell by a cell's text (EditCell on the cell object).
    void EditCell(const Variant& vrow, const Variant& vCol);
    // Commits the open text editor (bCanProceedEditing as given); the EEditResults outcome, 0 when
    // nothing was being edited.
    int32_t CommitOpenEditor(bool bCanProceedEditing);
    // The grid lost the focus to a window that is not its own editor or message box.
    void FocusLeftGrid(ui::Hwnd newFocus);

    // ---- keyboard (grid/input/keyboard*.cpp) ----
    void DoKeyboardCommand(int32_t KeyCode, int32_t Shift = 0);
    int32_t FindSearchMatchRow(const Variant& vSearchCol, const std::string& sSearchString,
                               const Variant& vStartRow = Variant::missing(), bool bLoop = false, int32_t eMatchMode = 0,
                               bool bMatchCase = false, int32_t eCellVisibility = 1);
    bool UseTabKey() const { return useTabKey_; }
    void SetUseTabKey(bool b);
    int32_t KeyPressBehaviour() const { return keyPressBehaviour_; }
    void SetKeyPressBehaviour(int32_t e);
    int32_t KeySearchCol() const { return keySearchCol_; }
    void SetKeySearchCol(int32_t n);
    bool KeySearchFromCurRow() const { return keySearchFromCurRow_; }
    void SetKeySearchFromCurRow(bool b);
    bool KeySearchLoop() const { return keySearchLoop_; }
    void SetKeySearchLoop(bool b);
    const std::string& SearchString() const { return searchString_; }
    void SetSearchString(const std::string& s);
    bool SkipNonSelectableCells() const { return skipNonSelectableCells_; }
    void SetSkipNonSelectableCells(bool b);
    bool BrowseAllNonFrozenCols() const { return browseAllNonFrozenCols_; }
    void SetBrowseAllNonFrozenCols(bool b);
    bool CopyPasteEnabled() const { return copyPasteEnabled_; }
    void SetCopyPasteEnabled(bool b);
    // A host window's key routing: true when the grid takes this key before the host's own
    // navigation (Tab with UseTabKey, arrows, Home, End, PgUp, PgDn, Delete, Escape, Backspace, the
    // clipboard keys, Enter and F2 on editable text cells, F4 on list cells), while not editing.
    bool WantsNavigationKey(int32_t keyCode, int32_t shift) const;
    // The host routes such a key to the grid: the key-down path, and the character path for Enter,
    // Escape and Backspace.
    void RouteNavigationKey(int32_t keyCode, int32_t shift);

    // ---- the grid window ----
    // Creates the grid's window as a child filling the parent's client area (error 522 when the grid
    // already has a window or the parent is not a window).
    void AttachToWindow(ui::Hwnd parent);
    void DetachWindow();
    ui::Hwnd WindowHandle() const { return hwnd_; }
    void MoveGridWindow(int32_t x, int32_t y, int32_t width, int32_t height);
    void FocusGridWindow();
    bool HasFocus() const;
    // The grid window's procedure, and the seams the painter and the input code fill.
    ui::LResult WindowProc(ui::MessageId message, ui::WParam wParam, ui::LParam lParam);
    void WindowDestroyed();
    void PaintWindow(gfx::DeviceContext& dc, const gfx::Rect& rcPaint);
    ui::LResult HandleInputMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam, bool& handled);
    // Repaints the whole view now (at EndUpdate while updates are suspended).
    void InvalidateView();
    // Puts the rows whose cells changed on the window's list of things to paint: one paint of the
    // window, whenever the host next paints, shows every change made until then.
    void DeferRowPaint();

    // ---- internal services (used by the other parts of the grid and by tests) ----
    int32_t ResolveRow(const Variant& vrow) const;
    int32_t ResolveColIndex(const Variant& vCol) const;
    int32_t ResolveColPos(const Variant& vCol) const;
    // Position of the column with that index (1..ColCount + 1), 0 when none.
    int32_t PositionOfIndex(int32_t index) const;
    CellRecord& Cell(int32_t row, int32_t colIndex) { return cells_.at(colIndex, rows_[row].cellSlot); }
    const CellRecord& Cell(int32_t row, int32_t colIndex) const { return cells_.at(colIndex, rows_[row].cellSlot); }
    const RowRecord& Row(int32_t pos) const {
        FlushRowLayout();
        return rows_[pos];
    }
    const ColumnRecord& Column(int32_t pos) const { return cols_[static_cast<size_t>(pos)]; }
    int32_t GroupRowCount() const { return groupRows_; }
    int32_t AllocatedRows() const { return allocatedRows_; }
    int32_t DisplayedRowCount() const { return displayedRows_; }
    size_t FreeSlotCount() const { return freeSlots_.size(); }
    const std::deque<int32_t>& FreeSlots() const { return freeSlots_; }
    const RowKeyIndex& KeyIndex() const { return keyIndex_; }
    const CellStorage& Cells() const { return cells_; }
    const SelectionStore& Selection() const { return selection_; }
    // What must be recomputed before the visible range is used (layout_mark::kNone .. kColumnsOnly).
    int LayoutMark() const { return view_.layoutMark; }
    uint64_t FullRedrawCount() const { return fullRedraws_; }
    uint64_t RowRedrawCount() const { return rowRedraws_; }
    // Header items: the column index of each item, in display order.
    const std::vector<int32_t>& HeaderItems() const { return headerItems_; }
    int32_t HeaderHeight() const { return headerHeight_; }
    void SetHeaderHeight(int32_t h);
    bool InStructuralOperation() const { return structuralDepth_ > 0; }
    // True while a structural member (rows, columns, Clear, moves, sorting, grouping) is changing
    // the grid; the selection and the current cell are then its to change: SetCurRow, SetCurCol,
    // SetCurCell, CellSelected, ClearSelection, SelectAll, InvertSelection, RowMode, MultiSelect,
    // RequestEditCurCell and DoKeyboardCommand called from its event handlers raise 522.
    bool InStructuralChange() const { return structuralChanges_ > 0; }
    void RefuseDuringStructuralChange() const;

    // Held while the grid walks rows, columns, cells or the selection and raises events on the way
    // (selection changes, measuring, the dynamic-content events, clipboard passes): a structural
    // member an event handler calls meanwhile raises 522 "Illegal operation." and changes nothing,
    // so the walk's counts and positions stay true. Locks nest; painting holds the same lock.
    class StructureLock {
    public:
        explicit StructureLock(Lattix& g) : g_(g) { ++g_.structuralDepth_; }
        ~StructureLock() { --g_.structuralDepth_; }
        StructureLock(const StructureLock&) = delete;
        StructureLock& operator=(const StructureLock&) = delete;

    private:
        Lattix& g_;
    };
    // Lifts every structure lock for a change the grid makes itself in the middle of a locked walk
    // (a virtual grid's new row); the locks hold again when it ends.
    class StructureUnlock {
    public:
        explicit StructureUnlock(Lattix& g) : g_(g), saved_(g.structuralDepth_) { g_.structuralDepth_ = 0; }
        ~StructureUnlock() { g_.structuralDepth_ = saved_; }
        StructureUnlock(const StructureUnlock&) = delete;
        StructureUnlock& operator=(const StructureUnlock&) = delete;

    private:
        Lattix& g_;
        int saved_;
    };
    // BeginUpdate for a scope, EndUpdate however the scope is left. The repaint EndUpdate starts may
    // carry an event handler's error: it reaches the caller, unless an error is already on its way.
    class UpdateSuspension {
    public:
        explicit UpdateSuspension(Lattix& g) : g_(g), unwinding_(std::uncaught_exceptions()) { g_.BeginUpdate(); }
        ~UpdateSuspension() noexcept(false) {
            if (std::uncaught_exceptions() == unwinding_) {
                g_.EndUpdate();
                return;
            }
            try {
                g_.EndUpdate();
            } catch (...) {
                // The error already leaving the scope is the one the caller hears of.
            }
        }
        UpdateSuspension(const UpdateSuspension&) = delete;
        UpdateSuspension& operator=(const UpdateSuspension&) = delete;

    private:
        Lattix& g_;
        int unwinding_;
    };
    // RaiseEvent under a StructureLock: for events whose handlers answer a question the grid asks
    // in the middle of a walk (dynamic text, icons and formatting, sizes, selection changes).
    void RaiseLockedEvent(DispId id, std::span<Variant> args) {
        StructureLock lock(*this);
        RaiseEvent(id, args);
    }
    void PropertyChanged(std::string_view name);
    void MarkDefaultCellsDirty() { defaultCellsDirty_ = true; }

    // Raises QuitCustomEdit, then ends an edit in progress (a list cell's is cancelled, a text cell's
    // committed without proceeding). Structural changes call it before they change anything.
    void EndEditing();
    // Records a layout change: mode, or everything when a change is already pending.
    void MarkLayout(int mode);
    void SetCurrentCell(int32_t row, int32_t col);
    void FlushPendingEvents();
    void RelayoutAndRedraw();
    void RedrawRow(int32_t row);
    // Selection bookkeeping of structural operations.
    void BeforeSelectionBookkeeping();
    void SelectionDropped() { selContentsChanged_ = true; }

private:
    explicit Lattix(const Options& options);
    void initialise();
    void teardown();
    void registerOwned(const std::shared_ptr<OwnedObject>& obj);

    // RAII guard for structural operations: a structural member called from an event handler raised
    // in the middle of one raises 522 and changes nothing.
    class StructuralScope {
    public:
        explicit StructuralScope(Lattix& g);
        // Hands on the first error a BeforeSelectionChange handler raised in the middle of the
        // change, once the change is complete (unless another error is already leaving).
        ~StructuralScope() noexcept(false);
        // The same, ahead of the destructor. A member that returns an object calls it before its
        // return statement: an error thrown by a destructor after the return value is built does
        // not free that value with every compiler.
        void close();
        StructuralScope(const StructuralScope&) = delete;
        StructuralScope& operator=(const StructuralScope&) = delete;

    private:
        Lattix& g_;
        int unwinding_;
        bool open_ = true;
    };

    void ensureRowCapacity(int32_t n);
    void refreshDefaultCells();
    void insertRows(const std::string& key, int32_t& insertPos, bool visible, int16_t height, bool group,
                    int32_t parent, bool expanded, uint8_t level, uint8_t treeButton, bool visibleAsChild,
                    const Variant& tag, int32_t count);
    void applyStoreInitRowNumber(int32_t pos);
    int32_t takeSlot(int32_t k, int32_t oldRowCount);
    std::vector<const CellRecord*> defaultCellsByIndex() const;
    void removeColumnsByIndex(int32_t firstIndex, int32_t lastIndex);
    void clearRows(bool removeCols);
    ColumnRecord makeColumn(int32_t index);
    void recomputeColumnPositions();
    std::shared_ptr<CellObject> newDefaultCellObject();
    void programmaticMove(int32_t row, int32_t col);
    // ---- selection primitives (grid/input/selection.cpp) ----
    bool validCell(int32_t row, int32_t col) const { return row >= 1 && row <= rows_.count() && col >= 1 && col <= colCount_ + 1; }
    void selectCell(int32_t row, int32_t colIndex, bool select, bool updateSet = true, bool mayRaiseBefore = true);
    void selectRow(int32_t row, bool select, bool updateSet = true);
    void invertRow(int32_t row);
    bool rowHasSelectedCell(int32_t row) const;
    void deselectAllButTarget(int32_t row, int32_t col);
    void applySingleSelectionRule(int32_t row, int32_t col);
    void applyMultiNoModifiers(int32_t row, int32_t col);
    void extendRange(int32_t row, int32_t col, bool addMode);
    void toggleForCtrlClick(int32_t row, int32_t col);
    void ensureMoveVisible(int32_t row, int32_t col);
    // Repaints the rows whose cells carry the changed flag (what a selection change marks).
    void redrawChangedCells();
    // ---- mouse (private) ----
    bool handleMouseMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam);
    void mouseButtonDown(int32_t button, int32_t x, int32_t y, int32_t shift);
    void mouseButtonUp(int32_t button, int32_t x, int32_t y, int32_t shift);
    void mouseMoved(int32_t button, int32_t x, int32_t y, int32_t shift);
    void mouseDoubleClick(int32_t button, int32_t x, int32_t y, int32_t shift);
    void mouseCaptureLost();
    void endMouseGesture();
    void mouseLeaveTick();
    // The pointer entered a cell: its check box and combo button show hot and its tooltip is
    // decided. resetHotTracking: the pointer left it (nothing hot, the cell tip hidden).
    void hotTrackCell(int32_t row, int32_t col);
    void resetHotTracking();
    void cellAutoscrollTick();
    void doubleClickTimeout();
    void applyMouseSelectionNow(int32_t row, int32_t col, int32_t shift);
    bool inputAllowed() const;
    // Seams filled by the editing, drop-down list and context menu parts.
    bool commitEditBeforePress();
    void requestEditFromMouse(bool showCombo);
    void showCellContextMenu(int32_t row, int32_t col, bool hideDefaultItems);
    void showNoCellAreaContextMenu(bool hideDefaultItems);
    void openCellContextMenu(int32_t row, int32_t col);
    // ---- in-place editing and keyboard (private) ----
    struct EditorState {
        ui::Hwnd hwnd = 0;
        int32_t row = 0, col = 0;
        bool savedSelected = false;
        bool startedByChar = false;
        bool committing = false; // the commit path is running: no second commit from focus changes
        bool inMessageBox = false;
        std::string previousText;
    } editor_;
    bool allowGroupRowEditing_ = false;
    bool silentValidation_ = false;
    bool useTabKey_ = true;
    int32_t keyPressBehaviour_ = 2;
    int32_t keySearchCol_ = 0;
    bool keySearchFromCurRow_ = false;
    bool keySearchLoop_ = false;
    std::string searchString_;
    bool skipNonSelectableCells_ = true;
    bool browseAllNonFrozenCols_ = false;
    bool copyPasteEnabled_ = true;
    bool keyConsumed_ = false;
    bool keyUpAfterEdit_ = false;
    int32_t routedChar_ = 0; // a character the key router already ran: its message is skipped once
    int32_t findMatchRow(int32_t colIndex, const std::string& text, int32_t startRow, int32_t step, bool loop,
                         int32_t matchMode, bool matchCase, int32_t visibility);
    void repaintCurrentCell();
    void endEditQuietly();
    int32_t commitTextToCell(int32_t row, int32_t colIndex, const std::string& text, bool canProceed,
                             int32_t comboListIndex, bool closesEditor);
    bool reportValidationError(int32_t convErr);
    bool openEditor(int32_t charCode, const EditRequestAnswer& answer);
    void requestEdit(int32_t charCode, bool showCombo, bool composing);
    // Input-method messages of the grid window (grid/input/composition_input.cpp); false for others.
    bool handleCompositionMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam, ui::LResult& result);
    gfx::Rect editorRectOf(int32_t row, int32_t col, const gfx::Font& font);
    void followEditorToCell();
    void closeEditor();
    void cancelOpenEditor();
    static ui::LResult editorSubclass(ui::Hwnd, ui::MessageId, ui::WParam, ui::LParam, std::uintptr_t, std::uintptr_t);
    ui::LResult editorMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam, bool& handled);
    void editorTextChanged();
    bool handleKeyMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam);
    void gridKeyDown(int32_t keyCode, int32_t shift);
    void gridCharacter(int32_t charCode);
    void incrementalSearch(int32_t charCode);
    bool searchCandidate(const std::string& candidate);
    int32_t searchColumn() const;
    void keyboardMove(int32_t keyCode, int32_t shift);
    // A scroll bar's SmallChange (or LargeChange with page), for keys and drag scrolling; 0 when
    // onlyWhenShown and the bar is hidden.
    int32_t scrollBarStep(int bar, bool page, bool onlyWhenShown);
    void pageStep(int32_t keyCode, int32_t shift);
    void moveToTarget(int32_t row, int32_t col, int32_t shift);
    void altSearchStep(int32_t direction);
    void expandCollapseByKey(int32_t keyCode);
    void toggleSelectionByCtrlSpace();
    bool findColumnStep(int32_t row, int32_t col, int32_t step, int32_t& outRow, int32_t& outCol);
    bool findRowStep(int32_t row, int32_t col, int32_t step, int32_t& outRow, int32_t& outCol);
    int32_t firstVisibleColOfRow(int32_t row, bool last);
    int32_t firstVisibleRow(bool last) const;
    bool rowIsVisible(int32_t row) const;
    MouseState mouse_;

    Options options_;
    SystemDescription system_;
    EventSource events_;
    std::array<bool, 4> supports_{};
    std::array<std::string, 31> uiStrings_;

    // Storage.
    RowTable rows_;
    std::vector<ColumnRecord> cols_; // position 0 unused; ColCount + 1 is the row text column
    CellStorage cells_;
    std::deque<int32_t> freeSlots_;
    RowKeyIndex keyIndex_{rows_};
    int32_t colCount_ = 0;
    int32_t groupRows_ = 0;
    int32_t allocatedRows_ = 0;
    int32_t displayedRows_ = 0;
    int32_t wantFreeRows_ = 100;
    int32_t storeInitRowNumbers_ = 0;
    int16_t defaultRowHeight_ = 17;
    int16_t defaultRowNormalCellHeight_ = 17;
    std::string autoColHeaderTextTemplate_ = "Col #";
    int32_t treeCol_ = 0;
    bool addRowAutoTreeButton_ = false; // the persisted default (True) comes with the stored properties
    bool defaultCellsDirty_ = false;

    // Current cell and selection.
    int32_t curRow_ = 0, curCol_ = 0, prevRow_ = 0, prevCol_ = 0;
    bool cellChanged_ = false, rowChanged_ = false, colChanged_ = false;
    bool selChangePending_ = false, selContentsChanged_ = false;
    bool rowMode_ = false, multiSelect_ = false, fullRowSelect_ = false, dragSelect_ = true;
    int32_t anchorRow_ = 0, anchorCol_ = 0;
    bool anchorState_ = true;
    struct LastExtension {
        int32_t anchorRow = 0, anchorCol = 0, lowRow = 0, highRow = -1;
    } lastExtension_;
    SelectionStore selection_;

    // View bookkeeping.
    int32_t beginUpdateCount_ = 0;
    bool redrawDeferred_ = false;
    bool relayingOut_ = false; // RelayoutAndRedraw is fitting the scroll bars and header
    uint64_t fullRedraws_ = 0, rowRedraws_ = 0;
    std::vector<int32_t> headerItems_;
    int32_t headerHeight_ = 20;

    int structuralDepth_ = 0;
    int structuralChanges_ = 0;
    std::exception_ptr heldHandlerError_;
    bool allowSorting_ = true; // ---- persisted settings (property bag) ----
    PropertyBag storedProperties_;
    bool editing_ = false;
    bool isFocused_ = false;
    std::shared_ptr<ui::DropTarget> dropTarget_;
    bool FocusLookMatters() const;

    // Header bar, scroll bars, visual styles and tooltips.
    friend class GridChrome;
    std::unique_ptr<GridChrome> chrome_;
    std::array<std::shared_ptr<ScrollBarObject>, 2> scrollBarObjects_;
    // ---- painting (private) ----
    template <class T> void setPaintSetting(T& field, T value, std::string_view name);
    PaintSettings paint_;
    std::unique_ptr<GridPainter> painter_;
    bool virtualEnd_ = false;       // the host of a virtual grid reported its last row
    bool comboDroppedDown_ = false; // the current cell's list is dropped down
    // ---- drop-down lists (private) ----
    std::shared_ptr<CombosObject> combos_;
    ui::Hwnd dropDownHwnd_ = 0;
    int16_t droppedSlot_ = 0;
    int32_t droppedRow_ = 0, droppedCol_ = 0;
    bool droppedIsListCell_ = false;
    std::string comboSearch_;
    // A key that closed the list: the character of the same key press is not the grid's.
    bool swallowCharAfterList_ = false;
    bool settingEditorFromList_ = false; // the editor text follows the list: no auto-completion
    void destroyDropDown();
    void fillDropDown();
    void dropDownNotified(int kind, int index, bool byMouse);
    void chooseComboItem(int32_t index);
    void searchFor(const std::string& candidate);
    void searchStep(int direction);
    void searchMatching(const std::string& s, bool bSet, bool equals);
    void closeTextEditorAfterChoice();
    void listHighlightChangedInTextCell(int32_t index);
    bool handleDropDownMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam);
    bool scrollBarsAdjustedOnce_ = false; // the first window paint adjusted the scroll bars
    bool rowPaintDeferred_ = false;       // the cells area is invalid for rows with changed cells
    friend class GridPainter;

    // Owned objects.
    std::shared_ptr<HeaderObject> header_;
    std::shared_ptr<AggrFuncsObject> aggrFuncs_;
    std::shared_ptr<SelItemsObject> selItems_;
    std::array<std::shared_ptr<ContextMenuItemsObject>, 5> contextMenuItems_;

    // ---- clipboard commands and context menus (private) ----
    bool builtinContextMenus_ = true;
    CopyBuffer copyBuffer_;
    struct OpenMenu {
        int32_t context = 0, row = 0, col = 0;
    } menu_;
    void copyCutClear(bool clear, bool copy, bool withHeaders);
    // The copy pass: the selected cells' text, filling `buffer`; clears them first with `clear`.
    std::string copySelection(bool clear, bool copy, bool withHeaders, CopyBuffer& buffer);
    bool pasteTargetFits(int32_t sourceRows, int32_t sourceCols, std::vector<int32_t>& targetRows,
                         std::vector<int32_t>& targetCols);
    void pasteOneCell(int32_t row, int32_t colIndex, const std::string& text);
    bool holdsCellText(int32_t row, int32_t colIndex) const;
    void showContextMenu(ui::PopupMenu& menu, int32_t context, int32_t row, int32_t col, ui::Point screenPoint);
    void appendCustomMenuItems(ui::PopupMenu& menu, int32_t context);
    std::vector<std::weak_ptr<OwnedObject>> owned_;

    // ---- columns, hierarchy, removal (private) ----
    int32_t frozenCols_ = 0;
    int32_t frozenColsEdgeWidth_ = 2;
    int32_t frozenColsEdgeColor_ = static_cast<int32_t>(0x80000010u);
    bool frozenColsEdgeDrawAlways_ = false;
    ColumnLayout colLayout_;
    uint64_t headerItemRefreshes_ = 0;
    int32_t viewWindowWidth_ = 0, viewBorderWidth_ = 0, viewVScrollWidth_ = 0;
    int32_t levelIndent_ = 16;
    int32_t treeButtonSize_ = 9;
    bool defaultAutoGroupRowExpanded_ = true;
    ColumnRecord& columnAt(const Variant& vCol) { return cols_[static_cast<size_t>(ResolveColPos(vCol))]; }
    const ColumnRecord& columnAt(const Variant& vCol) const { return cols_[static_cast<size_t>(ResolveColPos(vCol))]; }
    void applyColumnWidth(int32_t pos, int32_t width);
    void refreshHeaderItem(int32_t pos);
    void rebuildHeaderItems();
    void setVisibleAsChild(RowRecord& r, bool on);
    void expandOrCollapseMany(int32_t start, bool expand, bool allRows);
    void clearAll(bool removeCols);

    // ---- cell attributes, displayed text, fonts and colours (private) ----
    struct CellAddress {
        int32_t row;
        int32_t col;
    };
    CellAddress resolveCell(const Variant& vrow, const Variant& vCol) const {
        int32_t row = ResolveRow(vrow);
        return {row, ResolveColIndex(vCol)};
    }
    // Changed flag and row redraw after an attribute write.
    void cellAttributeChanged(CellRecord& cell, int32_t row) {
        cell.markChanged();
        RedrawRow(row);
    }
    void rederiveComboBinding(CellRecord& cell);
    // Raises the dynamic formatting events of a cell; -1 / nullptr for what the host left unset.
    struct DynamicFormatting {
        int32_t foreColor = -1;
        int32_t backColor = -1;
        std::shared_ptr<FontObject> font;
    };
    DynamicFormatting dynamicFormatting(int32_t row, int32_t colIndex, bool wantFont);
    void linkLiveCellFont(std::shared_ptr<FontObject> font, int32_t row, int32_t colIndex);
    void dropLiveCellFont();
    void liveCellFontChanged();
    void gridFontChanged();
    FormatTable formatTable_;
    FontTable fontTable_;
    ComboListStore comboLists_;
    std::shared_ptr<FontObject> font_ = FontObject::Create();
    // The grid listens to its own font: cells that follow it are redrawn when it changes.
    FontObject::Subscription fontWatch_ = FontObject::Listen(font_, [this](FontObject&) { gridFontChanged(); });
    struct LiveFontLink {
        std::shared_ptr<FontObject> font;
        FontObject::Subscription watch;
        int32_t slot = 0;
        std::weak_ptr<CellObject> column; // the column's default cell object: survives renumbering
    } liveFont_;
    int32_t foreColor_ = static_cast<int32_t>(0x80000008u);
    int32_t backColor_ = static_cast<int32_t>(0x80000005u);
    int32_t backColorOddRows_ = -1;
    int32_t backColorEvenRows_ = -1;
    int32_t cellCheckGap_ = 2;
    int32_t cellIconGap_ = 2;
    int32_t dynamicContentEvents_ = 0;

    // ---- sorting and grouping (grid/ops, private) ----
    std::shared_ptr<SortGroupState> sortState_;
    void initialiseSorting();
    void resolveRowRange(const Variant& vRowStart, const Variant& vRowEnd, int32_t& first, int32_t& last) const;
    void sortRun(int32_t first, int32_t last, bool raiseEvents, bool childNodesOnly);
    void applyRowOrder(int32_t first, const std::vector<int32_t>& order);
    void refreshColSortFields();
    void rebuildCriteriaFromColumns();
    void removeGroupRows();
    void recomputeAggregates(int32_t groupRow);
    // ---- geometry (private) ----
    void recomputeRowPositions(int32_t pos);
    void recomputeLaidOutColumns();
    void updateViewSize();
    void clampScrollPosition();
    void applyBorderType();
    void viewSettingChanged(std::string_view name, bool relayout);
    struct OptimalHeightInput {
        int32_t textHeight = 0, iconHeight = 0, extraIconHeight = 0, iconToText = 0;
        bool checkVisible = false;
        int32_t checkPos = 0;
        bool comboButton = false;
        int32_t indentTop = 0, indentBottom = 0;
        bool hGridLine = true;
    };
    int32_t OptimalHeightOf(const OptimalHeightInput& in);
    struct RowSize {
        int16_t height = 0, normal = 0;
    };
    RowSize optimalRowHeight(int32_t row, int32_t lMinimumHeight, int32_t lMaximumHeight, int32_t eCellVisibility);
    void applyRowSize(int32_t row, RowSize size);
    int32_t optimalColumnWidth(int32_t pos, int32_t lMinimumWidth, int32_t lMaximumWidth, int32_t eCellVisibility);
    bool rowPassesFilter(int32_t row, int32_t eCellVisibility);
    bool positionPassesFilter(int32_t pos, int32_t eCellVisibility);
    mutable int32_t pendingRowLayout_ = std::numeric_limits<int32_t>::max();
    ViewState view_;
    ColumnTotals colTotals_;
    ui::Hwnd hwnd_ = 0;
    std::vector<std::shared_ptr<gfx::ImageList>> imageLists_;
    // Declared after events_: it disconnects from them when it goes.
    std::shared_ptr<RecordSetBinding> binding_;
    int32_t gridLines_ = 3;
    int32_t gridLinesExtend_ = 0;
    int32_t gridLineThicknessH_ = 1;
    int32_t gridLineThicknessV_ = 1;
    bool focusRect_ = true;
    bool drawRowText_ = false;
    int32_t rowTextStartCol_ = 1;
    int32_t borderType_ = 3;
    bool editable_ = true;
    bool showControlsInAllCells_ = false;
    bool autoWidthColWithHeader_ = true;
    bool ensureVisibleAutoHScroll_ = true;
    bool ensureVisibleAutoVScroll_ = true;

    friend class LattixTestAccess;
};

} // namespace lattix
