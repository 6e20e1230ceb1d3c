#pragma once
// The main window's print preview of the current document: the stored print settings, the
// document's name and line-break rules, its lines with their tabs expanded at its own tab width; the
// preview window's rectangle is stored back afterwards.

#include "documents/GlobalState.h"
#include "print/StringsPrinter.h"

namespace qx {

class TQxEditor;

// Shows a range or print-area error through the services' prompter; false when one was shown.
bool RunReportingPrintErrors(const TPrintServices& Services, const std::function<bool()>& Job);

// Printer is the main form's printer; StayOnTop whether the main window stays on top. False when the
// preview was not shown (cancelled, or an error that was reported).
bool PreviewDocument(TGlobalState& State, TQxStringsPrinter& Printer, TQxEditor& Editor, bool StayOnTop,
                     const TPrintServices& Services);

} // namespace qx
