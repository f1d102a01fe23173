#pragma once
// The analysis menu of a calculator window: sensitivity and uncertainty.

namespace ui {
class CalculatorWindow;
}

namespace analysis {

// Adds 分析 with 敏感性分析… and 不确定性分析… to every calculator window but
// the design level year's, whose own analysis menu holds its frequency analysis.
void attachSensitivity(ui::CalculatorWindow *window);

} // namespace analysis
