// SPDX-License-Identifier: GPL-3.0-or-later
#include "autopilot/GuidePlacement.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const GuideRect kScreen{0, 0, 1920, 1080};
const GuideRect kLeftScreen{-1280, 0, 0, 1024};
const GuideRect kMainClient{100, 50, 900, 650};
const GuideSize kGuideSize{200, 150};

} // namespace

TEST(GuidePlacement, FirstShowingPutsTheGuideAtTheBottomRightOfTheMainWindow) {
    EXPECT_EQ(placeGuideWindow({}, kMainClient, kGuideSize, {kScreen}), (GuideRect{700, 500, 900, 650}));
    // A rectangle turned inside out by a damaged file counts as none.
    EXPECT_EQ(placeGuideWindow({300, 300, 100, 400}, kMainClient, kGuideSize, {kScreen}),
              (GuideRect{700, 500, 900, 650}));
    // A window not laid out yet reports no size, or a negative one: it takes none.
    for (const GuideSize unsized : {GuideSize{0, 0}, GuideSize{-5, -5}}) {
        EXPECT_EQ(placeGuideWindow({}, kMainClient, unsized, {kScreen}), (GuideRect{900, 650, 900, 650}));
    }
}

TEST(GuidePlacement, StoredRectangleIsUsedWhereverTheMainWindowIsNow) {
    const GuideRect stored{40, 60, 250, 230};
    EXPECT_EQ(placeGuideWindow(stored, kMainClient, kGuideSize, {kScreen}), stored);
    EXPECT_EQ(placeGuideWindow(stored, {1000, 400, 1800, 1000}, kGuideSize, {kScreen}), stored);
    const GuideRect onLeftScreen{-900, 100, -700, 250};
    EXPECT_EQ(placeGuideWindow(onLeftScreen, kMainClient, kGuideSize, {kScreen, kLeftScreen}), onLeftScreen);
}

TEST(GuidePlacement, RectangleNoLongerOnAnyScreenComesBackOntoTheNearest) {
    // The left monitor has gone.
    EXPECT_EQ(bringOntoScreen({-900, 100, -700, 250}, {kScreen}), (GuideRect{0, 100, 200, 250}));
    // Far below and to the right of two side-by-side screens: onto the right one, at its corner.
    EXPECT_EQ(bringOntoScreen({5000, 3000, 5200, 3150}, {kLeftScreen, kScreen}), (GuideRect{1720, 930, 1920, 1080}));
    // Half over the edge: fully onto the screen it mostly covers.
    EXPECT_EQ(bringOntoScreen({1850, 1000, 2050, 1150}, {kScreen}), (GuideRect{1720, 930, 1920, 1080}));
    EXPECT_EQ(bringOntoScreen({-50, 200, 150, 350}, {kLeftScreen, kScreen}), (GuideRect{0, 200, 200, 350}));
}

TEST(GuidePlacement, RectangleBiggerThanTheScreenIsShrunkToIt) {
    EXPECT_EQ(bringOntoScreen({-10, -10, 3000, 2000}, {kScreen}), kScreen);
}

TEST(GuidePlacement, ExtremeStoredEdgesStayWithinTheScreen) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(bringOntoScreen({kMin, kMin, kMax, kMax}, {kScreen}), kScreen);
    EXPECT_EQ(bringOntoScreen({kMax - 100, kMax - 100, kMax, kMax}, {kScreen}), (GuideRect{1820, 980, 1920, 1080}));
}

TEST(GuidePlacement, WithoutUsableScreensTheRectangleIsKept) {
    EXPECT_EQ(bringOntoScreen({5000, 5000, 5200, 5150}, {}), (GuideRect{5000, 5000, 5200, 5150}));
    EXPECT_EQ(bringOntoScreen({5000, 5000, 5200, 5150}, {GuideRect{}}), (GuideRect{5000, 5000, 5200, 5150}));
}
