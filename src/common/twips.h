#pragma once
#include <QtMath>

// Geometry is given in twips, at a fixed 15 twips per pixel.
namespace Twips {
constexpr double PerPixel = 15.0;
inline int toPixels(double twips) { return qRound(twips / PerPixel); }
inline double fromPixels(double pixels) { return pixels * PerPixel; }
}  // namespace Twips
