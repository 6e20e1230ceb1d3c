#pragma once
// The tray menu's banner: a gradient strip down the menu's left side with the program's name written
// upwards; the longest of five texts that fits the menu's height is used.

#include <functional>
#include <string>
#include <string_view>

namespace qx {

// The longest banner text whose width (as TextWidth measures it in the banner's font) fits Height;
// the shortest when none fits.
std::string TrayBannerText(int Height, const std::function<int(std::string_view)>& TextWidth);

} // namespace qx
