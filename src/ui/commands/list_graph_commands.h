#pragma once

namespace photara {

struct AppContext;
class DataViews;

// Toolbar "Save": saves the current data text exactly as the data list's Save does; nothing
// when there is none (the button is disabled then).
void runSaveCommand(AppContext& context);

// Toolbar "List": opens the data list on the current data text; when there is none, the
// status line says so.
void runListCommand(AppContext& context, DataViews& views);

// Toolbar "Graph": plots the current data text, read exactly as the data list reads it;
// when there is none, the status line says so.
void runGraphCommand(AppContext& context, DataViews& views);

}  // namespace photara
