#include "ui/measure/diagram_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace photara {

DiagramWidget::DiagramWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("diagram"));
    setMinimumSize(240, 140);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(tr("Measured points"));
}

void DiagramWidget::setRecipe(const Recipe* recipe) {
    recipe_ = recipe;
    update();
}

void DiagramWidget::setMarks(DiagramMarks marks) {
    marks_ = std::move(marks);
    update();
}

void DiagramWidget::paintEvent(QPaintEvent*) {
    if (!recipe_) return;
    QPainter painter(this);
    paintProcedureDiagram(painter, QRectF(rect()), *recipe_, marks_);
}

void DiagramWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!recipe_ || event->button() != Qt::LeftButton) return;
    if (const auto point = diagramPointAt(QRectF(rect()), *recipe_, marks_, event->position()))
        emit pointClicked(*point);
}

}  // namespace photara
