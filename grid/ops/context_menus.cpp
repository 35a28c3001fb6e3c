// The built-in context menus: the header menu (sorting and grouping by a column), the cell menu
// (clipboard commands, collapsing and expanding) and the custom items a host adds to each context.
//
// ContextMenuPopup lets the host cancel a menu or hide its default items. Every item carries the
// command 8192 + its item number: 1..15 for the default items, 15 + k for the custom item at list
// index k. The chosen command runs right after the menu closes; an error it raises is shown in a
// message box and goes no further, so the window procedure never sees it.
#include "grid/lattix.h"
#include "grid/objects/context_menu_items_object.h"
#include "grid/objects/sort_group_object.h"
#include "grid/ops/sort_criteria.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_manager.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

namespace event_id {
inline constexpr DispId kContextMenuPopupEvent = 90;
inline constexpr DispId kContextMenuCustomItemClick = 91;
} // namespace event_id

namespace {
constexpr int32_t kCommandBase = 0x2000;
constexpr int32_t kContextCell = 1, kContextColHeader = 2, kContextHeaderExtraArea = 4;
constexpr int32_t kSortAsc = 0, kSortDesc = 1, kSortNone = 99;
constexpr int32_t kFirstCustomItem = 16;

enum Item : int32_t {
    kSortAscending = 1,
    kSortDescending = 2,
    kGroupBy = 3,
    kDontGroupBy = 4,
    kRemoveGrouping = 5,
    kCollapseAll = 6,
    kExpandAll = 7,
    kCollapseChildren = 8,
    kExpandChildren = 9,
    kCut = 12,
    kCopy = 13,
    kCopyWithHeaders = 14,
    kPaste = 15,
};

void addItem(ui::PopupMenu& menu, const Lattix& g, int32_t item, bool enabled = true) {
    menu.AppendItem(kCommandBase + item, g.UIStrings(item), enabled);
}
} // namespace

void Lattix::SetBuiltinContextMenus(bool b) {
    builtinContextMenus_ = b;
    PropertyChanged("BuiltinContextMenus");
}

void Lattix::appendCustomMenuItems(ui::PopupMenu& menu, int32_t context) {
    const std::vector<ContextMenuItemsObject::Item>& items = contextMenuItems_[static_cast<size_t>(context - 1)]->items();
    if (items.empty()) return;
    if (!menu.Empty()) menu.AppendSeparator();
    for (size_t k = 0; k < items.size(); ++k) {
        if (items[k].caption == "-") {
            menu.AppendSeparator();
            continue;
        }
        menu.AppendItem(kCommandBase + kFirstCustomItem - 1 + static_cast<int32_t>(k + 1), items[k].caption,
                        items[k].enabled, items[k].checked);
    }
}

void Lattix::showContextMenu(ui::PopupMenu& menu, int32_t context, int32_t row, int32_t col, ui::Point screenPoint) {
    appendCustomMenuItems(menu, context);
    if (menu.Empty() || hwnd_ == 0) return;
    menu_ = OpenMenu{context, row, col};
    const int command = ui::Wm().TrackPopupMenu(menu, ui::TPM_RIGHTBUTTON | ui::TPM_RETURNCMD, screenPoint, hwnd_);
    if (command != 0) RunContextMenuCommand(command);
}

void Lattix::OpenHeaderContextMenu(int32_t col, int32_t x, int32_t y) {
    if (col < 0 || col > colCount_) col = 0;
    const int32_t context = col > 0 ? kContextColHeader : kContextHeaderExtraArea;
    std::array<Variant, 5> popup{Variant(context), Variant(int32_t{0}), Variant(col), Variant::byRef(Variant(false)),
                                 Variant::byRef(Variant(false))};
    RaiseEvent(event_id::kContextMenuPopupEvent, popup);
    if (ToBool(popup[3].deref()) || hwnd_ == 0) return;
    // The handler may have removed the column.
    if (col > colCount_) return;
    ui::PopupMenu menu;
    if (col > 0 && !ToBool(popup[4].deref()) && builtinContextMenus_) {
        const bool sortable = cols_[static_cast<size_t>(PositionOfIndex(col))].sortType != kSortNone;
        if (allowSorting_) {
            addItem(menu, *this, kSortAscending, sortable);
            addItem(menu, *this, kSortDescending, sortable);
        }
        if (AllowGrouping()) {
            if (!menu.Empty()) menu.AppendSeparator();
            const SortCriteria& grouping = EffectiveGroupCriteria();
            addItem(menu, *this, grouping.find(col) > 0 ? kDontGroupBy : kGroupBy, sortable);
            addItem(menu, *this, kRemoveGrouping, sortable && !grouping.empty());
        }
    }
    ui::Point screen{x, y};
    ui::Wm().ClientToScreen(hwnd_, screen);
    showContextMenu(menu, context, 0, col, screen);
}

void Lattix::showCellContextMenu(int32_t row, int32_t col, bool hideDefaultItems) {
    if (!validCell(row, col) || hwnd_ == 0) return;
    ui::PopupMenu menu;
    if (!hideDefaultItems && builtinContextMenus_) {
        if (copyPasteEnabled_) {
            addItem(menu, *this, kCut, editable_);
            addItem(menu, *this, kCopy);
            addItem(menu, *this, kCopyWithHeaders);
            const ui::Clipboard& clipboard = ui::Wm().GetClipboard();
            const bool hasText = clipboard.IsFormatAvailable(ui::CF_UNICODETEXT) || clipboard.IsFormatAvailable(ui::CF_TEXT);
            addItem(menu, *this, kPaste, editable_ && hasText);
        }
        if (rows_[row].isGroup() || treeCol_ != 0) {
            if (!menu.Empty()) menu.AppendSeparator();
            addItem(menu, *this, kCollapseAll);
            addItem(menu, *this, kExpandAll);
            menu.AppendSeparator();
            addItem(menu, *this, kCollapseChildren);
            addItem(menu, *this, kExpandChildren);
        }
    }
    showContextMenu(menu, kContextCell, row, col, ui::Wm().GetCursorPos());
}

void Lattix::showNoCellAreaContextMenu(bool hideDefaultItems) {
    (void)hideDefaultItems; // this context has no default items
    ui::PopupMenu menu;
    showContextMenu(menu, 3, 0, 0, ui::Wm().GetCursorPos());
}

void Lattix::RunContextMenuCommand(int32_t command) {
    const int32_t item = command - kCommandBase;
    const OpenMenu m = menu_;
    try {
        switch (item) {
        case kSortAscending:
        case kSortDescending:
            DoDefaultSort(Variant(m.col), 0, item == kSortAscending ? kSortAsc : kSortDesc);
            break;
        case kGroupBy:
        case kDontGroupBy: {
            // Build the new criteria first: a column that is gone or a type that cannot group
            // raises before anything has changed.
            const int32_t col = ResolveColIndex(Variant(m.col));
            SortCriteria criteria = EffectiveGroupCriteria();
            if (item == kGroupBy) {
                const ColumnRecord& c = cols_[static_cast<size_t>(PositionOfIndex(col))];
                criteria.add(col, c.sortOrderDefault, c.sortType);
            } else {
                const int32_t at = criteria.find(col);
                if (at == 0) break;
                criteria.remove(at);
            }
            GroupObject()->criteria() = criteria;
            Group();
            break;
        }
        case kRemoveGrouping: Ungroup(); break;
        case kCollapseAll: CollapseAllRows(); break;
        case kExpandAll: ExpandAllRows(); break;
        case kCollapseChildren:
            if (curRow_ > 0) CollapseAllChildRows(Variant(curRow_));
            break;
        case kExpandChildren:
            if (curRow_ > 0) ExpandAllChildRows(Variant(curRow_));
            break;
        case kCut: CutSelectedCells(); break;
        case kCopy: CopySelectedCells(false); break;
        case kCopyWithHeaders: CopySelectedCells(true); break;
        case kPaste: PasteFromClipboard(); break;
        default:
            if (item >= kFirstCustomItem) {
                std::array<Variant, 4> click{Variant(m.context), Variant(m.row), Variant(m.col),
                                             Variant(item - kFirstCustomItem + 1)};
                RaiseEvent(event_id::kContextMenuCustomItemClick, click);
            }
            break;
        }
    } catch (const AutomationError& e) {
        ui::Wm().MessageBox(hwnd_, e.description(), "Lattix", ui::MB_OK | ui::MB_ICONSTOP);
    } catch (const std::exception& e) {
        ui::Wm().MessageBox(hwnd_, e.what(), "Lattix", ui::MB_OK | ui::MB_ICONSTOP);
    }
}

} // namespace lattix
