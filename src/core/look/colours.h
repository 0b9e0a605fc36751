// The named drawing colours every part shares, as 32-bit ARGB (AARRGGBB).
#pragma once

#include "core/look/display_list.h"

namespace kelto::look {

inline constexpr TArgb ClrInk = 0xFF000000;
inline constexpr TArgb ClrPinMarker = 0xFF808080;
inline constexpr TArgb ClrPlate = 0xFFC0C0C0;
inline constexpr TArgb ClrLit = 0xFFFF0000;
inline constexpr TArgb ClrUnlit = 0xFF800000;
inline constexpr TArgb ClrAccent = 0xFF0000FF;
inline constexpr TArgb ClrTrace = 0xFF00FF00;
inline constexpr TArgb ClrLcdFace = 0xFF00FF64;
inline constexpr TArgb ClrLcdDotOff = 0xFF00DC55;
inline constexpr TArgb ClrWhite = 0xFFFFFFFF;
// A wire being drawn, and the mark on its first pin.
inline constexpr TArgb ClrWiring = 0xFFE00000;

// Only the LEDs use these.
inline constexpr TArgb kLedGlowLit = 0xEBFF0000;
inline constexpr TArgb kLedGlowUnlit = 0xB4A80000;
inline constexpr TArgb kLedHighlightLit = 0xFFFFFFFF;
inline constexpr TArgb kLedHighlightUnlit = 0xB4FFFFFF;

constexpr TArgb LitOrUnlit(unsigned stateByte)
{
    return stateByte != 0 ? ClrLit : ClrUnlit;
}

} // namespace kelto::look
