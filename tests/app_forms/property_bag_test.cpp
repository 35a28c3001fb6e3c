// The container's property bag and the grid's load path.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/forms/controls.h"
#include "grid/lattix.h"
#include "grid/model/property_bag.h"
#include "runtime/automation_error.h"

namespace {

using lattix::Lattix;
using lattix::PropertyBag;
using lattix::Variant;

class RecordingSite : public lattix::ControlSite {
public:
    void propertyChanged(std::string_view name) override { changed.emplace_back(name); }
    std::vector<std::string> changed;
};

TEST(PropertyBag, EntriesMatchIgnoringCaseAndLaterWritesReplace) {
    PropertyBag bag;
    bag.Write("AllowSorting", Variant(true));
    bag.Write("allowsorting", Variant(false));
    EXPECT_EQ(bag.size(), 1u);
    ASSERT_NE(bag.Find("ALLOWSORTING"), nullptr);
    EXPECT_EQ(*bag.Find("AllowSorting"), Variant(false));
    EXPECT_EQ(bag.Find("MultiSelect"), nullptr);
    EXPECT_EQ(bag.Read("MultiSelect", Variant(int32_t{7})), Variant(int32_t{7}));

    bag.Write("_extentx", Variant(int32_t{24998}));
    lattix::ControlExtent extent = lattix::ReadExtent(bag);
    EXPECT_EQ(extent.width, 24998);
    EXPECT_EQ(extent.height, 0);
    // 24998 HIMETRIC = 9.84 in = 14172 twips = 945 pixels at 96 dpi.
    EXPECT_EQ(avigram::HimetricToTwips(24998), 14172);
    EXPECT_EQ(avigram::TwipsToPixels(14172), 945);
    EXPECT_EQ(avigram::TwipsToPixels(150), 10);
}

TEST(ReadProperties, AppliesEntriesThroughTheLetsWithDrawingSuspended) {
    RecordingSite site;
    Lattix::Options options;
    options.site = &site;
    auto grid = Lattix::Create(options);
    PropertyBag bag;
    bag.Write("allowsorting", Variant(false));
    bag.Write("autocolheadertexttemplate", Variant("\"\""));
    bag.Write("multiselect", Variant(true));
    const uint64_t redraws = grid->FullRedrawCount();
    lattix::ReadProperties(*grid, bag);
    EXPECT_FALSE(grid->AllowSorting());
    EXPECT_EQ(grid->AutoColHeaderTextTemplate(), "\"\"");
    EXPECT_TRUE(grid->MultiSelect());
    EXPECT_EQ(grid->BeginUpdateCount(), 0);
    EXPECT_EQ(grid->FullRedrawCount(), redraws + 1); // one deferred redraw at the end
    // Each applied entry is reported under its name, in reading order.
    auto at = [&](const char* name) { return std::find(site.changed.begin(), site.changed.end(), name); };
    ASSERT_NE(at("MultiSelect"), site.changed.end());
    EXPECT_LT(at("AllowSorting"), at("AutoColHeaderTextTemplate"));
    EXPECT_LT(at("AutoColHeaderTextTemplate"), at("MultiSelect"));

    // Entries the bag lacks get the persisted defaults.
    lattix::ReadProperties(*grid, PropertyBag{});
    EXPECT_TRUE(grid->AllowSorting());
    EXPECT_EQ(grid->AutoColHeaderTextTemplate(), "Col #");
    EXPECT_FALSE(grid->MultiSelect());
}

TEST(ReadProperties, ValueOfTheWrongKindRaisesAfterTheOthersLoad) {
    auto grid = Lattix::Create();
    PropertyBag bag;
    bag.Write("AllowSorting", Variant(false));
    bag.Write("AutoColHeaderTextTemplate", Variant("x"));
    bag.Write("MultiSelect", Variant("not a Boolean"));
    EXPECT_THROW(lattix::ReadProperties(*grid, bag), lattix::AutomationError);
    EXPECT_FALSE(grid->AllowSorting());
    EXPECT_EQ(grid->AutoColHeaderTextTemplate(), "x");
    EXPECT_FALSE(grid->MultiSelect());
    EXPECT_EQ(grid->BeginUpdateCount(), 0);
}

TEST(MultiSelect, TurningItOffKeepsTheCurrentCellSelected) {
    auto grid = Lattix::Create();
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetMultiSelect(true);
    grid->SetCurRow(2);
    grid->SetCurCol(2);
    ASSERT_TRUE(grid->Selection().contains(2, 2));
    grid->SetMultiSelect(false);
    EXPECT_FALSE(grid->MultiSelect());
    EXPECT_EQ(grid->Selection().count(), 1);
    EXPECT_TRUE(grid->Selection().contains(2, 2));
    EXPECT_TRUE(grid->Cell(2, 2).selected());
}

} // namespace
