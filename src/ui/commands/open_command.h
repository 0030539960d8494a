#pragma once

namespace photara {

struct AppContext;
class DataViews;

// Toolbar "Open": reads a data file chosen by the user into the data text, fills the
// samples and maxima from it and opens the plot. A file that cannot be read, or holds no
// reading, gets a message naming it and changes nothing.
void runOpenCommand(AppContext& context, DataViews& views);

}  // namespace photara
