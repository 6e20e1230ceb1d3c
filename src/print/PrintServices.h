#pragma once
// What the string-list printer needs from outside: a printer for one job, a progress window for a
// layout, the preview window, the clock and the prompter. The Qt side supplies them over QPrinter and
// widgets; tests supply fakes.

#include "editor/EditorCanvas.h"
#include "print/PageModel.h"

#include <functional>
#include <memory>
#include <string>

namespace qx {

class TPrompter;
class TQxStringsPrinter;

// What a device tells of its paper.
struct TPrintDeviceInfo {
    int PageWidth = 0;  // printable area, device pixels (0: the device cannot tell)
    int PageHeight = 0;
    int DpiX = 0;  // 0: the device cannot tell (the screen's is used)
    int DpiY = 0;
    int PaperNumber = 9;  // the Windows paper kind (9 = A4)
    int PaperWidthMm = 0;  // 0: looked up by PaperNumber
    int PaperHeightMm = 0;
    bool Landscape = false;
    std::string PrinterName;
    std::string PaperName;
};

// One printer for one job.
class TPrintDevice {
public:
    virtual ~TPrintDevice() = default;
    virtual TPrintDeviceInfo Info() = 0;
    // The metrics of Font drawn at the device's resolution, in device pixels.
    virtual TFontMetrics Metrics(const TFontSpec& Font) = 0;
    // Starts a document; false when it cannot be started, with Error set, or when the user chose not
    // to (a cancelled file choice), with Error empty: nothing to report then.
    virtual bool BeginDoc(const std::string& Title, std::string& Error) = 0;
    virtual void NewPage() = 0;
    virtual void DrawPage(const TPrintPages& Pages, const TPrintPage& Page) = 0;
    // Ends the document; false (and Error set) when it could not be finished.
    virtual bool EndDoc(std::string& Error) = 0;
};

// The progress window of one layout.
class TPrintProgress {
public:
    virtual ~TPrintProgress() = default;
    // Position of Maximum; true once the user has cancelled. Called for every line: an implementation
    // keeps its own repaints rare.
    virtual bool Update(const std::string& Caption, int Maximum, int Position) = 0;
};

// A date and time as the header codes use it.
struct TPrintDate {
    int Year = 2000, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
};

struct TPrintServices {
    // A fresh printer for each job: no state of a failed job carries over.
    std::function<std::unique_ptr<TPrintDevice>()> NewDevice;
    // Caption, stay on top.
    std::function<std::unique_ptr<TPrintProgress>(const std::string&, bool)> NewProgress;
    // Shows the pages modally; the preview takes them over.
    std::function<void(TQxStringsPrinter&, TPrintPages&&)> ShowPreview;
    std::function<TPrintDate()> Now;
    TPrompter* Prompter = nullptr;
};

} // namespace qx
