// grid/objects: the objects a grid hands out to its host: the cell (CellObject), font, header, the
// two scroll bars, the drop-down lists (Combos), the selection (SelItems), sort and group criteria,
// aggregate functions, context menu items and the data object of a drag and drop. Each is a thin
// published face over state the grid keeps in its model, view, input and ops folders. They may
// use the runtime, the grid and those folders, and the error table and dispatch binder of
// grid/automation; the platform only through the grid.
//
// Base of the objects a grid hands out (CellObject, HeaderObject, ...). They reach their grid through a
// non-owning pointer that the grid clears when it is torn down, so a host that keeps such an object
// never reaches freed memory.
#pragma once

#include "runtime/automation.h"

namespace lattix {

class Lattix;

class OwnedObject : public AutomationObject {
public:
    explicit OwnedObject(Lattix* grid) : grid_(grid) {}
    Lattix* grid() const { return grid_; }
    bool attached() const { return grid_ != nullptr; }
    // Called by the grid at teardown.
    virtual void detach() { grid_ = nullptr; }

protected:
    // The grid, or error 522 "Illegal operation." once the grid is gone.
    Lattix& requireGrid() const;

private:
    Lattix* grid_;
};

} // namespace lattix
