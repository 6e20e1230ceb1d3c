#pragma once
// TMemIniFile: the class library's in-memory ini file, byte for byte.
//
// The whole file is read when the object is made; changes stay in memory until UpdateFile writes it
// back. Section and key names are matched without regard to ASCII case. Sections and keys keep the order
// of their first appearance; a new key goes to the end of its section, a new section to the end of the
// file. On reading, every line is trimmed (bytes up to the blank); empty lines, ";" comments and every
// line before the first section are dropped; blanks around the first "=" are removed. Writing gives
// "[Section]", its lines, then one empty line, for each section, every line ending in CR LF, after the
// optional header lines (which an ini reader then drops again).
//
// Texts are CP932 bytes; the file name is the file system's own bytes.

#include "platform/NameIndex.h"
#include "platform/StringList.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TMemIniFile {
public:
    // Reads the file; a missing file gives an empty object. An existing file that cannot be read raises
    // EFOpenError (ESettingsFileTooLarge for one above the settings files' size, platform/SettingsBytes.h).
    explicit TMemIniFile(std::string fileName);

    const std::string& FileName() const { return FFileName; }

    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view defaultValue) const;
    // A value with a line end is not stored: the key is removed (see platform/OneLine.h).
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    // Decimal, or hexadecimal after "$", "0x" or "x", optionally signed; anything else (or a value
    // outside 32 bits) gives the default.
    int ReadInteger(std::string_view section, std::string_view ident, int defaultValue) const;
    void WriteInteger(std::string_view section, std::string_view ident, int value);
    // Any integer other than 0 is true; written as "1" and "0".
    bool ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const;
    void WriteBool(std::string_view section, std::string_view ident, bool value);

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view ident) const;
    // The key names of a section, in order.
    void ReadSection(std::string_view section, TStringList& keys) const;
    // The section names, in order.
    void ReadSections(TStringList& sections) const;
    // The raw lines of a section ("key=value", or a line without "=" as it stands).
    void ReadSectionValues(std::string_view section, TStringList& lines) const;
    // Adds an empty section at the end unless it exists (a section may stand without keys).
    void AddSection(std::string_view section);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view ident);
    void Clear();

    // The file as lines ("[Section]", its lines, an empty line, ...) and back.
    void GetStrings(TStringList& lines) const;
    void SetStrings(const TStringList& lines);

    // Lines written in front of the first section by UpdateFile (the settings files' comment block).
    void SetHeader(const TStringList& header) { FHeader = header.Items(); }

    // The bytes UpdateFile writes: the header lines, then GetStrings, every line ending in CR LF.
    std::string FileBytes() const;
    // Writes the file safely (temporary file renamed over the old one); raises EInOutError on failure,
    // leaving the old file whole.
    void UpdateFile() const;

private:
    // Sections and their keys are indexed by name, so that a file of many sections or keys loads,
    // reads and writes in time linear in its size.
    struct Section {
        std::string Name;
        std::vector<std::string> Lines;
        TNameIndex Keys;  // the lines with a "=", by their name
        void AddLine(std::string line);
        void IndexKeys();
    };

    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    Section& SectionFor(std::string_view name);
    static int IndexOfName(const Section& section, std::string_view ident);

    std::string FFileName;
    std::vector<Section> FSections;
    TNameIndex FSectionIndex;
    std::vector<std::string> FHeader;
};

// The text of a line up to its first "=" ("" when it has none), and the text after it.
std::string_view IniLineName(std::string_view line);
std::string_view IniLineValue(std::string_view line);

// Trims bytes up to the blank (control characters and spaces) from both ends.
std::string_view TrimBlanks(std::string_view text);

// The class library's string-to-integer conversion: decimal, or hexadecimal after "$", "0x" or "x",
// optionally signed; false for anything else or a value outside 32 bits (hexadecimal wraps like the
// class library's: "$FFFFFFFF" is -1).
bool TryStrToInt(std::string_view text, int& value);

} // namespace qx
