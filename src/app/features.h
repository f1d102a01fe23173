#pragma once
// What the program adds around a calculator window's form, in its menu bar:
// saved cases and calculation sheets, plots, sweeps and uncertainty. Each
// feature reads the window's views from the catalogue; none is written for one
// window. They come from the module of ui::extensions(), loaded with the first
// calculator window.

namespace ui {
class CalculatorWindow;
}

// Gives a freshly built calculator window its menus. Returns the window.
ui::CalculatorWindow *withFeatures(ui::CalculatorWindow *window);
