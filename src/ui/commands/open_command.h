#pragma once

class QString;

namespace photara {

struct AppContext;
class DataViews;

// Toolbar "Open": reads a data file chosen by the user into the data text, fills the
// samples and maxima from it and opens the plot. A file that cannot be read, or holds no
// reading, gets a message naming it and changes nothing. The dialog starts in the folder
// it last opened from.
void runOpenCommand(AppContext& context, DataViews& views);

// Opens the data file `name` as Open does once its dialog has named it: for a file named on
// the command line and for a recent file. Each file opened goes to the top of the recent
// files; one that cannot be opened leaves them. True when it was opened.
bool openDataFile(AppContext& context, DataViews& views, const QString& name);

}  // namespace photara
