#include "app/qt/avigram_desktop.h"

#include "app/forms/frm_flock.h"
#include "app/qt/flock_window.h"
#include "app/qt/main_window.h"

namespace avigram {

AvigramDesktop::AvigramDesktop(FormsEnvironment env)
    : form_(std::make_unique<FormWeights>(state_, dialogs_, std::move(env))),
      main_(std::make_unique<MainWindow>(*this)) {
    dialogs_.SetOwner(main_.get());
}

AvigramDesktop::~AvigramDesktop() {
    // The windows let go of the grids before the forms that made them go.
    flock_.reset();
    main_.reset();
    form_.reset();
}

void AvigramDesktop::Start() {
    main_->show();
    Run([this] { form_->Form_Load(true); });
}

void AvigramDesktop::Run(const std::function<void()>& procedure) {
    procedure();
    Sync();
}

void AvigramDesktop::Sync() {
    if (syncing_) return;
    syncing_ = true;
    FrmFlock* flockForm = form_->FlockWindow();
    if (flockForm != nullptr && !flock_) {
        flock_ = std::make_unique<FlockWindow>(*this);
    } else if (flockForm == nullptr && flock_) {
        flock_.reset();
    }
    main_->Sync();
    if (flock_) flock_->Sync();
    syncing_ = false;
}

} // namespace avigram
