// Behaviour of the painter: what is repainted when, the events raised for painted cells, update
// suspension, virtual grids, and painting that survives a misbehaving host.
#include "tests/grid_paint/paint_support.h"

#include <stdexcept>

#include "platform/gfx/system_colors.h"

namespace paint_test {
namespace {

// A hosted grid of 5 columns x 8 rows of numbers, attached and painted once.
struct PaintedGrid : HostedGrid {
    explicit PaintedGrid(int rows = 8, int width = 400, int height = 200) : HostedGrid(width, height) {
        g->SetColCount(5);
        g->SetRowCount(rows);
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= 5; ++c) g->SetCellValue(Variant(r), Variant(c), Variant(r * 100 + c));
        attach();
        host.Pump();
    }
    uint64_t rows() { return g->Painter().RowsPainted(); }
    gfx::Color at(int x, int y) { return picture().colorAt(x, y); }
};

TEST(Painter, AValuePutRepaintsOnlyItsRowAndRaisesEventsForItsCellsOnly) {
    PaintedGrid p;
    int afterCellDraw = 0, otherRows = 0;
    OnEvent(*p.g, "AfterCellDraw", [&](std::span<Variant> a) {
        ++afterCellDraw;
        if (lattix::ToInt32(a[0]) != 3) ++otherRows;
    });
    const uint64_t before = p.rows(), full = p.g->Painter().FullPaints();
    p.g->SetCellValue(Variant(3), Variant(2), Variant("changed"));
    // The row waits for the window's next paint.
    EXPECT_EQ(p.rows() - before, 0u);
    EXPECT_TRUE(p.g->Cell(3, 2).changed());
    p.host.Pump();
    EXPECT_EQ(p.rows() - before, 1u);
    EXPECT_EQ(p.g->Painter().FullPaints(), full);
    EXPECT_EQ(afterCellDraw, 5); // the five cells of row 3
    EXPECT_EQ(otherRows, 0);
    EXPECT_FALSE(p.g->Cell(3, 2).changed());
    // A second Draw with nothing changed paints nothing.
    p.g->Draw();
    EXPECT_EQ(p.rows() - before, 1u);
}

TEST(Painter, ARunOfPutsIsPaintedOnceByTheWindowsNextPaint) {
    PaintedGrid p;
    const lattix::gfx::Bitmap before = p.picture();
    const uint64_t rows = p.rows(), full = p.g->Painter().FullPaints();
    for (int i = 0; i < 50; ++i) {
        p.g->SetCellValue(Variant(2), Variant(1), Variant(i));
        p.g->SetCellValue(Variant(6), Variant(4), Variant("x"));
        p.g->SetCellBackColor(Variant(6), Variant(5), 0x0000FF);
    }
    EXPECT_EQ(p.rows(), rows);
    // Rendering the window runs its pending paint: rows 2 and 6, each once, and no full repaint.
    const lattix::gfx::Bitmap after = p.host.Render();
    EXPECT_EQ(p.rows() - rows, 2u);
    EXPECT_EQ(p.g->Painter().FullPaints(), full);
    // Only those rows changed on the screen, and they show the last values.
    const int32_t h = p.g->RowHeight(Variant(1)), top = p.g->CellsAreaTop();
    for (int y = top; y < after.height(); ++y) {
        const int32_t row = (y - top) / h + 1;
        bool differs = false;
        for (int x = 0; x < after.width() && !differs; ++x) differs = after.pixel(x, y) != before.pixel(x, y);
        if (row != 2 && row != 6) EXPECT_FALSE(differs) << "y " << y;
    }
    p.g->SetCellValue(Variant(2), Variant(1), Variant(49));
    p.host.Pump();
    EXPECT_EQ(p.rows() - rows, 3u);
    EXPECT_EQ(p.at(p.g->ColStartX(Variant(5)) + 3, top + 5 * h + 3), 0x0000FFu); // the back colour, red
}

TEST(Painter, APaintTakenWhileUpdatesAreHeldDoesNotSwallowLaterRequests) {
    PaintedGrid p;
    p.g->SetCellValue(Variant(2), Variant(1), Variant("before"));
    p.g->BeginUpdate();
    p.host.Pump(); // the window's paint arrives while painting is held back
    p.g->EndUpdate();
    const uint64_t rows = p.rows();
    p.g->SetCellValue(Variant(3), Variant(1), Variant("after"));
    p.host.Pump();
    EXPECT_EQ(p.rows() - rows, 1u);
    EXPECT_FALSE(p.g->Cell(3, 1).changed());
}

TEST(Painter, AChangedRowIsPaintedByAnyDrawBeforeTheWindowsPaint) {
    // A scroll (or any other paint of the grid) shows pending rows at their new place.
    PaintedGrid p(40);
    p.g->SetCellValue(Variant(12), Variant(1), Variant("moved"));
    p.g->SetScrollY(p.g->RowHeight(Variant(1)) * 3);
    EXPECT_FALSE(p.g->Cell(12, 1).changed());
    const uint64_t rows = p.rows();
    p.host.Pump();
    EXPECT_EQ(p.rows(), rows) << "nothing is left for the window's paint";
}

TEST(Painter, BeginUpdateHoldsEveryPaintAndEndUpdateRepaintsOnce) {
    PaintedGrid p;
    const uint64_t rows = p.rows(), full = p.g->Painter().FullPaints();
    p.g->BeginUpdate();
    p.g->BeginUpdate();
    p.g->SetCellValue(Variant(1), Variant(1), Variant(7));
    p.g->Draw();
    p.g->DrawCell(Variant(2), Variant(2));
    p.g->Refresh();
    p.host.Pump();
    EXPECT_EQ(p.rows(), rows);
    p.g->EndUpdate();
    EXPECT_EQ(p.rows(), rows);
    p.g->EndUpdate();
    p.host.Pump();
    EXPECT_EQ(p.g->Painter().FullPaints(), full + 1);
    EXPECT_EQ(p.rows(), rows + 8);
    p.g->EndUpdate(); // at 0: nothing
    EXPECT_EQ(p.g->BeginUpdateCount(), 0);
    EXPECT_EQ(p.g->Painter().FullPaints(), full + 1);
}

TEST(Painter, OddRowTintFollowsTheVisibleIndex) {
    PaintedGrid p;
    p.g->SetGridLines(0);
    p.g->SetBackColorOddRows(0x00E0FF);
    const int y1 = 17 / 2, y2 = 17 + 17 / 2, y3 = 34 + 17 / 2;
    EXPECT_EQ(p.at(55, y1), 0x00E0FFu);
    EXPECT_EQ(p.at(55, y2), 0xFFFFFFu);
    EXPECT_EQ(p.at(55, y3), 0x00E0FFu);
    EXPECT_EQ(p.at(395, y1), 0xFFFFFFu); // right of the last column
    // Hiding row 1 moves every row up and shifts the tint.
    p.g->SetRowVisible(Variant(1), false);
    EXPECT_EQ(p.at(55, y1), 0x00E0FFu); // row 2, now the first visible row
    EXPECT_EQ(p.at(55, y2), 0xFFFFFFu);
}

TEST(Painter, RowFormattingTintsCellsWithoutAColourOfTheirOwn) {
    PaintedGrid p;
    p.g->SetGridLines(0);
    p.g->SetCellBackColor(Variant(2), Variant(2), 0x00FF00);
    p.g->SetCellBackColor(Variant(1), Variant(2), 0x00FF00);
    OnEvent(*p.g, "RowDynamicFormatting", [](std::span<Variant> a) {
        if (lattix::ToInt32(a[0]) == 2) SetByRef(a[2], Variant(0xFF0000));
    });
    p.g->SetDynamicContentEvents(8);
    EXPECT_EQ(p.at(55, 17 + 8), 0xFF0000u);  // row 2, column 1: the row tint
    EXPECT_EQ(p.at(120, 17 + 8), 0xFF0000u); // row 2, column 2: the row event wins over the cell
    EXPECT_EQ(p.at(120, 8), 0x00FF00u);      // row 1, column 2: its own colour
}

TEST(Painter, OpaqueSelectionAtAlpha255AndDisabledLook) {
    PaintedGrid p;
    lattix::LattixTestAccess::Select(*p.g, 2, 2);
    p.g->Refresh();
    const gfx::Color navy = gfx::sysColor(gfx::COLOR_BTNFACE); // without focus: button face
    EXPECT_EQ(p.at(90, 17 + 3), navy);
    p.g->SetEnabled(false);
    // Button-face background, no selection, grey grid lines.
    EXPECT_EQ(p.at(90, 17 + 3), gfx::sysColor(gfx::COLOR_BTNFACE));
    EXPECT_EQ(p.at(10, 16), gfx::sysColor(gfx::COLOR_GRAYTEXT));
    EXPECT_EQ(p.at(390, 190), gfx::sysColor(gfx::COLOR_BTNFACE));
}

TEST(Painter, GridLinesExtendDownPaintsEmptyRowsToTheBottom) {
    PaintedGrid p(2);
    const gfx::Color line = gfx::sysColor(gfx::COLOR_BTNFACE);
    EXPECT_NE(p.at(10, 3 * 17 - 1), line);
    p.g->SetGridLinesExtend(2);
    for (int k = 3; k <= 11; ++k) EXPECT_EQ(p.at(10, k * 17 - 1), line) << "empty row " << k;
}

TEST(Painter, AHandlerThatRaisesLeavesThePainterUsableAndTheErrorReachesTheCaller) {
    PaintedGrid p;
    bool fail = true;
    OnEvent(*p.g, "AfterCellDraw", [&](std::span<Variant>) {
        if (fail) throw lattix::AutomationError(0x800A0005, "Host", "handler failed");
    });
    try {
        p.g->Refresh();
        FAIL() << "the handler's error did not reach the caller";
    } catch (const lattix::AutomationError& e) {
        EXPECT_EQ(e.unsignedNumber(), 0x800A0005u);
    }
    EXPECT_FALSE(p.g->Painter().Painting());
    EXPECT_EQ(p.g->BeginUpdateCount(), 0);
    // Structural changes are allowed again, and the next paint runs.
    fail = false;
    EXPECT_EQ(LattixCode([&] { p.g->AddRow(); }), 0);
    const uint64_t before = p.rows();
    p.g->Refresh();
    EXPECT_GT(p.rows(), before);
}

TEST(Painter, ARowWhoseHandlerFailsDoesNotHoldBackTheRowsAfterIt) {
    PaintedGrid p;
    int failures = 0;
    OnEvent(*p.g, "CustomDrawCell", [&](std::span<Variant>) {
        ++failures;
        throw lattix::AutomationError(0x800A0005, "Host", "cannot draw");
    });
    p.g->SetCellType(Variant(2), Variant(2), 3); // custom drawn
    p.g->SetCellValue(Variant(4), Variant(1), Variant("after"));
    EXPECT_THROW(p.host.Pump(), lattix::AutomationError);
    EXPECT_EQ(failures, 1);
    EXPECT_FALSE(p.g->Cell(4, 1).changed()) << "the row below the failing one was painted";
    // The failing row does not come back until it changes again.
    p.g->SetCellValue(Variant(5), Variant(1), Variant("later"));
    EXPECT_NO_THROW(p.host.Pump());
    EXPECT_FALSE(p.g->Cell(5, 1).changed());
    EXPECT_EQ(failures, 1);
    // A full repaint paints every row and still reports the error.
    EXPECT_THROW(p.g->Refresh(), lattix::AutomationError);
    EXPECT_FALSE(p.g->Painter().Painting());
}

TEST(Painter, TheTreeButtonRequestIsRaisedOncePerPaintedButtonAndItsAnswerIsUsed) {
    PaintedGrid p;
    p.g->SetTreeCol(1);
    for (int r = 2; r <= 8; ++r) p.g->SetRowLevel(Variant(r), 1);
    p.g->SetRowTreeButton(Variant(1), 2);
    p.g->SetRowTreeButton(Variant(5), 2);
    p.g->SetRowExpanded(Variant(1), true);
    std::vector<int32_t> requests;
    int customDraws = 0;
    OnEvent(*p.g, "CustomDrawTreeButtonRequest", [&](std::span<Variant> a) {
        requests.push_back(lattix::ToInt32(a[0]));
        if (lattix::ToInt32(a[0]) == 5) {
            SetByRef(a[1], Variant(true));
            SetByRef(a[2], Variant(5));
        }
    });
    OnEvent(*p.g, "CustomDrawTreeButton", [&](std::span<Variant> a) {
        ++customDraws;
        EXPECT_EQ(lattix::ToInt32(a[0]), 5);
        EXPECT_EQ(lattix::ToInt32(a[4]) - lattix::ToInt32(a[2]), 5); // the size the host asked for
    });
    p.g->Refresh();
    EXPECT_EQ(requests, (std::vector<int32_t>{1, 5}));
    EXPECT_EQ(customDraws, 1);
}

TEST(Painter, AnErrorOfTheDynamicTextHandlerReachesTheCallerOfThePaint) {
    PaintedGrid p;
    p.g->SetDynamicContentEvents(4);
    bool fail = true;
    OnEvent(*p.g, "CellDynamicText", [&](std::span<Variant> a) {
        if (fail) throw lattix::AutomationError(0x800A0006, "Host", "no text");
        SetByRef(a[3], Variant("t"));
    });
    EXPECT_THROW(p.g->Refresh(), lattix::AutomationError);
    EXPECT_FALSE(p.g->Painter().Painting());
    fail = false;
    EXPECT_NO_THROW(p.g->Refresh());
}

TEST(Painter, StructuralChangesFromPaintEventsRaise522AndChangeNothing) {
    PaintedGrid p;
    std::vector<int> codes;
    OnEvent(*p.g, "AfterCellDraw", [&](std::span<Variant>) {
        codes.push_back(LattixCode([&] { p.g->RemoveRow(Variant(1)); }));
        codes.push_back(LattixCode([&] { p.g->AddRow(); }));
        codes.push_back(LattixCode([&] { p.g->SetColCount(2); }));
        codes.push_back(LattixCode([&] { p.g->MoveRow(Variant(1), Variant(3)); }));
        codes.push_back(LattixCode([&] { p.g->Clear(); }));
    });
    p.g->Refresh();
    ASSERT_FALSE(codes.empty());
    for (int c : codes) EXPECT_EQ(c, 522);
    EXPECT_EQ(p.g->RowCount(), 8);
    EXPECT_EQ(p.g->ColCount(), 5);
    EXPECT_EQ(lattix::ToInt32(p.g->CellValue(Variant(1), Variant(1))), 101);
}

TEST(Painter, ZeroSizePictureAndZeroSizeWindowPaintNothingAndDoNotFail) {
    PaintedGrid p;
    p.g->SetGridLines(0);
    p.g->SetBackgroundPicture(lattix::PictureObject::Create(gfx::Bitmap()));
    EXPECT_EQ(p.at(390, 190), 0xFFFFFFu);
    p.host.Pump();
    const uint64_t before = p.rows();
    p.g->MoveGridWindow(0, 0, 0, 0);
    p.g->Refresh();
    p.host.Pump();
    EXPECT_EQ(p.rows(), before);
}

TEST(Painter, VirtualGridAsksForTheRowsItShowsAndDrawsEachFirstTimeOnce) {
    HostedGrid h(300, 170); // 10 rows of 17 pixels
    Lattix& g = *h.g;
    g.SetColCount(2);
    int requests = 0, data = 0;
    std::vector<int32_t> firstDraws;
    OnEvent(g, "RequestRow", [&](std::span<Variant> a) {
        ++requests;
        if (lattix::ToInt32(a[0]) > 25) SetByRef(a[1], Variant(true));
    });
    OnEvent(g, "RequestRowData", [&](std::span<Variant> a) {
        ++data;
        g.SetCellValue(a[0], Variant(1), Variant("virtual " + std::to_string(lattix::ToInt32(a[0]))));
    });
    OnEvent(g, "BeforeRowFirstDraw", [&](std::span<Variant> a) { firstDraws.push_back(lattix::ToInt32(a[0])); });
    g.SetVirtual(true);
    h.attach();
    h.host.Pump();
    EXPECT_EQ(g.RowCount(), 10);
    EXPECT_EQ(data, 10);
    EXPECT_EQ(firstDraws.size(), 10u);
    g.Refresh();
    EXPECT_EQ(firstDraws.size(), 10u); // first-time only
    EXPECT_EQ(requests, 10);
}

TEST(Painter, TextFollowsTheGridFontObjectChangedInPlace) {
    // The painter keeps the drawing fonts it made; a font object changed after a paint must still
    // give its new look, the same as a grid that had that font from the start.
    PaintedGrid p, bold;
    const gfx::Bitmap regular = p.picture();
    auto boldFont = lattix::FontObject::Create();
    boldFont->SetBold(true);
    boldFont->SetSize(lattix::Currency{100000});
    bold.g->SetFont(boldFont);
    bold.g->Refresh();
    bold.host.Pump();
    ASSERT_NE(bold.picture(), regular);

    p.g->Font()->SetBold(true);
    p.g->Font()->SetSize(lattix::Currency{100000});
    p.g->Refresh();
    p.host.Pump();
    EXPECT_EQ(p.picture(), bold.picture());
    p.g->Font()->SetBold(false);
    p.g->Font()->SetSize(lattix::Currency{80000});
    p.g->Refresh();
    p.host.Pump();
    EXPECT_EQ(p.picture(), regular);
}

} // namespace
} // namespace paint_test
