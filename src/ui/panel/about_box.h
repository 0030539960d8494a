#pragma once

#include <QString>

class QWidget;

namespace photara {

// The About box's text: the version of this build, the licence, where the settings live,
// where data files go, and how to give the user access to the meter.
QString aboutText();

// Shows it over parent (F1 on the panel).
void showAbout(QWidget* parent);

}  // namespace photara
