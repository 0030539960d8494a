#pragma once

#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/meter/wire_sequences.h"
#include "ui/commands/rtc_command.h"
#include "ui/logger/memory_window.h"

class QComboBox;

namespace photara {

struct AppContext;
class DataViews;
class EraseListController;
class MemoryWindow;

// What a download needs of the data list window.
struct DataListHooks {
    std::function<bool()> isOpen;
    std::function<void()> close;
    std::function<void()> show;  // opens it on the current data text
};

// The toolbar's logger and clock commands. Owns the logger window (Memory) and the erase
// list's behaviour. Transfers let pending events run so the windows stay responsive; the
// panel's keypad and toolbar are disabled meanwhile, and a command started while another
// is still transferring is ignored.
class LoggerCommands {
  public:
    LoggerCommands(AppContext& context, DataViews& views, QComboBox& eraseList);
    // The same over any data list (tests use a stand-in).
    LoggerCommands(AppContext& context, DataListHooks dataList, QComboBox& eraseList);
    ~LoggerCommands();
    LoggerCommands(const LoggerCommands&) = delete;
    LoggerCommands& operator=(const LoggerCommands&) = delete;

    void runMemory();
    void runErase();
    void runIntv();
    void runRecSetup();
    void runRtc();

    // After each poll shown: a recording the poll saw end stored a new set, so an open logger
    // window and a shown erase list list the meter's sets again (as soon as the meter allows
    // a directory read).
    void pollShown();

    void closeLoggerWindow();
    bool loggerWindowOpen() const;
    MemoryWindow* loggerWindow() const { return window_; }

    // How the clock window is shown (tests drive it instead of exec()).
    void setModalRunner(ModalRunner run) { runModal_ = std::move(run); }

  private:
    class Busy;
    enum class Listing { Open, Refresh };
    void downloadSet(int setNumber);
    void eraseAll(bool guarded);
    // Photara changed the meter's sets: an open logger window and a shown erase list list
    // them again.
    void setsChanged();
    void refreshLists();
    // Reads the memory status and the directory into the logger window and a shown erase
    // list: opening the window (Memory) or keeping them current. A refresh tells a failure on
    // the status line only.
    void listSets(Listing listing);
    MemoryWindow& openWindow();
    // The memory status and the directory, kept as the shared set identifiers.
    MeterOutcome<SetList> readSets();
    // Moves the progress bar; false once the panel was closed
    // meanwhile: the program is ending, and the transfer stops without a word.
    bool progress(int percent);
    bool panelClosed() const;

    AppContext& context_;
    DataListHooks dataList_;
    std::unique_ptr<EraseListController> eraseList_;
    QPointer<MemoryWindow> window_;
    std::vector<std::string> listed_;  // identifiers of the logger window's rows
    ModalRunner runModal_ = execModal;
    bool busy_ = false;
    bool listStale_ = false;     // the lists show sets the meter has changed since
    bool sawRecording_ = false;  // the last answered poll showed a recording under way
    bool sawSetting_ = false;    // the last answered poll showed the setting mode (SET)
    bool changedHere_ = false;
    std::map<std::string, SetSummary> summaries_;  // of the sets downloaded, by identifier   // Photara itself changed the sets since they were listed
    bool panelShownAtStart_ = false;  // of the transfer under way
};

}  // namespace photara
