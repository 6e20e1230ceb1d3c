#include "dialogs/PhraseEditor.h"

#include "dialogs/PhraseLists.h"
#include "platform/Cp932.h"
#include "platform/TextListFile.h"

namespace qx {

void TPhraseEditor::Show()
{
    FLoaded = false;
    for (int n = PhraseListCount; n >= 2; --n) LoadPhraseList(FFolder, n);
    FItems = LoadPhraseList(FFolder, 1);
    FChosen = 1;
    FLoaded = true;
    Select(0);
}

void TPhraseEditor::Choose(int N)
{
    FLoaded = false;
    FItems = LoadPhraseList(FFolder, N);
    FChosen = N;
    FLoaded = true;
    if (FItems.Empty()) {
        FItems.Add(Utf8ToCp932(kPhrasePlaceholder));
        Save();
    }
    Select(0);
}

void TPhraseEditor::Select(int Index)
{
    FItemIndex = Index >= 0 && Index < FItems.Count() ? Index : -1;
    if (FItemIndex >= 0) Text = FItems[FItemIndex];
}

void TPhraseEditor::Register()
{
    FItems.Insert(0, Text);
    FItemIndex = 0;
    Text.clear();
    Save();
}

void TPhraseEditor::Update()
{
    if (FItemIndex < 0) return;
    FItems.Put(FItemIndex, Text);
    Save();
}

void TPhraseEditor::Delete()
{
    if (FItemIndex < 0) return;
    FItems.Delete(FItemIndex);
    FItemIndex = -1;
    Text.clear();
    Save();
}

void TPhraseEditor::Up()
{
    if (FItemIndex > 0) SwapWith(FItemIndex - 1);
}

void TPhraseEditor::Down()
{
    if (FItemIndex >= 0 && FItemIndex < FItems.Count() - 1) SwapWith(FItemIndex + 1);
}

void TPhraseEditor::Drop(int From, int To)
{
    if (From < 0 || From >= FItems.Count()) return;
    if (To < 0 || To >= FItems.Count()) To = FItems.Count() - 1;
    FItems.Move(From, To);
    FItemIndex = To;
    Save();
}

void TPhraseEditor::SwapWith(int Index)
{
    FItems.Exchange(FItemIndex, Index);
    FItemIndex = Index;
    Save();
}

void TPhraseEditor::Save()
{
    if (FLoaded) SaveTextList(PhraseFileName(FFolder, FChosen), FItems);
}

} // namespace qx
