#pragma once
// A setup engine over a temporary home, with a distribution folder ("dist") holding setup, its
// information file and the files the information file names.

#include "installer/KeyStore.h"
#include "installer/Setup.h"
#include "InstallerFixture.h"

#include <gtest/gtest.h>

#include <map>

namespace qx::test {

class SetupTest : public ::testing::Test {
protected:
    SetupTest() { Prepare(setup); }

    // Every engine of a test writes only into the home and sees plenty of free space.
    void Prepare(TSetup& s)
    {
        s.Files().OnWrite = [this](const fs::path& p) { home.Guard(p); };
        s.FreeSpace = [](const fs::path&) { return std::uintmax_t(1) << 40; };
    }

    // Writes setup, the information file (UTF-8 source, stored as CP932) and `files` into `folder`.
    void MakeDist(const std::string& inf, const std::map<std::string, std::string>& files = {},
                  const fs::path& folder = {})
    {
        const fs::path f = folder.empty() ? dist : folder;
        PutFile(f / "setup", "#!/bin/sh\nexit 0\n");
        fs::permissions(f / "setup", fs::perms::owner_all);
        PutFile(f / "SETUP.INF", InfBytes(inf));
        for (const auto& [name, text] : files) PutFile(f / name, text);
    }

    void InstallAll(TSetup& s)
    {
        for (int step = 0; step < s.StepCount(); ++step) s.RunStep(step);
    }

    std::string KeyValue(const std::string& key, const std::string& name) const
    {
        return TKeyStore(home.Folders.KeyStore.string()).ReadString(key, name);
    }

    TempHome home;
    ScriptedMessagePrompter prompter;
    RecordingLauncher launcher;
    TSetup setup{home.Folders, prompter, launcher};
    fs::path dist = home.Home / "dist";
};

// The common product of the install and uninstall tests.
inline const char* const kToolInf =
    "[Install]\n"
    "Title=Qxエディタ\n"
    "Folder=QxEditor\n"
    "Open=doc\\readme.txt\n"
    "1=QxEditor\n"
    "2=doc\\readme.txt\n"
    "3=bin\\helper,tools\\helper2\n"
    "4=tool.ini,W!qxtool.ini\n"
    "5=libqx.so,S!libqx.so\n"
    "6=,old.dll\n"
    "[Reg]\n"
    "1=HKEY_CURRENT_USER\\Software\\QxEditor\n";

inline const std::map<std::string, std::string> kToolFiles{
    {"QxEditor", "editor program"},
    {"doc/readme.txt", "read me"},
    {"bin/helper", "helper"},
    {"tool.ini", "[Tool]\r\n"},
    {"libqx.so", "library"},
};

} // namespace qx::test
