// The Edit menu's text commands: the selection's conversions, quote marks around it or on its lines,
// removing and adding line breaks, and the duplicated line.

#include "mainwindow/commands/MainCommands.h"

#include "documents/Settings.h"
#include "editor/EditorControl.h"
#include "mainwindow/commands/TextCommands.h"
#include "mainwindow/commands/TextConvert.h"

namespace qx {

void BindTextCommands(TCommandSet& Commands, TMainCommandHost& Host)
{
    const auto editable = [&Host] { return Host.FocusedEditor() != nullptr && Host.Editable(); };
    const auto editableSelected = [&Host, editable] {
        TEditor* editor = Host.FocusedEditor();
        return editable() && editor->HasSelection();
    };
    // Case, width and kana conversions keep to lines.
    using TConvert = std::string (*)(std::string_view);
    const struct {
        const char* Action;
        TConvert Convert;
    } conversions[] = {
        {"ActionOmoji", UpperCaseText},         {"ActionKomoji", LowerCaseText},
        {"ActionZenkaku", ConvertToZenkaku},    {"ActionHankaku", ConvertToHankaku},
        {"ActionHiragana", ConvertToHiragana},  {"ActionKatakana", ConvertToKatakana},
    };
    for (const auto& c : conversions) {
        const TConvert convert = c.Convert;
        Commands.Bind(
            c.Action,
            [&Host, convert] {
                if (TEditor* editor = Host.FocusedEditor()) ConvertSelection(*editor, convert, true);
            },
            editableSelected);
    }
    Commands.Bind(
        "ActionInyou",
        [&Host] {
            TEditor* editor = Host.FocusedEditor();
            if (!editor || !Host.EditQuoteMarks(3)) return;
            const TMainSettings& settings = Host.Settings();
            ConvertSelection(*editor, [&](std::string_view Text) {
                return EncloseText(Text, settings.Option.InyouString4, settings.Option.InyouString5);
            });
        },
        editableSelected);
    // Marks before or after each selected line, after the quote-mark dialog of their mode.
    using TLineMarks = void (*)(TEditor&, std::string_view);
    const struct {
        const char* Action;
        int Mode;
        std::string TOptionSettings::*Mark;
        TLineMarks Apply;
    } lineMarks[] = {
        {"ActionUserInyou", 4, &TOptionSettings::InyouString2, QuoteSelectedLines},
        {"ActionUserInyou2", 5, &TOptionSettings::InyouString3, AppendMarkToSelectedLines},
    };
    for (const auto& m : lineMarks) {
        Commands.Bind(
            m.Action,
            [&Host, m] {
                TEditor* editor = Host.FocusedEditor();
                if (editor && Host.EditQuoteMarks(m.Mode)) m.Apply(*editor, Host.Settings().Option.*m.Mark);
            },
            editableSelected);
    }
    Commands.Bind(
        "ActionDeleteCRLF",
        [&Host] {
            TEditor* editor = Host.FocusedEditor();
            if (editor && !editor->ReadOnly() && editor->SelectionShown())
                editor->ReplaceSelection(RemoveLineBreaks(editor->SelText()));
        },
        editableSelected);
    Commands.Bind(
        "ActionAddCRLF",
        [&Host] {
            if (TEditor* editor = Host.CurrentEditor()) AddLineBreaksAtWraps(*editor);
        },
        [&Host, editable] { return editable() && Host.CurrentEditor()->WordWrap(); });
    Commands.Bind(
        "ActionDoubleCurLine",
        [&Host] {
            if (TEditor* editor = Host.FocusedEditor()) DuplicateCurrentLine(*editor);
        },
        editable);
}

} // namespace qx
