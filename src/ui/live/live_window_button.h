#pragma once

class QMainWindow;

namespace photara {

class LiveWindow;

// Puts the "Live" button (Ctrl+L) on a main window's toolbar Toolbar1: it shows the window.
void addLiveWindowButton(QMainWindow& panel, LiveWindow& live);

}  // namespace photara
