#include "app/measure_command.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <map>

#include "core/common/version.h"
#include "core/procedure/procedure_run.h"
#include "core/procedure/recipe_library.h"
#include "sim/key_codes.h"
#include "sim/scene_driver.h"
#include "sim/scene_file.h"
#include "sim/scene_light.h"
#include "sim/virtual_meter.h"
#include "ui/base/app_context.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/prompts.h"
#include "ui/measure/guide_window.h"
#include "ui/measure/measure_setup_dialog.h"
#include "ui/measure/pattern_window.h"
#include "ui/results/results_window.h"

namespace photara {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

std::string builtInFolder() {
    return builtInDataDir(QCoreApplication::applicationFilePath().toStdString(), processEnvironment);
}

std::optional<sim::Scene> readSceneAt(const QString& path, std::string& error) {
    auto read = sim::readSceneFile(path.toStdString());
    if (auto* e = std::get_if<std::string>(&read)) {
        error = std::move(*e);
        return std::nullopt;
    }
    return std::get<sim::Scene>(std::move(read));
}

}  // namespace

std::vector<SceneOption> installedScenes(const QString& dataDir) {
    std::vector<SceneOption> scenes;
    const QDir folder(dataDir + QStringLiteral("/scenes"));
    for (const QString& name : folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        std::string error;
        const QString path = folder.filePath(name);
        if (const auto scene = readSceneAt(path, error))
            scenes.push_back({path, qs(scene->title) + QStringLiteral(" (expect %1)").arg(qs(scene->expect)),
                              scene->procedure});
    }
    return scenes;
}

MeasureCommand::MeasureCommand(AppContext& context, sim::VirtualMeter* virtualMeter, QString meterName,
                               QString resultsFolder, std::function<double()> seconds)
    : context_(context),
      virtualMeter_(virtualMeter),
      meterName_(std::move(meterName)),
      resultsFolder_(std::move(resultsFolder)),
      seconds_(std::move(seconds)) {}

MeasureCommand::~MeasureCommand() {
    // The guide's runner is the driver's: the guide goes first, then the scene.
    delete guide_.data();
    delete pattern_.data();
    endScene();
}

GuideWindow* MeasureCommand::guide() const { return guide_; }
PatternWindow* MeasureCommand::pattern() const { return pattern_; }

void MeasureCommand::run() {
    for (QWidget* open : {static_cast<QWidget*>(guide_.data()), static_cast<QWidget*>(setup_.data())}) {
        if (!open) continue;
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    const std::string dataDir = builtInFolder();
    RecipeListing listing = listRecipes(dataDir + "/procedures", userDataDir(processEnvironment) + "/procedures");
    setup_ = new MeasureSetupDialog(std::move(listing),
                                    virtualMeter_ ? installedScenes(qs(dataDir)) : std::vector<SceneOption>(),
                                    context_.panel);
    setup_->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(setup_, &QDialog::accepted, setup_, [this] { start(setup_->choice()); });
    QObject::connect(setup_, &MeasureSetupDialog::resultsAsked, setup_, [this] { showResults(); });
    setup_->open();
}

bool MeasureCommand::aimAtScene(const MeasureChoice& choice, MeasureChoice& run) {
    std::string error;
    std::optional<sim::Scene> scene = readSceneAt(choice.scenePath, error);
    if (scene && scene->procedure != choice.recipe.recipe.id)
        error = "the scene is for the procedure '" + scene->procedure + "'";
    if (!scene || !error.empty()) {
        context_.prompts.message(QObject::tr("The scene %1 cannot be used: %2").arg(choice.scenePath, qs(error)),
                                 QObject::tr("Measure"), Prompts::Icon::Warning);
        return false;
    }
    run.settings = {scene->options, scene->gridSize};  // the scene's run, as it was set up
    std::map<std::string, std::vector<std::string>> groups;
    for (const Point& p : withGrid(choice.recipe.recipe, run.settings.gridSize).points) groups[p.id] = p.groups;
    light_ = std::make_shared<sim::SceneLight>(*std::move(scene), std::move(groups));
    return true;
}

void MeasureCommand::start(const MeasureChoice& choice) {
    MeasureChoice run = choice;
    if (!choice.scenePath.isEmpty() && virtualMeter_ && !aimAtScene(choice, run)) return;
    auto planned = planRun(run.recipe.recipe, run.settings, run.mode, run.stability);
    if (const auto* refused = std::get_if<RunPlanError>(&planned)) {
        context_.prompts.message(qs(refused->message), QObject::tr("Measure"), Prompts::Icon::Warning);
        light_.reset();
        return;
    }
    const RunPlan& plan = std::get<RunPlan>(planned);
    if (light_) {
        if (const auto missing = light_->missingValue(plan.steps)) {
            context_.prompts.message(QObject::tr("The scene has %1.").arg(qs(*missing)), QObject::tr("Measure"),
                                     Prompts::Icon::Warning);
            light_.reset();
            return;
        }
        // Set between two exchanges, on the session's thread, which reads the light.
        context_.meter.core().between([meter = virtualMeter_, light = light_] {
            meter->setLight([light](double s) { return light->luminance(s); });
        });
    }
    ReportInfo info = run.info;
    info.meter = meterName_.toStdString();
    info.program = std::string("Photara ") + PHOTARA_VERSION_TEXT;
    guide_ = new GuideWindow(context_.meter, context_.prompts, context_.clock, context_.status,
                             {plan, info, resultsFolder_}, seconds_, context_.panel);
    QObject::connect(guide_, &GuideWindow::resultsAsked, guide_, [this] { showResults(); });
    QObject::connect(guide_, &QObject::destroyed, context_.panel, [this] {
        delete pattern_.data();
        endScene();
    });
    if (light_) {
        const auto press = [this](sim::Key key) {
            return [this, key] { context_.meter.pressKey(static_cast<std::uint8_t>(key)); };
        };
        driver_ = std::make_unique<sim::SceneDriver>(*light_, guide_->runner(), plan.mode, press(sim::Key::Hold),
                                                     press(sim::Key::Enter));
        QObject::connect(guide_, &GuideWindow::polledAt, guide_, [this](double t) { driver_->beforePoll(t); });
    }
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (run.patternScreen >= 0 && run.patternScreen < screens.size()) {
        pattern_ = new PatternWindow;
        pattern_->setAttribute(Qt::WA_DeleteOnClose);
        const auto follow = [this](int step) {
            if (!pattern_ || !guide_) return;
            if (step < 0) return pattern_->close(), void();
            pattern_->showStep(guide_->plan().recipe, guide_->runner().steps()[static_cast<std::size_t>(step)]);
        };
        QObject::connect(guide_, &GuideWindow::stepChanged, pattern_, follow);
        QObject::connect(pattern_, &PatternWindow::keyForGuide, guide_, [this](int key) {
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) guide_->takePoint();
        });
        follow(static_cast<int>(guide_->runner().current()));
        guide_->setEscapeFirst([this] {
            if (!pattern_ || !pattern_->isVisible()) return false;
            pattern_->close();
            return true;
        });
        pattern_->showOn(screens[run.patternScreen]);
    }
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
}

void MeasureCommand::endScene() {
    driver_.reset();
    if (!light_) return;
    if (virtualMeter_) context_.meter.core().between([meter = virtualMeter_] { meter->setLight(nullptr); });
    light_.reset();
}

void MeasureCommand::showResults() {
    if (!results_) {
        results_ = new ResultsWindow(context_.prompts, context_.status, resultsFolder_, context_.panel);
        results_->setAttribute(Qt::WA_DeleteOnClose);
    }
    results_->refresh();
    results_->show();
    results_->raise();
    results_->activateWindow();
}

}  // namespace photara
