#pragma once
// Test fixture: a state whose program folder is a fresh temporary folder. The current folder is put
// back afterwards (loading the main settings may change it).

#include "documents/GlobalState.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx::test {

inline const std::string kSettingsData = std::string(QX_TEST_DATA) + "/settings/";

class SettingsFolderTest : public testing::Test {
protected:
    SettingsFolderTest() : FSavedFolder(std::filesystem::current_path()) { Use(Dir); }
    ~SettingsFolderTest() override { std::filesystem::current_path(FSavedFolder); }

    // A fresh state on `dir`.
    void Use(const TempDir& dir)
    {
        State = TGlobalState();
        CreateGlobalLists(State);
        State.ProgramFolder = dir.Path() + "/";
    }
    std::string File(std::string_view name) const { return State.ProgramFile(name); }

    TempDir Dir;
    TGlobalState State;

private:
    std::filesystem::path FSavedFolder;
};

} // namespace qx::test
