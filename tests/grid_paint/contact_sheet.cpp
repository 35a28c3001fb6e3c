// Puts every reference picture of a folder on one contact sheet, each under its file name.
// Usage: grid_paint_contact_sheet <folder> <sheet.png>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gfx/device_context.h"
#include "platform/gfx/png_reader.h"
#include "platform/gfx/png_writer.h"

namespace fs = std::filesystem;
using namespace lattix::gfx;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <folder> <sheet.png>\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(argv[1]))
        if (entry.path().extension() == ".png") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "no pictures in %s\n", argv[1]);
        return 1;
    }
    struct Item {
        std::string name;
        Bitmap picture;
    };
    std::vector<Item> items;
    for (const auto& f : files) items.push_back({f.stem().string(), readPng(f.string())});

    // Two columns; each picture with a caption line above it.
    constexpr int kMargin = 12, kCaption = 18, kColumns = 2;
    int colWidth = 0;
    for (const auto& it : items) colWidth = std::max(colWidth, it.picture.width());
    std::vector<int> rowHeights((items.size() + kColumns - 1) / kColumns, 0);
    for (size_t i = 0; i < items.size(); ++i)
        rowHeights[i / kColumns] = std::max(rowHeights[i / kColumns], items[i].picture.height() + kCaption);
    int height = kMargin;
    for (int h : rowHeights) height += h + kMargin;
    const int width = kMargin + kColumns * (colWidth + kMargin);
    Bitmap sheet(width, height, pixelOf(rgb(236, 236, 236)));
    DeviceContext dc(sheet);
    dc.setBkMode(BackgroundMode::Transparent);
    int y = kMargin;
    for (size_t i = 0; i < items.size(); ++i) {
        const int col = static_cast<int>(i % kColumns);
        const int x = kMargin + col * (colWidth + kMargin);
        dc.setTextColor(rgb(0, 0, 0));
        dc.textOut(x, y + 2, items[i].name);
        const Bitmap& p = items[i].picture;
        dc.fillRect({x - 1, y + kCaption - 1, x + p.width() + 1, y + kCaption + p.height() + 1}, rgb(90, 90, 90));
        dc.bitBlt(x, y + kCaption, p.width(), p.height(), p, 0, 0);
        if (col == kColumns - 1 || i + 1 == items.size()) y += rowHeights[i / kColumns] + kMargin;
    }
    writePng(sheet, argv[2]);
    std::printf("%zu pictures on %s\n", items.size(), argv[2]);
    return 0;
}
