// QxEditor: the editor program. The program folder is fixed once; a later start hands its command line
// to the copy already running (when "NotExecute" says so) and ends; the first copy reads
// "QxEditor.ini", opens the files of its command line and listens for later starts. Every event runs
// inside the application's one exception boundary.

#include "documents/GlobalState.h"
#include "documents/MainSettings.h"
#include "documents/ProgramFolder.h"
#include "documents/SettingsFile.h"
#include "documents/MessageDialog.h"
#include "documents/qt/QxMessageDialog.h"
#include "mainwindow/qt/QxApplication.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "mainwindow/desktop/qt/SingleInstance.h"
#include "mainwindow/desktop/qt/Splash.h"
#include "platform/qt/QtTranslations.h"

#include <QDir>
#include <QSessionManager>
#include <QSplashScreen>

#include <string>
#include <vector>

namespace {

// A [Basic] switch, read without writing anything (a later start must not touch the file).
bool BasicSwitch(const qx::TGlobalState& State, const char* Key)
{
    const auto ini = qx::OpenSettingsFile(State.ProgramFile(qx::IniFileName));
    return ini ? ini->ReadBool("Basic", Key, true) : true;
}

} // namespace

int main(int argc, char* argv[])
{
    qx::TQxApplication app(argc, argv);
    qx::InstallQtTranslations(app);
    qx::TGlobalState& state = qx::Globals();
    state.ProgramFolder = qx::ResolveProgramFolder(qx::ExecutablePath());

    std::vector<std::string> args;
    for (const QString& a : QApplication::arguments().mid(1)) args.push_back(a.toStdString());
    const std::string currentDir = QDir::currentPath().toStdString();
    const std::string socketPath = qx::HandOverSocketPath(state.ProgramFolder);
    if (BasicSwitch(state, "NotExecute") &&
        qx::SendHandOver(socketPath, qx::HandOverRecords(qx::ExecutablePath(), currentDir, args)))
        return 0;

    // The splash of the copy that runs (a start that hands over ends before anything shows).
    std::unique_ptr<QSplashScreen> splash;
    if (BasicSwitch(state, "SplashWindow")) splash = qx::ShowSplash();

    qx::TQtPrompter prompter;
    qx::ExceptionBoundary() = qx::ErrorBox(prompter);
    // The boundary lets go of the prompter before the prompter goes.
    struct TBoundaryScope {
        ~TBoundaryScope() { qx::ExceptionBoundary() = nullptr; }
    } boundaryScope;

    qx::TQxEditorMain window(state, prompter);
    window.Beep = [] { QApplication::beep(); };
    window.resize(1000, 700);
    qx::LoadMainSettings(state, &window);
    prompter.SetProgramIcon(!state.Settings.HideOption.UnUseQxMessageDialog);

    // Every copy listens, whatever "NotExecute" says, so a later start always finds one.
    qx::TSingleInstance instance;
    instance.OnRecord = [&window](const qx::THandOverRecord& Record) { window.HandOverRecord(Record.Tag, Record.Text); };
    instance.Listen(socketPath);

    // The window decides when the program ends (a resident window stays when closed).
    QApplication::setQuitOnLastWindowClosed(false);
    // The desktop session's end quits even a resident window; a cancelled save question keeps it.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager& Manager) {
        window.QuitRequested = true;
        if (!window.close()) Manager.cancel();
    });

    window.show();
    qx::FinishSplash(splash, window);
    window.FormShow(args, currentDir);
    return app.exec();
}
