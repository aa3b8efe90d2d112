#pragma once

#include <functional>

class QWidget;

namespace velmora::platform {

// Makes a widget that has no click of its own (a label, a picture) answer a left click:
// handler runs when the button is released over it. The watcher lives as long as the widget.
void onClick(QWidget *widget, std::function<void()> handler);

} // namespace velmora::platform
