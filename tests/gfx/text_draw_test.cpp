#include "pixel_helpers.h"
#include "platform/gfx/font_resolver.h"
#include "platform/gfx/text_draw.h"
#include "platform/gfx/utf8.h"

#include <gtest/gtest.h>

using namespace lattix::gfx;
using namespace lattix::gfx::test;

namespace {

FontPtr font8() { return Font::create(FontSpec{}); }

std::string lineText(const TextLayout& l, std::size_t i) { return encodeUtf8(l.lines.at(i).text); }

int widthOf(const Font& f, const std::string& s) { return measureLine(f, decodeUtf8(s), 0); }

} // namespace

TEST(Font, MetricsAndExtents) {
    FontPtr f = font8();
    const TextMetrics& m = f->metrics();
    EXPECT_EQ(f->pixelSize(), 11); // 8 pt at 96 dpi, 10.67 rounded
    EXPECT_EQ(m.height, m.ascent + m.descent);
    EXPECT_GT(m.ascent, m.descent);
    EXPECT_GE(m.height, f->pixelSize());
    EXPECT_GT(m.aveCharWidth, 0);
    EXPECT_GE(m.maxCharWidth, m.aveCharWidth);
    EXPECT_EQ(f->textExtent("").cx, 0);
    EXPECT_EQ(f->textExtent("abc").cy, m.height);
    EXPECT_LT(f->textExtent("abc").cx, f->textExtent("abcd").cx);
    EXPECT_LT(f->textExtent("iii").cx, f->textExtent("WWW").cx);
    EXPECT_EQ(f->textExtent("ab").cx, f->advance(U'a') + f->advance(U'b'));

    FontSpec bold;
    bold.weight = FW_BOLD;
    EXPECT_GT(Font::create(bold)->textExtent("Hello").cx, f->textExtent("Hello").cx);
    FontSpec big;
    big.pointSize = 12;
    EXPECT_GT(Font::create(big)->metrics().height, m.height);
    FontSpec px;
    px.pixelHeight = 20;
    EXPECT_EQ(Font::create(px)->pixelSize(), 20);
    FontSpec hiDpi;
    hiDpi.dpi = 144;
    EXPECT_EQ(Font::create(hiDpi)->pixelSize(), 16);
    // the same description gives the same shared font
    EXPECT_EQ(Font::create(FontSpec{}).get(), f.get());

    FontSpec bad;
    bad.pointSize = 0;
    EXPECT_THROW(Font::create(bad), std::invalid_argument);
    bad = {};
    bad.weight = 0;
    EXPECT_THROW(Font::create(bad), std::invalid_argument);
    bad = {};
    bad.dpi = 5;
    EXPECT_THROW(Font::create(bad), std::invalid_argument);
}

TEST(Font, FacesAreFoundByNameWithSansSerifFallback) {
    ASSERT_EQ(FontResolver::mode(), FontLookupMode::Fixed);
    EXPECT_EQ(FontResolver::resolve("No Such Face", 400, false).path, FontResolver::fixedFontDir() + "/DejaVuSans.ttf");
    EXPECT_EQ(FontResolver::resolve("Courier New", 400, false).path,
              FontResolver::fixedFontDir() + "/DejaVuSansMono.ttf");
    FontFile bi = FontResolver::resolve("Arial", 700, true);
    EXPECT_EQ(bi.path, FontResolver::fixedFontDir() + "/DejaVuSans-BoldOblique.ttf");
    EXPECT_TRUE(bi.bold);
    EXPECT_TRUE(bi.italic);
    EXPECT_EQ(FontResolver::resolve("Times", 400, true).path, FontResolver::fixedFontDir() + "/DejaVuSerif-Italic.ttf");

    FontResolver::setMode(FontLookupMode::Fontconfig);
    FontFile viaFc = FontResolver::resolve("NoSuchFaceAnywhere", 400, false);
    FontFile dejavu = FontResolver::resolve("DejaVu Sans", 700, false);
    FontSpec unknownFace;
    unknownFace.family = "NoSuchFaceAnywhere";
    FontPtr fallback = Font::create(unknownFace);
    FontResolver::setMode(FontLookupMode::Fixed);
    EXPECT_FALSE(viaFc.path.empty());
    EXPECT_NE(dejavu.path.find("DejaVuSans-Bold"), std::string::npos);
    EXPECT_GT(fallback->textExtent("abc").cx, 0);
    EXPECT_THROW(FontResolver::setFixedFontDir(""), std::invalid_argument);
}

TEST(TextLayout, EllipsisVariantsFitTheWidth) {
    FontPtr f = font8();
    const std::string text = "Hello wonderful world";
    const int w = widthOf(*f, "Hello wo...");
    Rect r{0, 0, w, 40};
    TextLayout end = layoutText(*f, text, r, DT_SINGLELINE | DT_END_ELLIPSIS);
    ASSERT_EQ(end.lines.size(), 1u);
    EXPECT_EQ(lineText(end, 0), "Hello wo...");
    TextLayout word = layoutText(*f, text, r, DT_SINGLELINE | DT_WORD_ELLIPSIS);
    EXPECT_EQ(lineText(word, 0), "Hello...");
    // one pixel less drops a character
    TextLayout tighter = layoutText(*f, text, {0, 0, w - 1, 40}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(lineText(tighter, 0), "Hello w...");
    // text that fits is left alone
    TextLayout fits = layoutText(*f, "Hello", r, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(lineText(fits, 0), "Hello");

    const std::string path = "C:\\Data\\Flocks\\Autumn\\flock.grd";
    const int pw = widthOf(*f, "C:\\Da...\\flock.grd");
    TextLayout pe = layoutText(*f, path, {0, 0, pw, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_EQ(lineText(pe, 0), "C:\\Da...\\flock.grd");
    TextLayout slash = layoutText(*f, "/home/user/reports/regvals.txt", {0, 0, widthOf(*f, "/ho.../regvals.txt"), 20},
                                  DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_EQ(lineText(slash, 0), "/ho.../regvals.txt");
    // a word longer than the width under word ellipsis is cut like end ellipsis
    TextLayout longWord = layoutText(*f, "Extraordinary", {0, 0, widthOf(*f, "Extra..."), 20},
                                     DT_SINGLELINE | DT_WORD_ELLIPSIS);
    EXPECT_EQ(lineText(longWord, 0), "Extra...");
    for (const TextLayout* l : {&end, &word, &tighter, &pe, &slash, &longWord})
        EXPECT_LE(l->lines[0].width, l == &tighter ? w - 1 : (l == &pe ? pw : 1000));
}

TEST(TextLayout, WordBreakSplitsAtBlanks) {
    FontPtr f = font8();
    const int w = widthOf(*f, "alpha beta");
    TextLayout l = layoutText(*f, "alpha beta gamma", {0, 0, w, 100}, DT_WORDBREAK);
    ASSERT_EQ(l.lines.size(), 2u);
    EXPECT_EQ(lineText(l, 0), "alpha beta");
    EXPECT_EQ(lineText(l, 1), "gamma");
    EXPECT_EQ(l.lines[1].y, l.lineHeight);
    // explicit line breaks of every kind
    TextLayout nl = layoutText(*f, "one\r\ntwo\nthree\rfour", {0, 0, 500, 100}, DT_LEFT);
    ASSERT_EQ(nl.lines.size(), 4u);
    EXPECT_EQ(lineText(nl, 2), "three");
    // single line keeps everything on one line
    EXPECT_EQ(layoutText(*f, "one\ntwo", {0, 0, 500, 100}, DT_SINGLELINE).lines.size(), 1u);
    // a word wider than the rectangle keeps its own line, or is broken with the edit-control rule
    const int narrow = widthOf(*f, "abc");
    TextLayout keep = layoutText(*f, "ab abcdefgh ab", {0, 0, narrow, 100}, DT_WORDBREAK);
    ASSERT_EQ(keep.lines.size(), 3u);
    EXPECT_EQ(lineText(keep, 1), "abcdefgh");
    TextLayout split = layoutText(*f, "abcdefgh", {0, 0, narrow, 100}, DT_WORDBREAK | DT_EDITCONTROL);
    ASSERT_GE(split.lines.size(), 3u);
    std::string joined;
    for (std::size_t i = 0; i < split.lines.size(); ++i) {
        EXPECT_LE(split.lines[i].width, narrow);
        joined += lineText(split, i);
    }
    EXPECT_EQ(joined, "abcdefgh");
    // taller than the rectangle: the last line that fits carries the ellipsis
    TextLayout cut = layoutText(*f, "alpha beta gamma delta", {0, 0, w, l.lineHeight * 2 + 3},
                                DT_WORDBREAK | DT_END_ELLIPSIS);
    ASSERT_EQ(cut.lines.size(), 2u);
    EXPECT_EQ(lineText(cut, 0), "alpha beta");
    EXPECT_EQ(lineText(cut, 1).substr(lineText(cut, 1).size() - 3), "...");
    EXPECT_LE(cut.lines[1].width, w);
    // the edit-control rule drops a last line that would show only in part
    TextLayout ec = layoutText(*f, "alpha beta gamma delta", {0, 0, w, l.lineHeight + 3}, DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_EQ(ec.lines.size(), 1u);
}

TEST(TextLayout, AlignmentTabsAndReadingOrder) {
    FontPtr f = font8();
    const int tw = widthOf(*f, "ab");
    const Rect r{10, 5, 110, 45};
    EXPECT_EQ(layoutText(*f, "ab", r, DT_SINGLELINE).lines[0].x, 10);
    EXPECT_EQ(layoutText(*f, "ab", r, DT_SINGLELINE | DT_CENTER).lines[0].x, 10 + (100 - tw) / 2);
    EXPECT_EQ(layoutText(*f, "ab", r, DT_SINGLELINE | DT_RIGHT).lines[0].x, 110 - tw);
    EXPECT_EQ(layoutText(*f, "ab", r, DT_SINGLELINE | DT_RTLREADING).lines[0].x, 110 - tw);
    EXPECT_EQ(layoutText(*f, "ab", r, DT_SINGLELINE | DT_RIGHT | DT_RTLREADING).lines[0].x, 10);
    const int lh = f->metrics().height;
    EXPECT_EQ(layoutText(*f, "ab", r, DT_SINGLELINE | DT_VCENTER).lines[0].y, 5 + (40 - lh) / 2);
    EXPECT_EQ(layoutText(*f, "ab", r, DT_SINGLELINE | DT_BOTTOM).lines[0].y, 45 - lh);

    const int ave = f->metrics().aveCharWidth;
    EXPECT_EQ(layoutText(*f, "a\tb", r, DT_SINGLELINE | DT_EXPANDTABS).lines[0].width, 8 * ave + f->advance(U'b'));
    EXPECT_EQ(layoutText(*f, "a\tb", r, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4u << 8)).lines[0].width,
              4 * ave + f->advance(U'b'));
    EXPECT_EQ(layoutText(*f, "a\tb", r, DT_SINGLELINE).lines[0].width, f->advance(U'a') + f->advance(U'b'));
}

TEST(TextLayout, PrefixCharacters) {
    FontPtr f = font8();
    const Rect r{0, 0, 200, 20};
    TextLayout p = layoutText(*f, "&File", r, DT_SINGLELINE);
    EXPECT_EQ(lineText(p, 0), "File");
    EXPECT_EQ(p.lines[0].underlineIndex, 0);
    TextLayout mid = layoutText(*f, "Save &as", r, DT_SINGLELINE);
    EXPECT_EQ(lineText(mid, 0), "Save as");
    EXPECT_EQ(mid.lines[0].underlineIndex, 5);
    TextLayout amp = layoutText(*f, "Salt && pepper", r, DT_SINGLELINE);
    EXPECT_EQ(lineText(amp, 0), "Salt & pepper");
    EXPECT_EQ(amp.lines[0].underlineIndex, -1);
    EXPECT_EQ(lineText(layoutText(*f, "&File", r, DT_SINGLELINE | DT_NOPREFIX), 0), "&File");
    TextLayout hidden = layoutText(*f, "&File", r, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(lineText(hidden, 0), "File");
    EXPECT_EQ(hidden.lines[0].underlineIndex, -1);

    // the prefix underline is drawn below the character only
    Bitmap a(60, 20, pixelOf(kWhite)), b(60, 20, pixelOf(kWhite));
    DeviceContext da(a), db(b);
    drawText(da, "&File", Rect{0, 0, 60, 20}, DT_SINGLELINE);
    drawText(db, "File", Rect{0, 0, 60, 20}, DT_SINGLELINE | DT_NOPREFIX);
    Rect diff{};
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            if (a.colorAt(x, y) != b.colorAt(x, y)) diff = unite(diff, Rect{x, y, x + 1, y + 1});
    ASSERT_FALSE(diff.isEmpty());
    EXPECT_GT(diff.top, f->metrics().ascent - 1);
    EXPECT_LE(diff.right, f->advance(U'F') + 1);
}

TEST(DrawText, CalcRectGivesTheBoxThatTheSameCallDrawsIn) {
    FontPtr f = font8();
    const std::string text = "Live weight\ndistribution of the flock";
    for (std::uint32_t flags : {DT_LEFT, DT_CENTER | DT_WORDBREAK, DT_RIGHT | DT_WORDBREAK, DT_SINGLELINE | DT_CENTER}) {
        Bitmap b(300, 120, pixelOf(kWhite));
        DeviceContext dc(b);
        Rect calc{20, 10, 100, 10};
        int h = drawText(dc, text, calc, flags | DT_CALCRECT);
        EXPECT_EQ(b, Bitmap(300, 120, pixelOf(kWhite))) << "calc-rect draws nothing";
        EXPECT_EQ(h, calc.height());
        EXPECT_GT(calc.width(), 0);
        drawText(dc, text, calc, flags | DT_NOCLIP);
        Rect ink = inkBounds(b, kWhite);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_EQ(intersect(ink, calc), ink) << "flags " << flags;
        TextLayout again = layoutText(*f, text, calc, flags);
        for (const TextLine& line : again.lines) EXPECT_EQ(line.text.find(U"..."), std::u32string::npos);
    }
    // the box grows with the text and is empty for empty text
    Rect small{0, 0, 0, 0}, large{0, 0, 0, 0}, none{5, 5, 50, 50};
    Bitmap b(10, 10);
    DeviceContext dc(b);
    drawText(dc, "abc", small, DT_SINGLELINE | DT_CALCRECT | DT_END_ELLIPSIS);
    drawText(dc, "abcdef", large, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(small.width(), f->textExtent("abc").cx);
    EXPECT_LT(small.width(), large.width());
    EXPECT_EQ(drawText(dc, "", none, DT_CALCRECT), 0);
    EXPECT_EQ(none, (Rect{5, 5, 5, 5}));
}

TEST(DrawText, ColoursClippingAndGlyphLooks) {
    const Rect r{5, 5, 25, 15};
    Bitmap clipped(60, 30, pixelOf(kWhite)), free(60, 30, pixelOf(kWhite));
    DeviceContext dc(clipped), df(free);
    dc.setBkMode(BackgroundMode::Transparent);
    df.setBkMode(BackgroundMode::Transparent);
    drawText(dc, "WWWWWWW", r, DT_SINGLELINE);
    drawText(df, "WWWWWWW", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(intersect(inkBounds(clipped, kWhite), r), inkBounds(clipped, kWhite));
    EXPECT_GT(inkBounds(free, kWhite).right, r.right);

    // antialiased glyphs have grey levels between text and background; solid ones do not
    auto levels = [](const Bitmap& b) {
        return countPixels(b, b.bounds(), [](Color c) { return c != kWhite && c != kRed; });
    };
    Bitmap aa(80, 20, pixelOf(kWhite)), solid(80, 20, pixelOf(kWhite));
    DeviceContext daa(aa), ds(solid);
    FontSpec mono;
    mono.antialiased = false;
    ds.selectFont(Font::create(mono));
    daa.setTextColor(kRed);
    ds.setTextColor(kRed);
    drawText(daa, "Grid text", Rect{0, 0, 80, 20}, DT_SINGLELINE);
    drawText(ds, "Grid text", Rect{0, 0, 80, 20}, DT_SINGLELINE);
    EXPECT_GT(levels(aa), 10);
    EXPECT_EQ(levels(solid), 0);
    EXPECT_GT(countPixels(solid, solid.bounds(), [](Color c) { return c == kRed; }), 20);

    // opaque mode fills the line box with the background colour, transparent mode leaves it
    Bitmap op(80, 20, pixelOf(kWhite));
    DeviceContext dop(op);
    dop.setBkColor(kBlue);
    drawText(dop, "ab", Rect{0, 0, 80, 20}, DT_SINGLELINE);
    const Font& f = dop.font();
    EXPECT_EQ(op.colorAt(0, 0), kBlue);
    EXPECT_EQ(op.colorAt(f.textExtent("ab").cx, 0), kWhite);
    EXPECT_EQ(op.colorAt(0, f.metrics().height), kWhite);

    // underline and strikeout styles add lines
    FontSpec ul;
    ul.underline = true;
    ul.strikeout = true;
    Bitmap u(80, 20, pixelOf(kWhite));
    DeviceContext du(u);
    du.selectFont(Font::create(ul));
    du.setBkMode(BackgroundMode::Transparent);
    du.textOut(0, 0, "a  b");
    const Font& uf = du.font();
    int base = uf.metrics().ascent;
    int gapX = uf.advance(U'a') + 1;
    EXPECT_EQ(u.colorAt(gapX, base + uf.underlineOffset()), kBlack);
    EXPECT_EQ(u.colorAt(gapX, base - uf.strikeoutOffset()), kBlack);
    EXPECT_EQ(u.colorAt(gapX, 0), kWhite);
}

TEST(Utf8, DecodesAndReplacesBrokenSequencesOnce) {
    EXPECT_EQ(decodeUtf8("Gr\xC3\xB6\xC3\x9F" "e"), U"Gr\u00F6\u00DFe");
    EXPECT_EQ(decodeUtf8("caf\xE9"), U"caf\uFFFD");        // a lead byte cut off by the end
    EXPECT_EQ(decodeUtf8("caf\xE9!"), U"caf\uFFFD!");      // the breaking byte is read again
    EXPECT_EQ(decodeUtf8("\xE2\x82\xAC 5"), U"\u20AC 5");
    EXPECT_EQ(decodeUtf8("\xE2\x82"), U"\uFFFD");            // one replacement for the broken start
    EXPECT_EQ(decodeUtf8("\xC0\x80"), U"\uFFFD\uFFFD");      // overlong form is not UTF-8
    EXPECT_EQ(decodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD"); // an encoded surrogate
    EXPECT_EQ(decodeUtf8("\xF4\x90\x80\x80"), U"\uFFFD\uFFFD\uFFFD\uFFFD"); // above U+10FFFF
    EXPECT_EQ(decodeUtf8(std::string_view("\xF0\x9F\x90", 3)), U"\uFFFD");
    EXPECT_EQ(encodeUtf8(U"\u20AC\U0001F414"), "\xE2\x82\xAC\xF0\x9F\x90\x94");
    EXPECT_EQ(decodeUtf8(encodeUtf8(U"\U0001F414")), U"\U0001F414");
}

TEST(DrawText, GlyphEdgesBlendTheTextColourOverEachBackgroundPixel) {
    // Every pixel of the background has its own colour, so each coverage level meets many
    // channel values; each drawn pixel must be the rounded per-channel mix of text and background.
    const FontPtr big = [] {
        FontSpec s;
        s.pointSize = 16;
        return Font::create(s);
    }();
    const std::u32string text = U"Ag@%&Wq";
    // Then stripes of two colours and a plain colour, drawn on in turn in two inks: blends met
    // before are met again with other pairs in between.
    auto varied = [](int x, int y) {
        return 0xFF000000u | Pixel((x * 37 + y * 11) & 0xFF) << 16 | Pixel((x * 5 + y * 53) & 0xFF) << 8 |
               Pixel((x * 97 + y * 3) & 0xFF);
    };
    auto stripes = [](int x, int) { return (x / 3) % 2 ? pixelOf(0x00F0E8F4) : pixelOf(0x00204060); };
    auto plain = [](int, int) { return pixelOf(0x00F0E8F4); };
    const std::vector<std::pair<Color, Pixel (*)(int, int)>> cases = {
        {Color(0x00000000), varied}, {Color(0x00FFFFFF), varied}, {Color(0x004080C0), varied},
        {Color(0x00FF0000), varied}, {Color(0x004080C0), stripes}, {Color(0x00000000), stripes},
        {Color(0x004080C0), plain},  {Color(0x00000000), plain},  {Color(0x004080C0), plain}};
    for (const auto& [ink, background] : cases) {
        Bitmap b(200, 40);
        ASSERT_LT(int(text.size()) * 28, b.width());
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) b.setPixel(x, y, background(x, y));
        const Bitmap before = b;
        DeviceContext dc(b);
        dc.selectFont(big);
        dc.setTextColor(ink);
        const int baseline = 30, step = 28;
        // One glyph per run, apart, so that no pixel is drawn twice.
        for (std::size_t i = 0; i < text.size(); ++i)
            dc.drawTextRun(2 + int(i) * step, baseline, std::u32string_view(text).substr(i, 1), nullptr);

        // The coverage each pixel received, from the glyphs themselves.
        std::vector<int> cover(std::size_t(b.width() * b.height()), 0);
        int pen = 2 - step;
        for (char32_t c : text) {
            pen += step;
            const Glyph& g = big->glyph(c);
            for (int gy = 0; gy < g.height; ++gy)
                for (int gx = 0; gx < g.width; ++gx) {
                    const int x = pen + g.left + gx, y = baseline - g.top + gy;
                    if (x >= 0 && y >= 0 && x < b.width() && y < b.height())
                        cover[std::size_t(y * b.width() + x)] = g.coverage[std::size_t(gy * g.width + gx)];
                }
        }
        int partial = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) {
                const int a = cover[std::size_t(y * b.width() + x)];
                const Color d = before.colorAt(x, y);
                auto mix = [&](int t, int dch) { return (t * a + dch * (255 - a) + 127) / 255; };
                const Color want = a == 0 ? d
                                          : rgb(std::uint8_t(mix(redOf(ink), redOf(d))),
                                                std::uint8_t(mix(greenOf(ink), greenOf(d))),
                                                std::uint8_t(mix(blueOf(ink), blueOf(d))));
                partial += a > 0 && a < 255;
                ASSERT_EQ(b.colorAt(x, y), want) << "at " << x << "," << y << " coverage " << a;
            }
        EXPECT_GT(partial, 100);
    }
}
