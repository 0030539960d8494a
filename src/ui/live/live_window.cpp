#include "ui/live/live_window.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QHBoxLayout>
#include <QToolBar>
#include <QVBoxLayout>
#include <fstream>

#include "ui/base/file_history.h"
#include "ui/base/output_file.h"
#include "ui/base/prompts.h"
#include "ui/base/status_line.h"
#include "core/common/local_time.h"
#include "ui/live/notice_bar.h"
#include "ui/live/readout_text.h"
#include "ui/live/recording_name.h"
#include "ui/plotview/plot_view.h"
#include "ui/live/stability_indicator.h"
#include "core/plot/range_entry.h"
#include "core/series/live_feed.h"
#include "core/series/live_news.h"

namespace photara {
namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

const QString kTitle = QStringLiteral("Live Readings");
const QString kFilter = QStringLiteral("Recordings (*.csv);;All Files (*)");

// A recording file is named as every file the program writes; a name the user gave another
// extension ("run.txt") is kept as typed.
const OutputFileKind kRecordingFile{{{QStringLiteral("Recordings (*.csv)"), QStringLiteral("csv")}},
                                    QStringLiteral("recording"), true, true};

}  // namespace

LiveWindow::LiveWindow(LiveFeed& feed, Prompts& prompts, const Clock& clock,
                       QStatusBar* panelStatus, QWidget* parent)
    : QMainWindow(parent),
      feed_(feed),
      prompts_(prompts),
      clock_(clock),
      trend_(feed.trend()),
      panelStatus_(panelStatus) {
    setObjectName(QStringLiteral("Live"));
    setWindowTitle(kTitle);
    trend_.setOriginMs(feed.originMs());

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    notice_ = new NoticeBar(central);
    layout->addWidget(notice_);
    reading_ = new QLabel(central);
    reading_->setObjectName(QStringLiteral("currentReading"));
    QFont big = reading_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    reading_->setFont(big);
    stability_ = new StabilityIndicator(central);
    connect(stability_, &StabilityIndicator::markStable, this, [this](double t) {
        feed_.markTrend(t, "stable from here");
        plot_->contentChanged();
    });
    plot_ = new PlotView(trend_, central);
    whole_ = new QLabel(central);
    whole_->setObjectName(QStringLiteral("wholeStatistics"));
    whole_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* readout = new QHBoxLayout;
    readout->addWidget(reading_, 1);
    readout->addWidget(stability_);
    layout->addLayout(readout);
    layout->addWidget(plot_, 1);
    layout->addWidget(whole_);
    setCentralWidget(central);

    recordingState_ = new QLabel(this);
    recordingState_->setObjectName(QStringLiteral("recordingState"));
    if (panelStatus) panelStatus->addPermanentWidget(recordingState_);

    buildActions();
    connect(plot_, &PlotView::viewChanged, this, [this] {
        action(QStringLiteral("follow"))->setChecked(plot_->viewport().following() ||
                                                     plot_->viewport().atHome());
        action(QStringLiteral("autoscale"))->setChecked(plot_->autoscale());
    });
    second_.setInterval(1000);
    connect(&second_, &QTimer::timeout, this, [this] {
        feed_.tick();
        updateRecordingState();
    });
    second_.start();
    resize(900, 520);
    refresh();
    updateRecordingState();
}

LiveWindow::~LiveWindow() = default;

QAction* LiveWindow::action(const QString& name) const {
    return findChild<QAction*>(name);
}

void LiveWindow::buildActions() {
    auto make = [this](const QString& name, const QString& text, const QKeySequence& key,
                       bool checkable) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        a->setShortcut(key);
        a->setCheckable(checkable);
        a->setToolTip(key.isEmpty() ? text : text + QStringLiteral(" (") +
                                                  key.toString(QKeySequence::NativeText) +
                                                  QStringLiteral(")"));
        return a;
    };
    QAction* open = make(QStringLiteral("openRecording"), QStringLiteral("&Open Recording…"),
                         QKeySequence::Open, false);
    QAction* live = make(QStringLiteral("showLive"), QStringLiteral("Show &Live Readings"),
                         QKeySequence(), false);
    QAction* close = make(QStringLiteral("close"), QStringLiteral("&Close"), QKeySequence::Close, false);
    QAction* record = make(QStringLiteral("record"), QStringLiteral("Record"),
                           QKeySequence(Qt::CTRL | Qt::Key_R), true);
    QAction* follow = make(QStringLiteral("follow"), QStringLiteral("Follow Newest"),
                           QKeySequence(Qt::Key_End), true);
    QAction* autoscale = make(QStringLiteral("autoscale"), QStringLiteral("Autoscale"),
                              QKeySequence(Qt::CTRL | Qt::Key_A), true);
    QAction* fixed = make(QStringLiteral("fixedRange"), QStringLiteral("Fixed Range…"),
                          QKeySequence(Qt::CTRL | Qt::Key_F), false);
    QAction* home = make(QStringLiteral("home"), QStringLiteral("Full Range"),
                         QKeySequence(Qt::Key_Home), false);
    follow->setChecked(true);
    autoscale->setChecked(true);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(open);
    file->addAction(live);
    file->addSeparator();
    file->addAction(record);
    file->addSeparator();
    file->addAction(close);
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    for (QAction* a : {follow, autoscale, fixed, home}) view->addAction(a);

    auto* bar = addToolBar(QStringLiteral("Live"));
    bar->setObjectName(QStringLiteral("liveToolbar"));
    bar->setMovable(false);
    bar->addAction(record);
    bar->addSeparator();
    unit_ = new QComboBox(bar);
    unit_->setObjectName(QStringLiteral("unitChoice"));
    unit_->setToolTip(QStringLiteral("Unit of the trend, the statistics and the readout"));
    unit_->addItem(QStringLiteral("cd/m²"));
    unit_->addItem(QStringLiteral("fL"));
    bar->addWidget(unit_);
    bar->addSeparator();
    for (QAction* a : {follow, autoscale, fixed, home}) bar->addAction(a);

    connect(open, &QAction::triggered, this, &LiveWindow::openFromMenu);
    connect(live, &QAction::triggered, this, &LiveWindow::showLive);
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(record, &QAction::triggered, this, &LiveWindow::setRecording);
    connect(follow, &QAction::triggered, this, [this](bool on) {
        plot_->viewport().setFollowing(on);
        plot_->contentChanged();
    });
    connect(autoscale, &QAction::triggered, plot_, &PlotView::setAutoscale);
    connect(fixed, &QAction::triggered, this, &LiveWindow::askValueRange);
    connect(home, &QAction::triggered, plot_, &PlotView::home);
    connect(unit_, &QComboBox::currentIndexChanged, this, [this](int index) {
        trend_.setUnit(index == 1 ? LuminanceUnit::FootLambert : LuminanceUnit::CdPerM2);
        plot_->setAutoscale(true);
        plot_->contentChanged();
        refresh();
    });
}

void LiveWindow::pollShown() {
    noteConnection();
    stability_->add(feed_.now(), feed_.connected() == true ? feed_.lastReading() : std::nullopt);
    if (const RecordingFile* r = feed_.recording(); r && r->failed()) setRecording(false);
    updateRecordingState();
    if (showingFile()) return;
    refresh();
}

void LiveWindow::refresh() {
    const Series& s = file_ ? file_->trend.current() : feed_.series();
    if (isVisible() || !file_) plot_->contentChanged();
    const QString scope = file_ ? QStringLiteral("Whole recording") : QStringLiteral("Since start");
    whole_->setText(QStringLiteral("%1, %2: ").arg(scope, trend_.quantityText()) +
                    statisticsLine(s.total().scaled(trend_.factor()), trend_.unitText()));
    reading_->setVisible(!file_);
    stability_->setVisible(!file_);
    if (file_) return;
    const auto last = feed_.lastReading();
    reading_->setText(last ? readoutText(*last, trend_.unit()) : QStringLiteral("—"));
}

// The meter going away and coming back is news: the trend has a gap from here.
void LiveWindow::noteConnection() {
    const std::optional<bool> now = feed_.connected();
    const bool changed = connected_ && now && *connected_ != *now;
    connected_ = now;
    if (!changed) return;
    // The bar always tells; the panel's status line only while a recording gets the hole
    // (otherwise the read error it shows, which says what to check, stays).
    const QString news = text(connectionNews(*now, clock_.now()));
    if (recording()) {
        notify(news);
    } else {
        notice_->say(news);
    }
}

void LiveWindow::notify(const QString& text) {
    notice_->say(text);
    if (statusLine_) {
        statusLine_->say(text);
    } else if (panelStatus_) {
        panelStatus_->showMessage(text, StatusLine::kShownMilliseconds);
    }
}

bool LiveWindow::recording() const { return feed_.recording() != nullptr; }

void LiveWindow::setRecording(bool on) {
    QAction* record = action(QStringLiteral("record"));
    if (!on) {
        if (!recording()) {
            record->setChecked(false);
            return;
        }
        const RecordingFile* r = feed_.recording();
        const QString path = QString::fromStdString(r->path());
        const std::size_t rows = r->rows();
        std::string error = r->error();
        const bool failedBefore = r->failed();
        feed_.stopRecording(error);
        record->setChecked(false);
        // Said once, as news that gives way to the next; the running state's label goes.
        recordingState_->clear();
        recordingState_->hide();
        notify(failedBefore || !error.empty()
                   ? text(error)
                   : text(recordedNews(rows, QFileInfo(path).fileName().toStdString())));
        return;
    }
    if (recording()) return;
    const std::optional<OutputFile> chosen =
        askOutputFile(prompts_, kRecordingFile, QFileInfo(defaultRecordingName(QDateTime::currentDateTime())).completeBaseName());
    if (!chosen || chosen->path.isEmpty()) {
        record->setChecked(false);
        return;
    }
    const QString* path = &chosen->path;
    std::string error;
    if (!feed_.startRecording(QFile::encodeName(*path).toStdString(), error)) {
        record->setChecked(false);
        notify(QString::fromStdString(error));
        return;
    }
    record->setChecked(true);
    updateRecordingState();
    // With no meter the file has its header and a "disconnected" row until the meter answers.
    if (feed_.connected() != true) notify(text(recordingWaitsNews()));
}

void LiveWindow::updateRecordingState() {
    const RecordingFile* r = feed_.recording();
    if (!r) {
        recordingState_->setVisible(!recordingState_->text().isEmpty());
        return;
    }
    if (r->failed()) {
        setRecording(false);
        return;
    }
    recordingState_->setText(recordingStateText(r->elapsedSeconds(), r->rows(),
                                                QString::fromStdString(r->path())));
    recordingState_->setToolTip(QString::fromStdString(r->path()));
    recordingState_->show();
}

void LiveWindow::askValueRange() {
    const ViewRange& v = plot_->viewport().visible();
    const auto answer = prompts_.input(
        QStringLiteral("Fixed Range"),
        QStringLiteral("Lowest and highest value shown, in %1:").arg(trend_.unitText()),
        valueText(v.v0) + QStringLiteral(" ") + valueText(v.v1));
    const auto range = answer ? parseValueRange(answer->toStdString()) : std::nullopt;
    if (!answer) return;
    if (!range) {
        notify(QStringLiteral("Fixed Range: type two numbers, the lower first, e.g. \"0 500\"."));
        return;
    }
    plot_->setValueRange(range->first, range->second);
}

void LiveWindow::openFromMenu() {
    const auto path = prompts_.openFileNameIn(kFilter, file_history::folder(kRecordingFile.folderKey));
    if (!path) return;
    if (openRecording(*path)) rememberOutputFolder(kRecordingFile, *path);
}

bool LiveWindow::openRecording(const QString& path) {
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) {
        notify(QStringLiteral("Cannot open %1.").arg(path));
        return false;
    }
    auto file = std::make_unique<RecordingTrend>(readRecordingTrend(in));
    const RecordingReadResult result = file->result;
    if (result.rows == 0 && !result.hadHeader) {
        notify(QStringLiteral("%1 is not a recording.").arg(path));
        return false;
    }
    file_ = std::move(file);
    trend_.setTrend(file_->trend);
    trend_.setOriginMs(file_->originMs);
    setWindowTitle(kTitle + QStringLiteral(" — ") + QFileInfo(path).fileName());
    statusBar()->showMessage(text(openedRecordingNews(result)));
    plot_->setAutoscale(true);
    plot_->home();
    refresh();
    return true;
}

void LiveWindow::showLive() {
    trend_.setTrend(feed_.trend());
    file_.reset();
    trend_.setOriginMs(feed_.originMs());
    setWindowTitle(kTitle);
    statusBar()->clearMessage();
    plot_->home();
    refresh();
}

}  // namespace photara
