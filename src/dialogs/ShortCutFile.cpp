#include "dialogs/ShortCutFile.h"

#include "dialogs/CommandTable.h"
#include "documents/SettingsCodec.h"
#include "documents/SettingsFile.h"

#include "platform/Exception.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace qx {

std::string ReadCommandKeyText(const TMemIniFile* ini, int row)
{
    const TCommandShortCut& command = CommandShortCutTable()[static_cast<std::size_t>(row)];
    if (!ini) return std::string(command.DefaultShortCut);
    return StripQuotes(ini->ReadString(command.Section, command.Name, command.DefaultShortCut));
}

std::vector<TShortCut> ReadShortCuts(const std::string& path)
{
    const std::optional<TMemIniFile> ini = OpenSettingsFile(path);
    std::vector<TShortCut> keys(CommandCount);
    for (int row = 0; row < CommandCount; ++row)
        keys[static_cast<std::size_t>(row)] = TextToShortCut(ReadCommandKeyText(ini ? &*ini : nullptr, row));
    return keys;
}

namespace {

TKeyTexts KeyTextsOf(const TMemIniFile* ini)
{
    TKeyTexts texts;
    for (const TKeyTreeNode& node : KeySetTree())
        texts.push_back(node.IsCommand() ? ReadCommandKeyText(ini, node.Row) : std::string(GroupKeyText));
    return texts;
}

} // namespace

void LoadKeySetFile(const std::string& path, TKeyTexts& texts)
{
    std::error_code missing;
    const bool exists = std::filesystem::exists(path, missing);
    const TMemIniFile ini(path);
    // Read as one, a binary file or another settings file would give every command its default.
    const auto& table = CommandShortCutTable();
    if (exists && std::none_of(table.begin(), table.end(), [&](const TCommandShortCut& command) {
            return ini.ValueExists(command.Section, command.Name);
        }))
        throw EFOpenError("ショートカットキー設定ファイルではありません。");
    texts = KeyTextsOf(&ini);
}

TKeyTexts DefaultKeyTexts()
{
    return KeyTextsOf(nullptr);
}

void SaveKeySetFile(const std::string& path, const TKeyTexts& texts)
{
    TMemIniFile ini(path);
    WriteApplicationSection(ini, true);
    const auto tree = KeySetTree();
    for (std::size_t i = 0; i < tree.size() && i < texts.size(); ++i) {
        if (!tree[i].IsCommand()) continue;
        const TCommandShortCut& command = CommandShortCutTable()[static_cast<std::size_t>(tree[i].Row)];
        ini.WriteString(command.Section, command.Name, AddQuotes(texts[i]));
    }
    ini.SetHeader(SettingsFileHeader(kShortCutSettingsTitle));
    ini.UpdateFile();
}

} // namespace qx
