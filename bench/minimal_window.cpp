// The floor of the start-up: a Qt Widgets window of the main window's size that shows the
// same background picture, and nothing else.   minimal_window PICTURE
#include <QApplication>
#include <QLabel>
#include <QPixmap>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window;
    const QPixmap picture(argc > 1 ? argv[1] : "");
    window.setPixmap(picture);
    window.setFixedSize(picture.size());
    window.setWindowTitle("floor");
    window.show();
    return app.exec();
}
