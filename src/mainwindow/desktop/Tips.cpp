#include "mainwindow/desktop/Tips.h"

#include "documents/SettingsFile.h"
#include "documents/SettingsValue.h"
#include "platform/Exception.h"
#include "platform/SettingsBytes.h"

namespace qx {

TTipPager::TTipPager(const TStringList& tips) : FTips(tips)
{
    if (FTips.Empty()) FTips.Add(std::string(kNoTipsText));
}

void TTipPager::Next()
{
    if (CanNext()) ++FIndex;
}

void TTipPager::Prev()
{
    if (CanPrev()) --FIndex;
}

bool TQxEditorTips::LoadTips(const std::string& path)
{
    std::string bytes;
    try {
        if (path.empty() || !ReadSettingsFileBytes(path, bytes)) return false;
    } catch (const Exception& e) {
        ReportSettingsRefusal(e);
        return false;
    }
    Tips.SetText(bytes);
    return true;
}

bool TQxEditorTips::ReadShowAtStart() const
{
    const auto ini = OpenSettingsFile(FIniPath);
    return ini ? ini->ReadBool("OnePoint", "ShowAtStart", ShowAtStart) : ShowAtStart;
}

bool TQxEditorTips::Execute(TTipWindow& window)
{
    TTipWindowSetup setup;
    setup.Caption = Title;
    setup.CheckCaption = "起動時に表示(&S)";
    setup.Heading = TipHelp;
    setup.Background = TipBackground;
    setup.ShowAtStart = ReadShowAtStart();
    setup.Tips = Tips;
    bool checked = setup.ShowAtStart;
    const int result = window.ShowModal(setup, checked);
    ShowAtStart = checked;
    if (SaveShowAtStart)
        WriteSettingsValue(FIniPath, "OnePoint", "ShowAtStart", checked ? "1" : "0", kMainSettingsTitle);
    return result != 0;
}

} // namespace qx
