#pragma once

namespace photara {

struct AppContext;
class DataViews;

// Toolbar "List": opens the data list on the current data text; nothing when there is none.
void runListCommand(AppContext& context, DataViews& views);

// Toolbar "Graph": plots the current data text, read exactly as the data list reads it;
// nothing when there is none.
void runGraphCommand(AppContext& context, DataViews& views);

}  // namespace photara
