#pragma once
// The logical lines of an editor's text (its Lines): a string-list face over the row store in which one
// item is one logical line, however it is wrapped. Every edit goes through the row store's edit
// primitive, so undo, re-wrapping, lexer states and repainting follow by themselves. A line end counts
// as two characters wherever character offsets are spoken of.

#include "editor/EditorScreenStrings.h"
#include "editor/EditorView.h"
#include "platform/Object.h"
#include "platform/StringList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TEditorStrings : public TPersistent {
public:
    explicit TEditorStrings(TEditorView& Editor) : Editor(Editor) {}

    TEditorView& Editor;

    // Index errors (outside 0..Count-1) raise EListError.
    int Count() const;
    std::string Get(int Index) const;
    std::string operator[](int Index) const { return Get(Index); }
    void Put(int Index, std::string_view S);
    // Returns the number of lines before the call.
    int Add(std::string_view S);
    void Insert(int Index, std::string_view S);
    void Delete(int Index);
    // Empties the text and the undo buffer.
    void Clear();

    // The whole text, CR LF after each line.
    std::string Text() const;
    // Replaces the text (not undoable): CR, LF and CR LF end a line; without a final line end the last
    // row ends the text.
    void SetText(std::string_view Text);
    // SetText(Source's text); the caret goes past the last row.
    void Assign(const TStringList& Source);
    // Appends lines (CR, LF or CR LF end them) at the end of the text in one pass over their bytes, laid
    // out by the rules in force, as one change without an undo step: the text a tool writes as it goes
    // (grep's result). A last line without a line end is continued by the next call.
    void AppendLines(std::string_view Text);
    void AssignTo(TStringList& Target) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Replaces the text by a file's bytes, read in large chunks: CR, LF and CR LF end a line, the byte
    // 0x1A ends the text, every other byte (NUL too) is kept. A file that cannot be opened, or that is
    // no regular file (a pipe, a device, a folder), raises EFOpenError and changes nothing; a read error
    // raises EInOutError and changes nothing.
    void LoadFromFile(const std::string& FileName);

    // A whole text received in pieces and laid out beside the text shown, then put in its place at
    // once by Finish (not undoable); dropped before, it changes nothing. The pieces may be cut anywhere:
    // CR, LF and CR LF end a line, also one split between two pieces, and every other byte belongs to a
    // line. With word wrap the lines are cut into rows as they come, by the rules in force when the
    // loader began, or by the rules given, which the text will be shown under (while the main view
    // loads, not at all); rules in force at Finish that differ from them re-wrap the text once. The
    // rows are cut from large regions, so that each byte is copied once.
    class TLoader {
    public:
        explicit TLoader(TEditorStrings& Lines);
        TLoader(TEditorStrings& Lines, const TWrapRules& Rules);
        ~TLoader();
        TLoader(const TLoader&) = delete;
        TLoader& operator=(const TLoader&) = delete;

        void Append(std::string_view Piece);
        // Forgets the pieces received.
        void Restart();
        void Finish();

    private:
        friend class TEditorStrings;
        void AddLine(std::string_view Line, bool MayHaveTab);
        // Lays out the line the pieces left without a line end; true when there was none.
        bool FinishLines();
        // Whether Rules lay a text out as the loader's rules did.
        bool SameLayout(const TWrapRules& Rules) const;

        TEditorStrings& FLines;
        std::unique_ptr<TEditorWrapOption> FOption;  // the wrap rules at the start, kept apart
        TWrapRules FRules;
        TEditorStringList FBuilt;
        TEditorStringList* FTarget = &FBuilt; // where the rows go: the text itself when appending
        std::string FPending;  // the start of a line that a piece's end cut
        bool FAfterCR = false; // the last piece ended with a CR: a LF next belongs to it
        std::vector<std::uint64_t> FMask;  // the line ends of a chunk of a piece
        std::vector<std::uint64_t> FTabs;  // its tabs, with word wrap
    };

private:
    TEditorScreenStrings& Rows() const { return Editor.ScreenStrings(); }
    void CheckIndex(int Index) const;
    // Runs Edit between the editor's begin-edit and end-edit, the selection ended first.
    template <class EditProc> void Edit(EditProc&& Body);

    int FUpdateCount = 0;
};

} // namespace qx
