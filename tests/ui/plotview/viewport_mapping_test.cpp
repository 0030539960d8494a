// A view range maps onto the plot area's pixels with t0 at the left edge, t1 at the right, v0
// at the bottom and v1 at the top, and back again; a reversed range mirrors its axis; a range
// of zero span (one reading, a flat signal) lands in the middle of its axis instead of at an
// infinity; an area of zero size maps back to the range's start.
#include "ui/plotview/viewport.h"

#include <gtest/gtest.h>

namespace photara {
namespace {

// The plot area: 200 x 100 pixels, its top left corner at (10, 20).
constexpr double kLeft = 10, kTop = 20, kWidth = 200, kHeight = 100;

struct MappingCase {
    const char* name;
    ViewRange view;
    double t, v;  // a point of data
    double x, y;  // where it lands
};

class ViewMappingTest : public testing::TestWithParam<MappingCase> {};

TEST_P(ViewMappingTest, PutsDataOnItsPixelAndBack) {
    const MappingCase& c = GetParam();
    const ViewMapping mapping(c.view, kLeft, kTop, kWidth, kHeight);
    EXPECT_DOUBLE_EQ(mapping.x(c.t), c.x);
    EXPECT_DOUBLE_EQ(mapping.y(c.v), c.y);
    if (c.view.t1 != c.view.t0) {
        EXPECT_DOUBLE_EQ(mapping.t(c.x), c.t);
    }
    if (c.view.v1 != c.view.v0) {
        EXPECT_DOUBLE_EQ(mapping.v(c.y), c.v);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Points, ViewMappingTest,
    testing::Values(MappingCase{"BottomLeft", {0, 10, 0, 5}, 0, 0, 10, 120},
                    MappingCase{"TopRight", {0, 10, 0, 5}, 10, 5, 210, 20},
                    MappingCase{"TopLeft", {0, 10, 0, 5}, 0, 5, 10, 20},
                    MappingCase{"Middle", {0, 10, 0, 5}, 5, 2.5, 110, 70},
                    MappingCase{"OffsetRange", {100, 300, -50, 50}, 150, 25, 60, 45},
                    MappingCase{"BeyondTheRange", {0, 10, 0, 5}, 15, -5, 310, 220},
                    MappingCase{"ReversedTimeMirrors", {10, 0, 0, 5}, 10, 0, 10, 120},
                    MappingCase{"ReversedValueMirrors", {0, 10, 5, 0}, 10, 0, 210, 20},
                    MappingCase{"ZeroTimeSpanInTheMiddle", {3, 3, 0, 5}, 3, 5, 110, 20},
                    MappingCase{"ZeroValueSpanInTheMiddle", {0, 10, 7, 7}, 0, 7, 10, 70},
                    MappingCase{"ZeroSpanAwayFromIt", {3, 3, 7, 7}, 4, 8, 110, 70}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ViewMappingTest, AnAreaOfZeroSizeMapsBackToTheRangesStart) {
    const ViewMapping mapping({2, 4, 6, 8}, kLeft, kTop, 0, 0);
    EXPECT_DOUBLE_EQ(mapping.t(50), 2);
    EXPECT_DOUBLE_EQ(mapping.v(50), 6);
}

}  // namespace
}  // namespace photara
