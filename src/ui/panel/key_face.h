#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>
#include <vector>

namespace photara {

// One drawn shape of a key face in the second key set: a rounded body with a border colour
// and a fill colour, which the key turns white while it is held down.
class KeyFaceShape final : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
  public:
    enum class Form { Body, Ring, Dot };
    KeyFaceShape(Form form, QColor border, QColor back, QWidget* parent);

    QColor borderColor() const { return border_; }
    QColor backColor() const { return back_; }
    void setBorderColor(const QColor& color);
    void setBackColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Form form_;
    QColor border_;
    QColor back_;
};

// A transparent label lying over a key's face shapes. It reacts to the mouse going down and
// up (any button), not to clicks: the key is sent when the button comes up.
class PressReleaseKey final : public QLabel {
    Q_OBJECT
  public:
    PressReleaseKey(std::vector<KeyFaceShape*> shapes, QWidget* parent);
    const std::vector<KeyFaceShape*>& shapes() const { return shapes_; }

  signals:
    // firstButton: no other button was down on the key already.
    void pressed(bool firstButton);
    void released();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::vector<KeyFaceShape*> shapes_;
};

}  // namespace photara
