#pragma once

#include <array>
#include <string_view>

namespace photara {

// The plot window's toolbar commands. Each is wired by its enum value; the name is the
// toolbar action's objectName, so a misspelt name cannot leave a button unconnected.
enum class PlotCommand { Unit, Range, Print, Export, Copy };

inline constexpr std::array kPlotCommands = {PlotCommand::Unit, PlotCommand::Range,
                                             PlotCommand::Print, PlotCommand::Export,
                                             PlotCommand::Copy};

constexpr std::string_view plotCommandName(PlotCommand command) {
    switch (command) {
        case PlotCommand::Unit: return "Unit";
        case PlotCommand::Range: return "Range";
        case PlotCommand::Print: return "Print";
        case PlotCommand::Export: return "Export";
        case PlotCommand::Copy: return "Copy";
    }
    return {};
}

}  // namespace photara
