#pragma once

#include <QRect>

namespace photara {

// The panel is laid out in twips, as its design was: 15 twips make one pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

inline QRect rectFromTwips(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

// The client area below the toolbar: 7590 x 9120 twips.
inline constexpr int kClientWidthTwips = 7590;
inline constexpr int kClientHeightTwips = 9120;

}  // namespace photara
