// Drag and drop between windows and programs.
//
// The data travels as a DragData: one byte string per format, formats named by MIME type
// ("text/plain", "text/tab-separated-values"). Effects are the usual bit set (copy 1, move 2,
// link 4; 0 none). A window that accepts drops registers a DropTarget; a window that starts a drag
// calls DoDragDrop, which hands the drag to the backend's performer (the headless host's script, or
// the desktop's drag and drop in the Qt host) and returns the effect the drop took.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/types.h"

namespace lattix::ui {

inline constexpr int32_t kDropEffectNone = 0;
inline constexpr int32_t kDropEffectCopy = 1;
inline constexpr int32_t kDropEffectMove = 2;
inline constexpr int32_t kDropEffectLink = 4;

inline constexpr const char* kMimeText = "text/plain";
inline constexpr const char* kMimeTabText = "text/tab-separated-values";

class DragData {
public:
    bool has(const std::string& format) const { return formats_.count(format) != 0; }
    // The bytes of a format, "" when absent.
    std::string get(const std::string& format) const;
    void set(const std::string& format, std::string bytes) { formats_[format] = std::move(bytes); }
    void clear() { formats_.clear(); }
    std::vector<std::string> formats() const;

private:
    std::map<std::string, std::string> formats_;
};

// What a drop target is told while a drag passes over its window. Points are client coordinates of
// the target window; keyState holds MK_* bits (buttons, Shift, Ctrl).
struct DragOverInfo {
    Point point{};
    uint32_t keyState = 0;
    int32_t allowedEffects = kDropEffectNone;
};

class DropTarget {
public:
    virtual ~DropTarget() = default;
    // Return the effect the drop would take (within info.allowedEffects).
    virtual int32_t DragEnter(DragData& data, const DragOverInfo& info) = 0;
    virtual int32_t DragOver(DragData& data, const DragOverInfo& info) = 0;
    virtual void DragLeave(DragData& data) = 0;
    virtual int32_t Drop(DragData& data, const DragOverInfo& info) = 0;
};

// The source side of a drag under way: the performer reports each effect a target offered.
class DragSource {
public:
    virtual ~DragSource() = default;
    virtual void GiveFeedback(int32_t effect) = 0;
};

class DragDropService {
public:
    // A window's drop target (not owned); a second registration replaces the first.
    void RegisterTarget(Hwnd hwnd, DropTarget* target);
    void RevokeTarget(Hwnd hwnd);
    // The target of the window, or of its nearest ancestor with one; nullptr when none.
    DropTarget* TargetOf(Hwnd hwnd, Hwnd* owner = nullptr) const;

    // Runs a drag of data from the source window and returns the effect of the drop (none when the
    // drag was cancelled or no performer is installed).
    using Performer = std::function<int32_t(Hwnd source, DragData& data, int32_t allowedEffects, DragSource* feedback)>;
    void SetPerformer(Performer performer) { performer_ = std::move(performer); }
    int32_t DoDragDrop(Hwnd source, DragData& data, int32_t allowedEffects, DragSource* feedback);
    bool Dragging() const { return dragging_; }

private:
    std::map<Hwnd, DropTarget*> targets_;
    Performer performer_;
    bool dragging_ = false;
};

// The process's service (one desktop per process, as the window manager).
DragDropService& DragDrop();

} // namespace lattix::ui
