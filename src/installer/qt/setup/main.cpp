// setup: installs the product described by the setup information file beside it, or, started with "r",
// removes it again: it then copies itself to a temporary folder and starts the copy with "x" and its
// own path, which removes the installation and at last its own copy.

#include "installer/Setup.h"
#include "platform/qt/QtLauncher.h"
#include "platform/qt/QtTranslations.h"
#include "installer/qt/QtSetupPrompter.h"
#include "installer/qt/SetupWizard.h"
#include "installer/qt/UninstallDialog.h"

#include <QApplication>

#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);  // takes its own options out of argv
    qx::InstallQtTranslations(app);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const qx::TSetupCommand command = qx::ParseSetupCommand(arguments);

    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return 1;
    const qx::TUserFolders folders = qx::TUserFolders::FromEnvironment();
    qx::TQtSetupPrompter prompter;
    qx::TQtLauncher launcher;
    qx::TSetup setup(folders, prompter, launcher);

    switch (command.Mode) {
    case qx::TSetupMode::RemoveRequest:
        if (!setup.Load(self)) return 1;
        return setup.RequestRemoval() ? 0 : 1;
    case qx::TSetupMode::Uninstall: {
        bool removed = false;
        if (setup.Load(command.Path) && setup.BeginUninstall()) {
            qx::TUninstallDialog dialog(setup);
            dialog.exec();
            removed = dialog.Removed();
        }
        setup.DeleteRunningCopy(self);  // the copy goes whatever happened
        return removed ? 0 : 1;
    }
    case qx::TSetupMode::Install:
        break;
    }
    if (!setup.Load(self)) return 1;
    qx::TSetupWizard wizard(setup);
    wizard.show();
    return app.exec();
}
