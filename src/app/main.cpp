// QxEditor: the editor program.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("QxEditor");
    QMainWindow window;
    window.setObjectName("QxEditorMain");
    window.setWindowTitle("QxEditor");
    window.resize(800, 600);
    window.show();
    return app.exec();
}
