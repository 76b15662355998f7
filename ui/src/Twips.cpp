#include "cheques/ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace ui::twips {

double PerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int ToPixels(double twips) {
    return static_cast<int>(std::lround(twips / PerPixel()));
}

double FromPixels(int pixels) {
    return pixels * PerPixel();
}

QRect ToPixels(double left, double top, double width, double height) {
    return {ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height)};
}

}  // namespace ui::twips
