#include "mainwindow/files/CloseWalk.h"

#include "documents/MessageTexts.h"

namespace qx {

namespace {

int AskSave(TDocumentTabs& Tabs, int Page, const TCloseServices& Services, TMsgDlgButtons Buttons)
{
    if (Services.Beep) Services.Beep();
    TPromptRequest request;
    request.Text = MsgDocumentModified(Tabs.Name(Page));
    request.Caption = "確認";
    request.Kind = TMsgDlgType::mtConfirmation;
    request.Buttons = Buttons;
    return Services.Prompter->Show(request);
}

} // namespace

TCloseResult CloseAllDocuments(TDocumentTabs& Tabs, const TCloseServices& Services)
{
    bool saveAll = false;
    for (int page = 0; page < Tabs.Count(); ++page) {
        if (!Tabs.Modified(page)) continue;
        Tabs.Activate(page);
        int answer = mr::All;
        if (!saveAll)
            answer = AskSave(Tabs, page, Services,
                             {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbAll});
        if (answer == mr::No) continue;
        if (answer != mr::Yes && answer != mr::All) return TCloseResult::Cancelled;
        saveAll = saveAll || answer == mr::All;
        if (!Tabs.SaveActive()) return TCloseResult::SaveFailed;
    }
    return TCloseResult::Closed;
}

TWindowClose CloseMainWindow(bool& QuitRequested, bool AlwaysQxEditor, bool HasTray, const TWindowCloseSteps& Steps)
{
    const bool resident = !QuitRequested && AlwaysQxEditor;
    QuitRequested = false;
    if (!Steps.CloseDocuments() || !Steps.CloseProject(resident)) return TWindowClose::Keep;
    Steps.SaveSettings();
    if (!resident) return TWindowClose::Quit;
    return HasTray ? TWindowClose::HideInTray : TWindowClose::Minimize;
}

bool QuerySaveDocument(TDocumentTabs& Tabs, int Active, const TCloseServices& Services)
{
    if (Active < 0 || !Tabs.Modified(Active)) return true;
    const int answer =
        AskSave(Tabs, Active, Services, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel});
    if (answer == mr::No) return true;
    if (answer != mr::Yes) return false;
    return Tabs.SaveActive();
}

} // namespace qx
