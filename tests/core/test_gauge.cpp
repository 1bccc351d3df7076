// The gauge's clamping, percentage and repaint rules.
#include "Recorders.h"
#include <gtest/gtest.h>

TEST(GaugeRules, ClampsAndShowsTruncatedPercent)
{
    RecordingGauge g;
    EXPECT_EQ(g.maximum(), 100);
    g.setMaximum(3);
    struct Case { int position; int shown; int percent; } cases[] = {
        {-5, 0, 0}, {1, 1, 33}, {2, 2, 66}, {3, 3, 100}, {9, 3, 100}};
    for (const Case& c : cases) {
        g.setPosition(c.position);
        EXPECT_EQ(g.position(), c.shown) << c.position;
        EXPECT_EQ(g.percent(), c.percent) << c.position;
    }
    g.setMaximum(0);
    EXPECT_EQ(g.position(), 0) << "a maximum below the position lowers it";
    EXPECT_EQ(g.percent(), 0);
    g.stepBy(1);
    EXPECT_EQ(g.position(), 0);
}

TEST(GaugeRules, RepaintsOnlyWhenTheShownPercentChangesButAlwaysOnAStep)
{
    RecordingGauge g;
    g.setMaximum(1000);
    g.repaints = 0;
    g.setPosition(5);  // 0 % still
    EXPECT_EQ(g.repaints, 0);
    g.setPosition(10);  // 1 %
    EXPECT_EQ(g.repaints, 1);
    g.stepBy(1);  // still 1 %, but a step always repaints
    EXPECT_EQ(g.repaints, 2);
    g.setMaximum(200000000);
    g.setPosition(199999999);
    EXPECT_EQ(g.percent(), 99) << "no overflow for large counts";
}
