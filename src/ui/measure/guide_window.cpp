#include "ui/measure/guide_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "core/procedure/report_page.h"
#include "core/procedure/results_folder.h"
#include "core/procedure/run_text.h"
#include "core/reading/reading.h"
#include "core/series/stability_text.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/prompts.h"
#include "ui/base/status_line.h"
#include "ui/base/window_placement.h"
#include "ui/measure/diagram_widget.h"
#include "ui/measure/report_painter.h"
#include "ui/measure/report_view.h"

namespace photara {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString capitalised(const std::string& s) {
    QString text = qs(s);
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

QLabel* label(const char* objectName, int pixelSize, bool bold = false) {
    auto* l = new QLabel;
    l->setObjectName(QLatin1String(objectName));
    QFont f = l->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    l->setFont(f);
    l->setWordWrap(true);
    return l;
}

// The live reading as the guide shows it, large.
QString readingText(const ReadingInput& in) {
    switch (in.kind) {
        case ReadingInput::Kind::Luminance: return qs(formatNumber(in.cdPerM2)) + QStringLiteral(" cd/m²");
        case ReadingInput::Kind::OverRange: return QStringLiteral("OL");
        case ReadingInput::Kind::BelowRange: return QObject::tr("below range");
        case ReadingInput::Kind::NotLuminance: return QObject::tr("no luminance");
        case ReadingInput::Kind::None: return QObject::tr("no reading");
    }
    return {};
}

// The live window's words ("settling for 4 s", "stable for 12 s (settled in 3 s)"), when the
// reading is one a procedure measures.
QString stabilityText(const StabilityStatus& s, const ReadingInput& in, double now) {
    if (in.kind != ReadingInput::Kind::Luminance) return QObject::tr("waiting for a luminance reading");
    return qs(stabilityLine(s, now));
}

QColor stabilityColour(StabilityState s) {
    switch (s) {
        case StabilityState::Stable: return {0x2e, 0x7d, 0x32};
        case StabilityState::Drifting: return {0xb2, 0x6a, 0x00};
        case StabilityState::Settling: return {0x15, 0x65, 0xc0};
        case StabilityState::NoReading: break;
    }
    return {0x61, 0x61, 0x61};
}

QPushButton* commandButton(const QString& text, const char* objectName) {
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(objectName));
    // The window's own keys act on the guide wherever the focus is: a button never keeps it.
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

GuideWindow::GuideWindow(GuiMeterSession& meter, Prompts& prompts, const Clock& clock, StatusLine* status,
                         Setup setup, std::function<double()> seconds, QWidget* parent)
    : QWidget(parent, Qt::Window),
      meter_(meter),
      prompts_(prompts),
      clock_(clock),
      status_(status),
      setup_(std::move(setup)),
      seconds_(std::move(seconds)),
      started_(iso8601(clock.zonedNow())),
      runner_(setup_.plan.steps, setup_.plan.recipe, {setup_.plan.mode, setup_.plan.stability}, clock) {
    setObjectName(QStringLiteral("GuideWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Measure — %1").arg(qs(setup_.plan.recipe.title)));
    if (!seconds_) {
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        seconds_ = [timer] { return static_cast<double>(timer->elapsed()) / 1000.0; };
    }

    header_ = new QFrame;
    header_->setObjectName(QStringLiteral("header"));
    header_->setAutoFillBackground(true);
    counter_ = label("counter", 18);
    name_ = label("pointName", 40, true);
    detail_ = label("pointDetail", 20);
    action_ = label("action", 20);
    auto* headerLayout = new QVBoxLayout(header_);
    headerLayout->addWidget(counter_);
    headerLayout->addWidget(name_);
    headerLayout->addWidget(detail_);
    headerLayout->addWidget(action_);

    diagram_ = new DiagramWidget;
    diagram_->setObjectName(QStringLiteral("guideDiagram"));
    diagram_->setRecipe(&setup_.plan.recipe);
    connect(diagram_, &DiagramWidget::pointClicked, this, &GuideWindow::measureAgain);
    reading_ = label("reading", 44, true);
    reading_->setAccessibleName(tr("Reading"));
    stability_ = label("stability", 20);
    steps_ = new QListWidget;
    steps_->setObjectName(QStringLiteral("steps"));
    steps_->setFocusPolicy(Qt::NoFocus);
    steps_->setAccessibleName(tr("Points"));
    QFont stepsFont = steps_->font();
    stepsFont.setPixelSize(16);
    steps_->setFont(stepsFont);
    auto* right = new QVBoxLayout;
    right->addWidget(reading_);
    right->addWidget(stability_);
    right->addWidget(steps_, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(diagram_, 3);
    middle->addLayout(right, 2);

    QPushButton* take = commandButton(tr("Take point (Enter)"), "take");
    QPushButton* again = commandButton(tr("Measure again (R)"), "again");
    QPushButton* stop = commandButton(tr("Stop (Esc)"), "stop");
    connect(take, &QPushButton::clicked, this, &GuideWindow::takePoint);
    connect(again, &QPushButton::clicked, this, [this] {
        if (const QListWidgetItem* item = steps_->currentItem())
            measureAgain(item->data(Qt::UserRole).toString().toStdString());
    });
    connect(stop, &QPushButton::clicked, this, &QWidget::close);
    message_ = label("message", 16);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(take);
    buttons->addWidget(again);
    buttons->addWidget(message_, 1);
    buttons->addWidget(stop);

    auto* measuring = new QWidget;
    auto* page = new QVBoxLayout(measuring);
    page->addWidget(header_);
    page->addLayout(middle, 1);
    page->addLayout(buttons);

    reportView_ = new ReportView(prompts_, status_);
    auto* done = new QWidget;
    auto* donePage = new QVBoxLayout(done);
    donePage->addWidget(reportView_, 1);
    auto* doneButtons = new QHBoxLayout;
    auto* results = new QPushButton(tr("&Results…"));
    results->setObjectName(QStringLiteral("results"));
    auto* closeButton = new QPushButton(tr("&Close"));
    connect(results, &QPushButton::clicked, this, &GuideWindow::resultsAsked);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    doneButtons->addStretch(1);
    doneButtons->addWidget(results);
    doneButtons->addWidget(closeButton);
    donePage->addLayout(doneButtons);

    pages_ = new QStackedWidget;
    pages_->addWidget(measuring);
    pages_->addWidget(done);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(pages_);

    // Keys for the guide while it measures; the report page has its own buttons.
    const auto key = [this, measuring](QKeySequence sequence, auto slot) {
        auto* shortcut = new QShortcut(sequence, measuring);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    for (const Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) key(QKeySequence(k), [this] { takePoint(); });
    key(QKeySequence(Qt::Key_R), [again] { again->click(); });
    key(QKeySequence(Qt::Key_Up), [this] { steps_->setCurrentRow(std::max(0, steps_->currentRow() - 1)); });
    key(QKeySequence(Qt::Key_Down),
        [this] { steps_->setCurrentRow(std::min(steps_->count() - 1, steps_->currentRow() + 1)); });
    key(QKeySequence(Qt::Key_Escape), [this] {
        // Esc first takes away what covers the screen, then stops.
        if (!escapeFirst_ || !escapeFirst_()) close();
    });

    connect(&meter_, &GuiMeterSession::polled, this, &GuideWindow::onPoll);
    // Large, to be read from afar, but inside the screen with its frame; never so small that
    // the point's name wraps into the lines under it.
    setMinimumSize(760, 540);
    const QRect room = (parentWidget() ? parentWidget()->screen() : screen())->availableGeometry();
    const QSize wanted(std::min(1100, room.width() - 40), std::min(680, room.height() - 70));
    resize(wanted);
    setUpSecondaryWindow(*this, parentWidget());
    // Where there is no room beside the panel the guide still opens large, over the panel's
    // side: it is read from across a room, the panel is not.
    if (width() < wanted.width() || height() < wanted.height()) {
        resize(wanted.expandedTo(size()));
        move(std::clamp(x(), room.left(), std::max(room.left(), room.right() - width() - 10)),
             std::clamp(y(), room.top(), std::max(room.top(), room.bottom() - height() - 40)));
    }
    afterChange(false);
}

GuideWindow::~GuideWindow() = default;

void GuideWindow::onPoll() {
    if (report_) return;
    const double t = seconds_();
    lastPoll_ = t;
    const bool taken = runner_.onReading(
        t, readingInput(meter_.lastPollAnswered() ? meter_.lastReading() : std::optional<Reading>()));
    const StabilityStatus& s = runner_.stability();
    if (s.step || !settlingFrom_ || s.state == StabilityState::NoReading) {
        settlingFrom_ = s.state == StabilityState::NoReading ? std::nullopt : std::optional(t);
        stableFrom_.reset();
    }
    if (s.state == StabilityState::Stable && !stableFrom_) stableFrom_ = t;
    if (s.state != StabilityState::Stable) stableFrom_.reset();
    emit polledAt(t);
    // A scene's person may have pressed Enter for a run-up's mark or a warm-up's end.
    afterChange(taken || static_cast<int>(runner_.current()) != shownStep_);
}

void GuideWindow::takePoint() {
    if (report_) return;
    const std::size_t before = runner_.current();
    std::string why;
    if (!runner_.enter(why)) {
        message_->setText(capitalised(why));
        return;
    }
    message_->clear();
    afterChange(runner_.current() != before || runner_.done());
}

void GuideWindow::measureAgain(const std::string& point) {
    if (report_) return;
    const auto& steps = runner_.steps();
    for (std::size_t k = 0; k < steps.size(); ++k) {
        if (steps[k].point != point) continue;
        runner_.redo(k);
        shownStep_ = -2;  // the point starts again, even where it was the current one
        message_->setText(tr("Measuring %1 again").arg(qs(setup_.plan.recipe.point(point)->name)));
        afterChange(false);
        return;
    }
}

void GuideWindow::afterChange(bool taken) {
    if (taken) {
        flash();
        emit pointTaken(shownStep_);
    }
    if (runner_.done()) {
        finish();
        return;
    }
    const int step = static_cast<int>(runner_.current());
    if (step != shownStep_) {
        shownStep_ = step;
        settlingFrom_.reset();  // a new point: the meter moves; counted from the next poll
        stableFrom_.reset();
        refreshSteps();
        emit stepChanged(step);
    }
    refresh();
}

void GuideWindow::refresh() {
    const PromptParts parts = pointPromptParts(runner_, setup_.plan.recipe, setup_.plan.mode, "Enter or Space");
    counter_->setText(qs(parts.counter));
    name_->setText(qs(parts.name));
    QString detail = qs(parts.where);
    if (!parts.shows.empty()) detail += (detail.isEmpty() ? QString() : QStringLiteral(" · ")) + tr("show %1").arg(qs(parts.shows));
    detail_->setText(detail);
    action_->setText(capitalised(parts.action));
    reading_->setText(readingText(runner_.last()));
    const StabilityStatus& s = runner_.stability();
    // The runner's detector runs on across points and steps; the guide counts from the point's
    // start or the last step (the aim moved), and from when the reading became stable there.
    StabilityStatus shown = s;
    shown.firstReading = settlingFrom_;
    shown.stableFrom = stableFrom_;
    shown.timeToStable = stableFrom_ && settlingFrom_ ? std::optional(*stableFrom_ - *settlingFrom_) : std::nullopt;
    stability_->setText(stabilityText(shown, runner_.last(), lastPoll_));
    QPalette palette = stability_->palette();
    palette.setColor(QPalette::WindowText, stabilityColour(s.state));
    stability_->setPalette(palette);
}

void GuideWindow::refreshSteps() {
    const Recipe& recipe = setup_.plan.recipe;
    const Measurements& m = runner_.measurements();
    const ProcedureResult judged = judge(recipe, m, setup_.plan.settings);
    DiagramMarks marks;
    // Only a point taken has a colour; the others stay white until measured.
    for (const auto& [point, verdict] : pointVerdicts(judged)) {
        if (std::any_of(m.captures.begin(), m.captures.end(), [&](const Capture& c) { return c.point == point; }))
            marks.verdicts[point] = verdict;
    }
    const auto& steps = runner_.steps();
    steps_->clear();
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const Point* p = recipe.point(steps[k].point);
        const Patch* patch = recipe.patch(steps[k].patch);
        const Capture* c = m.find(steps[k].point, steps[k].patch);
        if (c && !marks.values.contains(steps[k].point)) marks.values[steps[k].point] = captureValueText(c);
        QString text = QStringLiteral("%1. %2").arg(k + 1).arg(qs(p ? p->name : steps[k].point));
        if (patch && recipe.patches.size() > 1) text += QStringLiteral(" — ") + qs(patch->id);
        if (c) text += QStringLiteral(": ") + qs(captureValueText(c));
        auto* item = new QListWidgetItem(text, steps_);
        item->setData(Qt::UserRole, qs(steps[k].point));
        const auto verdict = marks.verdicts.find(steps[k].point);
        if (c && verdict != marks.verdicts.end()) item->setBackground(verdictTint(verdict->second));
        if (k == runner_.current()) {
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
        }
    }
    steps_->setCurrentRow(static_cast<int>(std::min(runner_.current(), steps.size() - 1)));
    if (const Point* p = runner_.currentPoint()) marks.current = p->id;
    diagram_->setMarks(std::move(marks));
}

void GuideWindow::flash() {
    QApplication::beep();
    QPalette lit = header_->palette();
    lit.setColor(QPalette::Window, QColor(0xc8, 0xe6, 0xc9));
    header_->setPalette(lit);
    QTimer::singleShot(400, header_, [header = header_] { header->setPalette(QPalette()); });
}

void GuideWindow::finish() {
    ReportInfo info = setup_.info;
    info.started = started_;
    info.finished = iso8601(clock_.zonedNow());
    report_ = makeReport(setup_.plan, runner_.measurements(), info);
    refreshSteps();  // the diagram with the last point's verdict, as the report has it
    emit stepChanged(-1);
    KeptReport kept;
    std::string error;
    if (keepReport(setup_.resultsFolder.toStdString(), *report_, kept, error)) {
        keptPath_ = qs(kept.jsonPath);
        if (status_) status_->say(tr("Report kept as %1").arg(keptPath_));
    } else {
        prompts_.message(tr("The report could not be kept in the results folder: %1\nSave it as PDF, HTML or JSON "
                            "from this window.").arg(qs(error)),
                         tr("Measure"), Prompts::Icon::Warning);
    }
    reportView_->setReport(*report_);
    pages_->setCurrentIndex(1);
    emit finished();
}

bool GuideWindow::mayStop() {
    if (report_ || runner_.measurements().captures.empty()) return true;
    return prompts_.confirm(tr("Stop measuring? The %n point(s) taken are not kept.", nullptr,
                               static_cast<int>(runner_.measurements().captures.size())),
                            tr("Measure"), Prompts::Icon::Warning, Prompts::Default::Cancel);
}

void GuideWindow::closeEvent(QCloseEvent* event) {
    if (!mayStop()) {
        event->ignore();
        return;
    }
    rememberWindowPlace(*this);
    event->accept();
}

}  // namespace photara
