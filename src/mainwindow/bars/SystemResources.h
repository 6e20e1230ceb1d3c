#pragma once
// The free-system-resources figure of the status bar. No such figure exists here, so every kind shows
// the platform's "unknown" text, as on systems without the figure.

#include <array>
#include <cstdint>
#include <string>

namespace qx {

inline constexpr const char* kUnknownResourceText = "???";

// The three figures (system, GDI, user) as texts.
std::array<std::string, 3> GetSystemResourceTexts();

// The status panel's text for [StatusBar] "StatusInfo" 2 (system), 3 (GDI) and 4 (user); "" otherwise.
std::string ResourceStatusText(int statusInfo);

// The status panel's text for "StatusInfo" 1: the free megabytes and their share of the drive's
// (whole megabytes, as the panel counts them); a drive that reports no size shows "???" as its share.
std::string DiskSpaceStatusText(std::uint64_t totalBytes, std::uint64_t freeBytes);

} // namespace qx
