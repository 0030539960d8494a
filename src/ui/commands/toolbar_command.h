#pragma once

#include <array>
#include <string_view>

namespace photara {

// The panel toolbar's commands. Each is wired by its enum value; the name is the toolbar
// action's objectName, so a command whose action is missing is found at start-up, not left
// silently unconnected.
enum class ToolbarCommand { Save, Open, Intv, List, Graph, Rtc, RecSetup, Memory, Erase, Measure, Results };

inline constexpr std::array kToolbarCommands = {
    ToolbarCommand::Save,  ToolbarCommand::Open,  ToolbarCommand::Intv,     ToolbarCommand::List,
    ToolbarCommand::Graph, ToolbarCommand::Rtc,      ToolbarCommand::RecSetup,
    ToolbarCommand::Memory, ToolbarCommand::Erase, ToolbarCommand::Measure, ToolbarCommand::Results};

constexpr std::string_view toolbarCommandName(ToolbarCommand command) {
    switch (command) {
        case ToolbarCommand::Save: return "Save";
        case ToolbarCommand::Open: return "Open";
        case ToolbarCommand::Intv: return "Intv";
        case ToolbarCommand::List: return "List";
        case ToolbarCommand::Graph: return "Graph";
        case ToolbarCommand::Rtc: return "RTC";
        case ToolbarCommand::RecSetup: return "RecSetup";
        case ToolbarCommand::Memory: return "Memory";
        case ToolbarCommand::Erase: return "Erase";
        case ToolbarCommand::Measure: return "Measure";
        case ToolbarCommand::Results: return "Results";
    }
    return {};
}

}  // namespace photara
