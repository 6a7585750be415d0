#include "app/batch.h"
#include "app/command_line.h"
#include "app/gui_init.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char* argv[])
{
    // Before any application object: --help, a wrong option and batch mode need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parse_arguments(arguments);
    QCoreApplication::setApplicationVersion(VELMORA_VERSION);
    if (batch_options().batch) {
        QCoreApplication app(argc, argv);
        return run_batch(&app);
    }
    // The window draws without OpenGL; without this Qt loads the whole Mesa stack anyway.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    GUI_init();
    const int code = app.exec();
    return GUI_cleanup(code);
}
