#include "platform/ui/drag_drop.h"

#include "platform/ui/window_manager.h"

namespace lattix::ui {

std::string DragData::get(const std::string& format) const {
    const auto it = formats_.find(format);
    return it == formats_.end() ? std::string() : it->second;
}

std::vector<std::string> DragData::formats() const {
    std::vector<std::string> out;
    for (const auto& [name, bytes] : formats_) out.push_back(name);
    return out;
}

void DragDropService::RegisterTarget(Hwnd hwnd, DropTarget* target) {
    if (hwnd != 0 && target) targets_[hwnd] = target;
}

void DragDropService::RevokeTarget(Hwnd hwnd) { targets_.erase(hwnd); }

DropTarget* DragDropService::TargetOf(Hwnd hwnd, Hwnd* owner) const {
    for (Hwnd h = hwnd; h != 0; h = Wm().GetParent(h)) {
        const auto it = targets_.find(h);
        if (it != targets_.end()) {
            if (owner) *owner = h;
            return it->second;
        }
    }
    return nullptr;
}

int32_t DragDropService::DoDragDrop(Hwnd source, DragData& data, int32_t allowedEffects, DragSource* feedback) {
    if (!performer_ || dragging_ || allowedEffects == kDropEffectNone) return kDropEffectNone;
    dragging_ = true;
    int32_t effect = kDropEffectNone;
    try {
        effect = performer_(source, data, allowedEffects, feedback);
    } catch (...) {
        dragging_ = false;
        throw;
    }
    dragging_ = false;
    return effect & allowedEffects;
}

DragDropService& DragDrop() {
    static DragDropService service;
    return service;
}

} // namespace lattix::ui
