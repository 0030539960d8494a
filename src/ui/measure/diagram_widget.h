#pragma once

#include <QWidget>
#include <string>

#include "core/procedure/recipe.h"
#include "ui/measure/procedure_diagram.h"

namespace photara {

// The procedure's diagram in a window: the points by verdict, the current one ringed. A
// click on a point asks for it to be measured again.
class DiagramWidget final : public QWidget {
    Q_OBJECT
  public:
    explicit DiagramWidget(QWidget* parent = nullptr);
    void setRecipe(const Recipe* recipe);
    void setMarks(DiagramMarks marks);
    const DiagramMarks& marks() const { return marks_; }
    QSize sizeHint() const override { return {560, 320}; }

  signals:
    void pointClicked(const std::string& point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    const Recipe* recipe_ = nullptr;
    DiagramMarks marks_;
};

}  // namespace photara
