#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <functional>

class QPushButton;
class QWidget;

namespace photara {

class Clock;
class KeyExchange;

// The panel's keys: a grid of three rows of five, each key sending its member index of the
// control array CmdBtn (objectName "CmdBtn_<index>", property "index") as key code, member 6
// sharing its place with the REF key "Cmdref". MEM held for over three seconds, by the mouse
// or by Space, sends the long-press code instead.
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
    QPushButton* makeMember(int index, const QString& caption, QWidget& parent);
    bool holdMem(QPushButton& mem, const QEvent& event);

    KeyExchange& exchange_;
    const Clock& clock_;
    std::function<bool()> rhLit_;
    std::array<QPushButton*, kMemberCount> members_{};
    QPushButton* ref_ = nullptr;
    // When MEM went down (by the mouse or Space); -1 while it is up.
    long long memPressedMs_ = -1;
};

}  // namespace photara
