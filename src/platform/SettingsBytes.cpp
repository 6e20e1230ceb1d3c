#include "platform/SettingsBytes.h"

#include "platform/FileBytes.h"

#include <atomic>

#include <sys/stat.h>

namespace qx {

ESettingsFileTooLarge::ESettingsFileTooLarge(std::string fileName)
    : EFOpenError("ファイル \"" + fileName + "\" は" + Reason()), FFileName(std::move(fileName))
{
}

std::string ESettingsFileTooLarge::Reason()
{
    return "設定ファイルとしては大きすぎるため読み込みません（" + std::to_string(MaxSettingsFileBytes >> 20) + " MB まで）。";
}

namespace {
std::atomic<long> Reads{0};
} // namespace

long SettingsFileReads() { return Reads.load(std::memory_order_relaxed); }

bool ReadSettingsFileBytes(const std::string& path, std::string& bytes)
{
    Reads.fetch_add(1, std::memory_order_relaxed);
    bytes.clear();
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::size_t>(st.st_size) > MaxSettingsFileBytes)
        throw ESettingsFileTooLarge(path);
    const bool found = ReadFileBytes(path, bytes);
    // A file that grew after the look at its size.
    if (bytes.size() > MaxSettingsFileBytes) {
        bytes.clear();
        throw ESettingsFileTooLarge(path);
    }
    return found;
}

} // namespace qx
