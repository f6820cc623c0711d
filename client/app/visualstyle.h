#pragma once

class QApplication;

namespace vk {

// The program's look: turquoise and grey over Qt's Fusion style, for the whole application.
void applyVisualStyle(QApplication& app);

namespace palette {
inline constexpr unsigned kTurquoise = 0x1AA6B7;
inline constexpr unsigned kTurquoiseDark = 0x128392;
inline constexpr unsigned kGreyDark = 0x3C4650;
inline constexpr unsigned kGreyMid = 0x8A96A0;
inline constexpr unsigned kGreyLight = 0xE9EDEF;
} // namespace palette

} // namespace vk
