#include "app/batch.h"
#include "app/command_line.h"
#include "app/gui_init.h"
#include "texts/language.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProcessEnvironment>

int main(int argc, char* argv[])
{
    // Before any application object: --help, a wrong option and batch mode need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    {
        // Only to hold the translations of the usage and of Qt's own words about the command
        // line, in the user's language; the face chosen makes its own application object.
        QCoreApplication moment(argc, argv);
        language::install(language::choose(QProcessEnvironment::systemEnvironment()));
        parse_arguments(arguments);
    }
    QCoreApplication::setApplicationVersion(VELMORA_VERSION);
    if (batch_options().batch) {
        QCoreApplication app(argc, argv);
        return run_batch(&app);
    }
    // The window draws without OpenGL; without this Qt loads the whole Mesa stack anyway.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // Qt alone scales the window to the screen's density (and to QT_SCALE_FACTOR), once;
    // the pictures come in both densities.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    GUI_init();
    const int code = app.exec();
    return GUI_cleanup(code);
}
