#include <gtest/gtest.h>

#include "platform/gfx/frame_control.h"
#include "platform/gfx/system_colors.h"
#include "platform/theme/theme_data.h"
#include "platform/theme/theme_parts.h"
#include "tests/picture_check.h"

namespace lattix::theme {
namespace {

using gfx::Bitmap;
using gfx::Rect;

constexpr gfx::Color kPaper = gfx::rgb(255, 255, 255);

Rect InkBounds(const Bitmap& b, gfx::Color background) {
    Rect box{};
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.colorAt(x, y) != background) box = gfx::unite(box, Rect{x, y, x + 1, y + 1});
    return box;
}

bool Contains(const Bitmap& b, gfx::Color c) {
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.colorAt(x, y) == c) return true;
    return false;
}

TEST(ThemeData, OpensKnownClassesByNameIgnoringCase) {
    EXPECT_NE(ThemeData::Open("Treeview"), nullptr);
    EXPECT_NE(ThemeData::Open("combobox"), nullptr);
    EXPECT_NE(ThemeData::Open("BUTTON", Look::Classic), nullptr);
    EXPECT_EQ(ThemeData::Open("Header")->themeClass(), ThemeClass::Header);
    EXPECT_EQ(ThemeData::Open("ScrollBar", Look::Classic)->look(), Look::Classic);
    EXPECT_EQ(ThemeData::Open("Spinner"), nullptr);
    EXPECT_EQ(ThemeData::Open(""), nullptr);
}

TEST(ThemeData, UnknownPartsAndStatesDrawNothing) {
    for (Look look : {Look::Themed, Look::Classic}) {
        auto button = ThemeData::Open("Button", look);
        Bitmap b(20, 20, gfx::pixelOf(kPaper));
        gfx::DeviceContext dc(b);
        EXPECT_FALSE(button->DrawBackground(dc, kButtonCheckBox, 13, {0, 0, 20, 20}));
        EXPECT_FALSE(button->DrawBackground(dc, kButtonCheckBox, 0, {0, 0, 20, 20}));
        EXPECT_FALSE(button->DrawBackground(dc, 7, 1, {0, 0, 20, 20}));
        EXPECT_FALSE(ThemeData::Open("Header", look)->DrawBackground(dc, kHeaderItem, 4, {0, 0, 20, 20}));
        EXPECT_FALSE(ThemeData::Open("ScrollBar", look)->DrawBackground(dc, kScrollArrowButton, 17, {0, 0, 20, 20}));
        EXPECT_EQ(InkBounds(b, kPaper), Rect{});
        EXPECT_EQ(button->PartSize(kButtonCheckBox, 13), (gfx::Size{0, 0}));
    }
}

TEST(ThemeData, GlyphsAndCheckBoxesAreCentredAtTheirNaturalSize) {
    for (Look look : {Look::Themed, Look::Classic}) {
        auto tree = ThemeData::Open("Treeview", look);
        gfx::Size natural = tree->PartSize(kTreeviewGlyph, kGlyphClosed);
        Bitmap b(40, 30, gfx::pixelOf(kPaper));
        gfx::DeviceContext dc(b);
        ASSERT_TRUE(tree->DrawBackground(dc, kTreeviewGlyph, kGlyphOpened, {0, 0, 40, 30}));
        Rect ink = InkBounds(b, kPaper);
        EXPECT_LE(ink.width(), natural.cx);
        EXPECT_LE(ink.height(), natural.cy);
        // Centred: the ink's middle is within a pixel of the rectangle's middle.
        EXPECT_NEAR((ink.left + ink.right) / 2.0, 20, 1.5);
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 15, 1.5);
        EXPECT_TRUE(tree->IsPartiallyTransparent(kTreeviewGlyph, kGlyphOpened));
    }
}

TEST(ThemeData, OpenAndClosedGlyphsDiffer) {
    for (Look look : {Look::Themed, Look::Classic}) {
        auto tree = ThemeData::Open("Treeview", look);
        Bitmap open(16, 16, gfx::pixelOf(kPaper)), closed(16, 16, gfx::pixelOf(kPaper));
        gfx::DeviceContext a(open), b(closed);
        tree->DrawBackground(a, kTreeviewGlyph, kGlyphOpened, {0, 0, 16, 16});
        tree->DrawBackground(b, kTreeviewGlyph, kGlyphClosed, {0, 0, 16, 16});
        EXPECT_NE(open, closed);
    }
}

TEST(ThemeData, CheckedBoxUsesTheAccentAndClassicMatchesTheFrameControl) {
    auto themed = ThemeData::Open("Button");
    Bitmap b(20, 20, gfx::pixelOf(kPaper));
    gfx::DeviceContext dc(b);
    themed->DrawBackground(dc, kButtonCheckBox, kStateNormal + kCheckChecked, {0, 0, 20, 20});
    EXPECT_TRUE(Contains(b, themedPalette().accent));
    EXPECT_TRUE(Contains(b, themedPalette().accentText));

    auto classic = ThemeData::Open("Button", Look::Classic);
    Bitmap c(13, 13, gfx::pixelOf(kPaper)), expected(13, 13, gfx::pixelOf(kPaper));
    gfx::DeviceContext cdc(c), edc(expected);
    classic->DrawBackground(cdc, kButtonCheckBox, kStateNormal + kCheckChecked, {0, 0, 13, 13});
    gfx::drawFrameControl(edc, {0, 0, 13, 13}, gfx::DFC_BUTTON, gfx::DFCS_BUTTONCHECK | gfx::DFCS_CHECKED);
    EXPECT_EQ(c, expected);
}

TEST(ThemeData, DrawingStaysInsideTheClip) {
    auto header = ThemeData::Open("Header");
    Bitmap b(60, 24, gfx::pixelOf(kPaper));
    gfx::DeviceContext dc(b);
    Rect clip{10, 0, 30, 24};
    header->DrawBackground(dc, kHeaderItem, kStateHot, {0, 0, 60, 24}, &clip);
    Rect ink = InkBounds(b, kPaper);
    EXPECT_EQ(ink.left, 10);
    EXPECT_EQ(ink.right, 30);
    // The clip does not outlive the call.
    dc.fillRect({0, 0, 5, 5}, gfx::rgb(1, 2, 3));
    EXPECT_EQ(b.colorAt(0, 0), gfx::rgb(1, 2, 3));
}

TEST(ThemeData, HeaderContentRectIsTheItemInsetByThree) {
    auto classic = ThemeData::Open("Header", Look::Classic);
    EXPECT_EQ(classic->ContentRect(kHeaderItem, kStateNormal, {0, 0, 80, 24}), (Rect{3, 3, 77, 21}));
    // The themed item keeps its bottom line clear as well.
    auto themed = ThemeData::Open("Header");
    EXPECT_EQ(themed->ContentRect(kHeaderItem, kStateNormal, {0, 0, 80, 24}), (Rect{3, 3, 77, 20}));
}

TEST(ThemeData, ListBorderIsOnePixelInEachLooksColourAndTheSelectedItemFillsItsRect) {
    const struct {
        Look look;
        gfx::Color frame, selected;
    } looks[] = {{Look::Themed, themedPalette().border, themedPalette().accent},
                 {Look::Classic, gfx::sysColor(gfx::COLOR_WINDOWFRAME), gfx::sysColor(gfx::COLOR_HIGHLIGHT)}};
    for (const auto& l : looks) {
        auto list = ThemeData::Open("listbox", l.look);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->themeClass(), ThemeClass::ListBox);
        EXPECT_FALSE(list->HasPart(kListBorder, kStateHot));
        EXPECT_FALSE(list->HasPart(kListItem, kStateNormal));
        EXPECT_EQ(list->ContentRect(kListBorder, kStateNormal, {0, 0, 40, 30}), (Rect{1, 1, 39, 29}));
        Bitmap b(40, 30, gfx::pixelOf(kPaper));
        gfx::DeviceContext dc(b);
        ASSERT_TRUE(list->DrawBackground(dc, kListBorder, kStateNormal, {0, 0, 40, 30}));
        for (auto [x, y] : {std::pair{0, 0}, {39, 0}, {0, 29}, {39, 29}, {20, 0}, {0, 15}, {39, 15}, {20, 29}})
            EXPECT_EQ(b.colorAt(x, y), l.frame) << x << "," << y;
        EXPECT_EQ(b.colorAt(1, 1), gfx::sysColor(gfx::COLOR_WINDOW));
        EXPECT_EQ(b.colorAt(38, 28), gfx::sysColor(gfx::COLOR_WINDOW));
        ASSERT_TRUE(list->DrawBackground(dc, kListItem, kListItemSelected, {1, 10, 39, 20}));
        EXPECT_EQ(b.colorAt(1, 10), l.selected);
        EXPECT_EQ(b.colorAt(38, 19), l.selected);
        EXPECT_EQ(b.colorAt(20, 20), gfx::sysColor(gfx::COLOR_WINDOW));
    }
    EXPECT_NE(themedPalette().border, gfx::sysColor(gfx::COLOR_WINDOWFRAME));
}

// Every part in every state, themed on the left, classic on the right.
Bitmap Gallery() {
    Bitmap b(2 * 190, 200, gfx::pixelOf(kPaper));
    gfx::DeviceContext dc(b);
    for (int side = 0; side < 2; ++side) {
        Look look = side == 0 ? Look::Themed : Look::Classic;
        dc.setViewportOrigin({side * 190, 0});
        int y = 4;
        auto tree = ThemeData::Open("Treeview", look);
        tree->DrawBackground(dc, kTreeviewGlyph, kGlyphClosed, {4, y, 20, y + 16});
        tree->DrawBackground(dc, kTreeviewGlyph, kGlyphOpened, {24, y, 40, y + 16});
        auto combo = ThemeData::Open("ComboBox", look);
        for (int s = 1; s <= 4; ++s) combo->DrawBackground(dc, kComboDropButton, s, {44 + (s - 1) * 20, y, 61 + (s - 1) * 20, y + 20});
        y += 24;
        auto button = ThemeData::Open("Button", look);
        for (int s = 1; s <= 12; ++s) button->DrawBackground(dc, kButtonCheckBox, s, {4 + (s - 1) * 15, y, 18 + (s - 1) * 15, y + 16});
        y += 22;
        auto header = ThemeData::Open("Header", look);
        for (int s = 1; s <= 3; ++s) header->DrawBackground(dc, kHeaderItem, s, {4 + (s - 1) * 60, y, 64 + (s - 1) * 60, y + 24});
        header->DrawBackground(dc, kHeaderSortArrow, kSortArrowUp, {44, y + 8, 60, y + 16});
        header->DrawBackground(dc, kHeaderSortArrow, kSortArrowDown, {104, y + 8, 120, y + 16});
        y += 30;
        auto bar = ThemeData::Open("ScrollBar", look);
        // A horizontal bar: arrows, lower track, thumb, upper track; then every arrow state.
        bar->DrawBackground(dc, kScrollArrowButton, kArrowLeft + kStateNormal, {4, y, 21, y + 17});
        bar->DrawBackground(dc, kScrollLowerTrackHorz, kStateNormal, {21, y, 50, y + 17});
        bar->DrawBackground(dc, kScrollThumbHorz, kStateNormal, {50, y, 90, y + 17});
        bar->DrawBackground(dc, kScrollUpperTrackHorz, kStatePressed, {90, y, 140, y + 17});
        bar->DrawBackground(dc, kScrollArrowButton, kArrowRight + kStateNormal, {140, y, 157, y + 17});
        bar->DrawBackground(dc, kScrollSizeBox, kStateNormal, {157, y, 174, y + 17});
        y += 21;
        for (int s = 1; s <= 16; ++s) bar->DrawBackground(dc, kScrollArrowButton, s, {4 + ((s - 1) % 8) * 18, y + (s - 1) / 8 * 18, 21 + ((s - 1) % 8) * 18, y + 17 + (s - 1) / 8 * 18});
        y += 40;
        // A vertical bar with the thumb hot and pressed.
        bar->DrawBackground(dc, kScrollArrowButton, kArrowUp + kStateNormal, {4, y, 21, y + 17});
        bar->DrawBackground(dc, kScrollLowerTrackVert, kStateNormal, {4, y + 17, 21, y + 27});
        bar->DrawBackground(dc, kScrollThumbVert, kStateHot, {4, y + 27, 21, y + 57});
        bar->DrawBackground(dc, kScrollThumbVert, kStatePressed, {30, y, 47, y + 30});
        bar->DrawBackground(dc, kScrollThumbVert, kStateDisabled, {56, y, 73, y + 30});
    }
    return b;
}

TEST(ThemeData, GalleryOfEveryPartInBothLooks) {
    EXPECT_TRUE(test::MatchesReference(Gallery(), "tests/theme/reference/theme_parts.png"));
}

} // namespace
} // namespace lattix::theme
