#include "documents/EditorFiles.h"

#include "documents/DocumentCodes.h"
#include "documents/EditorEnvironment.h"
#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"

#include <optional>

#include <sys/stat.h>

namespace qx {

namespace {

// The lock when the document keeps one, and the time stamp always: whatever the options, a save does
// not overwrite a file that another program changed since without asking.
void TakeLockAndStamp(TDocumentEditor& Document, const std::string& FileName)
{
    if (Document.LockFile()) Document.OpenLockFile(FileName);
    Document.StoreFileTStamp(FileName);
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
    const TDecodedDocument Decoded = LoadDocumentFile(FileName, Code, *Host.Prompter, *Text, Host.LoadProgress);
    if (Decoded.Status != TLoadStatus::Loaded) return Decoded.Status;

    // The lock or stamp is taken below, once the read-only state is known.
    if (Host.ApplyEnvironment) Host.ApplyEnvironment(N, std::string(), &*Environment);
    Document.SetEnvironmentNumber(N);
    Document.SetFileOpenMode(ShareMode);
    Text->Load();
    Document.SetSaveFileCharType(Decoded.CharType);
    Document.SetSaveFileRtrnType(Decoded.RtrnType);
    Document.SetUtf8Mark(Decoded.Utf8Mark);
    Document.SetModified(false);

    const bool ReadOnly = ShareMode == 64 || HasReadOnlyAttribute(FileName);
    Document.SetReadOnlyState(ReadOnly, ReadOnly);
    if (Host.SetEditMode) Host.SetEditMode(!ReadOnly);
    if (!ReadOnly) TakeLockAndStamp(Document, FileName);
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
        TakeLockAndStamp(Document, FileName);
        return false;
    default:
        ShowMessageDialog(Prompter, MsgFileOpenError(FileName), "確認", TMsgDlgType::mtError, {TMsgDlgBtn::mbYes});
        TakeLockAndStamp(Document, FileName);
        return false;
    }
    if (LoadFileToEditor(Document, Host, State, FileName, OpenCodeOfCharType(CharType), ShareMode) !=
        TLoadStatus::Loaded) {
        TakeLockAndStamp(Document, FileName);
        return false;
    }
    Document.SetModified(false);
    Document.SetSaveFileCharType(CharType);
    TakeLockAndStamp(Document, FileName);
    Call(Host.AfterReload);
    return true;
}

int CheckFileTimeStamp(TDocumentEditor& Document, TDocumentHost& Host, const TGlobalState& State, bool Saving)
{
    const std::string FileName = Document.FileName();
    // The option and the lock (which keeps out only other editors) govern the checks on a tab change
    // and an activation; a save over the file always looks.
    if (!Saving && (Document.LockFile() || !Document.CheckTStamp())) return tsNothing;
    if (Document.SameFileTStamp(FileName)) return tsNothing;
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
    if (NormalizeDocumentName(FileName) == NormalizeDocumentName(Document.FileName()) &&
        CheckFileTimeStamp(Document, Host, State, true) == tsCancel)
        return false;
    const int CharType = CharTypeOfChoice(CodeChoice, Document.SaveFileCharType());
    const int RtrnType = RtrnTypeOfChoice(LineChoice, Document.SaveFileRtrnType());
    // The mark a UTF-8 file was read with stays while the document stays UTF-8.
    const bool Utf8Mark = Document.Utf8Mark() && CharType == sfctUTF8;
    const TBytePieces Text = [&Document](const TBytePut& Put) { Document.SaveText(Put); };
    if (!WriteTextFile(*Host.Prompter, FileName, Text, CharType, RtrnType, Host.Writer, Utf8Mark)) {
        // The old file is whole; the lock still holds it and the stamp still is its date.
        TakeLockAndStamp(Document, Document.FileName());
        return false;
    }
    Document.SetSaveFileCharType(CharType);
    Document.SetSaveFileRtrnType(RtrnType);
    Document.SetUtf8Mark(Utf8Mark);
    Document.SetModified(false);
    // The file is a new one now (renamed into place): a lock on the old one would guard nothing.
    Document.CloseLockFile();
    TakeLockAndStamp(Document, FileName);
    return true;
}

} // namespace qx
