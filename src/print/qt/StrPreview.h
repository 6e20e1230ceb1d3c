#pragma once
// The preview window "印刷プレビュー": the laid-out pages one at a time, with first, previous, next and
// last, a page counter, three zoom modes (100 %, fit width, fit height) and Close. It takes its
// rectangle from the printer (moved onto the screen when stored off it) and writes it back on close.

#include "editor/qt/FontResolver.h"
#include "print/PageModel.h"
#include "print/PreviewModel.h"

#include <QDialog>

#include <memory>

class QLabel;
class QScrollArea;
class QToolButton;

namespace qx {

class TQxStringsPrinter;
class TPreviewPageView;

class TQxFormStrPreview : public QDialog {
    Q_OBJECT
public:
    TQxFormStrPreview(TQxStringsPrinter& Printer, TPrintPages Pages, QWidget* Parent = nullptr);
    ~TQxFormStrPreview() override;

    // Shows the pages modally; returns when the window closes.
    static void ShowPreview(TQxStringsPrinter& Printer, TPrintPages&& Pages, QWidget* Parent);

    void GoToPage(int Index);
    void SetZoom(TPreviewZoom Zoom);
    const TPreviewModel& Model() const { return FModel; }
    QToolButton* SpeedButton(int Number) const { return FButtons[Number - 1]; }
    QLabel* Counter() const { return FCounter; }
    QScrollArea* ScrollBox() const { return FScrollBox; }
    // The image's placement in the scroll box now.
    TPreviewPlacement Placement() const;
    // Draws the current page's image (sheet, frame and shadow) as the scroll box shows it.
    void PaintPage(QPainter& Painter);

protected:
    void done(int Result) override;
    void resizeEvent(QResizeEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;

private:
    void PlaceImage();

    TQxStringsPrinter& FPrinter;
    TPrintPages FPages;
    TPreviewModel FModel;
    TFontResolver FFonts;
    QToolButton* FButtons[8] = {};
    QLabel* FCounter;
    QScrollArea* FScrollBox;
    TPreviewPageView* FView;
};

} // namespace qx
