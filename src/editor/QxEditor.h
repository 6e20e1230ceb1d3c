#pragma once
// TQxEditor: the editing control as the program's documents use it. Besides TEditor it draws marks on
// tabs and blanks and vertical guide lines, keeps ten bookmark texts, a lock on its file, the file's
// time stamp, the character code and line end the document is saved in (TSaveFileCharType and
// TSaveFileRtrnType of the documents layer), and the per-document fields
// the document layer and the option dialogs read and write.
//
// Create one with Construct<TQxEditor>(owner).
//
//   QxEditor.cpp         creation, properties, bookmarks
//   QxEditorFile.cpp     the lock, the time stamp, SaveToFile
//   QxEditorPaint.cpp    the marks on blanks, the vertical lines, the caret-row underline up to the wrap

#include "documents/DocumentCodes.h"
#include "editor/CustomMarks.h"
#include "editor/EditorControl.h"
#include "editor/VerticalLines.h"
#include "platform/FileBytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

namespace qx {

// How the lock keeps other editors out: not at all (the file is only held open), from writing (a
// shared advisory lock), or wholly (an exclusive one). Advisory: only other editors heed it.
enum TLockFileMode { lfmShareDenyNone, lfmShareDenyWrite, lfmShareExclusive };

// A file's modification time at full resolution, and what tells one file from its replacement.
struct TFileTStamp {
    std::int64_t Seconds = 0;
    std::int64_t Nanoseconds = 0;
    std::uint64_t Size = 0;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    bool Valid = false;  // false: no stamp (the file could not be read)
    friend bool operator==(const TFileTStamp&, const TFileTStamp&) = default;
};

class TQxEditor : public TEditor {
public:
    explicit TQxEditor(TComponent* AOwner = nullptr);
    ~TQxEditor() override;
    void AfterConstruction() override;

    // ---- published properties (QxEditor.cpp) ----
    TCustomMarks& CustomMarks() { return *FCustomMarks; }
    void SetCustomMarks(const TCustomMarks& Value) { FCustomMarks->Assign(Value); }
    TVerticalLines& VerticalLines() { return *FVerticalLines; }
    void SetVerticalLines(const TVerticalLines& Value) { FVerticalLines->Assign(Value); }
    TSaveFileCharType SaveFileCharType() const { return FSaveFileCharType; }
    void SetSaveFileCharType(TSaveFileCharType Value) { FSaveFileCharType = Value; }
    TSaveFileRtrnType SaveFileRtrnType() const { return FSaveFileRtrnType; }
    void SetSaveFileRtrnType(TSaveFileRtrnType Value) { FSaveFileRtrnType = Value; }
    TLockFileMode LockFileMode() const { return FLockFileMode; }
    void SetLockFileMode(TLockFileMode Value) { FLockFileMode = Value; }

    // The document's file name ("" while untitled), set by the main window.
    std::string FileName;

    // Switches and values the document layer and the option dialogs keep per document; the control
    // itself does nothing with them.
    bool LockFile = false;
    bool CheckTStamp = false;
    bool Utf8Mark = false; // the file was read with a UTF-8 mark, which a save in UTF-8 keeps
    bool BackUp1 = false, BackUp2 = false, BackUpUseTime = false, AutoSave = false, EditImeOn = false;
    bool CurLineHilighted = false, OpenReadOnly = false, HilightBool = false, ShowWrapLine = false;
    bool SelectLineAll = false, TabKeyIndent = false, WrapByWindow = false;
    int BackUpFamily = 0, AutoSaveTime = 0, AutoSaveCount = 0, AnyNumber1 = 0, PasteCurPos = 0;
    int InsertCurPos = 0, ModeMailAddr = 0, ModeURL = 0, ModeFilename = 0, OldRowIndex = 0;
    std::string BackUpDir;

    // Bookmarks 0..9; any other index reads "" and writes nothing.
    std::string GetBookmark(int Index) const;
    void SetBookmark(int Index, const std::string& S);

    // ---- the file: lock, time stamp, save (QxEditorFile.cpp) ----
    // Opens FileName and holds it with the lock LockFileMode asks for, without waiting. Nothing when a
    // lock is held already; when the file cannot be opened or locked the editor simply holds none.
    void OpenLockFile(const std::string& FileName);
    void CloseLockFile();
    bool Locked() const { return FLockFd >= 0; }
    const std::string& LockedFileName() const { return FLockFileName; }

    // The file's stamp; an invalid one when it cannot be read.
    static TFileTStamp FileDateTime(const std::string& FileName);
    void StoreFileTStamp(const std::string& FileName);
    // True when the file's stamp cannot be read or is the stored one, or no stamp of FileName is stored.
    bool SameFileTStamp(const std::string& FileName) const;
    const TFileTStamp& FileTStamp() const { return FFileTStamp; }

    // The text as the document layer encodes it, handed to Put in pieces of whole lines as the rows are
    // read: each logical line (wrapped rows joined), LF after every line that ends with a line end.
    void SaveText(const TBytePut& Put) const;
    // Writes the text to FileName in SaveFileCharType with SaveFileRtrnType's line ends through the safe
    // write (the old file stays whole when it fails, which raises EInOutError). Answers the number of
    // characters the code could not hold (written as substitutes). The lock and the time stamp that
    // belong to FileName are taken again, since the file is a new one now.
    std::size_t SaveToFile(const std::string& FileName);

    // ---- painting (QxEditorPaint.cpp) ----
    void DrawUnderline(int ARow) override;
    void EraseUnderline(int ARow) override;
    virtual void DrawTabMark(int X, int Y, int Selected);
    virtual void DrawDBSpaceMark(int X, int Y, int Selected);
    virtual void DrawSpaceMark(int X, int Y, int Selected);
    // Y -1: the whole line; else only the pixel on row Y (where a row's drawing crossed it).
    virtual void DrawVerticalLine(int Index, int Y);
    virtual void DrawVerticalLines(int Y);
    virtual void HideVerticalLine(int Index, int Y);
    virtual void HideVerticalLines(int Y);
    // The client x of a line's column; -1 when it is scrolled off to the left.
    int VerticalLineX(int Position) const;

protected:
    void DoDrawLine(const TRect& ARect, int X, int Selected, int Index, const std::string& LineStr, int Y) override;
    void DoDrawWrapLine() override;
    void DoHideWrapLine() override;

private:
    // The colour and pen of a blank's mark as a row's selection state shows it.
    TColor MarkColor(const TCustomMark& Mark, int Selected);
    struct TMarkPen;
    TMarkPen MarkPen(const TCustomMark& Mark, int Selected);
    void MarksChanged(TObject* Sender);
    // The line of one guide line's column, from Y (-1: the top of the text area) down, in Color.
    void VerticalLineAt(int Position, int Y, TColor Color, bool Erase);
    // The underline's right end with word wrap on: the wrap column; -1 when it is scrolled off.
    int WrapUnderlineRight() const;
    // Draws or erases the caret-row underline, up to the wrap column with word wrap on.
    void WrappedUnderline(int ARow, bool Erase);

    std::unique_ptr<TCustomMarks> FCustomMarks;
    std::unique_ptr<TVerticalLines> FVerticalLines;
    TSaveFileCharType FSaveFileCharType = sfctSJIS;
    TSaveFileRtrnType FSaveFileRtrnType = sfrtCRLF;
    TLockFileMode FLockFileMode = lfmShareDenyNone;
    std::array<std::string, 10> FBookmarks;
    int FLockFd = -1;
    std::string FLockFileName;
    TFileTStamp FFileTStamp;
    std::string FTStampFileName;
};

// Puts Text (Shift-JIS) in place of the editor's selection, or at its caret, as one undo step.
// CaretAfter false (the "caret after insertion" option, InsertCurPos 0) leaves the caret where the
// text begins. Nothing on a read-only editor or for an empty text.
void InsertAtCaret(TEditor& Editor, const std::string& Text, bool CaretAfter);

} // namespace qx
