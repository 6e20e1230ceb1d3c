// Benchmark driver for the editor's search, run by bench/bench-search.sh:
//   qx_search_bench FILE PATTERN
// loads FILE (Shift-JIS) into an editor without a window, then searches PATTERN (bytes as given) from
// the start forward and from the end backward, once as a literal matching case and once as a whole
// word folding case and width; prints the milliseconds of each search (the load is not timed) and
// whether it found anything.

#include "editor/EditorControl.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

using namespace qx;

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: qx_search_bench FILE PATTERN\n");
        return 2;
    }
    try {
        auto editor = Construct<TEditor>();
        editor->Lines().LoadFromFile(argv[1]);
        const std::string pattern = argv[2];
        struct Run {
            const char* Name;
            TEditorSearchOptions Options;
        };
        for (const Run run : {Run{"literal-forward", soForward | soMatchCase}, Run{"literal-backward", soMatchCase},
                              Run{"word-width-forward", soForward | soWholeWord | soIgnoreWidth},
                              Run{"word-width-backward", soWholeWord | soIgnoreWidth}}) {
            editor->CleanSelection();
            if ((run.Options & soForward) != 0) editor->SetRowCol(0, 0);
            else editor->SetRowCol(editor->RowCount(), 0);
            const auto begin = std::chrono::steady_clock::now();
            const bool found = editor->Search(pattern, run.Options);
            const auto end = std::chrono::steady_clock::now();
            std::printf("%s %.1f %d\n", run.Name, std::chrono::duration<double, std::milli>(end - begin).count(),
                        found ? 1 : 0);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
