#include "editor/QxEditorDocument.h"

#include <algorithm>

namespace qx {

void TQxEditorDocument::LoadText(std::string Text)
{
    // The panes share the rows: one load fills both. A shown selection belongs to the old text.
    Both([](TQxEditor& E) { E.CleanSelection(); });
    FMain.Lines().SetText(Text);
}

std::unique_ptr<TLoadingText> TQxEditorDocument::NewText(const TEditorEnvironment* Shown)
{
    class TRowsText : public TLoadingText {
    public:
        TRowsText(TQxEditorDocument& Document, const TEditorEnvironment* Shown)
            : FDocument(Document), FLoader(Document.FMain.Lines(), Rules(Document.FMain, Shown, FOption))
        {
        }
        void Append(std::string_view Piece) override { FLoader.Append(Piece); }
        void Restart() override { FLoader.Restart(); }
        void Load() override
        {
            FDocument.Both([](TQxEditor& E) { E.CleanSelection(); });
            FLoader.Finish();
        }

    private:
        static TWrapRules Rules(TQxEditor& Editor, const TEditorEnvironment* Shown, TEditorWrapOption& Option)
        {
            return Shown ? EnvironmentWrapRules(*Shown, Editor, Option) : Editor.ScreenStrings().WrapRules();
        }

        TQxEditorDocument& FDocument;
        TEditorWrapOption FOption;  // the rules under Shown, which the loader copies
        TEditorStrings::TLoader FLoader;
    };
    return std::make_unique<TRowsText>(*this, Shown);
}

void TQxEditorDocument::SetSaveFileCharType(int Value)
{
    const auto type = static_cast<TSaveFileCharType>(std::clamp(Value, int{sfctJIS}, int{sfctUTF8}));
    Both([type](TQxEditor& E) { E.SetSaveFileCharType(type); });
}

void TQxEditorDocument::SetSaveFileRtrnType(int Value)
{
    const auto type = static_cast<TSaveFileRtrnType>(std::clamp(Value, int{sfrtCR}, int{sfrtCRLF}));
    Both([type](TQxEditor& E) { E.SetSaveFileRtrnType(type); });
}

void TQxEditorDocument::SetModified(bool Value)
{
    Both([Value](TQxEditor& E) { E.SetModified(Value); });
}

void TQxEditorDocument::SetReadOnlyState(bool OpenReadOnly, bool ReadOnly)
{
    Both([&](TQxEditor& E) {
        E.OpenReadOnly = OpenReadOnly;
        E.SetReadOnly(ReadOnly);
    });
}

void TQxEditorDocument::SetFileOpenMode(int Mode)
{
    Both([Mode](TQxEditor& E) { E.SetFileOpenMode(Mode); });
}

void TQxEditorDocument::SetEnvironmentNumber(int N)
{
    Both([N](TQxEditor& E) { E.AnyNumber1 = N; });
}

void TQxEditorDocument::StoreFileTStamp(const std::string& FileName)
{
    Both([&](TQxEditor& E) { E.StoreFileTStamp(FileName); });
}

void TQxEditorDocument::ApplyEnvironment(const std::string& FileName, TEnvironmentApplyHost Host,
                                         const TEditorEnvironment* Environment)
{
    const TEditorEnvironment environment =
        Environment ? *Environment : LoadEnvironmentFile(FileName).value_or(TEditorEnvironment{});
    Host.SecondPane = false;
    ApplyEditorEnvironment(environment, FileName, FMain, Host);
    if (!FSecond || FSecond == &FMain) return;
    Host.SecondPane = true;
    ApplyEditorEnvironment(environment, FileName, *FSecond, Host);
}

} // namespace qx
