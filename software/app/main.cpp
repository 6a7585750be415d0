#include "app/gui_init.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Qt alone scales the window to the screen's density (and to QT_SCALE_FACTOR), once;
    // the pictures come in both densities.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(VELMORA_VERSION);
    GUI_init();
    const int code = app.exec();
    return GUI_cleanup(code);
}
