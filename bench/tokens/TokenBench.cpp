// The token under the mouse on a very long line, in the control's Qt host, offscreen:
//   qx_token_bench [MEGABYTES] [LOOKUPS]
// One logical line of MEGABYTES (default 4) of Shift-JIS words, paths and links, unwrapped and wrapped
// at 80 columns. The point is on the line's last row shown: the right end of the columns an unwrapped
// row shows, the middle of the last full row of the wrapped line. Each lookup is what a mouse move over the text asks
// (the kind of the token under the point, for the link cursor), timed LOOKUPS times (default 200):
// median and 99th percentile, wall clock and the thread's processor time.

#include "editor/EditorControl.h"
#include "editor/qt/EditorWidget.h"

#include "../common/FrameTimes.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace qx;

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 4;
    const int lookups = argc > 2 ? std::atoi(argv[2]) : 200;
    // "see " "日本語の" " /usr/share/doc " "http://example.com/index.html" " "
    const std::string piece = "see \x93\xFA\x96\x7B\x8C\xEA\x82\xCC /usr/share/doc http://example.com/index.html ";
    std::string line;
    while (line.size() < static_cast<std::size_t>(megabytes) * 1024 * 1024) line += piece;

    TEditorWidget widget;
    widget.resize(1280, 900);
    TEditor& editor = widget.Editor();
    editor.SetFont({"IPAGothic", 11, clBlack, {}});
    editor.View().Fountain().SetUrl(true);
    editor.Lines().SetText(line);
    widget.show();
    app.processEvents();
    std::printf("one line of %zu bytes; %d lookups each\n", line.size(), lookups);
    for (const int wrap : {0, 80}) {
        if (wrap > 0) {
            editor.WrapOption().SetWrapByte(wrap);
            editor.SetWordWrap(true);
        }
        // The last row of the wrapped line may hold a few bytes only: the one before it is full.
        const int row = std::max(0, editor.RowCount() - (wrap > 0 ? 2 : 1));
        editor.SetTopRow(row);
        editor.SetTopCol(wrap > 0 ? 0 : 1 << 20);  // clamped to the farthest the row scrolls
        app.processEvents();
        const int col = wrap > 0 ? 40 : editor.TopCol() + editor.VisibleCols() / 2 - 2;
        const TPoint at{editor.TextAreaLeft() + (col - editor.TopCol()) * editor.ColWidth() + 1,
                        editor.TextAreaTop() + (row - editor.TopRow()) * editor.RowHeight() + 1};
        int kind = 0;
        const bench::Figures f = bench::Time(lookups, [&] { kind = editor.TokenKindAt(at); });
        std::printf("%-10s (%d rows) token of %zu bytes, kind %d: median %8.3f ms  p99 %8.3f ms (cpu median %8.3f, p99 %8.3f)\n",
                    wrap > 0 ? "wrapped" : "unwrapped", editor.RowCount(), editor.TokenStringAt(at).size(), kind,
                    f.Median, f.P99, f.CpuMedian, f.CpuP99);
    }
    return 0;
}
