#include "documents/ToolBarFile.h"

#include "documents/SettingsFile.h"

#include <filesystem>
#include <system_error>

namespace qx {

namespace {

// [ToolBar] of "QxEditor.ini": one list for reading and writing.
struct ToolBarKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("LoadToolBar1", s.LoadToolBar1);
        if (s.LoadToolBar1) {
            k.Bool("UserToolBar", s.UserToolBar);
            k.Int("UserToolBarLeft", s.UserToolBarLeft);
            k.Int("UserToolBarTop", s.UserToolBarTop);
        }
        k.Bool("LoadToolBar2", s.LoadToolBar2);
        if (s.LoadToolBar2) {
            k.Bool("UserToolBar2", s.UserToolBar2);
            k.Int("UserToolBarLeft2", s.UserToolBarLeft2);
            k.Int("UserToolBarTop2", s.UserToolBarTop2);
        }
        k.Bool("DragAndDrop", s.DragAndDrop);
        k.Bool("ButtonFlat", s.ButtonFlat);
        k.Int("BarStyle", s.BarStyle);
        k.Bool("ToolTipHintShow", s.ToolTipHintShow);
        k.Bool("ToolTipShortCut", s.ToolTipShortCut);
        k.Bool("ToolBarFold", s.ToolBarFold);
    }
};

std::string BarSection(int bar)
{
    return "ToolBar" + std::to_string(bar);
}

std::vector<int>& BarButtons(TGlobalState& state, int bar)
{
    return bar == 1 ? state.UserToolBar1 : state.UserToolBar2;
}

const std::vector<int>& BarButtons(const TGlobalState& state, int bar)
{
    return bar == 1 ? state.UserToolBar1 : state.UserToolBar2;
}

} // namespace

bool IsToolButtonValue(int value)
{
    return (value >= 0 && value <= LastToolCommandIndex) || value == ToolButtonSeparator;
}

const std::vector<int>& DefaultUserToolBar(int bar)
{
    static const std::vector<int> bar1{0, 1, 99, 3, 4, 99, 6, 99, 9, 99,
                                       12, 13, 99, 14, 15, 16, 18, 99, 38, 41};
    static const std::vector<int> bar2{26, 27, 28, 99, 34, 99, 47, 50, 56, 99,
                                       48, 58, 59, 99, 64, 99, 66, 99, 72, 11};
    return bar == 1 ? bar1 : bar2;
}

void LoadToolBarSettings(TGlobalState& state)
{
    TToolBarSettings& settings = state.Settings.ToolBar;
    settings = TToolBarSettings();
    if (const auto ini = OpenSettingsFile(state.ProgramFile(IniFileName))) {
        TKeyReader reader(*ini, "ToolBar");
        ToolBarKeys{}(reader, settings);
    }

    const std::string barPath = state.ProgramFile(ToolBarFileName);
    std::error_code ignored;
    const auto barFile = std::filesystem::exists(barPath, ignored) ? OpenSettingsFile(barPath) : std::nullopt;
    for (int bar : {1, 2}) {
        std::vector<int>& buttons = BarButtons(state, bar);
        if (!(bar == 1 ? settings.LoadToolBar1 : settings.LoadToolBar2)) {
            buttons.clear();
            continue;
        }
        std::optional<std::vector<int>> stored;
        if (barFile) stored = ReadUserToolBar(*barFile, bar);
        buttons = stored ? *stored : DefaultUserToolBar(bar);
    }
}

void WriteToolBarSettings(TMemIniFile& ini, const TToolBarSettings& settings)
{
    TKeyWriter writer(ini, "ToolBar");
    ToolBarKeys{}(writer, settings);
}

std::optional<std::vector<int>> ReadUserToolBar(const TMemIniFile& ini, int bar)
{
    const std::string section = BarSection(bar);
    if (!ini.SectionExists(section)) return std::nullopt;
    TStringList lines;
    ini.ReadSectionValues(section, lines);
    std::vector<int> buttons;
    for (const std::string& line : lines.Items()) {
        if (line.find('=') == std::string::npos) continue;
        int value;
        if (TryStrToInt(TrimBlanks(IniLineValue(line)), value) && IsToolButtonValue(value))
            buttons.push_back(value);
    }
    return buttons;
}

bool SaveUserToolBar(const TGlobalState& state, int bar)
{
    auto ini = OpenSettingsFile(state.ProgramFile(ToolBarFileName));
    if (!ini) return false;
    WriteApplicationSection(*ini, true);
    const std::string section = BarSection(bar);
    ini->EraseSection(section);
    ini->AddSection(section);
    const std::vector<int>& buttons = BarButtons(state, bar);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        ini->WriteInteger(section, "Num" + std::to_string(i + 1), buttons[i]);
    return WriteSettingsFile(*ini, kToolBarSettingsTitle);
}

} // namespace qx
