#include "ui/live/show_live_window.h"

#include <QMainWindow>

#include "ui/base/window_placement.h"
#include "ui/live/live_window.h"

namespace photara {

void showLiveWindow(LiveWindow& live, QMainWindow& panel) {
    if (!live.isVisible()) setUpSecondaryWindow(live, &panel);
    live.show();
    live.raise();
    live.activateWindow();
}

}  // namespace photara
