#pragma once
// The greeting marquee of the welcome window; all positions in twips.

namespace varnolek {

inline constexpr int marqueeIntervalMs = 100;
inline constexpr double marqueeStepTwips = 400;

// One tick: the greeting moves 400 twips to the left and, once its right edge
// has passed the window's own left edge + 60, re-enters at the right (at the
// client width plus the window's Left), moved by the same tick's 400.
// Returns the new Left of the greeting label.
double marqueeTick(double formLeft, double formScaleWidth, double labelLeft, double labelWidth);

} // namespace varnolek
