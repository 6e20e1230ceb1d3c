#pragma once
// The phrase editor's logic over the five phrase lists: one list is chosen at a time, and every change
// (register, update, delete, up, down, a dragged item dropped) is written to its file at once.

#include "platform/StringList.h"

#include <string>

namespace qx {

class TPhraseEditor {
public:
    explicit TPhraseEditor(std::string Folder) : FFolder(std::move(Folder)) {}

    // The first showing: missing lists are created (the first with the face marks, the others with the
    // placeholder line) and list 1 is chosen.
    void Show();
    // Chooses list N (1..5): loaded; an empty one takes the placeholder line and is saved.
    void Choose(int N);
    int Chosen() const { return FChosen; }

    const TStringList& Items() const { return FItems; }
    int ItemIndex() const { return FItemIndex; }
    // Selects an item (-1: none) and shows it in Text.
    void Select(int Index);
    // The text to register or to put in place of the selected item (Shift-JIS).
    std::string Text;

    // Text as the new first item, selected; Text is cleared.
    void Register();
    // The selected item becomes Text.
    void Update();
    // The selected item goes; Text is cleared.
    void Delete();
    void Up();
    void Down();
    // A drag of item From dropped on item To (-1: below the last item): From moves there and is selected.
    void Drop(int From, int To);

private:
    // Writes the items to the chosen list's file; nothing while no list is loaded (a list that could not
    // be read is never written over).
    void Save();
    // The selected item and item Index change places; it stays selected.
    void SwapWith(int Index);

    std::string FFolder;
    TStringList FItems;
    int FChosen = 1;
    int FItemIndex = -1;
    bool FLoaded = false;
};

} // namespace qx
