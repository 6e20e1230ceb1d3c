#include "documents/EditorFiles.h"

#include "documents/DocumentCodes.h"
#include "documents/EditorEnvironment.h"
#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"

#include <optional>

#include <sys/stat.h>

namespace qx {

namespace {

// The lock when the document keeps one, else the time stamp when it checks it.
void TakeLockOrStamp(TDocumentEditor& Document, const std::string& FileName)
{
    if (Document.LockFile()) Document.OpenLockFile(FileName);
    else if (Document.CheckTStamp()) Document.StoreFileTStamp(FileName);
}

// A file that nobody may write: the read-only attribute of this system.
bool HasReadOnlyAttribute(const std::string& FileName)
{
    struct stat St;
    return ::stat(FileName.c_str(), &St) == 0 && (St.st_mode & 0222) == 0;
}

void Call(const std::function<void()>& F)
{
    if (F) F();
}

} // namespace

TLoadStatus LoadFileToEditor(TDocumentEditor& Document, TDocumentHost& Host, const TGlobalState& State,
                             const std::string& FileName, int Code, int ShareMode)
{
    // The text is laid out beside the one shown, which a load that does not go through leaves alone,
    // by the wrap of the environment that the file's name chooses, so that applying it lays out nothing
    // again.
    const int N = EnvironmentIndexOfExt(State, EnvironmentPatternOf(FileName));
    std::optional<TEditorEnvironment> Environment;
    if (Host.ApplyEnvironment)
        Environment = LoadEnvironmentFile(EnvironmentFileName(State, N)).value_or(TEditorEnvironment{});
    const std::unique_ptr<TLoadingText> Text = Document.NewText(Environment ? &*Environment : nullptr);
    const TDecodedDocument Decoded = LoadDocumentFile(FileName, Code, *Host.Prompter, *Text);
    if (Decoded.Status != TLoadStatus::Loaded) return Decoded.Status;

    // The lock or stamp is taken below, once the read-only state is known.
    if (Host.ApplyEnvironment) Host.ApplyEnvironment(N, std::string());
    Document.SetEnvironmentNumber(N);
    Document.SetFileOpenMode(ShareMode);
    Text->Load();
    Document.SetSaveFileCharType(Decoded.CharType);
    Document.SetSaveFileRtrnType(Decoded.RtrnType);
    Document.SetModified(false);

    const bool ReadOnly = ShareMode == 64 || HasReadOnlyAttribute(FileName);
    Document.SetReadOnlyState(ReadOnly, ReadOnly);
    if (Host.SetEditMode) Host.SetEditMode(!ReadOnly);
    if (!ReadOnly) TakeLockOrStamp(Document, FileName);
    return TLoadStatus::Loaded;
}

bool ReloadWithCharCode(TDocumentEditor& Document, TDocumentHost& Host, const TGlobalState& State, int CharType)
{
    if (Host.IsNamedDocument && !Host.IsNamedDocument()) return false;
    const std::string FileName = Document.FileName();
    if (FileName.empty()) return false;
    TPrompter& Prompter = *Host.Prompter;
    Call(Host.Beep);
    if (ShowMessageDialog(Prompter, MsgReloadWithCode(FileName, CharType), "確認", TMsgDlgType::mtConfirmation,
                          {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mr::Yes)
        return false;

    // Our own lock would read as another program's.
    Document.CloseLockFile();
    int ShareMode = 0;
    switch (TestOpenFile(FileName)) {
    case otNormal: break;
    case otLocked:
        ShowMessageDialog(Prompter, MsgFileLocked(FileName), "情報", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbYes});
        ShareMode = 64;
        break;
    case otNotFound:
        ShowMessageDialog(Prompter, MsgFileCannotOpen(FileName), "確認", TMsgDlgType::mtError, {TMsgDlgBtn::mbYes});
        TakeLockOrStamp(Document, FileName);
        return false;
    default:
        ShowMessageDialog(Prompter, MsgFileOpenError(FileName), "確認", TMsgDlgType::mtError, {TMsgDlgBtn::mbYes});
        TakeLockOrStamp(Document, FileName);
        return false;
    }
    if (LoadFileToEditor(Document, Host, State, FileName, OpenCodeOfCharType(CharType), ShareMode) !=
        TLoadStatus::Loaded) {
        TakeLockOrStamp(Document, FileName);
        return false;
    }
    Document.SetModified(false);
    Document.SetSaveFileCharType(CharType);
    TakeLockOrStamp(Document, FileName);
    Call(Host.AfterReload);
    return true;
}

int CheckFileTimeStamp(TDocumentEditor& Document, TDocumentHost& Host, const TGlobalState& State)
{
    const std::string FileName = Document.FileName();
    if (Document.LockFile() || !Document.CheckTStamp() || Document.SameFileTStamp(FileName)) return tsNothing;
    Call(Host.Beep);
    struct stat St;
    const std::time_t Now = ::stat(FileName.c_str(), &St) == 0 ? St.st_mtime : 0;
    const int Answer = ShowMessageDialog(*Host.Prompter,
                                         MsgFileChangedOutside(FileName, FormatFileDate(Now),
                                                               FormatFileDate(Document.FileTStamp())),
                                         "確認", TMsgDlgType::mtConfirmation,
                                         {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel});
    if (Answer == mr::Yes)
        return ReloadWithCharCode(Document, Host, State, Document.SaveFileCharType()) ? tsReloaded : tsCancel;
    if (Answer == mr::No) {
        Document.StoreFileTStamp(FileName);
        return tsAccepted;
    }
    return tsCancel;
}

bool SaveEditorFile(TDocumentEditor& Document, TDocumentHost& Host, const TGlobalState& State,
                    const std::string& FileName, int CodeChoice, int LineChoice)
{
    if (CheckFileTimeStamp(Document, Host, State) == tsCancel) return false;
    const int CharType = CharTypeOfChoice(CodeChoice, Document.SaveFileCharType());
    const int RtrnType = RtrnTypeOfChoice(LineChoice, Document.SaveFileRtrnType());
    if (!WriteTextFile(*Host.Prompter, FileName, Document.SaveText(), CharType, RtrnType, Host.Writer)) {
        // The old file is whole; the lock still holds it and the stamp still is its date.
        TakeLockOrStamp(Document, Document.FileName());
        return false;
    }
    Document.SetSaveFileCharType(CharType);
    Document.SetSaveFileRtrnType(RtrnType);
    Document.SetModified(false);
    // The file is a new one now (renamed into place): a lock on the old one would guard nothing.
    Document.CloseLockFile();
    TakeLockOrStamp(Document, FileName);
    return true;
}

} // namespace qx
