#include "ui/panel/key_face.h"

#include <QMouseEvent>
#include <QPainter>

namespace photara {

KeyFaceShape::KeyFaceShape(Form form, QColor border, QColor back, QWidget* parent)
    : QWidget(parent), form_(form), border_(border), back_(back) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void KeyFaceShape::setBorderColor(const QColor& color) {
    border_ = color;
    update();
}

void KeyFaceShape::setBackColor(const QColor& color) {
    back_ = color;
    update();
}

void KeyFaceShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(border_, 2));
    p.setBrush(back_);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    switch (form_) {
        case Form::Body:
            p.drawRoundedRect(box, 8, 8);
            break;
        case Form::Ring:
        case Form::Dot:
            p.drawEllipse(box);
            break;
    }
}

PressReleaseKey::PressReleaseKey(std::vector<KeyFaceShape*> shapes, QWidget* parent)
    : QLabel(parent), shapes_(std::move(shapes)) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void PressReleaseKey::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed(event->buttons() == event->button());
}

void PressReleaseKey::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    emit released();
}

}  // namespace photara
