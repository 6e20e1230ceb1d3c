// Benchmark driver for the ini files, run by bench/bench-ini.sh. Each mode is one whole process, timed
// from outside, so that it compares with another program reading the same file:
//   qx_ini_bench history FOLDER N    writes FOLDER/History with N sections of three entries and a
//                                    twin FOLDER/history.gitconfig that git can read
//   qx_ini_bench inf FOLDER N        writes FOLDER/SETUP.INF with N file entries and its twin
//                                    FOLDER/inf.gitconfig
//   qx_ini_bench load-history FOLDER adds a file to the recent files of FOLDER/History: the program's
//                                    own road (read the file, change it, write it back safely)
//   qx_ini_bench toolbar FOLDER N    saves a tool bar of N buttons into FOLDER/QxEditor.bar
//   qx_ini_bench load-inf FOLDER     reads FOLDER/SETUP.INF as setup does (every entry parsed)

#include "documents/FileHistory.h"
#include "documents/GlobalState.h"
#include "documents/ToolBarFile.h"
#include "installer/SetupInfFile.h"
#include "installer/SetupInfo.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

using namespace qx;

namespace {

void Write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A History of N sections, each with three quoted paths, and the same data as git's config format
// (section and key names that git accepts, the same value bytes).
void GenerateHistory(const std::string& folder, int n)
{
    std::string ini, git;
    for (int s = 0; s < n; ++s) {
        ini += "[Section" + std::to_string(s) + "]\r\n";
        git += "[section" + std::to_string(s) + "]\n";
        for (int k = 1; k <= 3; ++k) {
            const std::string value = "\"/home/user/projects/p" + std::to_string(s) + "/file" + std::to_string(k) + ".txt\"";
            ini += "File" + std::to_string(k) + "=" + value + "\r\n";
            git += "\tfile" + std::to_string(k) + " = " + value + "\n";
        }
        ini += "\r\n";
    }
    Write(folder + "/History", ini);
    Write(folder + "/history.gitconfig", git);
}

void GenerateInf(const std::string& folder, int n)
{
    std::string ini = "[Install]\r\nTitle=Tool\r\nFolder=Tool\r\n", git = "[install]\n\ttitle = Tool\n\tfolder = Tool\n";
    for (int i = 1; i <= n; ++i) {
        const std::string value = "data\\part" + std::to_string(i / 1000) + "\\file" + std::to_string(i) + ".dat";
        ini += std::to_string(i) + "=" + value + "\r\n";
        std::string slashed = value;
        for (char& c : slashed) if (c == '\\') c = '/';
        git += "\tk" + std::to_string(i) + " = " + slashed + "\n";
    }
    Write(folder + "/SETUP.INF", ini);
    Write(folder + "/inf.gitconfig", git);
}

TGlobalState StateIn(const std::string& folder)
{
    TGlobalState state;
    CreateGlobalLists(state);
    state.ProgramFolder = folder + "/";
    return state;
}

int Usage()
{
    std::cerr << "usage: qx_ini_bench history|inf FOLDER N | load-history FOLDER | toolbar FOLDER N | load-inf FOLDER\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return Usage();
    const std::string mode = argv[1], folder = argv[2];
    const int n = argc > 3 ? std::atoi(argv[3]) : 0;
    if (mode == "history" && n > 0) {
        GenerateHistory(folder, n);
    } else if (mode == "inf" && n > 0) {
        GenerateInf(folder, n);
    } else if (mode == "load-history") {
        TGlobalState state = StateIn(folder);
        AddFileHistory(state, "/home/user/new.txt");
        if (state.RecentFileList.Count() == 0) return 1;
    } else if (mode == "toolbar" && n > 0) {
        TGlobalState state = StateIn(folder);
        state.UserToolBar1.assign(static_cast<std::size_t>(n), 1);
        if (!SaveUserToolBar(state, 1)) return 1;
    } else if (mode == "load-inf") {
        const auto inf = TSetupInfFile::Load(folder + "/SETUP.INF");
        std::string problem;
        const auto info = inf ? TSetupInfo::Read(*inf, problem) : std::nullopt;
        if (!info) {
            std::cerr << problem << "\n";
            return 1;
        }
        std::printf("%zu entries\n", info->Files.size());
    } else {
        return Usage();
    }
    return 0;
}
