#include "app/gui_init.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(VELMORA_VERSION);
    GUI_init();
    const int code = app.exec();
    return GUI_cleanup(code);
}
