#pragma once

#include <QColor>
#include <QObject>
#include <array>
#include <cstdint>
#include <functional>

class QPushButton;
class QWidget;

namespace photara {

class Clock;
class KeyExchange;
class PressReleaseKey;

// The panel's keys. The control array CmdBtn (members 0 to 31; each member's objectName is
// "CmdBtn_<index>" and its property "index" holds the index) sends its index as key code;
// fifteen members form the visible grid of three rows of five, member 6 sharing its place
// with the REF key "Cmdref". The other members, and the second key set in "PicOdd" (the
// press-and-release keys CmdH ... CmdDown and the buttons Command1 ... Command14), lie beyond
// the right edge of the client area, as the meter's designers left them.
class Keypad final : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMemberCount = 32;
    static constexpr int kDeltaMember = 6;
    static constexpr int kMemMember = 9;
    static constexpr std::uint8_t kDeltaWhileRh = 26;
    static constexpr std::uint8_t kRefCode = 27;

    Keypad(QWidget& face, KeyExchange& exchange, const Clock& clock);

    // Whether R-H is lit: member 6 then sends 26 instead of 6.
    void setRhLit(std::function<bool()> rhLit) { rhLit_ = std::move(rhLit); }

    QPushButton* member(int index) const;
    QPushButton* refKey() const { return ref_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildGrid(QWidget& face);
    void buildOutlyingMembers(QWidget& face, QWidget& picOdd);
    void buildSecondSet(QWidget& picOdd);
    QPushButton* makeMember(int index, const QString& caption, QWidget& parent);
    void addPressReleaseKey(QWidget& picOdd, const char* name, const char* shapeName,
                            int shapeCount, std::uint8_t code, int column, int row);
    void press(PressReleaseKey& key, bool firstButton);
    bool holdMemBySpace(QPushButton& mem, const QEvent& event);
    void release(PressReleaseKey& key, std::uint8_t code);

    KeyExchange& exchange_;
    const Clock& clock_;
    std::function<bool()> rhLit_;
    std::array<QPushButton*, kMemberCount> members_{};
    QPushButton* ref_ = nullptr;
    PressReleaseKey* memKey_ = nullptr;
    // Shared by all press-and-release keys: the colour of the pressed key's first face shape,
    // and the moment MEM went down.
    QColor savedKeyColor_;
    long long memPressedMs_ = 0;
    // When Space went down on the visible MEM key; -1 while it is up.
    long long memSpacePressedMs_ = -1;
};

}  // namespace photara
