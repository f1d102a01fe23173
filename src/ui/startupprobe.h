#pragma once
// Start-up measurement for the benchmark. When VARNOLEK_LAUNCH_NS holds the
// wall-clock time (ns since the epoch) at which the process was launched, the
// first paint of the watched window prints "first-window-ms <n>" and quits.
// Without that variable nothing happens.

class QWidget;

namespace ui {
void watchFirstPaint(QWidget *window);
}
