// The persisted properties: defaults of a new control, loading and saving the bag.
#include <map>
#include <random>

#include "grid/model/persisted_properties.h"
#include "grid/objects/font_object.h"
#include "runtime/conversions.h"
#include "tests/grid_persist/persist_test_support.h"

namespace persist_test {
namespace {

using lattix::PersistedKind;
using lattix::PersistedProperties;
using lattix::PropertyBag;
using lattix::PropertyLoadFailure;

class RecordingSite : public lattix::ControlSite {
public:
    void propertyChanged(std::string_view name) override { changed.emplace_back(name); }
    std::vector<std::string> changed;
};

Variant Saved(Lattix& g, const char* name) {
    const PropertyBag bag = lattix::WriteProperties(g);
    const Variant* v = bag.Find(name);
    return v ? *v : Variant("<missing>");
}

// A comparable text of a saved value (fonts by their description).
std::string Text(const Variant& v) {
    if (v.isObject()) {
        auto f = lattix::FontFromVariant(v);
        return f ? "font:" + f->Name() + ":" + std::to_string(f->Size().scaled) + ":" + std::to_string(f->Weight()) : "nothing";
    }
    // Published getters may hand back a narrower integer type than the bag entry held: compare values.
    return lattix::ToString(v);
}

std::map<std::string, std::string> Snapshot(Lattix& g) {
    std::map<std::string, std::string> out;
    const PropertyBag bag = lattix::WriteProperties(g);
    for (const auto& [name, value] : bag.entries()) out[name] = Text(value);
    return out;
}

TEST(PersistedPropertiesTest, TableHasEightyEntriesInReadingOrder) {
    const auto table = PersistedProperties();
    ASSERT_EQ(table.size(), 80u);
    EXPECT_STREQ(table.front().name, "AddRowAutoTreeButton");
    EXPECT_STREQ(table[78].name, "Font");
    EXPECT_STREQ(table[79].name, "BackgroundPicture");
    auto g = Lattix::Create();
    const PropertyBag bag = lattix::WriteProperties(*g);
    ASSERT_EQ(bag.size(), 80u);
    for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(bag.entries()[i].first, table[i].name);
}

TEST(PersistedPropertiesTest, NewControlDefaults) {
    RecordingSite site;
    Lattix::Options o;
    o.site = &site;
    auto g = Lattix::Create(o);
    auto ambient = lattix::FontObject::Create();
    ambient->SetName("Ambient Sans");
    lattix::InitialiseProperties(*g, ambient);
    EXPECT_EQ(g->BeginUpdateCount(), 0);
    EXPECT_EQ(g->MemMngWantFreeRows(), 100);
    EXPECT_EQ(g->LevelIndent(), 16);
    EXPECT_EQ(g->TreeButtonSize(), 9);
    EXPECT_EQ(g->AutoColHeaderTextTemplate(), "Col #");
    EXPECT_FALSE(g->AddRowAutoTreeButton());
    EXPECT_EQ(g->Font()->Name(), "Ambient Sans");
    EXPECT_NE(g->Font(), ambient); // a copy, not the container's object
    for (const char* n : {"GridLines", "BorderType"}) EXPECT_EQ(lattix::ToInt32(Saved(*g, n)), 3) << n;
    EXPECT_EQ(lattix::ToInt32(Saved(*g, "KeyPressBehaviour")), 2);
    EXPECT_EQ(lattix::ToInt32(Saved(*g, "ToolTipVisibleTime")), 20000);
    EXPECT_EQ(lattix::ToInt32(Saved(*g, "SelectionAlphaBlend")), 255);
    EXPECT_EQ(static_cast<uint32_t>(lattix::ToInt32(Saved(*g, "HighlightBackColor"))), 0x8000000Du);
    // Applied in alphabetical order; AddRowAutoTreeButton is left alone. (A let that finds its value
    // already in place does not report a change.)
    ASSERT_GT(site.changed.size(), 60u);
    EXPECT_EQ(site.changed.front(), "AllowGrouping");
    EXPECT_EQ(std::count(site.changed.begin(), site.changed.end(), "AddRowAutoTreeButton"), 0);
    EXPECT_TRUE(std::is_sorted(site.changed.begin(), site.changed.end(), [](const std::string& a, const std::string& b) {
        return lattix::AsciiLower(a) < lattix::AsciiLower(b);
    }));

    // A control loaded from a bag without the entry gets True.
    std::vector<PropertyLoadFailure> failures;
    lattix::ReadProperties(*g, PropertyBag{}, failures);
    EXPECT_TRUE(failures.empty());
    EXPECT_TRUE(g->AddRowAutoTreeButton());
}

// A value other than the default for every entry.
PropertyBag NonDefaultBag() {
    PropertyBag bag;
    const std::map<std::string, int32_t> numbers = {
        {"BackColorOddRows", 0x00FF00}, {"BackColorEvenRows", 0x0000FF}, {"BorderType", 1}, {"CellCheckGap", 5},
        {"CellIconGap", 4}, {"FrozenCols", 1}, {"FrozenColsEdgeWidth", 3}, {"GridLines", 1}, {"GridLinesExtend", 1},
        {"GridLineThicknessH", 2}, {"GridLineThicknessV", 2}, {"KeyPressBehaviour", 1}, {"LevelIndent", 20},
        {"MemMngWantFreeRows", 50}, {"OLEDropMode", 1}, {"ScrollBarStyle", 1}, {"SelectionAlphaBlend", 128},
        {"StoreInitRowNumbers", 1}, {"TreeButtonSize", 11}, {"TreeCol", 1}, {"TreeLines", 1},
        {"ToolTipDelayTime", 500}, {"ToolTipVisibleTime", 3000}};
    for (const auto& p : PersistedProperties()) {
        switch (p.kind) {
        case PersistedKind::Boolean: bag.Write(p.name, Variant(!lattix::ToBool(p.defaultValue))); break;
        case PersistedKind::Colour: bag.Write(p.name, Variant(int32_t{0x123456})); break;
        case PersistedKind::Number:
        case PersistedKind::Byte: bag.Write(p.name, Variant(numbers.at(p.name))); break;
        case PersistedKind::String: bag.Write(p.name, Variant("Column #")); break;
        case PersistedKind::Font: {
            auto f = lattix::FontObject::Create();
            f->SetName("Bag Serif");
            f->SetBold(true);
            bag.Write(p.name, Variant(std::static_pointer_cast<lattix::AutomationObject>(f)));
            break;
        }
        case PersistedKind::Picture: break;
        }
    }
    return bag;
}

TEST(PersistedPropertiesTest, EverySavedEntryLoadsBackToTheSameProperties) {
    const PropertyBag input = NonDefaultBag();
    auto a = Lattix::Create();
    a->SetColCount(3);
    std::vector<PropertyLoadFailure> failures;
    lattix::ReadProperties(*a, input, failures);
    for (const auto& f : failures) ADD_FAILURE() << f.name << ": " << f.description;
    const auto saved = Snapshot(*a);
    for (const auto& [name, value] : input.entries()) EXPECT_EQ(saved.at(name), Text(value)) << name;

    auto b = Lattix::Create();
    b->SetColCount(3);
    lattix::ReadProperties(*b, lattix::WriteProperties(*a), failures);
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(Snapshot(*b), saved);

    // A bag with entries missing gives their defaults.
    lattix::ReadProperties(*b, PropertyBag{}, failures);
    EXPECT_TRUE(failures.empty());
    auto fresh = Lattix::Create();
    lattix::ReadProperties(*fresh, PropertyBag{}, failures);
    auto defaults = Snapshot(*fresh);
    auto loaded = Snapshot(*b);
    defaults.erase("Font"); // a bag without a font keeps the grid's font
    loaded.erase("Font");
    EXPECT_EQ(loaded, defaults);
}

TEST(PersistedPropertiesTest, BadValueIsReportedAndTheRestStillLoads) {
    RecordingSite site;
    Lattix::Options o;
    o.site = &site;
    auto g = Lattix::Create(o);
    PropertyBag bag;
    bag.Write("LevelIndent", Variant(int32_t{24}));
    bag.Write("MultiSelect", Variant("not a Boolean"));
    bag.Write("SelectionAlphaBlend", Variant(int32_t{300}));
    bag.Write("TreeButtonSize", Variant(int32_t{13}));
    std::vector<PropertyLoadFailure> failures;
    lattix::ReadProperties(*g, bag, failures);
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].name, "MultiSelect");
    EXPECT_EQ(failures[1].name, "SelectionAlphaBlend");
    EXPECT_EQ(failures[1].number, 0x80040000u + 514);
    EXPECT_EQ(g->LevelIndent(), 24);
    EXPECT_EQ(g->TreeButtonSize(), 13);
    EXPECT_EQ(lattix::ToInt32(Saved(*g, "SelectionAlphaBlend")), 255);
    EXPECT_EQ(g->BeginUpdateCount(), 0); // drawing is not left suspended
    EXPECT_EQ(std::count(site.changed.begin(), site.changed.end(), "MultiSelect"), 0);
    EXPECT_EQ(std::count(site.changed.begin(), site.changed.end(), "LevelIndent"), 1);

    // The raising form loads the rest too, then raises the first refusal.
    auto h = Lattix::Create();
    EXPECT_THROW(lattix::ReadProperties(*h, bag), lattix::AutomationError);
    EXPECT_EQ(h->LevelIndent(), 24);
    EXPECT_EQ(h->BeginUpdateCount(), 0);
}

TEST(PersistedPropertiesTest, SuspensionIsRestoredWhenALoadIsAbandoned) {
    auto g = Lattix::Create();
    g->BeginUpdate();
    PropertyBag bag;
    bag.Write("Font", Variant(int32_t{5})); // not an object: the font's set raises a type mismatch
    std::vector<PropertyLoadFailure> failures;
    lattix::ReadProperties(*g, bag, failures);
    EXPECT_EQ(failures.size(), 1u);
    EXPECT_EQ(g->BeginUpdateCount(), 1); // the host's own suspension stays, the load's is gone
    g->EndUpdate();
}

// Random bags: whatever the values, the load finishes with drawing resumed, and every entry that
// was refused leaves its property as it was.
TEST(PersistedPropertiesRandomTest, RefusedEntriesChangeNothing) {
    std::mt19937 rng(1209);
    const auto table = PersistedProperties();
    auto g = Lattix::Create();
    g->SetColCount(4);
    for (int i = 0; i < 1500; ++i) {
        PropertyBag bag;
        const int n = static_cast<int>(rng() % 6);
        for (int k = 0; k < n; ++k) {
            const auto& p = table[rng() % table.size()];
            switch (rng() % 5) {
            case 0: bag.Write(p.name, Variant(static_cast<int32_t>(rng() % 600) - 100)); break;
            case 1: bag.Write(p.name, Variant((rng() & 1) != 0)); break;
            case 2: bag.Write(p.name, Variant("text")); break;
            case 3: bag.Write(p.name, Variant(std::to_string(rng() % 40))); break;
            default: bag.Write(p.name, Variant(static_cast<double>(rng() % 1000) / 7.0)); break;
            }
        }
        const auto before = Snapshot(*g);
        std::vector<PropertyLoadFailure> failures;
        lattix::ReadProperties(*g, bag, failures);
        ASSERT_EQ(g->BeginUpdateCount(), 0);
        const auto after = Snapshot(*g);
        for (const auto& f : failures) ASSERT_EQ(after.at(f.name), before.at(f.name)) << f.name;
    }
}

} // namespace
} // namespace persist_test
