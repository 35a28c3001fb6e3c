// Renders every drawing operation, frame control and text flag of the drawing layer into one
// PNG picture (path given as the only argument), then reads the file back as a check.
#include "platform/gfx/device_context.h"
#include "platform/gfx/disabled_state.h"
#include "platform/gfx/frame_control.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/png_reader.h"
#include "platform/gfx/png_writer.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/text_draw.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

using namespace lattix::gfx;

namespace {

FontPtr font(int weight = FW_NORMAL, bool italic = false, double points = 8, const char* family = "DejaVu Sans",
             bool underline = false, bool strikeout = false) {
    FontSpec s;
    s.family = family;
    s.weight = weight;
    s.italic = italic;
    s.pointSize = points;
    s.underline = underline;
    s.strikeout = strikeout;
    return Font::create(s);
}

void caption(DeviceContext& dc, int x, int y, const std::string& text) {
    DeviceContextStateSaver saver(dc);
    dc.selectFont(font(FW_BOLD, false, 9));
    dc.setBkMode(BackgroundMode::Transparent);
    dc.setTextColor(rgb(10, 36, 106));
    dc.textOut(x, y, text);
}

void label(DeviceContext& dc, int x, int y, const std::string& text) {
    DeviceContextStateSaver saver(dc);
    dc.setBkMode(BackgroundMode::Transparent);
    dc.textOut(x, y, text);
}

// A small generated icon: a coloured disc with a dark outline on transparency.
Bitmap makeIcon(Color fill) {
    Bitmap b(16, 16, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            int dx = 2 * x - 15, dy = 2 * y - 15, d = dx * dx + dy * dy;
            if (d <= 13 * 13) b.setPixel(x, y, pixelOf(fill));
            if (d > 11 * 11 && d <= 15 * 15) b.setPixel(x, y, pixelOf(rgb(40, 40, 40)));
        }
    return b;
}

void shapesSection(DeviceContext& dc, int x0, int y0) {
    caption(dc, x0, y0, "Rectangles, pens and lines");
    int y = y0 + 20;
    dc.fillRect(rectOfSize(x0, y, 40, 30), rgb(200, 60, 60));
    dc.frameRect(rectOfSize(x0 + 50, y, 40, 30), Brush::solid(rgb(0, 0, 160)));
    dc.selectPen(Pen::solid(rgb(0, 120, 0), 3));
    dc.selectBrush(Brush::solid(rgb(255, 240, 160)));
    dc.rectangle(rectOfSize(x0 + 100, y, 40, 30));
    dc.selectPen(Pen::solid(0));
    for (int i = 0; i < 5; ++i) {
        dc.moveTo(x0 + 150, y + i * 7);
        dc.lineTo(x0 + 200, y + 30 - i * 7);
    }
    dc.selectPen(Pen::dotted(rgb(128, 128, 128)));
    for (int i = 0; i < 4; ++i) {
        dc.moveTo(x0 + 210, y + i * 9);
        dc.lineTo(x0 + 270, y + i * 9);
    }
    for (int i = 0; i < 30; i += 3) dc.setPixel(x0 + 280 + i, y + 15 + (i % 6) - 3, rgb(160, 0, 160));
    std::vector<Point> up = {{x0 + 320, y + 24}, {x0 + 336, y + 24}, {x0 + 328, y + 8}};
    std::vector<Point> down = {{x0 + 345, y + 8}, {x0 + 361, y + 8}, {x0 + 353, y + 24}};
    dc.selectPen(Pen::none());
    dc.selectBrush(Brush::solid(rgb(90, 90, 90)));
    dc.polygon(up);
    dc.polygon(down);
    dc.selectPen(Pen::solid(0));
    dc.selectBrush(Brush::solid(0xFFFFFF));
}

void hatchSection(DeviceContext& dc, int x0, int y0) {
    caption(dc, x0, y0, "Hatch brushes");
    const char* names[] = {"Horizontal", "Vertical", "FDiagonal", "BDiagonal", "Cross", "DiagCross"};
    for (int i = 0; i < 6; ++i) {
        Rect r = rectOfSize(x0 + i * 62, y0 + 20, 56, 32);
        dc.setBkColor(0xFFFFFF);
        dc.fillRect(r, Brush::hatched(HatchStyle(i), rgb(0, 0, 200)));
        dc.frameRect(r, Brush::solid(0));
        label(dc, r.left, r.bottom + 2, names[i]);
    }
}

void controlsSection(DeviceContext& dc, int x0, int y0) {
    caption(dc, x0, y0, "Frame controls");
    struct Item {
        std::uint32_t type, state;
        int w, h;
        const char* name;
    };
    std::vector<Item> items = {
        {DFC_BUTTON, DFCS_BUTTONCHECK, 13, 13, "off"},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED, 13, 13, "on"},
        {DFC_BUTTON, DFCS_BUTTON3STATE | DFCS_CHECKED, 13, 13, "grey"},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT, 13, 13, "flat"},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED, 13, 13, "flat on"},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, 13, 13, "inact."},
        {DFC_SCROLL, 5, 17, 17, "5"},
        {DFC_SCROLL, 517, 17, 17, "517"},
        {DFC_SCROLL, 16389, 17, 17, "16389"},
        {DFC_SCROLL, 16901, 17, 17, "16901"},
        {DFC_SCROLL, DFCS_SCROLLUP, 17, 17, "up"},
        {DFC_SCROLL, DFCS_SCROLLDOWN, 17, 17, "down"},
        {DFC_SCROLL, DFCS_SCROLLLEFT, 17, 17, "left"},
        {DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_INACTIVE, 17, 17, "inact."},
    };
    int x = x0;
    for (const Item& it : items) {
        drawFrameControl(dc, rectOfSize(x, y0 + 22, it.w, it.h), it.type, it.state);
        label(dc, x - 2, y0 + 42, it.name);
        x += 44;
    }
    int by = y0 + 62;
    Rect b1 = rectOfSize(x0, by, 75, 23), b2 = rectOfSize(x0 + 85, by, 75, 23), b3 = rectOfSize(x0 + 170, by, 75, 23);
    drawFrameControl(dc, b1, DFC_BUTTON, DFCS_BUTTONPUSH);
    drawFrameControl(dc, b2, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    drawFrameControl(dc, b3, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT);
    dc.setBkMode(BackgroundMode::Transparent);
    drawText(dc, "&OK", b1, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    drawText(dc, "Pushed", b2.offsetBy(1, 1), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    drawText(dc, "Flat", b3, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Rect b4 = rectOfSize(x0 + 255, by, 75, 23);
    drawFrameControl(dc, b4, DFC_BUTTON, DFCS_BUTTONPUSH);
    drawDisabledText(dc, "&Disabled", b4, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const std::uint32_t edges[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
    const char* edgeNames[] = {"raised", "sunken", "etched", "bump"};
    for (int i = 0; i < 4; ++i) {
        Rect r = rectOfSize(x0 + 345 + i * 70, by, 62, 23);
        drawEdge(dc, r, edges[i], BF_RECT | BF_MIDDLE);
        drawText(dc, edgeNames[i], r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.setBkMode(BackgroundMode::Opaque);
}

void textSection(DeviceContext& dc, int x0, int y0) {
    caption(dc, x0, y0, "Text flags");
    struct Sample {
        const char* text;
        std::uint32_t flags;
        const char* name;
    };
    const char* longText = "Live weight distribution of the flock over the weight classes";
    std::vector<Sample> samples = {
        {"Left", DT_LEFT | DT_SINGLELINE | DT_VCENTER, "LEFT|VCENTER"},
        {"Centre", DT_CENTER | DT_SINGLELINE | DT_VCENTER, "CENTER|VCENTER"},
        {"Right", DT_RIGHT | DT_SINGLELINE | DT_VCENTER, "RIGHT|VCENTER"},
        {"Bottom", DT_CENTER | DT_SINGLELINE | DT_BOTTOM, "CENTER|BOTTOM"},
        {longText, DT_WORDBREAK, "WORDBREAK"},
        {longText, DT_WORDBREAK | DT_END_ELLIPSIS, "WORDBREAK|END_ELL."},
        {longText, DT_SINGLELINE | DT_END_ELLIPSIS, "END_ELLIPSIS"},
        {longText, DT_SINGLELINE | DT_WORD_ELLIPSIS, "WORD_ELLIPSIS"},
        {"C:\\Data\\Flocks\\Autumn\\flock.grd", DT_SINGLELINE | DT_PATH_ELLIPSIS, "PATH_ELLIPSIS"},
        {"Name\tWeight\tAge", DT_SINGLELINE | DT_EXPANDTABS, "EXPANDTABS"},
        {"Name\tWeight\tAge", DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4u << 8), "TABSTOP 4"},
        {"&File  Salt && pepper", DT_SINGLELINE, "prefix"},
        {"&File  Salt && pepper", DT_SINGLELINE | DT_NOPREFIX, "NOPREFIX"},
        {"&File  Salt && pepper", DT_SINGLELINE | DT_HIDEPREFIX, "HIDEPREFIX"},
        {"Reading order", DT_SINGLELINE | DT_RTLREADING, "RTLREADING"},
        {"No clipping of this text", DT_SINGLELINE | DT_NOCLIP, "NOCLIP"},
        {"Clipped to the box edge", DT_SINGLELINE, "clipped"},
        {"First line\nSecond line\nThird", DT_CENTER, "CR/LF lines"},
    };
    const int w = 120, h = 44, perRow = 6;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        int col = int(i) % perRow, row = int(i) / perRow;
        Rect box = rectOfSize(x0 + col * (w + 12), y0 + 20 + row * (h + 18), w, h);
        dc.fillRect(box, 0xFFFFFF);
        dc.frameRect(box.inflatedBy(1, 1), Brush::solid(rgb(160, 160, 160)));
        dc.setBkMode(BackgroundMode::Transparent);
        Rect r = box;
        if (std::string(samples[i].name) == "NOCLIP" || std::string(samples[i].name) == "clipped")
            r = rectOfSize(box.left, box.top, 60, h);
        drawText(dc, samples[i].text, r, samples[i].flags);
        DeviceContextStateSaver saver(dc);
        dc.setTextColor(rgb(128, 128, 128));
        dc.textOut(box.left, box.bottom + 2, samples[i].name);
    }
    // calc-rect: the computed box framed, the text drawn inside it
    int cy = y0 + 20 + 3 * (h + 18);
    Rect calc = rectOfSize(x0, cy, 150, 0);
    drawText(dc, longText, calc, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    dc.fillRect(calc, rgb(255, 255, 225));
    dc.frameRect(calc.inflatedBy(1, 1), Brush::solid(rgb(200, 0, 0)));
    drawText(dc, longText, calc, DT_WORDBREAK | DT_CENTER);
    label(dc, x0, calc.bottom + 3, "CALCRECT box");
    // fonts
    int fx = x0 + 180;
    struct F {
        FontPtr f;
        const char* text;
    };
    std::vector<F> fonts = {
        {font(), "DejaVu Sans 8 pt"},
        {font(FW_BOLD), "Bold"},
        {font(FW_NORMAL, true), "Italic"},
        {font(FW_BOLD, true), "Bold italic"},
        {font(FW_NORMAL, false, 8, "DejaVu Sans", true), "Underline"},
        {font(FW_NORMAL, false, 8, "DejaVu Sans", false, true), "Strikeout"},
        {font(FW_NORMAL, false, 12), "12 pt text"},
        {font(FW_NORMAL, false, 9, "Courier New"), "Courier New -> mono"},
        {font(FW_NORMAL, false, 9, "Times New Roman"), "Times -> serif"},
        {font(FW_NORMAL, false, 8, "Unknown Face"), "Unknown face -> sans"},
    };
    int fy = cy;
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        DeviceContextStateSaver saver(dc);
        dc.selectFont(fonts[i].f);
        dc.setBkMode(BackgroundMode::Transparent);
        int col = int(i) % 2;
        dc.textOut(fx + col * 170, fy + int(i / 2) * 20, fonts[i].text);
    }
    // opaque and coloured text, UTF-8
    DeviceContextStateSaver saver(dc);
    dc.setBkMode(BackgroundMode::Opaque);
    dc.setBkColor(rgb(10, 36, 106));
    dc.setTextColor(0xFFFFFF);
    dc.textOut(fx + 350, fy, " Opaque highlight text ");
    dc.setBkColor(rgb(255, 255, 225));
    dc.setTextColor(rgb(0, 100, 0));
    dc.textOut(fx + 350, fy + 20, "UTF-8: Gr\xC3\xB6\xC3\x9F" "e 12,5 kg \xE2\x80\x93 \xE2\x82\xAC 3");
    FontSpec solid;
    solid.antialiased = false;
    dc.selectFont(Font::create(solid));
    dc.setTextColor(0);
    dc.setBkMode(BackgroundMode::Transparent);
    dc.textOut(fx + 350, fy + 40, "Solid (not antialiased) glyphs");
}

void imageSection(DeviceContext& dc, int x0, int y0) {
    caption(dc, x0, y0, "Image lists and system colours");
    ImageList list(16, 16);
    list.add(makeIcon(rgb(220, 40, 40)));
    list.add(makeIcon(rgb(40, 160, 40)));
    list.add(makeIcon(rgb(240, 200, 0)));
    const char* names[] = {"normal", "selected", "blend25", "disabled"};
    for (int i = 0; i < 3; ++i) {
        int y = y0 + 22 + i * 22;
        list.draw(dc, i, x0, y);
        list.draw(dc, i, x0 + 60, y, ILD_TRANSPARENT | ILD_SELECTED);
        list.draw(dc, i, x0 + 120, y, ILD_TRANSPARENT | ILD_FOCUS);
        list.drawDisabled(dc, i, x0 + 180, y);
    }
    for (int k = 0; k < 4; ++k) label(dc, x0 + k * 60, y0 + 90, names[k]);
    for (int i = 0; i < kSystemColorCount; ++i) {
        Rect r = rectOfSize(x0 + 250 + (i % 16) * 26, y0 + 22 + (i / 16) * 36, 22, 18);
        dc.fillRect(r, sysColor(i));
        dc.frameRect(r, Brush::solid(0));
        label(dc, r.left + 2, r.bottom + 1, std::to_string(i));
    }
}

// A grid-like sample: header, alternate rows, grid lines, tree, check boxes, combo button,
// hatch, selection (opaque and alpha-blended) and the focus rectangle.
void gridSection(DeviceContext& dc, int x0, int y0) {
    caption(dc, x0, y0, "Composed: a grid");
    const int colW[] = {150, 90, 80, 110};
    const char* headers[] = {"Flock", "Birds", "Weight", "Sex"};
    const int rowH = 18, hdrH = 20;
    int totalW = 0;
    for (int w : colW) totalW += w;
    int top = y0 + 20;
    dc.fillRect(rectOfSize(x0, top, totalW, hdrH + rowH * 7), 0xFFFFFF);
    int x = x0;
    for (int c = 0; c < 4; ++c) {
        Rect h = rectOfSize(x, top, colW[c], hdrH);
        drawEdge(dc, h, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
        dc.setBkMode(BackgroundMode::Transparent);
        Rect titleRect = h.inflatedBy(-3, -3);
        if (c == 2) titleRect.right -= 14; // room for the sort triangle
        drawText(dc, headers[c], titleRect, DT_SINGLELINE | DT_VCENTER | (c == 1 || c == 2 ? DT_RIGHT : 0));
        if (c == 2) {
            std::vector<Point> tri = {{h.right - 14, h.top + 12}, {h.right - 6, h.top + 12}, {h.right - 10, h.top + 8}};
            DeviceContextStateSaver s(dc);
            dc.selectPen(Pen::none());
            dc.selectBrush(Brush::solid(rgb(90, 90, 90)));
            dc.polygon(tri);
        }
        x += colW[c];
    }
    const char* flock[] = {"Farm North", "House 1", "House 2", "Farm South", "House 3", "House 4", "Total"};
    const int level[] = {0, 1, 1, 0, 1, 1, 0};
    const char* birds[] = {"24,000", "12,000", "12,000", "18,500", "9,000", "9,500", "42,500"};
    const char* weight[] = {"2.35", "2.31", "2.39", "2.60", "2.58", "2.62", "2.46"};
    const char* sex[] = {"X", "M", "F", "X", "M", "F", ""};
    Bitmap row(totalW, rowH);
    for (int r = 0; r < 7; ++r) {
        DeviceContext rd(row);
        rd.fillRect(row.bounds(), r % 2 ? rgb(240, 244, 250) : 0xFFFFFF);
        if (r == 6) {
            rd.setBkColor(0xFFFFFF);
            rd.fillRect(row.bounds(), Brush::hatched(HatchStyle::BDiagonal, rgb(200, 200, 230)));
        }
        int cx = 0;
        for (int c = 0; c < 4; ++c) {
            Rect cell = rectOfSize(cx, 0, colW[c] - 1, rowH - 1);
            Rect text = cell.inflatedBy(-2, 0);
            rd.setBkMode(BackgroundMode::Transparent);
            if (c == 0) {
                int indent = 16 * level[r];
                if (level[r] > 0) {
                    rd.selectPen(Pen::dotted(rgb(128, 128, 128)));
                    rd.moveTo(8, 0);
                    rd.lineTo(8, r == 2 || r == 5 ? 9 : rowH);
                    rd.moveTo(10, 8);
                    rd.lineTo(16 + 4, 8);
                } else if (r != 6) {
                    Rect btn = rectOfSize(4, 4, 9, 9);
                    rd.fillRect(btn, 0xFFFFFF);
                    rd.frameRect(btn, Brush::solid(rgb(128, 128, 128)));
                    rd.fillRect(rectOfSize(6, 8, 5, 1), 0);
                }
                text.left += indent + 16;
                if (r != 6) {
                    drawFrameControl(rd, rectOfSize(text.left, 2, 13, 13), DFC_BUTTON,
                                     DFCS_BUTTONCHECK | (r % 3 == 1 ? DFCS_CHECKED : 0) |
                                         (r == 5 ? DFCS_BUTTON3STATE | DFCS_CHECKED : 0) | DFCS_FLAT);
                    text.left += 16;
                }
            }
            std::uint32_t flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
            const char* s = c == 0 ? flock[r] : c == 1 ? birds[r] : c == 2 ? weight[r] : sex[r];
            if (c == 1 || c == 2) flags |= DT_RIGHT;
            if (c == 3 && r == 3) {
                drawFrameControl(rd, rectOfSize(cell.right - 17, 0, 17, 17), DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
                text.right -= 18;
            }
            if (r == 1 && c >= 1) {
                rd.fillRect(cell, sysColor(COLOR_HIGHLIGHT));
                rd.setTextColor(sysColor(COLOR_HIGHLIGHTTEXT));
            }
            drawText(rd, s, text, flags);
            rd.setTextColor(0);
            rd.fillRect(rectOfSize(cell.right, 0, 1, rowH), rgb(192, 192, 192));
            cx += colW[c];
        }
        rd.fillRect(rectOfSize(0, rowH - 1, totalW, 1), rgb(192, 192, 192));
        if (r == 4) {
            Bitmap sel(totalW, rowH, pixelOf(sysColor(COLOR_HIGHLIGHT)));
            rd.alphaBlend(rectOfSize(colW[0], 0, totalW - colW[0], rowH - 1), sel,
                          rectOfSize(0, 0, totalW - colW[0], rowH - 1), 96);
        }
        if (r == 3) {
            Rect f = rectOfSize(colW[0] + colW[1], 0, colW[2] - 1, rowH - 1);
            rd.frameRect(f, Brush::solid(0));
            rd.drawFocusRect(f);
        }
        dc.bitBlt(x0, top + hdrH + r * rowH, totalW, rowH, row, 0, 0);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.png\n", argv[0]);
        return 2;
    }
    try {
        Bitmap page(820, 830, pixelOf(sysColor(COLOR_BTNFACE)));
        DeviceContext dc(page);
        {
            DeviceContextStateSaver s(dc);
            dc.selectFont(font(FW_BOLD, false, 14));
            dc.setBkMode(BackgroundMode::Transparent);
            dc.textOut(10, 6, "Drawing layer gallery");
        }
        shapesSection(dc, 10, 36);
        hatchSection(dc, 420, 36);
        controlsSection(dc, 10, 110);
        textSection(dc, 10, 210);
        imageSection(dc, 10, 520);
        gridSection(dc, 10, 650);
        writePng(page, argv[1]);
        Bitmap back = readPng(argv[1]);
        if (back.width() != page.width() || back.height() != page.height() || back != page) {
            std::fprintf(stderr, "gallery: the written picture differs\n");
            return 1;
        }
        std::printf("gallery written to %s\n", argv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
