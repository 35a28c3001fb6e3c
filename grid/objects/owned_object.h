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
