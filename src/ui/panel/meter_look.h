#pragma once

#include <QColor>
#include <QFont>

namespace photara::look {

// The colours and type of the meter's front, in one place so that the display, the keypad
// and the drawn images agree.
inline const QColor kCasingTop{0x3d, 0x42, 0x48};
inline const QColor kCasingBottom{0x22, 0x25, 0x29};
inline const QColor kBezel{0x14, 0x16, 0x18};
inline const QColor kGlassTop{0xc3, 0xcd, 0xb1};
inline const QColor kGlassBottom{0xa8, 0xb4, 0x96};
inline const QColor kInk{0x1a, 0x21, 0x17};        // a lit segment
inline const QColor kUnlitInk{0x1a, 0x21, 0x17, 0x16};  // an unlit segment, faint on the glass
inline const QColor kLegend{0xee, 0xee, 0xe8};     // printing on the casing
inline const QColor kKeyFace{0x4b, 0x51, 0x58};    // a key at rest
inline const QColor kKeyBorder{0x9a, 0xa1, 0xa8};  // its rim, as designed

// All lettering of the display is Arial bold; Liberation Sans has the same metrics where
// Arial is not installed.
inline QFont displayFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setBold(true);
    font.setPointSizeF(points);
    return font;
}

}  // namespace photara::look
