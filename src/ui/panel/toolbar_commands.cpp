#include "ui/panel/toolbar_commands.h"

#include <QtGlobal>

#include "ui/panel/toolbar_icons.h"

namespace photara {
namespace {

// RecSetup has no theme icon: the theme's nearest is the record symbol, which belongs to the
// live window's Record alone.
constexpr ToolbarRow kToolbarRows[] = {
    {ToolbarCommand::Save, "Save", "Save As", "Save the current data to a data file (.pxd)",
     Qt::CTRL | Qt::Key_S, "document-save-as", drawSaveIcon},
    {ToolbarCommand::Open, "Open", "Open File to Read", "Open a saved data file (.pxd) and plot it",
     Qt::CTRL | Qt::Key_O, "document-open", drawOpenIcon},
    {ToolbarCommand::Intv, "Intv", "Sampling Rate",
     "Set how often the meter's logger takes a reading", Qt::CTRL | Qt::Key_I,
     "media-playlist-repeat", drawStopwatchIcon},
    {ToolbarCommand::List, "List", "List Display", "Show the current data as a table",
     Qt::CTRL | Qt::Key_T, "x-office-spreadsheet", drawListIcon},
    {ToolbarCommand::Graph, "Graph", "Graphic Display", "Plot the current data",
     Qt::CTRL | Qt::Key_G, "utilities-system-monitor", drawGraphIcon},
    {ToolbarCommand::Rtc, "RTC", "Real Time Clock",
     "Show the meter's clock beside the PC's; set it from the PC", Qt::CTRL | Qt::Key_K,
     "x-office-calendar", drawClockIcon},
    {ToolbarCommand::RecSetup, "RecSetup", "Recording Setup",
     "Set the logger's recording period in seconds", Qt::CTRL | Qt::SHIFT | Qt::Key_R, nullptr,
     drawPeriodIcon},
    {ToolbarCommand::Memory, "Memory", "Data Logger",
     "List the sets recorded in the meter and download one", Qt::CTRL | Qt::Key_M,
     "media-flash", drawMemoryIcon},
    {ToolbarCommand::Erase, "Erase", "Erase Data Logger", "Erase one recorded set, or all of them",
     Qt::CTRL | Qt::SHIFT | Qt::Key_E, "edit-delete", drawEraseIcon},
    // Photara's own windows come after the meter's commands.
    {ToolbarCommand::Live, "Live", "Live Readings",
     "The trend and statistics of the readings, their stability, and a live recording to a file",
     Qt::CTRL | Qt::Key_L, nullptr, drawLiveIcon},
    {ToolbarCommand::Measure, "Measure", "Measure",
     "Measure a screen, display or sign against a published standard, point by point",
     Qt::CTRL | Qt::SHIFT | Qt::Key_M, nullptr, drawMeasureIcon},
    {ToolbarCommand::Results, "Results", "Results",
     "The kept reports of guided measurements, by site and asset, and a point's history",
     Qt::CTRL | Qt::SHIFT | Qt::Key_H, nullptr, drawResultsIcon},
};

}  // namespace

std::span<const ToolbarRow> toolbarRows() {
    return kToolbarRows;
}

const ToolbarRow& toolbarRow(ToolbarCommand command) {
    for (const ToolbarRow& row : kToolbarRows)
        if (row.command == command) return row;
    qFatal("a toolbar command without its row");
}

}  // namespace photara
