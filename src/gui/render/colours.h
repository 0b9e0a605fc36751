// The named drawing colours every part shares, as 32-bit ARGB (AARRGGBB).
#pragma once

#include <QtGui/QRgb>

namespace kelto::gui {

inline constexpr QRgb ClrInk = 0xFF000000;
inline constexpr QRgb ClrPinMarker = 0xFF808080;
inline constexpr QRgb ClrPlate = 0xFFC0C0C0;
inline constexpr QRgb ClrLit = 0xFFFF0000;
inline constexpr QRgb ClrUnlit = 0xFF800000;
inline constexpr QRgb ClrAccent = 0xFF0000FF;
inline constexpr QRgb ClrTrace = 0xFF00FF00;
inline constexpr QRgb ClrLcdFace = 0xFF00FF64;
inline constexpr QRgb ClrLcdDotOff = 0xFF00DC55;
inline constexpr QRgb ClrWhite = 0xFFFFFFFF;

// Only the LEDs use these.
inline constexpr QRgb kLedGlowLit = 0xEBFF0000;
inline constexpr QRgb kLedGlowUnlit = 0xB4A80000;
inline constexpr QRgb kLedHighlightLit = 0xFFFFFFFF;
inline constexpr QRgb kLedHighlightUnlit = 0xB4FFFFFF;

constexpr QRgb LitOrUnlit(unsigned stateByte)
{
    return stateByte != 0 ? ClrLit : ClrUnlit;
}

} // namespace kelto::gui
