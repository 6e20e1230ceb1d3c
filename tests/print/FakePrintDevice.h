#pragma once
// A printer for tests: a sheet of given millimetres at a given resolution (254 dpi by default: 10
// pixels a millimetre), fixed font metrics, and a log of the job.

#include "print/PrintServices.h"
#include "print/StringsPrinter.h"

#include <memory>
#include <string>
#include <vector>

namespace qx::test {

struct FakeJobLog {
    std::vector<std::string> Calls;  // "begin <title>", "new", "page <number>", "end"
    int Devices = 0;                 // printers made
    bool FailBegin = false;          // the next begin fails (once)
};

class FakePrintDevice : public TPrintDevice {
public:
    FakePrintDevice(FakeJobLog& Log, TPrintDeviceInfo Info, TFontMetrics Metrics)
        : FLog(Log), FInfo(std::move(Info)), FMetrics(Metrics)
    {
    }
    TPrintDeviceInfo Info() override { return FInfo; }
    TFontMetrics Metrics(const TFontSpec&) override { return FMetrics; }
    bool BeginDoc(const std::string& Title, std::string& Error) override
    {
        if (FLog.FailBegin) {
            FLog.FailBegin = false;
            Error = "cannot open out.pdf";
            return false;
        }
        FLog.Calls.push_back("begin " + Title);
        return true;
    }
    void NewPage() override { FLog.Calls.push_back("new"); }
    void DrawPage(const TPrintPages&, const TPrintPage& Page) override
    {
        FLog.Calls.push_back("page " + std::to_string(Page.Number));
    }
    bool EndDoc(std::string&) override
    {
        FLog.Calls.push_back("end");
        return true;
    }

private:
    FakeJobLog& FLog;
    TPrintDeviceInfo FInfo;
    TFontMetrics FMetrics;
};

// A4 at 254 dpi, the printable area 5 mm in from each edge; cells 20 x 40 pixels.
inline TPrintDeviceInfo A4At254()
{
    TPrintDeviceInfo info;
    info.DpiX = info.DpiY = 254;
    info.PaperNumber = 9;
    info.PageWidth = 2000;
    info.PageHeight = 2870;
    info.PrinterName = "Fake";
    info.PaperName = "A4";
    return info;
}

inline TFontMetrics Cells20x40() { return {40, 0, 20}; }

struct FakeServices {
    FakeJobLog Log;
    TPrintDeviceInfo Info = A4At254();
    TFontMetrics Metrics = Cells20x40();
    TPrintServices Services;
    std::vector<TPrintPages> Previews;

    explicit FakeServices(TPrompter* Prompter = nullptr)
    {
        Services.NewDevice = [this] {
            ++Log.Devices;
            return std::make_unique<FakePrintDevice>(Log, Info, Metrics);
        };
        Services.ShowPreview = [this](TQxStringsPrinter&, TPrintPages&& Pages) { Previews.push_back(std::move(Pages)); };
        Services.Now = [] { return TPrintDate{2024, 3, 5, 9, 7, 3}; };
        Services.Prompter = Prompter;
    }
};

} // namespace qx::test
