#include "core/live/display_model.h"

namespace photara {

DisplayModel::DisplayModel() {
    for (std::size_t i = 0; i < kElementCount; ++i) {
        const ElementDesign& d = design(static_cast<Element>(i));
        captions_[i] = std::string(d.caption);
        visible_.set(i, d.visible);
        enabled_.set(i, true);
    }
    // REF works only while R-H is lit, and R-H is not lit before the first display report.
    enabled_.set(index(Element::Cmdref), false);
    changed_.set();
}

void DisplayModel::setCaption(Element e, std::string_view caption) {
    std::string& current = captions_[index(e)];
    if (current == caption) return;
    current.assign(caption);
    changed_.set(index(e));
}

void DisplayModel::setVisible(Element e, bool visible) {
    if (visible_.test(index(e)) == visible) return;
    visible_.set(index(e), visible);
    changed_.set(index(e));
}

void DisplayModel::setEnabled(Element e, bool enabled) {
    if (enabled_.test(index(e)) == enabled) return;
    enabled_.set(index(e), enabled);
    changed_.set(index(e));
}

std::bitset<kElementCount> DisplayModel::takeChanges() {
    const auto changes = changed_;
    changed_.reset();
    return changes;
}

}  // namespace photara
