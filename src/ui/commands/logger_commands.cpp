#include "ui/commands/logger_commands.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QWidget>

#include "ui/base/app_context.h"
#include "ui/base/prompts.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/status_line.h"
#include "ui/commands/erase_list_controller.h"
#include "ui/commands/logger_messages.h"
#include "ui/commands/settings_commands.h"
#include "ui/base/workspace.h"
#include "ui/datalist/data_views.h"
#include "core/live/display_state.h"
#include "ui/logger/input_lock.h"
#include "ui/logger/memory_window.h"
#include "core/meter/wire_sequences.h"

namespace photara {

// Marks a transfer in progress: refuses re-entry from events that run meanwhile and keeps
// the logger window open and its grid disabled until the transfer has ended.
class LoggerCommands::Busy {
  public:
    explicit Busy(LoggerCommands& owner) : owner_(owner), window_(owner.window_) {
        owner_.busy_ = true;
        owner_.panelShownAtStart_ = owner_.context_.panel && owner_.context_.panel->isVisible();
        if (window_) window_->setBusy(true);
    }
    ~Busy() {
        owner_.busy_ = false;
        if (window_) window_->setBusy(false);
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
    void cover(MemoryWindow& window) {
        window_ = &window;
        window.setBusy(true);
    }

  private:
    LoggerCommands& owner_;
    QPointer<MemoryWindow> window_;
};

LoggerCommands::LoggerCommands(AppContext& context, DataViews& views, QComboBox& eraseList)
    : LoggerCommands(
          context,
          DataListHooks{[&views] { return views.dataListOpen(); },
                        [&views] { views.closeDataList(); }, [&views] { views.showDataList(); }},
          eraseList) {}

LoggerCommands::LoggerCommands(AppContext& context, DataListHooks dataList, QComboBox& eraseList)
    : context_(context),
      dataList_(std::move(dataList)),
      eraseList_(std::make_unique<EraseListController>(context, eraseList)) {
    eraseList_->setOnSetsChanged([this] { setsChanged(); });
}

LoggerCommands::~LoggerCommands() {
    if (window_) delete window_.data();
}

void LoggerCommands::runMemory() {
    if (busy_ || refusedAloud(context_, context_.meter.refuseMemory())) return;
    listSets(Listing::Open);
}

void LoggerCommands::listSets(Listing listing) {
    Busy busy(*this);
    const InputLock lock(context_.panel);
    const bool opening = listing == Listing::Open;
    const MeterOutcome<SetList> sets = readSets();
    if (!sets) {  // the window, if open, stays as it was
        if (sets.reason() == Failure::Stopped) return;  // the program is ending
        if (opening) {
            tell(context_, kMeterStoppedAnswering);
        } else {
            listStale_ = true;  // tried again after the next poll
            sayOnStatusLine(context_, QStringLiteral("The list of sets could not be read "
                                                     "again: the meter stopped answering"));
        }
        return;
    }
    if (sets->status.setCount == 0) {
        // An empty memory is a fact to know, not a failure. A window still listing sets
        // would offer sets that are gone.
        if (opening)
            context_.prompts.message(kNoDataInMemory, QString(), Prompts::Icon::Information);
        else if (!listed_.empty() && !changedHere_)
            sayOnStatusLine(context_, kMemoryClearedOnMeter);  // the window closes: say why
        listed_.clear();
        changedHere_ = false;
        if (window_) {
            window_->setBusy(false);
            window_->close();
        }
        eraseList_->follow({});
        return;
    }
    if (MemoryWindow* window = opening ? &openWindow() : window_.data()) {
        busy.cover(*window);
        window->showStatus(sets->status);
        window->setProgress(100);
    }
    listed_ = sets->identifiers;
    changedHere_ = false;
    if (window_) window_->listSets(listed_, summaries_);
    eraseList_->follow(listed_);
}

void LoggerCommands::setsChanged() {
    changedHere_ = true;
    listStale_ = true;
    refreshLists();
}

void LoggerCommands::refreshLists() {
    if (!loggerWindowOpen() && !eraseList_->shown()) {
        listStale_ = false;  // the next Memory reads the directory anyway
        return;
    }
    // A meter in a mode that refuses the directory is asked again after a later poll.
    if (busy_ || context_.meter.refuseMemory()) return;
    listStale_ = false;
    listSets(Listing::Refresh);
}

void LoggerCommands::pollShown() {
    const bool answered = context_.meter.lastPollAnswered();
    const bool recording = answered && showsLoggerRecording(context_.meter.display());
    if (answered && sawRecording_ && !recording) listStale_ = true;  // stored as a new set
    sawRecording_ = recording;
    // The SET round can clear the memory (CLr): the sets are read again once it is left.
    const bool setting = answered && context_.meter.display()[Element::LblSET];
    if (answered && sawSetting_ && !setting) listStale_ = true;
    sawSetting_ = setting;
    if (listStale_) refreshLists();
}

void LoggerCommands::runErase() {
    if (busy_ || refusedAloud(context_, context_.meter.refuseSettings())) return;
    Busy busy(*this);
    const InputLock lock(context_.panel);

    const MeterOutcome<SetList> sets = readSets();
    if (!sets) {
        if (!panelClosed()) tell(context_, kMeterStoppedAnswering);
        return;
    }
    if (sets->status.setCount == 0) {
        // An empty memory is a fact to know, not a failure.
        context_.prompts.message(kNoDataInMemory, QString(), Prompts::Icon::Information);
        return;
    }
    eraseList_->fill(sets->identifiers);
}

void LoggerCommands::runIntv() {
    if (!busy_) runIntvCommand(context_);
}

void LoggerCommands::runRecSetup() {
    if (!busy_) runRecSetupCommand(context_);
}

void LoggerCommands::runRtc() {
    if (!busy_) runRtcCommand(context_, runModal_);
}

void LoggerCommands::closeLoggerWindow() {
    if (window_ && !busy_) window_->close();
}

bool LoggerCommands::loggerWindowOpen() const {
    return window_ && window_->isVisible();
}

MemoryWindow& LoggerCommands::openWindow() {
    if (!window_) {
        window_ = new MemoryWindow(context_.panel);
        QObject::connect(window_, &MemoryWindow::setChosen, window_,
                         [this](int setNumber) { downloadSet(setNumber); });
        QObject::connect(window_, &MemoryWindow::eraseAllClicked, window_,
                         [this](bool guarded) { eraseAll(guarded); });
        window_->placeBeside(context_.panel);
    }
    window_->show();
    window_->raise();
    return *window_;
}

MeterOutcome<SetList> LoggerCommands::readSets() {
    MeterOutcome<SetList> sets = context_.meter.await(
        context_.meter.core().readSets(context_.meter.progressShownBy(
            [this](int percent) { return progress(percent); })));
    // The program is ending: what the transfer brought is neither kept nor shown.
    if (panelClosed()) return fail(Failure::Stopped);
    return sets;
}

bool LoggerCommands::progress(int percent) {
    if (window_) window_->setProgress(percent);
    return !panelClosed();
}

bool LoggerCommands::panelClosed() const {
    return panelShownAtStart_ && context_.panel && !context_.panel->isVisible();
}

void LoggerCommands::downloadSet(int setNumber) {
    if (busy_) return;
    if (refusedAloud(context_, context_.meter.refuseDownload())) return;
    // The identifier the row was listed with: the shared table may have been read again
    // (by the erase list) since, and then numbers other sets.
    if (setNumber < 1 || static_cast<std::size_t>(setNumber) > listed_.size()) return;
    const std::string identifier = listed_[static_cast<std::size_t>(setNumber) - 1];

    {
        Busy busy(*this);
        const InputLock lock(context_.panel);
        MeterOutcome<DownloadedSet> set = context_.meter.await(context_.meter.core().download(
            identifier,
            context_.meter.progressShownBy([this](int percent) { return progress(percent); })));
        if (panelClosed()) return;  // the program is ending: nothing is kept or said
        if (!set) {
            if (set.reason() == Failure::Stopped) return;
            tell(context_, set.reason() == Failure::TooLong ? kSetTooLong : kMeterStoppedAnswering);
            return;
        }
        if (set->length > 0) {
            context_.workspace.dataText = std::move(set->text);
            summaries_[identifier] = summaryOfDataText(context_.workspace.dataText);
            if (window_) window_->listSets(listed_, summaries_);
            if (dataList_.isOpen && dataList_.close && dataList_.isOpen()) dataList_.close();
            if (dataList_.show) dataList_.show();
            sayOnStatusLine(context_, setTitle(setNumber, identifier) + QStringLiteral(", downloaded"));
            return;
        }
    }
    // A set erased since it was listed answers with size 0: the data downloaded before
    // (data text, data list, plot) stays, and the list shows what the meter holds now.
    setsChanged();
    context_.prompts.message(setGoneText(setNumber, identifier), QString(),
                             Prompts::Icon::Warning);
}

void LoggerCommands::eraseAll(bool guarded) {
    if (busy_) return;
    if (guarded && refusedAloud(context_, context_.meter.refuseSettings())) return;
    bool erased = false;
    {
        // Busy from the question on: a poll that lost the meter meanwhile would close this
        // window under the click being handled.
        Busy busy(*this);
        if (!context_.prompts.confirm(kEraseAllWarning, kWarningTitle, Prompts::Icon::Warning,
                                      Prompts::Default::Cancel))
            return;
        erased = context_.meter.await(context_.meter.core().eraseAll()).ok();
    }
    // A failed erase is not taken for one: the window keeps listing the sets still there.
    if (!erased) return tell(context_, kMeterStoppedAnswering);
    sayOnStatusLine(context_, kAllSetsErased);
    closeLoggerWindow();
    setsChanged();  // a shown erase list offers nothing any more
}

}  // namespace photara
