#pragma once
// Window geometry is written in twips, exactly as the window layouts give it:
// 1440 twips to the inch, 15 twips to a logical pixel at 96 dots per inch.
// This is the only place where twips become pixels.

#include <QRect>
#include <QtGlobal>

namespace ui {

inline constexpr double twipsPerPixel = 15.0;

inline int px(double twips) { return qRound(twips / twipsPerPixel); }
inline double twips(int pixels) { return pixels * twipsPerPixel; }

// A control's Left, Top, Width and Height in twips, as a pixel rectangle.
inline QRect tw(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace ui
