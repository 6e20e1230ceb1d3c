#include "print/PreviewModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qx {

TPreviewModel::TPreviewModel(const TPrintPages& Pages, int ScreenDpi)
    : FPages(Pages), FScreenDpi(ScreenDpi > 0 ? ScreenDpi : 96), FCount(static_cast<int>(Pages.Pages.size()))
{
}

void TPreviewModel::GoTo(int Index) { FIndex = std::clamp(Index, 0, std::max(0, FCount - 1)); }

std::string TPreviewModel::Counter() const
{
    char text[32];
    std::snprintf(text, sizeof text, "%3d / %3d", FCount == 0 ? 0 : FIndex + 1, FCount);
    return text;
}

TPreviewPlacement TPreviewModel::Place(int ClientWidth, int ClientHeight, int VScrollWidth, int HScrollHeight) const
{
    const double paperW = std::max(1, FPages.PaperWidth), paperH = std::max(1, FPages.PaperHeight);
    double scale;
    switch (Zoom) {
    case pzFitWidth: scale = std::max(1, ClientWidth - VScrollWidth - 10) / paperW; break;
    case pzFitHeight: scale = std::max(1, ClientHeight - HScrollHeight - 10) / paperH; break;
    default: scale = static_cast<double>(FScreenDpi) / std::max(1, FPages.DpiX); break;
    }
    const auto scaled = [scale](double v) { return static_cast<int>(std::lround(v * scale)); };
    const int width = std::max(1, scaled(paperW)), height = std::max(1, scaled(paperH));
    const auto offset = [](int client, int size) { return client >= size + 9 ? (client - size + 5) / 2 : 5; };
    TPreviewPlacement p;
    p.Image.Left = offset(ClientWidth, width);
    p.Image.Top = offset(ClientHeight, height);
    p.Image.Right = p.Image.Left + width;
    p.Image.Bottom = p.Image.Top + height;
    p.Printable.Left = p.Image.Left + scaled(FPages.UnprintableLeft);
    p.Printable.Top = p.Image.Top + scaled(FPages.UnprintableTop);
    p.Printable.Right = p.Printable.Left + scaled(FPages.PageWidth);
    p.Printable.Bottom = p.Printable.Top + scaled(FPages.PageHeight);
    return p;
}

TRect FitOnScreen(const TRect& Window, const TRect& Screen)
{
    const int width = std::min(Window.Width(), Screen.Width());
    const int height = std::min(Window.Height(), Screen.Height());
    const int left = std::clamp(Window.Left, Screen.Left, Screen.Right - width);
    const int top = std::clamp(Window.Top, Screen.Top, Screen.Bottom - height);
    return {left, top, left + width, top + height};
}

} // namespace qx
