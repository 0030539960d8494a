#pragma once

class QMainWindow;

namespace photara {

class LiveWindow;

// Shows the live window: beside the panel, as the other windows open, or where the user last
// left it.
void showLiveWindow(LiveWindow& live, QMainWindow& panel);

}  // namespace photara
