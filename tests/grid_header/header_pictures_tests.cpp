// Pictures of the grid's header bar: icons, multi-line titles, sort triangles and numbers, hot
// and pressed items, in the themed and the classic look.
#include "grid/objects/sort_group_object.h"
#include "grid/view/image_list_object.h"
#include "platform/gfx/image_list.h"
#include "tests/grid_header/grid_chrome_support.h"
#include "tests/picture_check.h"

namespace chrome_test {
namespace {

namespace ui = lattix::ui;

std::shared_ptr<lattix::gfx::ImageList> Icons() {
    auto list = std::make_shared<lattix::gfx::ImageList>(16, 16);
    for (int k = 0; k < 2; ++k) {
        std::vector<std::uint32_t> px(256, 0);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                bool in = k == 0 ? (x - 7.5) * (x - 7.5) + (y - 7.5) * (y - 7.5) < 42 : (x + y >= 8 && x + y <= 22 && x - y <= 7 && y - x <= 7);
                if (in) px[static_cast<size_t>(y * 16 + x)] = k == 0 ? 0xFF3465A4u : 0xFFC4A000u;
            }
        list->addPixels(px, 16, 16, 16);
    }
    return list;
}

// Four columns: an icon and a title; two lines; sorted first (descending); sorted second
// (ascending) with an icon. `pointer` is where the mouse rests, `press` holds the button there.
lattix::gfx::Bitmap HeaderPicture(bool themed, int pointerX, bool press) {
    ChromeGrid g(420, 60, 4, 3);
    if (!themed) {
        g->SetUseXPStyles(false);
        g->Header()->Set(lattix::HeaderObject::Field::UseXPStyles, 0);
    }
    g->Header()->SetImageList(Variant(lattix::ObjectRef(lattix::ImageListObject::Create(Icons()))));
    g->SetColHeaderText(Variant(1), "Flock");
    g->SetColHeaderIcon(Variant(1), 1);
    g->SetColHeaderText(Variant(2), "Live weight\n(kg)");
    g->SetColHeaderAlignH(Variant(2), 1);
    g->SetColHeaderText(Variant(3), "Age");
    g->SetColHeaderText(Variant(4), "Sex");
    g->SetColHeaderIcon(Variant(4), 2);
    g->SetColWidths(105);
    g->SetCellValue(Variant(1), Variant(3), Variant(30));
    g->SetCellValue(Variant(1), Variant(4), Variant("M"));
    g->SortObject()->AddItem(Variant(3), 1);
    g->SortObject()->AddItem(Variant(4), 0);
    g->Sort();
    g->Header()->AutoHeight();
    g.host.MouseMove(pointerX, 10);
    if (press) g.host.MouseDown(pointerX, 10);
    lattix::gfx::Bitmap b = ui::Wm().RenderWindow(g.HeaderHwnd());
    if (press) g.host.MouseUp(pointerX, 10);
    return b;
}

TEST(HeaderPictures, ThemedHeaderWithIconsLinesSortInfoAndHotItem) {
    EXPECT_TRUE(lattix::test::MatchesReference(HeaderPicture(true, 150, false), "tests/grid_header/reference/header_themed_hot.png"));
}

TEST(HeaderPictures, ThemedHeaderWithPressedItem) {
    EXPECT_TRUE(lattix::test::MatchesReference(HeaderPicture(true, 250, true), "tests/grid_header/reference/header_themed_pressed.png"));
}

TEST(HeaderPictures, ClassicHeaderHotAndPressed) {
    EXPECT_TRUE(lattix::test::MatchesReference(HeaderPicture(false, 150, false), "tests/grid_header/reference/header_classic_hot.png"));
    EXPECT_TRUE(lattix::test::MatchesReference(HeaderPicture(false, 360, true), "tests/grid_header/reference/header_classic_pressed.png"));
}

} // namespace
} // namespace chrome_test
