#include "live/display_element.h"

#include <gtest/gtest.h>

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

TEST(DisplayElement, DesignTableSpotChecks) {
    EXPECT_EQ(design(Element::LblSeg1).left, 1560);
    EXPECT_EQ(design(Element::LblSeg4).left, 4800);
    EXPECT_EQ(design(Element::LblP11).alignment, Alignment::Right);
    EXPECT_EQ(design(Element::Lbl2).height, 255);
    EXPECT_DOUBLE_EQ(design(Element::Lbl2).fontPoints, 8.25);
    EXPECT_EQ(design(Element::LblPK).height, 360);
    EXPECT_EQ(design(Element::LblName).caption, "Photara");
    EXPECT_EQ(design(Element::Lblhms).caption, "h:m:s");
    EXPECT_EQ(design(Element::ImaS1).kind, ElementKind::Image);
    EXPECT_EQ(design(Element::LblSeg13).left, 5880);
}

}  // namespace
}  // namespace photara
