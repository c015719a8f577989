#pragma once

#include <QRect>

// Layouts are given in twips: 1/1440 inch, 15 to the logical pixel. Qt scales
// logical pixels on dense screens, so the layout stays crisp at any scale.
constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) { return twips / kTwipsPerPixel; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}
