// A window with a Lattix grid of a few flocks and a button that adds a row.
//   lattix_qt_example [--screenshot file.png]
// With --screenshot the program saves a picture of its window and ends (used by the tests, on the
// offscreen platform).
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

#include "bindings/qt/lattix_widget.h"
#include "runtime/conversions.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    for (int i = 1; i + 1 < argc; ++i)
        if (QString(argv[i]) == "--screenshot") screenshot = argv[i + 1];

    QWidget window;
    window.setWindowTitle("Lattix in a Qt window");
    auto* layout = new QVBoxLayout(&window);
    auto* table = new lattix::LattixWidget;
    auto* add = new QPushButton("Add a flock");
    auto* status = new QLabel;
    layout->addWidget(table, 1);
    layout->addWidget(add);
    layout->addWidget(status);

    // The grid through its C++ API ...
    lattix::Lattix& grid = *table->grid();
    grid.AddCol({.sKey = "id", .sHeader = "Flock", .lWidth = 120});
    grid.AddCol({.sKey = "birds", .sHeader = "Birds"});
    grid.AddCol({.sKey = "weight", .sHeader = "Weight"});
    const char* ids[] = {"North", "South", "East"};
    for (int i = 0; i < 3; ++i) {
        int32_t row = grid.AddRow({});
        grid.SetCellValue(lattix::Variant(row), lattix::Variant("id"), lattix::Variant(ids[i]));
        grid.SetCellValue(lattix::Variant(row), lattix::Variant("birds"), lattix::Variant(5000 + 1000 * i));
        grid.SetCellValue(lattix::Variant(row), lattix::Variant("weight"), lattix::Variant(2.1 + 0.2 * i));
    }
    // ... and late-bound, by name.
    auto rows = [&] {
        return lattix::ToInt32(grid.invoke("RowCount", lattix::InvokeKind::Get, {}));
    };
    QObject::connect(add, &QPushButton::clicked, [&] {
        grid.AddRow({});
        status->setText(QString("%1 rows").arg(rows()));
    });
    status->setText(QString("%1 rows").arg(rows()));

    window.resize(480, 320);
    window.show();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(0, [&] {
            add->click();
            bool saved = window.grab().save(screenshot);
            std::printf("rows=%d saved=%d\n", rows(), saved ? 1 : 0);
            app.exit(saved && rows() == 4 ? 0 : 1);
        });
    }
    return app.exec();
}
