#include "dialogs/QuoteMarks.h"

#include "platform/Exception.h"

#include <iterator>

namespace qx {

const TQuoteMarkForm& QuoteMarkForm(int Mode)
{
    using S = TOptionSettings;
    static const TQuoteMarkForm forms[] = {
        {"引用符付き切り取り", {&S::InyouString1}},
        {"引用符付きコピー", {&S::InyouString1}},
        {"引用符付き貼り付け", {&S::InyouString1}},
        {"引用符付き文字列に変換", {&S::InyouString4, &S::InyouString5}},
        {"行頭へ文字列を追加", {&S::InyouString2}},
        {"行末へ文字列を追加", {&S::InyouString3}},
    };
    if (Mode < 0 || Mode >= static_cast<int>(std::size(forms)))
        throw EListError("There is no quote-mark mode " + std::to_string(Mode) + ".");
    return forms[Mode];
}

TQuoteMarkEditor::TQuoteMarkEditor(int Mode, TOptionSettings& Settings)
    : FForm(QuoteMarkForm(Mode)), FSettings(Settings)
{
    for (auto mark : FForm.Marks) Edits.push_back(FSettings.*mark);
}

void TQuoteMarkEditor::Accept()
{
    for (std::size_t i = 0; i < FForm.Marks.size() && i < Edits.size(); ++i) FSettings.*FForm.Marks[i] = Edits[i];
    FResult = true;
}

} // namespace qx
