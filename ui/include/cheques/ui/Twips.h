#pragma once

#include <QRect>

// Lengths of windows and controls are designed in twips (1/1440 inch); the screen's logical
// resolution turns them into pixels (15 twips are one pixel at 96 dots per inch).
namespace ui::twips {

// Twips per pixel on the primary screen (15 at 96 DPI; 15 as well without a screen).
double PerPixel();

int ToPixels(double twips);
double FromPixels(int pixels);

// A rectangle designed in twips (left, top, width, height), in pixels.
QRect ToPixels(double left, double top, double width, double height);

}  // namespace ui::twips
