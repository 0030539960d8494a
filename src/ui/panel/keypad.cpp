#include "ui/panel/keypad.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QVariant>
#include <utility>

#include "core/common/local_time.h"
#include "ui/panel/key_exchange.h"
#include "ui/panel/key_face.h"
#include "ui/panel/mem_key.h"
#include "ui/panel/meter_look.h"
#include "ui/panel/twips.h"

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
      "Hold Space on it for over three seconds for a long press"},
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

// The second key set lies beyond the right edge of the client area (7590 twips wide).
constexpr int kPicOddLeftTwips = 13800;

// Members that sit on the form itself beyond its right edge; the rest of the outlying
// members sit in PicOdd.
constexpr int kOnFormMembers[] = {0, 14, 24, 25};

QString outlyingCaption(int index) {
    switch (index) {
        case 0:
            return QStringLiteral("SSCommand17");
        case 13:
            return QStringLiteral("Cmd13");
        case 14:
            return QStringLiteral("Cmd14");
        case 16:
            return QStringLiteral("AVG");
        default:
            return QStringLiteral("CmdBtn");
    }
}

bool inGrid(int index) {
    for (const auto& row : kGrid)
        for (const GridKey& key : row)
            if (key.member == index) return true;
    return false;
}

bool onForm(int index) {
    for (int member : kOnFormMembers)
        if (member == index) return true;
    return false;
}

struct PlainButton {
    const char* name;
    const char* caption;
    std::uint8_t code;
};

// The plain buttons of the second key set; there is no Command11, and Command12 is a picture.
constexpr PlainButton kPlainButtons[] = {
    {"Command1", "Light", 1},  {"Command2", "Range", 2}, {"Command3", "MX/MN", 3},
    {"Command4", "SET", 4},    {"Command5", "H", 5},     {"Command6", "Delta/%", 6},
    {"Command7", "Enter", 7},  {"Command8", "TIME", 8},  {"Command9", "MEM", 9},
    {"Command10", "READ", 10}, {"Command12", "", 14},    {"Command13", "CMP", 15},
    {"Command14", "AVG", 16},
};

}  // namespace

Keypad::Keypad(QWidget& face, KeyExchange& exchange, const Clock& clock)
    : QObject(&face), exchange_(exchange), clock_(clock) {
    auto* picOdd = new QWidget(&face);
    picOdd->setObjectName(QStringLiteral("PicOdd"));
    picOdd->setGeometry(twipsToPixels(kPicOddLeftTwips), 0, 420, 608);

    buildGrid(face);
    buildOutlyingMembers(face, *picOdd);
    buildSecondSet(*picOdd);
}

bool Keypad::eventFilter(QObject* watched, QEvent* event) {
    if (watched == member(kMemMember) && holdMemBySpace(*member(kMemMember), *event)) return true;
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

bool Keypad::holdMemBySpace(QPushButton& mem, const QEvent& event) {
    // Space held on MEM for longer than three seconds is the long press the mouse gives on the
    // press-and-release MEM key: it sends the long-press code on release instead of MEM's own.
    // A shorter hold is an ordinary click.
    if (event.type() != QEvent::KeyPress && event.type() != QEvent::KeyRelease) return false;
    const auto& key = static_cast<const QKeyEvent&>(event);
    if (key.key() != Qt::Key_Space || key.isAutoRepeat()) return false;
    const long long now = millisecondsSinceMidnight(clock_.now());
    if (event.type() == QEvent::KeyPress) {
        memSpacePressedMs_ = now;
        return false;
    }
    const long long pressed = std::exchange(memSpacePressedMs_, -1);
    if (pressed < 0 || memKeyCode(pressed, now) != kMemLongCode) return false;
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
    // Only the keys one can see take the keyboard focus; Tab never wanders off the window.
    button->setFocusPolicy(inGrid(index) ? Qt::StrongFocus : Qt::NoFocus);
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

void Keypad::buildOutlyingMembers(QWidget& face, QWidget& picOdd) {
    int onFormRow = 0;
    int inPicRow = 0;
    for (int index = 0; index < kMemberCount; ++index) {
        if (inGrid(index)) continue;
        if (onForm(index)) {
            QPushButton* button = makeMember(index, outlyingCaption(index), face);
            button->setGeometry(540, 400 + onFormRow++ * 40, 90, 32);
        } else {
            QPushButton* button = makeMember(index, outlyingCaption(index), picOdd);
            button->setGeometry(10 + (inPicRow % 5) * 80, 320 + (inPicRow / 5) * 40, 76, 32);
            ++inPicRow;
        }
    }
}

void Keypad::buildSecondSet(QWidget& picOdd) {
    addPressReleaseKey(picOdd, "CmdH", "ShapeH", 1, 1, 0, 0);
    addPressReleaseKey(picOdd, "Cmdcd", "Shapecd", 2, 2, 1, 0);
    addPressReleaseKey(picOdd, "Cmdlxfc", "Shapelxfc", 2, 3, 2, 0);
    addPressReleaseKey(picOdd, "CmdMem", "ShapeMem", 2, kMemShortCode, 3, 0);
    addPressReleaseKey(picOdd, "CmdRead", "ShapeRead", 2, 5, 0, 1);
    addPressReleaseKey(picOdd, "CmdAVG", "ShapeAVG", 3, 6, 1, 1);
    addPressReleaseKey(picOdd, "CmdUp", "ShapeUp", 1, 7, 2, 1);
    addPressReleaseKey(picOdd, "CmdDown", "ShapeDown", 1, 8, 3, 1);

    int slot = 0;
    for (const PlainButton& plain : kPlainButtons) {
        auto* button = new QPushButton(QString::fromLatin1(plain.caption), &picOdd);
        button->setObjectName(QString::fromLatin1(plain.name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(10 + (slot % 5) * 80, 170 + (slot / 5) * 40, 76, 32);
        ++slot;
        const std::uint8_t code = plain.code;
        connect(button, &QPushButton::clicked, this, [this, code] { exchange_.fire(code); });
    }
}

void Keypad::addPressReleaseKey(QWidget& picOdd, const char* name, const char* shapeName,
                                int shapeCount, std::uint8_t code, int column, int row) {
    const QRect box(10 + column * 100, 10 + row * 75, 90, 62);
    std::vector<KeyFaceShape*> shapes;
    for (int i = 0; i < shapeCount; ++i) {
        // The body first, then rings and dots inside it; the rims differ from the fills.
        const auto form = i == 0 ? KeyFaceShape::Form::Body
                                 : (i == 1 ? KeyFaceShape::Form::Ring : KeyFaceShape::Form::Dot);
        auto* shape = new KeyFaceShape(form, look::kKeyBorder, look::kKeyFace, &picOdd);
        shape->setObjectName(shapeCount == 1 ? QString::fromLatin1(shapeName)
                                             : QStringLiteral("%1_%2").arg(shapeName).arg(i));
        shape->setGeometry(box.adjusted(i * 12, i * 10, -i * 12, -i * 10));
        shapes.push_back(shape);
    }
    auto* key = new PressReleaseKey(std::move(shapes), &picOdd);
    key->setObjectName(QString::fromLatin1(name));
    key->setGeometry(box);
    key->raise();
    if (QLatin1String(name) == QLatin1String("CmdMem")) memKey_ = key;
    connect(key, &PressReleaseKey::pressed, this,
            [this, key](bool firstButton) { press(*key, firstButton); });
    connect(key, &PressReleaseKey::released, this, [this, key, code] { release(*key, code); });
}

void Keypad::press(PressReleaseKey& key, bool firstButton) {
    if (&key == memKey_) memPressedMs_ = millisecondsSinceMidnight(clock_.now());
    // A second button on a key already held finds its face white: saving that would leave
    // the key white for the rest of the run.
    if (firstButton) savedKeyColor_ = key.shapes().front()->backColor();
    for (KeyFaceShape* shape : key.shapes()) {
        shape->setBorderColor(Qt::white);
        shape->setBackColor(Qt::white);
    }
}

void Keypad::release(PressReleaseKey& key, std::uint8_t code) {
    if (&key == memKey_) code = memKeyCode(memPressedMs_, millisecondsSinceMidnight(clock_.now()));
    exchange_.fire(code, [this, &key] {
        // Border and fill both come back in the saved fill colour.
        if (!savedKeyColor_.isValid()) return;
        for (KeyFaceShape* shape : key.shapes()) {
            shape->setBorderColor(savedKeyColor_);
            shape->setBackColor(savedKeyColor_);
        }
    });
}

}  // namespace photara
