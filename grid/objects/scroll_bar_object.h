// One of the grid's two scroll bars (HScrollBar, VScrollBar). Its own Enabled flag and
// SmallChangeDesiredValue live here; the rest is the scroll bar engine's state.
#pragma once

#include "grid/objects/owned_object.h"

namespace lattix {

class ScrollBarObject final : public OwnedObject {
public:
    ScrollBarObject(Lattix* grid, int bar) : OwnedObject(grid), bar_(bar) {}
    const TypeInfo& typeInfo() const override;
    int bar() const { return bar_; }

    int32_t Value() const;
    void SetValue(int32_t v);
    int32_t Thickness() const;
    bool Visible() const;
    int32_t LargeChange() const;
    int32_t SmallChange() const;
    int32_t SmallChangeDesiredValue() const;
    void SetSmallChangeDesiredValue(int32_t v);
    int32_t Min() const { return 0; }
    int32_t Max() const;
    bool Enabled() const;
    void SetEnabled(bool b);
    int32_t DisplayMode() const;
    void SetDisplayMode(int32_t mode);
    bool MouseWheelScrollsWhenHidden() const;
    void SetMouseWheelScrollsWhenHidden(bool b);

private:
    int bar_;
};

} // namespace lattix
