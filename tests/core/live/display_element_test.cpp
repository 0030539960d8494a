#include "core/live/display_element.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

namespace photara {
namespace {

TEST(DisplayElement, EveryNameIsUniqueAndFindsItsElement) {
    std::set<std::string> seen;
    for (std::size_t i = 0; i < kElementCount; ++i) {
        const auto e = static_cast<Element>(i);
        const std::string name(elementName(e));
        EXPECT_TRUE(seen.insert(name).second) << name;
        EXPECT_EQ(elementByName(name), e) << name;
    }
    EXPECT_EQ(elementByName("NoSuchElement"), std::nullopt);
}

// Whole rows of the display's design, written out as the meter's front is laid out (twips):
// a wrong place, size, font or alignment in the table shows up here, not only on screen.
struct DesignRow {
    Element element;
    ElementKind kind;
    int left, top, width, height;
    const char* caption;
    double points;
    Alignment alignment;
};

void PrintTo(const DesignRow& row, std::ostream* os) {
    *os << elementName(row.element);
}

class DesignTable : public ::testing::TestWithParam<DesignRow> {};

TEST_P(DesignTable, RowAsDesigned) {
    const DesignRow& r = GetParam();
    const ElementDesign& d = design(r.element);
    EXPECT_EQ(d.kind, r.kind);
    EXPECT_EQ(d.left, r.left);
    EXPECT_EQ(d.top, r.top);
    EXPECT_EQ(d.width, r.width);
    EXPECT_EQ(d.height, r.height);
    EXPECT_EQ(d.caption, r.caption);
    if (r.kind == ElementKind::Label) {
        EXPECT_DOUBLE_EQ(d.fontPoints, r.points);
        EXPECT_EQ(d.alignment, r.alignment);
    }
}

constexpr auto L = ElementKind::Label;
constexpr auto I = ElementKind::Image;
constexpr auto C = Alignment::Centre;
constexpr auto R = Alignment::Right;
INSTANTIATE_TEST_SUITE_P(
    Rows, DesignTable,
    ::testing::Values(DesignRow{Element::ImaAPO, I, 240, 720, 480, 480, "", 0, C},
                      DesignRow{Element::LblPK, L, 1560, 720, 465, 360, "PK", 14.25, C},
                      DesignRow{Element::LblACC, L, 6600, 720, 735, 375, "ACC", 14.25, C},
                      DesignRow{Element::ImgDown, I, 360, 2040, 480, 480, "", 0, C},
                      DesignRow{Element::LblB, L, 720, 2160, 735, 615, "B", 27.75, C},
                      DesignRow{Element::LblSeg1, L, 1560, 1200, 855, 1455, "0", 60, C},
                      DesignRow{Element::LblSeg4, L, 4800, 1200, 855, 1455, "0", 60, C},
                      DesignRow{Element::LblP3, L, 4560, 960, 375, 1455, ".", 72, R},
                      DesignRow{Element::Lbl2, L, 6840, 1320, 255, 255, "2", 8.25, C},
                      DesignRow{Element::Lblh3, L, 6720, 2040, 375, 375, ".h", 14.25, C},
                      DesignRow{Element::ImaS6, I, 360, 2520, 480, 480, "", 0, C},
                      DesignRow{Element::LblTH, L, 5160, 2640, 615, 375, "T-H", 14.25, C},
                      DesignRow{Element::ImaDelta, I, 3480, 3120, 480, 480, "", 0, C},
                      DesignRow{Element::LblUSB, L, 6480, 3120, 735, 375, "USB", 14.25, C},
                      DesignRow{Element::LblCycle, L, 240, 3600, 1095, 375, "CYCLE", 14.25, C},
                      DesignRow{Element::LblAMRR, L, 2400, 3600, 375, 375, "R", 14.25, C},
                      DesignRow{Element::LblSeg5, L, 1080, 3840, 495, 975, "0", 48, R},
                      DesignRow{Element::LblSeg13, L, 5880, 3600, 495, 975, "0", 36, C},
                      DesignRow{Element::LblP11, L, 5100, 3600, 255, 975, ".", 36, R},
                      DesignRow{Element::LblSlash2, L, 5040, 3600, 375, 975, "/", 36, C},
                      DesignRow{Element::Lblm, L, 6960, 3960, 375, 375, "m", 14.25, C},
                      DesignRow{Element::Lblhms, L, 5760, 4440, 855, 375, "h:m:s", 14.25, C},
                      DesignRow{Element::LblName, L, 2715, 5160, 1995, 285, "Photara", 12, C}),
    [](const auto& p) { return std::string(elementName(p.param.element)); });

}  // namespace
}  // namespace photara
