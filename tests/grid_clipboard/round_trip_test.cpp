// Copy then paste of random blocks (texts of several scripts among them) gives identical cells,
// through the grid's own copy buffer and through the clipboard text another program would see, in
// both decimal locales; and a seeded run of random clipboard texts against the grid.
#include "clipboard_test_support.h"

#include <random>

#include "platform/ui/message_box.h"
#include "runtime/locale.h"

using namespace clipboard_test;
using lattix::Date;

namespace {

Variant RandomValue(std::mt19937& rng) {
    static const char* const pieces[] = {"a",        "Z",       " ",           "\t",
                                         "\"",       "\r\n",    "1,5",         "x\"y",
                                         "é",        "你好",    "مزرعة 3",     "e\xCC\x81", // e + combining accent
                                         "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9", // a ZWJ sequence
                                         "שלום"};
    switch (std::uniform_int_distribution<int>(0, 6)(rng)) {
    case 0: return Variant(std::uniform_int_distribution<int>(-5000000, 5000000)(rng) / 100.0);
    case 1: return Variant(int32_t{std::uniform_int_distribution<int32_t>(-2000000000, 2000000000)(rng)});
    case 2: {
        const int days = std::uniform_int_distribution<int>(1, 80000)(rng);
        const int seconds = std::uniform_int_distribution<int>(0, 2)(rng) == 0 ? std::uniform_int_distribution<int>(1, 86399)(rng) : 0;
        return Variant(Date{days + seconds / 86400.0});
    }
    case 3: return Variant(std::uniform_int_distribution<int>(0, 1)(rng) == 1);
    case 4: return Variant(std::string());
    default: {
        std::string s;
        const int n = std::uniform_int_distribution<int>(1, 5)(rng);
        for (int i = 0; i < n; ++i) s += pieces[std::uniform_int_distribution<int>(0, 13)(rng)];
        return Variant(s);
    }
    }
}

// The same kind of value with other contents: pasting must restore the source value.
Variant OtherOfSameType(const Variant& v) {
    switch (v.type()) {
    case lattix::VarType::Double: return Variant(-1.0);
    case lattix::VarType::Int32: return Variant(int32_t{-1});
    case lattix::VarType::Date: return Variant(Date{2});
    case lattix::VarType::Bool: return Variant(!v.get<bool>());
    default: return Variant(std::string("old"));
    }
}

void RoundTrip(const lattix::Locale& locale, bool throughExternalText, unsigned seed) {
    lattix::ScopedLocale scoped(locale);
    std::mt19937 rng(seed);
    for (int round = 0; round < 20; ++round) {
        const int rows = std::uniform_int_distribution<int>(1, 6)(rng);
        const int cols = std::uniform_int_distribution<int>(1, 5)(rng);
        ClipGrid g(cols * 2, rows);
        g->SetMultiSelect(true);
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c) {
                const Variant v = RandomValue(rng);
                g.Set(r, c, v);
                g.Set(r, c + cols, OtherOfSameType(v));
                g.Select(r, c);
            }
        g->CopySelectedCells(false);
        if (throughExternalText) g.ExternalClipboard(g.ClipboardText());
        g->ClearSelection(); // a single cell then goes to the current cell alone
        g->SetCurCell(Variant(1), Variant(cols + 1));
        g->PasteFromClipboard();
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c)
                ASSERT_EQ(g.Get(r, c + cols), g.Get(r, c))
                    << "round " << round << " cell " << r << "," << c << " text [" << g.Text(r, c) << "]";
        ASSERT_TRUE(g.host.MessageBoxesShown().empty()) << g.host.MessageBoxesShown()[0].request.text;
    }
}

} // namespace

TEST(ClipboardRoundTrip, OwnBufferPointLocale) { RoundTrip(lattix::Locale::invariant(), false, 1); }
TEST(ClipboardRoundTrip, OwnBufferCommaLocale) { RoundTrip(lattix::Locale::decimalComma(), false, 2); }
TEST(ClipboardRoundTrip, ExternalTextPointLocale) { RoundTrip(lattix::Locale::invariant(), true, 3); }
TEST(ClipboardRoundTrip, ExternalTextCommaLocale) { RoundTrip(lattix::Locale::decimalComma(), true, 4); }

// Random clipboard texts pasted into a small typed grid: the grid stays consistent, and a paste that
// is refused (the too-small question answered No) changes no cell.
TEST(ClipboardRoundTrip, SeededRandomPastesNeverCorruptTheGrid) {
    std::mt19937 rng(1616);
    const char alphabet[] = {'\t', '"', '\r', '\n', '1', '.', 'a', ' ', '\0'};
    ClipGrid g(4, 4);
    auto reset = [&] {
        for (int r = 1; r <= 4; ++r) {
            g.Set(r, 1, Variant(int32_t{r}));
            g.Set(r, 2, Variant(std::string("s")));
            g.Set(r, 3, Variant(Date{100.0 + r}));
            g.Set(r, 4, Variant(true));
        }
    };
    g->SetSilentValidation(true);
    for (int n = 0; n < 3000; ++n) {
        reset();
        std::string text;
        const int len = std::uniform_int_distribution<int>(0, 20)(rng);
        for (int i = 0; i < len; ++i) text.push_back(alphabet[std::uniform_int_distribution<int>(0, 8)(rng)]);
        g.ExternalClipboard(text);
        g->SetCurCell(Variant(std::uniform_int_distribution<int>(1, 4)(rng)), Variant(std::uniform_int_distribution<int>(1, 4)(rng)));
        std::vector<Variant> before;
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 4; ++c) before.push_back(g.Get(r, c));
        const size_t asked = g.host.MessageBoxesShown().size();
        g.host.Backend().ClearScript();
        g.host.AnswerNextMessageBox(lattix::ui::IDNO);
        g->PasteFromClipboard();
        if (g.host.MessageBoxesShown().size() > asked) {
            size_t k = 0;
            for (int r = 1; r <= 4; ++r)
                for (int c = 1; c <= 4; ++c) ASSERT_EQ(g.Get(r, c), before[k++]) << "refused paste " << n;
        }
        ASSERT_EQ(g->RowCount(), 4);
    }
}
