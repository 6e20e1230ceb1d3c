// A generated project of N items: its file written and read, and its tree rebuilt, both the manager's
// shape and the Qt pane over it (offscreen).
//   qx_project_bench generate <file.qxp> <items>
//   qx_project_bench run <file.qxp> [rounds]     prints the median milliseconds of each step

#include "dialogs/ProjectFile.h"
#include "dialogs/ProjectManager.h"
#include "dialogs/qt/ProjectTreeView.h"
#include "platform/Cp932.h"
#include "platform/FileBytes.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace qx;
using NT = TProjectNodeType;

namespace {

// Boxes of folders of links and stored texts (a few lines of Japanese each), nested up to four deep.
TProjectRecordList Generate(int items)
{
    std::mt19937 random(140);
    const std::string line = Utf8ToCp932("プロジェクトに保存された文書の一行です。Project text line.\r\n");
    TProjectRecordList list;
    int level = 0;
    for (int i = 0; list.Count() < items - 1; ++i) {
        TProjectRecListItem r;
        const unsigned pick = random() % 10;
        if (level == 0 || pick == 0) {
            r.NodeType = NT::ntBox;
            r.Level = 0;
        } else if (pick < 3 && level < 4) {
            r.NodeType = NT::ntFolder;
            r.Level = level;
        } else {
            r.NodeType = pick < 6 ? NT::ntLink : NT::ntImport;
            r.Level = level;
        }
        r.Name = Utf8ToCp932("項目") + std::to_string(i);
        if (r.NodeType == NT::ntLink) r.Text = "/home/user/documents/file" + std::to_string(i) + ".txt\r\n";
        if (r.NodeType == NT::ntImport) {
            r.Ext = "*.txt";
            for (unsigned n = 1 + random() % 8; n > 0; --n) r.Text += line;
        }
        r.ItemId = list.Count();
        list.Add(r);
        if (r.NodeType == NT::ntBox || r.NodeType == NT::ntFolder) level = r.Level + 1;
        else if (random() % 8 == 0) level = std::max(1, level - 1);
    }
    list.Add(TProjectRecListItem{NT::ntTrash, 0, Utf8ToCp932("ゴミ箱"), 0, "", "", "", list.Count()});
    return list;
}

double Milliseconds(const std::function<void()>& step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct NoTabs : TProjectTabs {
    int TabCount() const override { return 0; }
    std::string DocumentName(int) const override { return {}; }
    void SetDocumentName(int, const std::string&) override {}
    void ActivateTab(int) override {}
    int ActiveTab() const override { return -1; }
    std::string TabText(int) const override { return {}; }
    void OpenStoredItem(const std::string&, const std::string&, const std::string&, const std::string&) override {}
    void MarkStored(int) override {}
    void OpenFile(const std::string&) override {}
};

struct NoDialogs : TProjectDialogs {
    bool ChooseProjectToOpen(std::string&) override { return false; }
    bool ChooseProjectToSave(std::string&) override { return false; }
    std::vector<std::string> ChooseFilesToAdd() override { return {}; }
    bool ChooseExportFile(std::string&) override { return false; }
    bool EditProperties(TProjectPropertyForm&) override { return false; }
};

struct NoPrompter : TPrompter {
    int Show(const TPromptRequest&) override { return mr::Ok; }
    bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
};

int Run(const std::string& file, int rounds, int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TGlobalState state;
    state.ProgramFolder = std::filesystem::path(file).parent_path().string() + "/";
    CreateGlobalLists(state);
    NoPrompter prompter;
    NoTabs tabs;
    NoDialogs dialogs;
    TProjectManager manager(state, TProjectServices{prompter, tabs, dialogs});
    TProjectPane pane(manager, state);
    pane.resize(300, 800);
    manager.SetPaneVisible(true);
    const std::string saved = file + ".saved";

    std::vector<double> load, parse, save, shape, pane_rebuild;
    std::string bytes;
    ReadFileBytes(file, bytes);
    for (int round = 0; round < rounds; ++round) {
        load.push_back(Milliseconds([&] {
            if (LoadProjectFile(state, file) != TProjectFileStatus::Loaded) std::abort();
        }));
        TProjectRecordList records;
        parse.push_back(Milliseconds([&] { ReadProjectBytes(bytes, records); }));
        save.push_back(Milliseconds([&] { SaveProjectFile(state, saved); }));
        TProjectTree tree;
        shape.push_back(Milliseconds([&] { tree.Build(state.ProjectItemList); }));
        // Every box and folder expanded, as a user who opened them all would have them.
        pane.Tree().expandAll();
        pane_rebuild.push_back(Milliseconds([&] {
            manager.RebuildProjectTree();
            QApplication::processEvents();
        }));
    }
    std::string in, out;
    ReadFileBytes(file, in);
    ReadFileBytes(saved, out);
    std::printf("saved file %s the input\n", in == out ? "is byte for byte" : "DIFFERS from");
    std::printf("items %d, file %lld bytes, median of %d rounds\n", state.ProjectItemList.Count(),
                static_cast<long long>(std::filesystem::file_size(file)), rounds);
    std::printf("parse_ms %.2f (from memory)\n", Median(parse));
    std::printf("load_ms %.2f\nsave_ms %.2f\nshape_ms %.2f\npane_rebuild_ms %.2f\n", Median(load), Median(save),
                Median(shape), Median(pane_rebuild));
    std::filesystem::remove(saved);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "generate" && argc > 3) {
        WriteFileBytesSafely(argv[2], WriteProjectBytes(Generate(std::atoi(argv[3]))));
        return 0;
    }
    if (mode == "run") return Run(argv[2], argc > 3 ? std::atoi(argv[3]) : 9, argc, argv);
    std::fprintf(stderr, "usage: qx_project_bench generate <file> <items> | run <file> [rounds]\n");
    return 2;
}
