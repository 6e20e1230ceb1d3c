#pragma once
// The version window's texts: the program's version and the physical memory of the machine.

#include <cstdint>
#include <string>

namespace qx {

// "Ver." and the program's version.
std::string VersionCaption();
// The machine's physical memory in kilobytes (sysconf), 0 when it cannot be told.
std::int64_t PhysicalMemoryKB();
// Kilobytes as "#,##0KB": "16,318,452KB".
std::string MemoryText(std::int64_t KB);

// The contact and web addresses the window shows and opens.
inline constexpr const char* AboutMailAddress = "qxeditor@example.org";
inline constexpr const char* AboutWebAddress = "https://example.org/qxeditor/";

} // namespace qx
