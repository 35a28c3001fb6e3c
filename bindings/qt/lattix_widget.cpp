#include "bindings/qt/lattix_widget.h"

#include <QResizeEvent>

#include <stdexcept>

#include "bindings/qt/accessible_grid_events.h"
#include "bindings/qt/lattix_widget_accessible.h"
#include "bindings/qt/print_preview.h"
#include "bindings/qt/widget_grid_window.h"
#include "platform/qt/qt_backend.h"
#include "platform/ui/window_manager.h"

namespace lattix {

namespace {

constexpr const char* kFrameClass = "LattixQtFrame";

ui::LResult FrameProc(ui::Hwnd hwnd, ui::MessageId message, ui::WParam wParam, ui::LParam lParam) {
    return ui::Wm().DefWindowProc(hwnd, message, wParam, lParam);
}

// The top-level window that stands for the widget on the window manager: a frameless window whose
// client area is the whole widget, at the widget's place on the screen.
ui::Hwnd CreateFrame() {
    ui::qt::AttachDesktop();
    ui::WindowManager& wm = ui::Wm();
    if (!wm.IsClassRegistered(kFrameClass)) {
        ui::WindowClass frame;
        frame.name = kFrameClass;
        frame.proc = &FrameProc;
        frame.background = gfx::kSystemColorFlag | gfx::COLOR_BTNFACE;
        wm.RegisterClass(frame);
    }
    ui::CreateParams params;
    params.className = kFrameClass;
    params.style = ui::WS_POPUP | ui::WS_CLIPCHILDREN;
    params.exStyle = ui::WS_EX_NOACTIVATE;
    params.rect = ui::rectOfSize(0, 0, 1, 1);
    ui::Hwnd frame = wm.CreateWindow(params);
    if (frame == 0) throw std::runtime_error("the grid's host window could not be created");
    wm.ShowWindow(frame, ui::SW_SHOWNOACTIVATE);
    return frame;
}

std::shared_ptr<Lattix> NewGrid() {
    ui::qt::AttachDesktop();
    Lattix::Options options;
    options.system = ui::qt::DescribeDesktop();
    return Lattix::Create(options);
}

} // namespace

LattixWidget::LattixWidget(QWidget* parent) : LattixWidget(NewGrid(), parent) {}

LattixWidget::LattixWidget(std::shared_ptr<Lattix> grid, QWidget* parent)
    : ui::qt::WindowSurface(CreateFrame(), Kind::Embedded, parent), grid_(std::move(grid)) {
    if (!grid_) {
        ui::Wm().DestroyWindow(topLevel());
        throw std::invalid_argument("LattixWidget needs a grid");
    }
    gridWindow_ = ui::qt::CreateGridWindow(*grid_, topLevel());
    if (gridWindow_ == 0) {
        ui::Wm().DestroyWindow(topLevel());
        throw std::runtime_error("the grid's window could not be created");
    }
    setAttribute(Qt::WA_KeyCompression, false);
    accessibility_ = std::make_unique<GridAccessibilityEvents>(*this);
    InstallLattixWidgetAccessibility(this);
}

LattixWidget::~LattixWidget() {
    // Assistive technologies stop reading the grid, the grid lets go of its window, then the host
    // window goes.
    accessibility_.reset();
    grid_->DetachWindow();
    ui::Wm().DestroyWindow(topLevel());
}

int LattixWidget::print(QPagedPaintDevice* device, const printing::PrintOptions& options) {
    if (!device) throw std::invalid_argument("LattixWidget::print needs a device");
    return printing::PrintGrid(*grid_, *device, options);
}

void LattixWidget::printPreview(const printing::PrintOptions& options) { printing::ShowPrintPreview(*grid_, options, this); }

QSize LattixWidget::sizeHint() const { return QSize(480, 320); }

void LattixWidget::resizeEvent(QResizeEvent* e) {
    ui::qt::WindowSurface::resizeEvent(e);
    ui::Rect client = ui::Wm().GetClientRect(topLevel());
    grid_->MoveGridWindow(0, 0, client.width(), client.height());
}

} // namespace lattix
