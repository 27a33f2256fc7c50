// Twips and pixels at the primary screen's logical resolution.
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace vexo {

namespace {

double Dots_per_inch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

} // namespace

int twips(double n)
{
    return static_cast<int>(std::lround(n * Dots_per_inch() / 1440.0));
}

double to_twips(int pixels)
{
    return pixels * 1440.0 / Dots_per_inch();
}

} // namespace vexo
