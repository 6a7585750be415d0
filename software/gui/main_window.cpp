#include "gui/main_window.h"

#include "files/support_misc.h"
#include "gui/progress_bar.h"

#include <QApplication>
#include <QDebug>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>

namespace {

constexpr int base_width = 665;
constexpr int base_height = 517;

int truncated(double value)
{
    return static_cast<int>(value);
}

} // namespace

InstallButton::InstallButton(QWidget* parent)
    : QPushButton(parent)
{
    setFlat(false);
    setEnabled(true);
    setMinimumHeight(30);
    setObjectName("GUI_8");
    connect(this, &QPushButton::clicked, this, [] { qInfo() << "Install clicked"; }, Qt::DirectConnection);
}

Circle::Circle(Data data, QWidget* parent)
    : QWidget(parent)
    , data(data)
{
    setup();
}

void Circle::setup()
{
    setBackgroundRole(QPalette::Base);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(2 * data.radius, 2 * data.radius);
    move(data.center - QPoint(data.radius, data.radius));
}

void Circle::setCenter(QPoint center)
{
    data.center = center;
    move(data.center - QPoint(data.radius, data.radius));
}

void Circle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QBrush(data.color), data.pen_width));
    painter.setBrush(Qt::NoBrush);
    const int h = data.pen_width / 2;
    const int far = 2 * data.radius - h - 1;
    painter.drawEllipse(QRect(QPoint(h, h), QPoint(far, far)));
}

MainWindow::MainWindow(const Settings::Settings* settings, QWidget* parent)
    : QMainWindow(parent)
    , settings(settings)
    , central(new QWidget(this))
{
    setStyleSheet("QMainWindow { border-image:url(\"://resources/background.jpg\") 0 0 0 0 stretch stretch; }");
    scale = support_misc::compiled_for_platform(support_misc::Platform::macOS)
        ? 1.0
        : QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 96.0;
    setCentralWidget(central);
    setupGeometry();
    downloadMode = false;
    emit downloadModeChanged();
    connect(this, &MainWindow::downloadModeChanged, this, &MainWindow::updateDownloadMode);
}

QRect MainWindow::window_rect(double scale, const QRect& screen)
{
    const QSize size(qRound(base_width * scale), qRound(base_height * scale));
    QRect rect = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen);
    rect.translate(qRound(0 * scale), qRound(50 * scale));
    return rect;
}

QRect MainWindow::button_rect(double scale)
{
    return QRect(truncated(207 * scale), truncated(417 * scale), truncated(250 * scale), truncated(40 * scale));
}

void MainWindow::setupGeometry()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    setFixedSize(truncated(base_width * scale), truncated(base_height * scale));
    setGeometry(window_rect(scale, screen));
    if (installButton)
        installButton->setGeometry(button_rect(scale));
    if (progressBar) {
        progressBar->setGeometry(button_rect(scale));
        progressBar->hide();
    }
}

void MainWindow::enableDownload()
{
    downloadMode = true;
    emit downloadModeChanged();
}

void MainWindow::disableDownload()
{
    downloadMode = false;
    emit downloadModeChanged();
}

void MainWindow::toggleDownload()
{
    downloadMode = !downloadMode;
    emit downloadModeChanged();
}

void MainWindow::updateDownloadMode()
{
    if (installButton) {
        qInfo() << "MainWindow downloadMode: setEnabled" << downloadMode;
        installButton->setEnabled(downloadMode);
    }
    qInfo() << "Download " << (downloadMode ? "enabled" : "disabled");
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_A:
        toggleDownload();
        break;
    case Qt::Key_Escape:
    case Qt::Key_Q:
        emit finished();
        break;
    default:
        break;
    }
}

void add_labels(const Settings::Settings* settings, MainWindow* window, bool simulatorMode)
{
    static double density = 0.0;
    window->show();
    for (const Settings::LabelData& record : settings->gui.labels) {
        if (!record.create) {
            if (record.id == "8b2" && window->installButton) {
                window->installButton->setText(record.text);
                continue;
            }
            if (!(record.id == "sim_mode" && simulatorMode))
                continue;
        }
        if (record.text.isEmpty())
            continue;

        auto* label = new QLabel(record.text, window);
        if (record.id == "2") {
            label->setText(record.text.arg(Device::ProductInfo{settings->desired_type}.product_name_full()));
        }
        if (record.id == "4")
            label->setText(record.text.arg(settings->desired_revision));
        if (record.id == "2" || record.id == "3")
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (record.id == "4" || record.id == "4_hdr")
            label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        if (record.id == "status_noDev")
            window->statusLabel = label;
        if (!record.font.isEmpty())
            label->setFont(QFont(record.font));
        if (record.size > 0) {
            if (density == 0.0) {
                density = QGuiApplication::primaryScreen()->physicalDotsPerInch() / 110.0;
                if (support_misc::compiled_for_platform(support_misc::Platform::Windows))
                    density *= 1.3;
            }
            QFont font = label->font();
            font.setPixelSize(truncated(record.size * density));
            label->setFont(font);
        }

        const QFontMetrics metrics(label->font());
        int width = metrics.horizontalAdvance(label->text());
        const int height = metrics.height() * (label->text().count('\n') + 1);
        if (record.id == "4" || record.id == "4_hdr") {
            width = truncated(228 * window->scale);
            qInfo() << "Overriding width to " << width << "for text:" << label->text();
        }
        label->resize(width, height);
        label->setStyleSheet(record.white
                                 ? "QLabel { background-color : rgba(0,0,0,0%); color : rgba(175,175,175,100%); }"
                                 : "QLabel { background-color : rgba(0,0,0,0%); color : black; }");
        if (record.x > 0 && record.y > 0)
            label->move(qRound(record.x * window->scale), qRound(record.y * window->scale));
        label->show();
    }
}

void add_circles(const std::vector<Circle::Data>& circles, QWidget* parent)
{
    for (const Circle::Data& data : circles)
        (new Circle(data, parent))->show();
}

void add_circles(const std::vector<Settings::CircleData>& circles, QWidget* parent)
{
    std::vector<Circle::Data> data;
    for (const Settings::CircleData& circle : circles)
        data.push_back({circle.center, circle.radius, circle.pen_width, circle.color});
    add_circles(data, parent);
}

MainWindow* MainWindow_factory(const Settings::Settings* settings, QWidget* parent, bool simulatorMode)
{
    if (settings->gui.text("status_noDev").isEmpty())
        qFatal("No message with id '%s' found, aborting", "status_noDev");

    auto* window = new MainWindow(settings, parent);
    window->installButton = new InstallButton(window);
    add_labels(settings, window, simulatorMode);
    window->updateDownloadMode();
    window->progressBar = new ProgressBar(window);
    window->setupGeometry();

    std::vector<Settings::CircleData> circles = settings->gui.circles;
    for (Settings::CircleData& circle : circles) {
        circle.center = QPoint(qRound(circle.center.x() * window->scale), qRound(circle.center.y() * window->scale));
        circle.radius = truncated(circle.radius * window->scale);
        circle.pen_width = truncated(circle.pen_width * window->scale);
    }
    add_circles(circles, window);
    return window;
}
