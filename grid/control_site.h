// What the grid asks of its container, and what it measures of the system at creation.
#pragma once

#include <string>
#include <string_view>

namespace lattix {

// The container that holds the control: it is told about changed persisted properties.
class ControlSite {
public:
    virtual ~ControlSite() = default;
    virtual void propertyChanged(std::string_view /*name*/) {}
    // Keyboard and mouse are handled only in user (run) mode.
    virtual bool userMode() const { return true; }
    // The name the container gives the control (shown by the design-time placeholder).
    virtual std::string displayName() const { return "Lattix"; }
};

// The system the grid runs on, as the platform's system-information service reports it. The
// default describes a current themed desktop with 32-bit colour at 96 dpi.
struct SystemDescription {
    int osMajor = 10;
    int osMinor = 0;
    bool ntFamily = true;
    bool hasCommonControlsVersion = true;
    int commonControlsMajor = 6;
    int commonControlsMinor = 10;
    bool appThemed = true;
    int bitsPerPixel = 32;
    int dpiX = 96;
};

} // namespace lattix
