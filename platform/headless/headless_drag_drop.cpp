// Drag and drop in the headless host: drops injected as another program would make them, and a
// script that says how each drag a window starts ends.
#include <deque>

#include "platform/headless/headless_host.h"

namespace lattix::ui::headless {

namespace {

struct ScriptedDrag {
    enum class Kind { Drop, OtherProgram, Cancel } kind = Kind::Cancel;
    Hwnd window = 0;
    Point point{};
    unsigned keyState = 0;
    int effect = kDropEffectNone;
};

struct DragScript {
    std::deque<ScriptedDrag> next;
    DragData last;
    int started = 0;
};

DragScript& Script() {
    static DragScript script;
    return script;
}

// Drag enter and over (and drop or leave) on the target under a screen point.
int DragAt(Point screen, DragData& data, int allowed, unsigned keyState, bool drop, DragSource* source) {
    WindowManager& wm = Wm();
    const Hwnd under = wm.WindowFromPoint(screen);
    Hwnd owner = 0;
    DropTarget* target = DragDrop().TargetOf(under, &owner);
    if (!target) return kDropEffectNone;
    DragOverInfo info;
    info.point = screen;
    wm.ScreenToClient(owner, info.point);
    info.keyState = keyState;
    info.allowedEffects = allowed;
    int effect = target->DragEnter(data, info) & allowed;
    if (source) source->GiveFeedback(effect);
    effect = target->DragOver(data, info) & allowed;
    if (source) source->GiveFeedback(effect);
    if (!drop || effect == kDropEffectNone) {
        target->DragLeave(data);
        return drop ? kDropEffectNone : effect;
    }
    return target->Drop(data, info) & allowed;
}

int Perform(Hwnd, DragData& data, int allowed, DragSource* source) {
    DragScript& script = Script();
    script.last = data;
    ++script.started;
    if (script.next.empty()) return kDropEffectNone;
    const ScriptedDrag step = script.next.front();
    script.next.pop_front();
    switch (step.kind) {
    case ScriptedDrag::Kind::Drop: {
        Point p = step.point;
        Wm().ClientToScreen(step.window, p);
        return DragAt(p, data, allowed, step.keyState, true, source);
    }
    case ScriptedDrag::Kind::OtherProgram:
        if (source) source->GiveFeedback(step.effect & allowed);
        return step.effect & allowed;
    case ScriptedDrag::Kind::Cancel: return kDropEffectNone;
    }
    return kDropEffectNone;
}

void InstallPerformer() { DragDrop().SetPerformer(&Perform); }

} // namespace

void InstallHeadlessDragPerformer() { InstallPerformer(); }

int HeadlessHost::InjectDrop(int x, int y, DragData& data, int allowedEffects, unsigned keyState, bool drop) {
    InstallPerformer();
    const int effect = DragAt(ToScreen(x, y), data, allowedEffects, keyState, drop, nullptr);
    Pump();
    return effect;
}

void HeadlessHost::ScriptNextDragDrop(int x, int y, unsigned keyState) {
    InstallPerformer();
    ScriptedDrag step;
    step.kind = ScriptedDrag::Kind::Drop;
    step.window = topLevel_;
    step.point = {x, y};
    step.keyState = keyState;
    Script().next.push_back(step);
}

void HeadlessHost::ScriptNextDragToOtherProgram(int effect) {
    InstallPerformer();
    ScriptedDrag step;
    step.kind = ScriptedDrag::Kind::OtherProgram;
    step.effect = effect;
    Script().next.push_back(step);
}

void HeadlessHost::ScriptNextDragCancel() {
    InstallPerformer();
    Script().next.push_back(ScriptedDrag{});
}

const DragData& HeadlessHost::LastDraggedData() { return Script().last; }
int HeadlessHost::DragsStarted() { return Script().started; }

} // namespace lattix::ui::headless
