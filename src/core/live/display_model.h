#pragma once

#include <array>
#include <bitset>
#include <string>
#include <string_view>

#include "core/live/display_element.h"

namespace photara {

// The panel's display as named elements with caption, visibility and enabled state. The
// poll writes it; the panel window copies what changed onto its widgets.
class DisplayModel {
public:
    DisplayModel();

    const std::string& caption(Element e) const { return captions_[index(e)]; }
    bool visible(Element e) const { return visible_.test(index(e)); }
    bool enabled(Element e) const { return enabled_.test(index(e)); }

    void setCaption(Element e, std::string_view caption);
    void setVisible(Element e, bool visible);
    void setEnabled(Element e, bool enabled);

    // Elements whose caption, visibility or enabled state changed since the last call.
    std::bitset<kElementCount> takeChanges();

private:
    std::array<std::string, kElementCount> captions_;
    std::bitset<kElementCount> visible_;
    std::bitset<kElementCount> enabled_;
    std::bitset<kElementCount> changed_;
};

}  // namespace photara
