#include "documents/SettingsFile.h"

#include "documents/GlobalState.h"
#include "documents/MessageTexts.h"
#include "documents/SettingsCodec.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "platform/FileBytes.h"
#include "platform/SettingsBytes.h"

#include <set>


namespace qx {

TStringList SettingsFileHeader(std::string_view title)
{
    TStringList header;
    for (std::string_view line : {title, std::string_view("//"),
                                  std::string_view("// このファイルをむやみに改変しないでください。"),
                                  std::string_view("// 正常に動作しなくなる可能性があります。"),
                                  std::string_view("// --------------------------------------------"),
                                  std::string_view()})
        header.Add(Utf8ToCp932(line));
    return header;
}

std::optional<TMemIniFile> OpenSettingsFile(const std::string& path)
{
    try {
        return TMemIniFile(path);
    } catch (const Exception& e) {
        ReportSettingsRefusal(e);
        return std::nullopt;
    }
}

namespace {

struct TRefusalReport {
    std::function<void(const std::string&)> Report;
    std::set<std::string> Told;
};

TRefusalReport& RefusalReport()
{
    static TRefusalReport report;
    return report;
}

} // namespace

void SetSettingsRefusalReport(std::function<void(const std::string& text)> report)
{
    RefusalReport() = {std::move(report), {}};
}

void ReportSettingsRefusal(const Exception& error)
{
    const auto* refused = dynamic_cast<const ESettingsFileTooLarge*>(&error);
    TRefusalReport& report = RefusalReport();
    if (!refused || !report.Report || !report.Told.insert(refused->FileName()).second) return;
    report.Report(MsgFileReadError(refused->FileName(), ESettingsFileTooLarge::Reason()));
}

bool WriteSettingsFile(TMemIniFile& ini, std::string_view title)
{
    ini.SetHeader(title.empty() ? TStringList() : SettingsFileHeader(title));
    try {
        // A store that changes nothing (a search run again with the same words and switches) costs a
        // read, not a flushed write.
        const std::string bytes = ini.FileBytes();
        std::string old;
        if (ReadSettingsFileBytes(ini.FileName(), old) && old == bytes) return true;
        WriteFileBytesSafely(ini.FileName(), bytes);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool WriteSettingsBytes(const std::string& path, const std::string& bytes)
{
    try {
        std::string old;
        ReadSettingsFileBytes(path, old);
        WriteFileBytesSafely(path, bytes);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

void WriteApplicationSection(TMemIniFile& ini, bool quotedVersion)
{
    ini.WriteString("Application", "Title", "QxEditor for Windows");
    const std::string version(VersionText);
    ini.WriteString("Application", "Version", quotedVersion ? AddQuotes(version) : version);
}

void TKeyReader::Bool(std::string_view key, bool& value, bool)
{
    value = FIni.ReadBool(FSection, key, value);
}

void TKeyReader::Int(std::string_view key, int& value, bool)
{
    value = FIni.ReadInteger(FSection, key, value);
}

void TKeyReader::Str(std::string_view key, std::string& value, bool)
{
    if (FIni.ValueExists(FSection, key)) value = StripQuotes(FIni.ReadString(FSection, key, ""));
}

void TKeyReader::Color(std::string_view key, TColor& value, bool)
{
    if (FIni.ValueExists(FSection, key))
        value = StringToColor(StripQuotes(FIni.ReadString(FSection, key, "")), value);
}

void TKeyReader::Style(std::string_view key, TFontStyles& value, bool)
{
    value = IntToFontStyles(FIni.ReadInteger(FSection, key, FontStylesToInt(value)));
}

void TKeyWriter::Bool(std::string_view key, const bool& value, bool saved)
{
    if (saved) FIni.WriteBool(FSection, key, value);
}

void TKeyWriter::Int(std::string_view key, const int& value, bool saved)
{
    if (saved) FIni.WriteInteger(FSection, key, value);
}

void TKeyWriter::Str(std::string_view key, const std::string& value, bool saved)
{
    if (saved) FIni.WriteString(FSection, key, AddQuotes(value));
}

void TKeyWriter::Color(std::string_view key, const TColor& value, bool saved)
{
    if (saved) FIni.WriteString(FSection, key, AddQuotes(ColorToString(value)));
}

void TKeyWriter::Style(std::string_view key, const TFontStyles& value, bool saved)
{
    if (saved) FIni.WriteInteger(FSection, key, FontStylesToInt(value));
}

} // namespace qx
