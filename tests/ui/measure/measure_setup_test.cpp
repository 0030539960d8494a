// The Measure window's choices: what is chosen is what the run gets (procedure, options, grid,
// capture, stability, site details), and a site visited again fills in its asset, operator
// and notes as they were last used there.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>

#include "core/procedure/recipe_library.h"
#include "ui/measure/measure_setup_dialog.h"

namespace photara::test {
namespace {

RecipeListing shipped() {
    return listRecipes(PHOTARA_SOURCE_DIR "/procedures", "/nonexistent");
}

template <class W>
W* child(QWidget& parent, const char* name) {
    W* w = parent.findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

TEST(MeasureSetup, TheChoiceIsWhatTheWindowShows) {
    QSettings().clear();
    MeasureSetupDialog dialog(shipped(), {{"/s/uni.json", "Uniform", "display-uniformity"}});
    ASSERT_TRUE(dialog.selectProcedure("display-uniformity"));
    auto* grid = child<QComboBox>(dialog, "grid");
    grid->setCurrentIndex(grid->findData(9));
    auto* capture = child<QComboBox>(dialog, "capture");
    capture->setCurrentIndex(capture->findData(static_cast<int>(CaptureMode::Auto)));
    child<QComboBox>(dialog, "site")->setCurrentText(QStringLiteral(" Lab 2 "));
    MeasureChoice c = dialog.choice();
    EXPECT_EQ(c.recipe.recipe.id, "display-uniformity");
    EXPECT_EQ(c.settings.gridSize, 9);
    EXPECT_EQ(c.mode, CaptureMode::Auto);
    EXPECT_EQ(c.stability, c.recipe.recipe.stability.empty() ? "spot" : c.recipe.recipe.stability);
    EXPECT_EQ(c.info.site, "Lab 2");
    EXPECT_EQ(c.scenePath, QStringLiteral("/s/uni.json"));

    // A procedure without a grid or scene of its own gives none; its options are its own.
    ASSERT_TRUE(dialog.selectProcedure("exit-sign"));
    const auto boxes = dialog.findChildren<QCheckBox*>();
    ASSERT_FALSE(boxes.empty());
    boxes.front()->setChecked(true);
    c = dialog.choice();
    EXPECT_EQ(c.settings.gridSize, 0);
    EXPECT_TRUE(c.scenePath.isEmpty());
    EXPECT_EQ(c.settings.options, std::vector<std::string>{c.recipe.recipe.options.front().id});
}

TEST(MeasureSetup, ASiteVisitedAgainFillsInItsDetails) {
    QSettings().clear();
    const auto visit = [](const char* site, const char* asset, const char* who) {
        MeasureSetupDialog dialog(shipped(), {});
        child<QComboBox>(dialog, "site")->setCurrentText(QLatin1String(site));
        child<QLineEdit>(dialog, "asset")->setText(QLatin1String(asset));
        child<QLineEdit>(dialog, "operator")->setText(QLatin1String(who));
        dialog.accept();
    };
    visit("Cinema 3", "Screen 1", "Ana");
    visit("Lab 2", "Monitor 7", "Ben");
    MeasureSetupDialog dialog(shipped(), {});
    auto* site = child<QComboBox>(dialog, "site");
    EXPECT_EQ(site->itemText(0), QStringLiteral("Lab 2"));  // the latest first
    site->setCurrentText(QStringLiteral("Cinema 3"));
    EXPECT_EQ(child<QLineEdit>(dialog, "asset")->text(), QStringLiteral("Screen 1"));
    EXPECT_EQ(child<QLineEdit>(dialog, "operator")->text(), QStringLiteral("Ana"));
    // The procedure last started is selected again.
    EXPECT_EQ(dialog.choice().recipe.recipe.id, MeasureSetupDialog(shipped(), {}).choice().recipe.recipe.id);
}

}  // namespace
}  // namespace photara::test
