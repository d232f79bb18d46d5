#include "textio/side_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "solver/side_grid.h"

namespace varnel {
namespace {

// Every side of a board has a distinct usual name that reads back as that side, and each of its
// names as a side of a cell beside it reads back the same.
TEST(SideNames, EverySideAndPointRoundTrips) {
    const int32_t w = 4;
    const int32_t h = 3;
    std::set<std::string> names;
    for (int32_t side = 0; side < sideCount(w, h); ++side) {
        const std::string name = sideName(w, h, side);
        EXPECT_TRUE(names.insert(name).second) << name;
        NamedPlace place;
        std::string error;
        ASSERT_TRUE(readPlaceName(name, w, h, place, error)) << name << ": " << error;
        EXPECT_EQ(place.kind, PlaceKind::SIDE);
        EXPECT_EQ(place.side, side) << name;
    }
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            for (int d = 0; d < 4; ++d) {
                const int32_t side = cellSide(w, h, x, y, static_cast<Direction>(d));
                NamedPlace place;
                std::string error;
                ASSERT_TRUE(readPlaceName(sideNameFrom(w, h, side, x, y), w, h, place, error));
                EXPECT_EQ(place.side, side);
            }
        }
    }
    for (int32_t py = 0; py <= h; ++py) {
        for (int32_t px = 0; px <= w; ++px) {
            NamedPlace place;
            std::string error;
            ASSERT_TRUE(readPlaceName(pointName(w, h, px, py), w, h, place, error));
            EXPECT_EQ(place.kind, PlaceKind::POINT);
            EXPECT_EQ(place.x, px);
            EXPECT_EQ(place.y, py);
        }
    }
}

// The names of the worked example: a 10 x 10 board's corners and edges, and both names of a side
// between two cells.
TEST(SideNames, NamesAsPlayersReadThem) {
    EXPECT_EQ(cellName(4, 2), "r3c5");
    EXPECT_EQ(sideName(10, 10, horizontalSide(10, 4, 2)), "r3c5 top");
    EXPECT_EQ(sideName(10, 10, horizontalSide(10, 4, 10)), "r10c5 bottom");
    EXPECT_EQ(sideName(10, 10, verticalSide(10, 10, 10, 0)), "r1c10 right");
    EXPECT_EQ(sideNameFrom(10, 10, horizontalSide(10, 4, 2), 4, 1), "r2c5 bottom");
    EXPECT_EQ(pointName(10, 10, 10, 10), "r10c10 bottom-right");
    EXPECT_EQ(pointName(10, 10, 0, 10), "r10c1 bottom-left");
    NamedPlace a;
    NamedPlace b;
    std::string error;
    ASSERT_TRUE(readPlaceName("r3c5 top", 10, 10, a, error));
    ASSERT_TRUE(readPlaceName("R2C5  Bottom", 10, 10, b, error));
    EXPECT_EQ(a.side, b.side);
    ASSERT_TRUE(readPlaceName("r2c4 bottom-right", 10, 10, a, error));
    ASSERT_TRUE(readPlaceName("r3c5 top-left", 10, 10, b, error));
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
}

TEST(SideNames, RefusesWhatIsNotOnTheBoard) {
    NamedPlace place;
    std::string error;
    for (const char* bad : {"", "r0c1", "r11c1", "r1c11", "r3", "c5", "r3c5top", "r3c5 up",
                            "r3c5 top left", "r99999999999999999999c1", "x3c5"}) {
        EXPECT_FALSE(readPlaceName(bad, 10, 10, place, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    EXPECT_FALSE(readPlaceName("r11c1", 10, 10, place, error));
    EXPECT_NE(error.find("row 11"), std::string::npos) << error;
}

// The loop of a colouring: a side is on exactly where the cells beside it differ.
TEST(SideGrid, SidesOfColoursFollowTheCells) {
    // A 3 x 2 board with the middle column inside: its loop is the 1 x 2 rectangle around it.
    const uint8_t inside[6] = {0, 1, 0, 0, 1, 0};
    const auto sides = sidesOfColours(inside, 3, 2);
    int32_t on = 0;
    for (const SideState s : sides)
        on += s == SideState::ON;
    EXPECT_EQ(on, 6);
    EXPECT_EQ(sides[horizontalSide(3, 1, 0)], SideState::ON);
    EXPECT_EQ(sides[horizontalSide(3, 1, 1)], SideState::OFF);
    EXPECT_EQ(sides[verticalSide(3, 2, 1, 1)], SideState::ON);
    EXPECT_EQ(sides[verticalSide(3, 2, 3, 0)], SideState::OFF);
    EXPECT_EQ(pointSide(3, 2, 0, 0, TOP), NO_SIDE);
    EXPECT_EQ(pointSide(3, 2, 1, 1, TOP), verticalSide(3, 2, 1, 0));
}

}  // namespace
}  // namespace varnel
