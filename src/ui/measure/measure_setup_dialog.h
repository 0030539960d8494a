#pragma once

#include <QDialog>
#include <vector>

#include "core/procedure/recipe_library.h"
#include "ui/measure/measure_choice.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QVBoxLayout;

namespace photara {

// "Measure": the procedure (the built-in ones and the user's own, each with what it checks
// and the standard it follows), who measures where, how points are taken, and, for a display,
// the screen that shows the fields. Start accepts; the choice is then in choice().
class MeasureSetupDialog final : public QDialog {
    Q_OBJECT
  public:
    // scenes: what the virtual meter can show (none with a real meter: the row is hidden).
    MeasureSetupDialog(RecipeListing listing, std::vector<SceneOption> scenes, QWidget* parent = nullptr);

    MeasureChoice choice() const;
    // Selects the procedure with this id; false when there is none.
    bool selectProcedure(const std::string& id);

  signals:
    // The user asked for the kept results instead.
    void resultsAsked();

  protected:
    void done(int result) override;

  private:
    void showProcedure();
    void fillSite(const QString& site);
    const ListedRecipe* selected() const;

    RecipeListing listing_;
    std::vector<SceneOption> scenes_;
    QListWidget* procedures_;
    QLabel* about_;
    QComboBox* site_;
    QLineEdit* asset_;
    QLineEdit* operator_;
    QLineEdit* notes_;
    QVBoxLayout* optionsBox_;
    std::vector<QCheckBox*> options_;
    QComboBox* grid_;
    QLabel* gridLabel_;
    QComboBox* capture_;
    QComboBox* stability_;
    QComboBox* screen_;
    QLabel* screenLabel_;
    QComboBox* scene_;
    QLabel* sceneLabel_;
};

}  // namespace photara
