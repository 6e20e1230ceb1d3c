#pragma once
// The free-system-resources figure of the status bar. No such figure exists here, so every kind shows
// the platform's "unknown" text, as on systems without the figure.

#include <array>
#include <string>

namespace qx {

inline constexpr const char* kUnknownResourceText = "???";

// The three figures (system, GDI, user) as texts.
std::array<std::string, 3> GetSystemResourceTexts();

// The status panel's text for [StatusBar] "StatusInfo" 2 (system), 3 (GDI) and 4 (user); "" otherwise.
std::string ResourceStatusText(int statusInfo);

} // namespace qx
