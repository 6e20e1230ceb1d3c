#pragma once
// The print dialog's logic: on show it fills its own printer from the stored settings (the main
// form's printer) and the active editor; every control writes its field at once; print and preview
// run on the document's lines with tabs expanded at the dialog's tab width; on close the listed
// fields go back to the main form's printer and the settings file. Copies, ranges and start numbers
// are the dialog's own and never stored.

#include "documents/GlobalState.h"
#include "print/PrintServices.h"
#include "print/StringsPrinter.h"

#include <array>
#include <string>

namespace qx {

class TEditor;

class TPrintDialogModel {
public:
    // Main is the main form's printer; Editor the active one (null: nothing to print).
    TPrintDialogModel(TGlobalState& State, TQxStringsPrinter& Main, TEditor* Editor);

    TQxStringsPrinter StringsPrinter1;

    // Values the dialog keeps for printing only.
    int NumberOfCopies = 1;
    int FirstLineNumber = 1;
    int FirstPageNumber = 1;
    int StartPage = 1, EndPage = 999999;
    int StartLine = 1, EndLine = 999999;
    int TabWidth = 4;  // 2, 4, 6 or 8

    // FormShow. StayOnTop: the main window stays on top.
    void Show(bool StayOnTop);
    // "印刷 - [Printer: <printer> - <paper> 縦|横]"
    static std::string Caption(const TPrintDeviceInfo& Device);

    // The format menu's items; inserting item Index puts "%" and its code into Text (UTF-8) at Caret
    // (a character offset), which moves past it.
    static const std::array<const char*, 8>& FormatItems();
    static void InsertFormatCode(std::u16string& Text, int& Caret, int Index);

    // Print and preview; a range or area error is shown through the services' prompter and the
    // dialog stays. False when nothing was printed or shown.
    bool Print(const TPrintServices& Services);
    bool Preview(const TPrintServices& Services);

    // FormCloseQuery: the listed fields back into the main form's printer, and the settings saved.
    void Close();

private:
    // The printing-only values into the printer; Copies with them when printing.
    void PrepareJob(bool Copies);

    TGlobalState& FState;
    TQxStringsPrinter& FMain;
    TEditor* FEditor;
};

} // namespace qx
