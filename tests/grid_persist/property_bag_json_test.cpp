// Property bags kept as JSON files.
#include <cstdio>
#include <fstream>

#include "grid/model/persisted_properties.h"
#include "grid/model/property_bag_json.h"
#include "grid/objects/font_object.h"
#include "runtime/conversions.h"
#include "tests/grid_persist/persist_test_support.h"

namespace persist_test {
namespace {

using lattix::PropertyBag;

TEST(PropertyBagJsonTest, FileRoundTripGivesTheSameProperties) {
    auto a = Lattix::Create();
    a->SetColCount(2);
    a->SetLevelIndent(22);
    a->SetAutoColHeaderTextTemplate("Field #");
    a->SetBackColor(0x102030);
    auto font = lattix::FontObject::Create();
    font->SetName("Json Mono");
    font->SetItalic(true);
    a->SetFont(font);
    a->SetGridLines(1);
    const std::string path = ::testing::TempDir() + "lattix_bag.json";
    lattix::SavePropertyBagFile(path, lattix::WriteProperties(*a));

    const PropertyBag loaded = lattix::LoadPropertyBagFile(path);
    EXPECT_EQ(loaded.size(), 80u);
    EXPECT_EQ(loaded.entries().front().first, "AddRowAutoTreeButton"); // entry names as keys, in order
    auto b = Lattix::Create();
    b->SetColCount(2);
    lattix::ReadProperties(*b, loaded);
    EXPECT_EQ(lattix::PropertyBagToJson(lattix::WriteProperties(*b)),
              lattix::PropertyBagToJson(lattix::WriteProperties(*a)));
    EXPECT_EQ(b->LevelIndent(), 22);
    EXPECT_EQ(b->Font()->Name(), "Json Mono");
    EXPECT_TRUE(b->Font()->Italic());
    EXPECT_EQ(b->GridLines(), 1);
    std::remove(path.c_str());
}

TEST(PropertyBagJsonTest, UnreadableTextsAndFilesRaise) {
    for (const char* bad : {"", "[1,2]", "{\"LevelIndent\": [1]}", "{\"LevelIndent\": 3", "42",
                            // fonts the grid cannot take
                            "{\"Font\": {\"Name\": \"DejaVu Sans\", \"Size\": 0}}",
                            "{\"Font\": {\"Weight\": 4294967696}}", "{\"Font\": {\"Charset\": 70000}}"})
        EXPECT_EQ(LattixCode([&] { lattix::PropertyBagFromJson(bad); }), 514) << bad;
    try {
        lattix::LoadPropertyBagFile("/nonexistent/dir/bag.json");
        ADD_FAILURE() << "no error";
    } catch (const lattix::AutomationError& e) {
        EXPECT_EQ(e.unsignedNumber(), 0x800A004Bu);
    }
    // Values keep their kinds; names match whatever their case.
    const PropertyBag bag = lattix::PropertyBagFromJson(R"({"levelindent": 12, "Editable": false, "X": null, "Y": 1.5})");
    EXPECT_EQ(*bag.Find("LevelIndent"), Variant(int32_t{12}));
    EXPECT_EQ(*bag.Find("editable"), Variant(false));
    EXPECT_TRUE(bag.Find("X")->isEmpty());
    EXPECT_EQ(*bag.Find("Y"), Variant(1.5));
}

TEST(PropertyBagJsonTest, TextsThatAreNotUtf8AreWrittenWithReplacementCharacters) {
    PropertyBag bag;
    bag.Write("Caption", Variant(std::string("Stall \xE9 1")));
    const std::string json = lattix::PropertyBagToJson(bag);
    EXPECT_NE(json.find("Stall \xEF\xBF\xBD 1"), std::string::npos) << json;
    EXPECT_EQ(*lattix::PropertyBagFromJson(json).Find("Caption"), Variant(std::string("Stall \xEF\xBF\xBD 1")));
}

} // namespace
} // namespace persist_test
