#pragma once
// Between the stored print settings ([Printer] of "QxEditor.ini"), the active editor and a string-list
// printer.

#include "documents/Settings.h"
#include "print/StringsPrinter.h"

#include <string>
#include <vector>

namespace qx {

class TEditor;

// The fields [Printer] holds: font, margins, numbering, header, footer, columns, the preview rectangle
// (PreviewForm becomes pfUser) and WrapOptionUsed.
void PrinterFromSettings(const TPrinterSettings& Settings, TQxStringsPrinter& Printer);
void PrinterToSettings(const TQxStringsPrinter& Printer, TPrinterSettings& Settings);

// The editor's line-break rules; the wrap width is the editor's when it wraps, else 9999 (only the
// page width limits the rows).
void CopyEditorWrap(TEditor& Editor, TQxStringsPrinter& Printer);

// The editor's lines with their tabs expanded into spaces at TabWidth (2, 4, 6 or 8), as the editor
// expands them.
std::vector<std::string> ExpandedLines(TEditor& Editor, int TabWidth);

} // namespace qx
