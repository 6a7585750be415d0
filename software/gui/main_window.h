#pragma once

#include "texts/settings.h"

#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include <vector>

class ProgressBar;

class InstallButton : public QPushButton {
    Q_OBJECT

public:
    explicit InstallButton(QWidget* parent = nullptr);
};

// A semi-transparent ring (a disc when the pen is as wide as the radius) over a button of the unit.
class Circle : public QWidget {
    Q_OBJECT

public:
    struct Data {
        QPoint center;
        qint32 radius = 0;
        qint32 pen_width = 0;
        QColor color;
    };

    Circle(Data data, QWidget* parent = nullptr);
    void setup();
    void setCenter(QPoint center);

    Data data;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// What a screen reader presents of each new status: an object of the notification role,
// spoken as it comes into view (a reader speaks neither a label's new text nor Qt's alerts).
// It takes no focus and draws nothing.
class Announcement : public QWidget {
    Q_OBJECT

public:
    explicit Announcement(QWidget* parent = nullptr);
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(const Settings::Settings* settings, QWidget* parent = nullptr);

    void setupGeometry();
    // The geometry code for a given scale, so that other densities can be checked anywhere.
    static QRect window_rect(double scale, const QRect& screen);
    static QRect button_rect(double scale);

    // Puts an already translated status text (rich text) on the status line and sizes the
    // line to it.
    void showStatus(const QString& html);
    // Has screen readers speak the text, without taking the focus.
    void announce(const QString& text);

    const Settings::Settings* settings;
    QWidget* central;
    QLabel* statusLabel = nullptr;
    int statusTop = 0; // where the settings put the status line; a taller text rises from it
    bool downloadMode = false;
    // Whether a unit allows a download (enableDownload, disableDownload): the A key toggles
    // the button only then.
    bool downloadAllowed = false;
    // Qt scales the whole window to the screen's density: it is laid out at 1 on every screen.
    double scale = 1.0;
    InstallButton* installButton = nullptr;
    ProgressBar* progressBar = nullptr;
    // Taken in turn: a reader takes a second showing of one object before it has spoken the
    // first for a duplicate and skips the first, and it reads the name when it gets to it.
    std::vector<Announcement*> announcements;
    size_t announced = 0;

signals:
    void finished();
    void downloadModeChanged();

public slots:
    void enableDownload();
    void disableDownload();
    void toggleDownload();
    void updateDownloadMode();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // While the bar covers the button, the button has no focus: Space must not reach it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPixmap background;
    QPixmap background_2x;
};

MainWindow* MainWindow_factory(const Settings::Settings* settings, QWidget* parent, bool simulatorMode);
void add_labels(const Settings::Settings* settings, MainWindow* window, bool simulatorMode);
void add_circles(const std::vector<Settings::CircleData>& circles, QWidget* parent);
void add_circles(const std::vector<Circle::Data>& circles, QWidget* parent);
