#pragma once

#include <QRgb>

// The colours of the main window.
namespace kv::theme {

// Menu rows: the chosen row, the row under the mouse, and every other row.
inline constexpr QRgb rowSelected = qRgb(161, 194, 227);
inline constexpr QRgb rowHover = qRgb(215, 229, 243);
inline constexpr QRgb rowNormal = qRgb(240, 240, 240);

inline constexpr QRgb header = qRgb(0x1F, 0x3A, 0x5F);
inline constexpr QRgb headerText = qRgb(0xFF, 0xFF, 0xFF);
inline constexpr QRgb background = qRgb(0xF3, 0xF5, 0xF8);
inline constexpr QRgb card = qRgb(0xFF, 0xFF, 0xFF);
inline constexpr QRgb border = qRgb(0xD8, 0xDE, 0xE6);
inline constexpr QRgb accent = qRgb(0x2F, 0x6D, 0xB5);
inline constexpr QRgb text = qRgb(0x1F, 0x2A, 0x37);
inline constexpr QRgb mutedText = qRgb(0x5B, 0x67, 0x75);
// Advice under a field: worth reading, never in the way.
inline constexpr QRgb advice = qRgb(0xB3, 0x47, 0x00);

} // namespace kv::theme
