// Avigram on the desktop: the program state, the dialogs, the two forms of app/forms and the Qt
// windows that show them. Every user action runs a form procedure and then brings the windows up
// to date with the forms' controls (captions, visibility, colours, places).
#pragma once

#include <functional>
#include <memory>

#include "app/core/program_state.h"
#include "app/forms/form_weights.h"
#include "app/qt/qt_dialogs.h"

namespace avigram {

class MainWindow;
class FlockWindow;

class AvigramDesktop {
public:
    explicit AvigramDesktop(FormsEnvironment env);
    ~AvigramDesktop();
    AvigramDesktop(const AvigramDesktop&) = delete;
    AvigramDesktop& operator=(const AvigramDesktop&) = delete;

    // Shows the main window and runs its start-up, the hand-over of a carcass file name included.
    void Start();
    // Runs a form procedure, then updates the windows.
    void Run(const std::function<void()>& procedure);
    // Brings the windows up to date with the forms.
    void Sync();

    FormWeights& form() { return *form_; }
    ProgramState& state() { return state_; }
    QtDialogs& dialogs() { return dialogs_; }
    MainWindow& mainWindow() { return *main_; }
    // The flock window, once "Add Flocks" has made it.
    FlockWindow* flockWindow() { return flock_.get(); }

private:
    ProgramState state_;
    QtDialogs dialogs_;
    std::unique_ptr<FormWeights> form_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<FlockWindow> flock_;
    bool syncing_ = false;
};

} // namespace avigram
