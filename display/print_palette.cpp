#include "display/print_palette.h"

#include <cmath>

namespace qv::draw {

namespace {

double linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::uint8_t scaled(std::uint8_t channel, double k) {
    return static_cast<std::uint8_t>(std::lround(channel * k));
}

Rgb darkened(Rgb c, double k) { return {scaled(c.r, k), scaled(c.g, k), scaled(c.b, k)}; }

} // namespace

double minimumPaperContrast(PaperUse use) { return use == PaperUse::Text ? 4.5 : 3.0; }

double relativeLuminance(Rgb c) { return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b); }

double contrastOnWhite(Rgb c) { return 1.05 / (relativeLuminance(c) + 0.05); }

Rgb paperTwin(Rgb screen, PaperUse use) {
    if (screen == kWhite) return kBlack;
    // A small margin above the threshold, so that rounding to whole channel
    // values never leaves a twin just below it.
    const double wanted = minimumPaperContrast(use) + 0.05;
    if (contrastOnWhite(screen) >= wanted) return screen;
    // Scaling the three channels by one factor keeps hue and saturation;
    // the largest factor that reaches the contrast keeps the colour lightest.
    double low = 0, high = 1;
    for (int step = 0; step < 30; ++step) {
        const double mid = (low + high) / 2;
        if (contrastOnWhite(darkened(screen, mid)) >= wanted)
            low = mid;
        else
            high = mid;
    }
    return darkened(screen, low);
}

} // namespace qv::draw
