#include "ui/panel/keypad.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QVariant>
#include <utility>

#include "core/common/local_time.h"
#include "ui/panel/key_exchange.h"
#include "ui/panel/mem_key.h"
#include "ui/panel/meter_look.h"

namespace photara {
namespace {

struct GridKey {
    int member;  // -1: the REF key
    const char* caption;
    const char* toolTip;
};

// The visible keypad, left to right, top to bottom. Member 6 gets its caption when the
// panel loads.
constexpr GridKey kGrid[3][5] = {
    {{5, "H", "Hold the reading; again for the peak"},
     {4, "SET", "Enter or leave the setting mode"},
     {3, "MX / MN", "Maximum, minimum and their difference"},
     {2, "RANGE", "Hold the measuring range (R-H)"},
     {1, "LIGHT", "Switch the display's backlight on or off"}},
    {{9, "MEM",
      "Start recording into the logger; again to store the recording as a set. "
      "Hold it down (mouse or Space) for over three seconds for a long press"},
     {10, "READ", "Show the memory used, then each recorded set"},
     {15, "CMP", "Compare the reading with the limits"},
     {28, "AVG", "Average the readings"},
     {6, "", "Difference from the reference, then in percent"}},
    {{11, "A", "Memory A; again for A/B, B-A and %A"},
     {12, "B", "Memory B"},
     {8, "TIME", "Show the time or the date"},
     {7, "ENTER", "Confirm the setting; back to the plain reading"},
     {29, "ACC", "Accumulate the readings"}},
};

// Grid geometry in pixels of the client area (the keypad lies below the status strip).
constexpr int kGridLeft = 19;
constexpr int kGridTop = 398;
constexpr int kKeyWidth = 84;
constexpr int kKeyHeight = 56;
constexpr int kColumnStep = 96;
constexpr int kRowStep = 68;

}  // namespace

Keypad::Keypad(QWidget& face, KeyExchange& exchange, const Clock& clock)
    : QObject(&face), exchange_(exchange), clock_(clock) {
    buildGrid(face);
}

bool Keypad::eventFilter(QObject* watched, QEvent* event) {
    if (watched == member(kMemMember) && holdMem(*member(kMemMember), *event)) return true;
    // Enter presses a key as Space does; holding it presses it once.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat()) {
            if (auto* button = qobject_cast<QPushButton*>(watched)) button->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool Keypad::holdMem(QPushButton& mem, const QEvent& event) {
    // MEM held down for longer than three seconds, by the mouse or by Space, is the meter's
    // long press: on release it sends the long-press code instead of MEM's own. A shorter
    // hold is an ordinary click.
    const bool press = event.type() == QEvent::KeyPress || event.type() == QEvent::MouseButtonPress;
    if (event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease) {
        const auto& key = static_cast<const QKeyEvent&>(event);
        if (key.key() != Qt::Key_Space || key.isAutoRepeat()) return false;
    } else if (event.type() == QEvent::MouseButtonPress ||
               event.type() == QEvent::MouseButtonRelease) {
        if (static_cast<const QMouseEvent&>(event).button() != Qt::LeftButton) return false;
    } else {
        return false;
    }
    const long long now = millisecondsSinceMidnight(clock_.now());
    if (press) {
        memPressedMs_ = now;
        return false;
    }
    const long long pressed = std::exchange(memPressedMs_, -1);
    if (pressed < 0 || !isMemLongPress(pressed, now)) return false;
    mem.setDown(false);
    exchange_.fire(kMemLongCode);
    return true;
}

QPushButton* Keypad::member(int index) const {
    if (index < 0 || index >= kMemberCount) return nullptr;
    return members_[static_cast<std::size_t>(index)];
}

QPushButton* Keypad::makeMember(int index, const QString& caption, QWidget& parent) {
    auto* button = new QPushButton(caption, &parent);
    button->setObjectName(QStringLiteral("CmdBtn_%1").arg(index));
    button->setProperty("index", index);
    button->setFocusPolicy(Qt::StrongFocus);
    connect(button, &QPushButton::clicked, this, [this, index] {
        std::uint8_t code = static_cast<std::uint8_t>(index);
        if (index == kDeltaMember && rhLit_ && rhLit_()) code = kDeltaWhileRh;
        exchange_.fire(code);
    });
    members_[static_cast<std::size_t>(index)] = button;
    return button;
}

void Keypad::buildGrid(QWidget& face) {
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column) {
            const GridKey& key = kGrid[row][column];
            QPushButton* button = makeMember(key.member, QString::fromLatin1(key.caption), face);
            button->setToolTip(QString::fromLatin1(key.toolTip));
            button->setAccessibleDescription(button->toolTip());
            button->installEventFilter(this);
            const int left = kGridLeft + column * kColumnStep;
            const int top = kGridTop + row * kRowStep;
            if (key.member != kDeltaMember) {
                button->setGeometry(left, top, kKeyWidth, kKeyHeight);
                continue;
            }
            // Delta/% takes the upper half of its place, REF the lower half.
            const int half = (kKeyHeight - 4) / 2;
            button->setGeometry(left, top, kKeyWidth, half);
            ref_ = new QPushButton(QStringLiteral("REF"), &face);
            ref_->setObjectName(QStringLiteral("Cmdref"));
            ref_->setToolTip(QStringLiteral("Take the reading as the reference (while R-H is lit)"));
            ref_->setAccessibleDescription(ref_->toolTip());
            ref_->installEventFilter(this);
            ref_->setFocusPolicy(Qt::StrongFocus);
            ref_->setGeometry(left, top + kKeyHeight - half, kKeyWidth, half);
            connect(ref_, &QPushButton::clicked, this, [this] { exchange_.fire(kRefCode); });
        }
    }
}

}  // namespace photara
