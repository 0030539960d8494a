#pragma once

#include <functional>

class QWidget;

namespace photara {

// Makes a plain widget (label, frame, gauge) report a left click: the handler runs when the
// button is released over the widget. The filter lives as long as the widget.
void onClick(QWidget* widget, std::function<void()> handler);

}  // namespace photara
