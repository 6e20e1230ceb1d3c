#pragma once
// The string-list printer's enumerations, with the values the settings file stores (their order).

namespace qx {

enum TQxStringsPrinterHeaderAlign { haNone, haLeft, haCenter, haRight };
// Which pages carry the header or footer: every page, odd page numbers, even page numbers.
enum TQxStringsPrinterHeaderOption { hoNone, hoOdd, hoEven };
// Which pages are printed.
enum TQxStringsPrinterPageOption { poBoth, poOdd, poEven };
enum TQxStringsPrinterRangeOption { roWhole, roLimited };
enum TQxPreviewWindowsPos { ppTopMost, ppNoTopMost };
enum TQxPreviewForm { pfDefault, pfUser };

} // namespace qx
