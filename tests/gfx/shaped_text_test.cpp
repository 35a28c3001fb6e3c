// Shaping, bidirectional order, font fallback and grapheme clusters, as drawn and as measured.
#include "pixel_helpers.h"
#include "platform/gfx/font_resolver.h"
#include "platform/gfx/grapheme.h"
#include "platform/gfx/shaped_text.h"
#include "platform/gfx/text_draw.h"
#include "platform/gfx/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace lattix::gfx;
using namespace lattix::gfx::test;

namespace {

FontPtr font8() { return Font::create(FontSpec{}); }

std::u32string u(const char* utf8) { return decodeUtf8(utf8); }

ShapedTextPtr shape(const char* utf8, TextDirection d = TextDirection::Auto) { return shapeText(*font8(), u(utf8), d); }

// The ink drawn by drawTextRun at x = 10 on a white bitmap.
Rect drawnInk(const std::u32string& text, const FontPtr& font = font8()) {
    Bitmap b(2000, 40, pixelOf(kWhite));
    DeviceContext dc(b);
    dc.selectFont(font);
    dc.drawTextRun(10, 25, text, nullptr);
    return inkBounds(b, kWhite);
}

} // namespace

TEST(Shaping, CharactersTheFontLacksComeFromFallbackFacesNeverABox) {
    const FontPtr f = font8();
    for (const char* text : {"你好，世界", "こんにちは", "안녕하세요", "नमस्ते दुनिया", "สวัสดีชาวโลก"}) {
        const ShapedTextPtr s = shape(text);
        ASSERT_FALSE(s->glyphs.empty()) << text;
        std::set<int> faces;
        for (const ShapedGlyph& g : s->glyphs) {
            EXPECT_NE(g.index, 0u) << text << ": a missing-glyph box";
            faces.insert(g.face);
        }
        EXPECT_TRUE(faces.count(0) == 0 || faces.size() > 1) << text << " drawn from the primary face only";
        EXPECT_GT(drawnInk(u(text)).width(), 10) << text;
    }
    // Latin stays on the primary face; a character no installed face has is the primary's box.
    for (const ShapedGlyph& g : shape("Flock")->glyphs) EXPECT_EQ(g.face, 0);
    const ShapedTextPtr unknown = shape("\xF3\xB0\x80\x80"); // U+F0000, private use: no font here
    ASSERT_EQ(unknown->glyphs.size(), 1u);
    EXPECT_EQ(unknown->glyphs[0].index, 0u);
}

TEST(Shaping, ArabicJoinsAndReadsRightToLeft) {
    const std::u32string word = u("مرحبا");
    const ShapedTextPtr joined = shapeText(*font8(), word, TextDirection::Auto);
    EXPECT_TRUE(joined->rightToLeft);
    // Joined forms differ from the letters shaped one by one.
    std::multiset<std::uint32_t> alone, inWord;
    for (char32_t c : word) alone.insert(shapeText(*font8(), std::u32string(1, c), TextDirection::Auto)->glyphs.at(0).index);
    for (const ShapedGlyph& g : joined->glyphs) inWord.insert(g.index);
    EXPECT_NE(alone, inWord);
    // The first letter is on the right: the caret before it is at the right end.
    EXPECT_EQ(joined->caretX(0), joined->advance);
    EXPECT_EQ(joined->caretX(word.size()), 0);
    EXPECT_GT(joined->caretX(1), joined->caretX(2));
}

TEST(Shaping, MixedDirectionsFollowTheBidirectionalAlgorithm) {
    // "Flock 7 — مزرعة 3": the Latin words read left to right from the left edge, the Arabic
    // word is mirrored in place, and the number after it stays on its right.
    const std::u32string text = u("Flock 7 — مزرعة 3");
    const ShapedTextPtr s = shapeText(*font8(), text, TextDirection::Auto);
    EXPECT_FALSE(s->rightToLeft);
    const std::size_t arabic = text.find(U'م');
    EXPECT_LT(s->caretX(0), s->caretX(1));
    EXPECT_LT(s->caretX(6), s->caretX(arabic));
    // Inside the Arabic run logical order runs right to left.
    EXPECT_GT(s->caretX(arabic), s->caretX(arabic + 2));
    // Forced right-to-left: the paragraph starts at the right.
    const ShapedTextPtr r = shapeText(*font8(), u("Flock 7"), TextDirection::RightToLeft);
    EXPECT_TRUE(r->rightToLeft);
    EXPECT_EQ(r->advance, s->caretX(7) - s->caretX(0)); // same glyphs, same width
    // A paragraph that starts with Hebrew is right to left.
    EXPECT_TRUE(shape("שלום world")->rightToLeft);
    const BidiLine line = resolveBidiLine(u("abc אבג def"), TextDirection::Auto);
    ASSERT_EQ(line.runs.size(), 3u);
    EXPECT_FALSE(line.runs[0].rightToLeft);
    EXPECT_TRUE(line.runs[1].rightToLeft);
}

TEST(Shaping, MeasuringIsDrawing) {
    const FontPtr f = font8();
    for (const char* text : {"Weights AVA fi", "你好，世界", "مرحبا بالعالم", "שלום 123", "नमस्ते", "สวัสดี", "e\xCC\x81\xCC\x81 x",
                             "Flock 7 — مزرعة 3"}) {
        const std::u32string t = u(text);
        const int measured = measureLine(*f, t, 0);
        const Rect ink = drawnInk(t);
        EXPECT_GE(ink.left, 10 - 1) << text;
        EXPECT_LE(ink.right, 10 + measured + 1) << text;
        EXPECT_GE(ink.right, 10 + measured - f->metrics().aveCharWidth) << text;
        Bitmap b(600, 40, pixelOf(kWhite));
        DeviceContext dc(b);
        EXPECT_EQ(dc.drawTextRun(0, 20, t, nullptr), shapedAdvance(*f, t, TextDirection::Auto)) << text;
        // DT_CALCRECT reports the width that drawing fills.
        Rect r{0, 0, 0, 0};
        drawText(dc, text, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        EXPECT_EQ(r.width(), measured) << text;
    }
    // Kerning: "AV" is set tighter than its letters' advances.
    EXPECT_LT(f->textExtent("AV").cx, f->advance(U'A') + f->advance(U'V'));
}

TEST(Shaping, RightToLeftLinesAlignAtTheirReadingStart) {
    const Rect box{0, 0, 300, 20};
    const TextLayout arabic = layoutText(*font8(), "مرحبا", box, DT_SINGLELINE | DT_ALIGN_BY_READING);
    ASSERT_EQ(arabic.lines.size(), 1u);
    EXPECT_TRUE(arabic.lines[0].rightToLeft);
    EXPECT_EQ(arabic.lines[0].x + arabic.lines[0].width, 300);
    const TextLayout latin = layoutText(*font8(), "Flock", box, DT_SINGLELINE | DT_ALIGN_BY_READING);
    EXPECT_EQ(latin.lines[0].x, 0);
    // Without the flag the classic alignment holds; DT_RTLREADING mirrors it for every line.
    EXPECT_EQ(layoutText(*font8(), "مرحبا", box, DT_SINGLELINE).lines[0].x, 0);
    const TextLayout forced = layoutText(*font8(), "Flock", box, DT_SINGLELINE | DT_RTLREADING);
    EXPECT_EQ(forced.lines[0].x + forced.lines[0].width, 300);
    EXPECT_TRUE(forced.lines[0].rightToLeft);
}

TEST(Graphemes, ClustersStayWhole) {
    const std::u32string accent = u("e\xCC\x81" "a");             // e + combining acute, a
    EXPECT_FALSE(isGraphemeBoundary(accent, 1));
    EXPECT_EQ(nextGraphemeBoundary(accent, 0), 2u);
    const std::u32string family = u("👨‍👩‍👧x");                 // ZWJ sequence
    EXPECT_EQ(nextGraphemeBoundary(family, 0), family.size() - 1);
    EXPECT_EQ(previousGraphemeBoundary(family, family.size() - 1), 0u);
    const std::u32string flags = u("🇫🇷🇩🇪");                       // two flags of two indicators
    EXPECT_EQ(nextGraphemeBoundary(flags, 0), 2u);
    EXPECT_FALSE(isGraphemeBoundary(flags, 3));
    EXPECT_TRUE(isGraphemeBoundary(u("\r\n"), 0));
    EXPECT_FALSE(isGraphemeBoundary(u("\r\n"), 1));
    const std::u32string jamo = u("\xE1\x84\x80\xE1\x85\xA1\xE1\x86\xA8"); // L V T
    EXPECT_EQ(nextGraphemeBoundary(jamo, 0), 3u);
    EXPECT_EQ(graphemeFloor(accent, 1), 0u);

    // An ellipsis never cuts between a letter and its accent.
    std::string accents;
    for (int i = 0; i < 8; ++i) accents += "e\xCC\x81"; // e + combining acute, eight times
    const FontPtr f = font8();
    for (int width = 8; width < 60; ++width) {
        const TextLayout l = layoutText(*f, accents, {0, 0, width, 20}, DT_SINGLELINE | DT_END_ELLIPSIS);
        const std::u32string& shown = l.lines.at(0).text;
        if (shown.size() < 3 || shown.substr(shown.size() - 3) != U"...") continue;
        EXPECT_EQ((shown.size() - 3) % 2, 0u) << "cut inside a cluster at width " << width;
        if (shown.size() > 3) EXPECT_LE(l.lines[0].width, width); // the ellipsis alone may not fit
    }
    // Word breaks with DT_EDITCONTROL split long words between clusters only.
    const TextLayout wrapped = layoutText(*f, accents, {0, 0, 20, 400}, DT_WORDBREAK | DT_EDITCONTROL);
    ASSERT_GT(wrapped.lines.size(), 1u);
    for (const TextLine& line : wrapped.lines) EXPECT_EQ(line.text.size() % 2, 0u);
}

TEST(Shaping, LongTextsAreShapedOnlyAsFarAsTheyShow) {
    const FontPtr f = font8();
    std::u32string longText;
    for (int i = 0; i < 100000; ++i) longText += U"Flock ";
    const std::string utf8 = encodeUtf8(longText);
    clearShapingCache();
    // A line clipped to a cell, with and without an ellipsis: a few pieces are shaped, not 600,000 characters.
    const TextLayout clipped = layoutText(*f, utf8, {0, 0, 200, 20}, DT_SINGLELINE);
    EXPECT_LE(clipped.lines.at(0).text.size(), 3 * kShapingChunk);
    EXPECT_GE(clipped.lines[0].width, 200);
    const TextLayout cut = layoutText(*f, utf8, {0, 0, 200, 20}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(cut.lines.at(0).width, 200);
    EXPECT_EQ(encodeUtf8(cut.lines[0].text).substr(0, 6), "Flock ");
    EXPECT_LT(shapingCacheStats().glyphs, 5 * kShapingChunk);
    // Measuring the whole line is the sum of its pieces and matches a short text's measure per repeat.
    const int whole = measureLine(*f, longText, 0);
    EXPECT_NEAR(double(whole) / 100000.0, double(measureLine(*f, U"Flock ", 0)), 1.0);
    // The cache stays bounded.
    for (int i = 0; i < 40000; ++i) shapeText(*f, U"text " + std::u32string(1, char32_t(0x4E00 + i)), TextDirection::Auto);
    EXPECT_LE(shapingCacheStats().entries, 32768u);
}

TEST(Shaping, FontconfigModeFallsBackThroughFontconfigsOwnList) {
    FontResolver::setMode(FontLookupMode::Fontconfig);
    FontSpec serifFace;
    serifFace.family = "DejaVu Serif"; // has no Chinese, Devanagari or Thai
    const FontPtr serif = Font::create(serifFace);
    for (const char* text : {"你好", "नमस्ते", "สวัสดี"})
        for (const ShapedGlyph& g : shapeText(*serif, u(text), TextDirection::Auto)->glyphs)
            EXPECT_NE(g.index, 0u) << text;
    FontResolver::setMode(FontLookupMode::Fixed);
}
