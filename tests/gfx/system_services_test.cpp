#include "platform/gfx/system_colors.h"
#include "platform/gfx/system_metrics.h"

#include <gtest/gtest.h>

using namespace lattix::gfx;

TEST(SystemColors, ClassicDefaultsOverridesAndTranslation) {
    SystemColors& table = systemColors();
    EXPECT_EQ(table.get(COLOR_WINDOW), rgb(255, 255, 255));
    EXPECT_EQ(table.get(COLOR_WINDOWTEXT), rgb(0, 0, 0));
    EXPECT_EQ(table.get(COLOR_BTNFACE), 0x00C8D0D4u);
    EXPECT_EQ(table.get(COLOR_GRAYTEXT), rgb(128, 128, 128));
    EXPECT_EQ(table.get(COLOR_HIGHLIGHTTEXT), rgb(255, 255, 255));
    EXPECT_EQ(table.get(COLOR_MENUBAR), table.get(COLOR_BTNFACE));
    EXPECT_THROW(table.get(31), std::out_of_range);
    EXPECT_THROW(table.set(-1, 0), std::out_of_range);

    EXPECT_EQ(table.translate(0x00123456u), 0x00123456u);
    EXPECT_EQ(table.translate(0x8000000Fu), table.get(COLOR_BTNFACE));
    EXPECT_EQ(table.translate(0x80000011u), table.get(COLOR_GRAYTEXT));
    EXPECT_FALSE(table.translate(0xFFFFFFFFu)); // -1, "not set"
    EXPECT_FALSE(table.translate(0x8000001Fu));
    EXPECT_FALSE(table.translate(0x01000000u));

    table.set(COLOR_HIGHLIGHT, rgb(1, 2, 3));
    EXPECT_EQ(sysColor(COLOR_HIGHLIGHT), rgb(1, 2, 3));
    EXPECT_EQ(table.translate(0x8000000Du), rgb(1, 2, 3));
    table.resetToDefaults();
    EXPECT_EQ(sysColor(COLOR_HIGHLIGHT), rgb(10, 36, 106));
}

TEST(SystemMetrics, ClassicDefaultsAndDpiScaling) {
    SystemMetrics m;
    EXPECT_EQ(m.verticalScrollBarWidth, 17);
    EXPECT_EQ(m.checkBoxSize, 13);
    EXPECT_EQ(m.doubleClickTimeMs, 500);
    EXPECT_EQ(m.doubleClickWidth, 4);
    EXPECT_EQ(systemMetrics(), m);
    SystemMetrics big = SystemMetrics::forDpi(144);
    EXPECT_EQ(big.dpi, 144);
    EXPECT_EQ(big.verticalScrollBarWidth, 26); // 25.5 rounded half to even
    EXPECT_EQ(big.checkBoxSize, 20);           // 19.5
    EXPECT_EQ(big.doubleClickTimeMs, 500);
    EXPECT_EQ(SystemMetrics::forDpi(96), m);
    EXPECT_THROW(SystemMetrics::forDpi(0), std::invalid_argument);
}
