#include "ui/measure/measure_setup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>

#include "ui/measure/pattern_field.h"
#include "ui/measure/screen_choice.h"
#include "ui/measure/site_memory.h"

namespace photara {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString standardText(const StandardReference& s) {
    return s.year ? qs(s.name) + QLatin1Char(':') + QString::number(s.year) : qs(s.name);
}

const QString kLastProcedure = QStringLiteral("measure/procedure");
const QString kLastCapture = QStringLiteral("measure/capture");

}  // namespace

MeasureSetupDialog::MeasureSetupDialog(RecipeListing listing, std::vector<SceneOption> scenes, QWidget* parent)
    : QDialog(parent), listing_(std::move(listing)), scenes_(std::move(scenes)) {
    setObjectName(QStringLiteral("MeasureSetup"));
    setWindowTitle(tr("Measure"));
    auto* columns = new QHBoxLayout;

    auto* left = new QVBoxLayout;
    auto* listLabel = new QLabel(tr("&Procedure:"));
    procedures_ = new QListWidget;
    procedures_->setObjectName(QStringLiteral("procedures"));
    procedures_->setWordWrap(true);
    procedures_->setSpacing(3);
    listLabel->setBuddy(procedures_);
    for (const ListedRecipe& r : listing_.recipes) {
        const QString own = r.origin == RecipeOrigin::User ? tr(" (your own)") : QString();
        auto* item = new QListWidgetItem(qs(r.recipe.title) + own + QLatin1Char('\n') + standardText(r.recipe.standard),
                                         procedures_);
        item->setData(Qt::UserRole, qs(r.recipe.id));
        item->setToolTip(qs(r.recipe.summary));
    }
    about_ = new QLabel;
    about_->setObjectName(QStringLiteral("about"));
    about_->setWordWrap(true);
    about_->setMinimumHeight(about_->fontMetrics().lineSpacing() * 4);
    left->addWidget(listLabel);
    left->addWidget(procedures_, 1);
    left->addWidget(about_);
    if (!listing_.errors.empty()) {
        QString refused;
        for (const RecipeError& e : listing_.errors) refused += QLatin1Char('\n') + qs(e.text());
        auto* errors = new QLabel(tr("%n recipe file(s) could not be read:", nullptr,
                                     static_cast<int>(listing_.errors.size())) + refused);
        errors->setObjectName(QStringLiteral("refused"));
        errors->setWordWrap(true);
        left->addWidget(errors);
    }
    columns->addLayout(left, 3);

    auto* form = new QFormLayout;
    site_ = new QComboBox;
    site_->setObjectName(QStringLiteral("site"));
    site_->setEditable(true);
    site_->addItems(rememberedSites());
    asset_ = new QLineEdit;
    asset_->setObjectName(QStringLiteral("asset"));
    operator_ = new QLineEdit;
    operator_->setObjectName(QStringLiteral("operator"));
    notes_ = new QLineEdit;
    notes_->setObjectName(QStringLiteral("notes"));
    form->addRow(tr("S&ite:"), site_);
    form->addRow(tr("&Asset:"), asset_);
    form->addRow(tr("&Operator:"), operator_);
    form->addRow(tr("&Notes:"), notes_);

    auto* optionsGroup = new QGroupBox(tr("Options"));
    optionsGroup->setObjectName(QStringLiteral("options"));
    optionsBox_ = new QVBoxLayout(optionsGroup);
    form->addRow(optionsGroup);

    grid_ = new QComboBox;
    grid_->setObjectName(QStringLiteral("grid"));
    gridLabel_ = new QLabel(tr("&Grid:"));
    gridLabel_->setBuddy(grid_);
    form->addRow(gridLabel_, grid_);

    capture_ = new QComboBox;
    capture_->setObjectName(QStringLiteral("capture"));
    capture_->addItem(tr("Enter or Space at the PC"), static_cast<int>(CaptureMode::Enter));
    capture_->addItem(tr("HOLD on the meter"), static_cast<int>(CaptureMode::Hold));
    capture_->addItem(tr("Automatically, when stable"), static_cast<int>(CaptureMode::Auto));
    capture_->setCurrentIndex(std::max(0, capture_->findData(QSettings().value(kLastCapture, 0).toInt())));
    form->addRow(tr("&Capture:"), capture_);

    stability_ = new QComboBox;
    stability_->setObjectName(QStringLiteral("stability"));
    for (const std::string& name : stabilityPresetNames()) stability_->addItem(qs(name));
    form->addRow(tr("S&tability:"), stability_);

    screen_ = new QComboBox;
    screen_->setObjectName(QStringLiteral("patternScreen"));
    screen_->addItem(tr("No pattern window"), -1);
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size(); ++i) screen_->addItem(screenLabel(screens[i]), i);
    // Another screen than this window's when there is one: the display under test is rarely
    // the one the guide is read on. With one screen the user chooses to cover it.
    if (screens.size() > 1) screen_->setCurrentIndex(1 + std::max(0, static_cast<int>(screens.indexOf(screenForPattern(parent)))));
    screenLabel_ = new QLabel(tr("Show the &fields on:"));
    screenLabel_->setBuddy(screen_);
    form->addRow(screenLabel_, screen_);

    scene_ = new QComboBox;
    scene_->setObjectName(QStringLiteral("scene"));
    sceneLabel_ = new QLabel(tr("Virtual meter's sc&ene:"));
    sceneLabel_->setBuddy(scene_);
    form->addRow(sceneLabel_, scene_);
    columns->addLayout(form, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton* start = buttons->addButton(tr("&Start"), QDialogButtonBox::AcceptRole);
    start->setObjectName(QStringLiteral("start"));
    start->setDefault(true);
    QPushButton* results = buttons->addButton(tr("&Results…"), QDialogButtonBox::ActionRole);
    results->setObjectName(QStringLiteral("results"));
    connect(results, &QPushButton::clicked, this, [this] {
        emit resultsAsked();
        reject();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns, 1);
    whole->addWidget(buttons);

    connect(procedures_, &QListWidget::currentRowChanged, this, [this] { showProcedure(); });
    connect(site_, &QComboBox::currentTextChanged, this, &MeasureSetupDialog::fillSite);
    if (!selectProcedure(QSettings().value(kLastProcedure).toString().toStdString()) && procedures_->count() > 0)
        procedures_->setCurrentRow(0);
    start->setEnabled(procedures_->count() > 0);
    fillSite(site_->currentText());
    resize(900, 560);
}

bool MeasureSetupDialog::selectProcedure(const std::string& id) {
    for (int i = 0; i < procedures_->count(); ++i) {
        if (procedures_->item(i)->data(Qt::UserRole).toString().toStdString() == id) {
            procedures_->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

const ListedRecipe* MeasureSetupDialog::selected() const {
    const int row = procedures_->currentRow();
    return row >= 0 && row < static_cast<int>(listing_.recipes.size()) ? &listing_.recipes[row] : nullptr;
}

void MeasureSetupDialog::showProcedure() {
    const ListedRecipe* listed = selected();
    if (!listed) return;
    const Recipe& r = listed->recipe;
    about_->setText(qs(r.summary) + QStringLiteral("\n") + tr("Follows %1.").arg(standardText(r.standard)));
    for (QCheckBox* box : options_) delete box;
    options_.clear();
    for (const RecipeOption& o : r.options) {
        auto* box = new QCheckBox(qs(o.label));
        box->setProperty("option", qs(o.id));
        optionsBox_->addWidget(box);
        options_.push_back(box);
    }
    optionsBox_->parentWidget()->setVisible(!options_.empty());
    grid_->clear();
    if (r.grid) {
        for (int n : r.grid->sizes) grid_->addItem(tr("%1 × %1 cells").arg(n), n);
        grid_->setCurrentIndex(std::max(0, grid_->findData(r.grid->defaultSize)));
    }
    grid_->setVisible(r.grid.has_value());
    gridLabel_->setVisible(r.grid.has_value());
    stability_->setCurrentText(qs(r.stability.empty() ? "spot" : r.stability));
    const bool display = isDisplayProcedure(r);
    screen_->setVisible(display);
    screenLabel_->setVisible(display);
    scene_->clear();
    scene_->addItem(tr("None: the virtual meter's own light"), QString());
    for (const SceneOption& s : scenes_)
        if (s.procedure == r.id) scene_->addItem(s.title, s.path);
    const bool anyScene = scene_->count() > 1;
    scene_->setVisible(anyScene);
    sceneLabel_->setVisible(anyScene);
    if (anyScene) scene_->setCurrentIndex(1);
}

void MeasureSetupDialog::fillSite(const QString& site) {
    if (!rememberedSites().contains(site)) return;
    const SiteDetails d = siteDetails(site);
    asset_->setText(d.asset);
    operator_->setText(d.operatorName);
    notes_->setText(d.notes);
}

MeasureChoice MeasureSetupDialog::choice() const {
    MeasureChoice c;
    if (const ListedRecipe* listed = selected()) c.recipe = *listed;
    for (const QCheckBox* box : options_)
        if (box->isChecked()) c.settings.options.push_back(box->property("option").toString().toStdString());
    c.settings.gridSize = grid_->isVisibleTo(this) ? grid_->currentData().toInt() : 0;
    c.mode = static_cast<CaptureMode>(capture_->currentData().toInt());
    c.stability = stability_->currentText().toStdString();
    c.info.site = site_->currentText().trimmed().toStdString();
    c.info.asset = asset_->text().trimmed().toStdString();
    c.info.operatorName = operator_->text().trimmed().toStdString();
    c.info.notes = notes_->text().trimmed().toStdString();
    c.scenePath = scene_->isVisibleTo(this) ? scene_->currentData().toString() : QString();
    c.patternScreen = screen_->isVisibleTo(this) ? screen_->currentData().toInt() : -1;
    return c;
}

void MeasureSetupDialog::done(int result) {
    if (result == QDialog::Accepted) {
        const MeasureChoice c = choice();
        rememberSite(site_->currentText().trimmed(),
                     {asset_->text().trimmed(), operator_->text().trimmed(), notes_->text().trimmed()});
        QSettings settings;
        settings.setValue(kLastProcedure, qs(c.recipe.recipe.id));
        settings.setValue(kLastCapture, static_cast<int>(c.mode));
    }
    QDialog::done(result);
}

}  // namespace photara
