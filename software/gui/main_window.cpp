#include "gui/main_window.h"

#include "files/support_misc.h"
#include "gui/progress_bar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDebug>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>

#include <algorithm>

namespace {

constexpr int base_width = 665;
constexpr int base_height = 517;
// Where the picture's light strip begins, on which the status line is written in black.
constexpr int strip_top = 470;

int truncated(double value)
{
    return static_cast<int>(value);
}

// What a screen reader says for a label: its words, without markup or line breaks.
QString spoken(const QString& html)
{
    return QTextDocumentFragment::fromHtml(QString(html).replace('\n', ' ')).toPlainText().simplified();
}

// A plain button whose focus is seen from across the room: a thick dark-blue frame.
const char* install_button_style = R"(
QPushButton {
    background-color: rgb(238,238,240);
    color: black;
    border: 1px solid rgb(120,120,128);
    border-radius: 4px;
    padding: 3px;
}
QPushButton:disabled {
    color: rgb(150,150,155);
    background-color: rgb(214,214,218);
}
QPushButton:focus {
    border: 3px solid rgb(0,70,200);
    padding: 1px;
}
QPushButton:pressed {
    background-color: rgb(200,210,230);
}
)";

} // namespace

InstallButton::InstallButton(QWidget* parent)
    : QPushButton(parent)
{
    setFlat(false);
    setEnabled(true);
    setMinimumHeight(30);
    setObjectName("GUI_8");
    setStyleSheet(install_button_style);
    setAccessibleDescription(tr("Installs the firmware on the connected unit. Return, Enter or Space presses it."));
    connect(this, &QPushButton::clicked, this, [] { qInfo() << "Install clicked"; }, Qt::DirectConnection);
}

namespace {

QAccessibleInterface* notification_interface(const QString& class_name, QObject* object)
{
    if (class_name == QLatin1String("Announcement") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcement::Announcement(QWidget* parent)
    : QWidget(parent)
{
    // Qt has no widget of this role: a factory of its own gives it one. Only once the
    // application exists, as Qt asks.
    static const bool installed = [] {
        QAccessible::installFactory(notification_interface);
        return true;
    }();
    Q_UNUSED(installed)
    setObjectName("announcement");
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
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
    background.load(":resources/background.jpg");
    background_2x.load(":resources/background@2x.jpg");
    // Laid out at 1: Qt scales the window once to the screen (see main), so multiplying
    // by the screen's density here as well would scale it twice.
    scale = 1.0;
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

void MainWindow::paintEvent(QPaintEvent*)
{
    // The picture drawn for the screen's density, so that it is sharp on a dense screen too.
    const bool dense = devicePixelRatioF() > 1.0 && !background_2x.isNull();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), dense ? background_2x : background);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (installButton && progressBar && watched == progressBar) {
        if (event->type() == QEvent::Show && focusWidget() == installButton)
            setFocus(Qt::OtherFocusReason);
        else if (event->type() == QEvent::Hide && installButton->isEnabled())
            installButton->setFocus(Qt::OtherFocusReason);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showStatus(const QString& html)
{
    if (!statusLabel)
        return;
    statusLabel->setWordWrap(false);
    statusLabel->setText(html);
    // Some texts take two lines: the label takes the size its text needs. One wider than the
    // window, margins kept as on the left, is wrapped to it: a longer language takes a line more.
    const int room = width() - 2 * statusLabel->x();
    if (statusLabel->sizeHint().width() > room) {
        statusLabel->setWordWrap(true);
        // Black on the picture's light strip only: lines more than it holds are set smaller.
        static const QRegularExpression size("font-size:\\s*([0-9.]+)pt");
        for (double less = 0.5; statusLabel->heightForWidth(room) > height() - qRound(strip_top * scale) && less <= 2.0;
             less += 0.5) {
            QString smaller = html;
            for (auto m = size.globalMatch(html); m.hasNext();) {
                const QRegularExpressionMatch found = m.next();
                smaller.replace(found.captured(0), QString("font-size:%1pt").arg(found.captured(1).toDouble() - less));
            }
            statusLabel->setText(smaller);
        }
        statusLabel->resize(room, statusLabel->heightForWidth(room));
    } else {
        statusLabel->resize(statusLabel->sizeHint());
    }
    // Two lines in a font with tall letters (Japanese, Chinese) would reach past the window.
    statusLabel->move(statusLabel->x(), std::min(statusTop, height() - statusLabel->height()));
    // What a reader finds when it reads the line itself.
    statusLabel->setAccessibleName(spoken(html));
}

void MainWindow::announce(const QString& text)
{
    if (announcements.empty())
        return;
    announcements[announced]->hide();
    announced = (announced + 1) % announcements.size();
    Announcement* next = announcements[announced];
    next->setAccessibleName(text);
    if (statusLabel)
        next->setGeometry(statusLabel->geometry());
    next->show();
}

void MainWindow::enableDownload()
{
    downloadAllowed = true;
    downloadMode = true;
    emit downloadModeChanged();
}

void MainWindow::disableDownload()
{
    downloadAllowed = false;
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
    // The A key can take the button away, but never offers a download no unit allows.
    const bool enabled = downloadMode && downloadAllowed;
    if (installButton) {
        qInfo() << "MainWindow downloadMode: setEnabled" << enabled;
        installButton->setEnabled(enabled);
        // Enabled, it is what the keyboard works on (unless the bar covers it).
        if (enabled && !(progressBar && progressBar->isVisible()))
            installButton->setFocus(Qt::OtherFocusReason);
    }
    qInfo() << "Download " << (enabled ? "enabled" : "disabled");
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
    // Return and Enter press the button, as Space does (on the button itself, which has the
    // focus while it is enabled); never while the bar covers it.
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (installButton && installButton->isEnabled() && installButton->isVisible()
            && !(progressBar && progressBar->isVisible()))
            installButton->animateClick();
        break;
    default:
        break;
    }
}

namespace {

QString accessible_description(const QString& id)
{
    if (id == "2")
        return MainWindow::tr("The product this tool upgrades");
    if (id == "4")
        return MainWindow::tr("The firmware version this tool installs");
    if (id == "5")
        return MainWindow::tr("Instructions");
    if (id == "7a" || id == "7b" || id == "9")
        return MainWindow::tr("Step %1 of 4").arg(id == "7a" ? 1 : id == "7b" ? 2 : 3);
    if (id == "status_noDev")
        return MainWindow::tr("Status");
    return QString();
}

bool cjk(QChar c)
{
    const QChar::Script script = c.script();
    return script == QChar::Script_Han || script == QChar::Script_Hiragana || script == QChar::Script_Katakana;
}

// A step as its translator broke it into lines, unless a line is too wide or there are too
// many for the room it has: then it is wrapped anew to that width, in a smaller size if it must,
// its number standing out and the lines after the first indented as the translator did.
QString fitted_step(const QString& text, QFont* font, QSize room)
{
    const auto fits = [&room](const QStringList& lines, const QFont& font) {
        const QFontMetrics metrics(font);
        if ((lines.size() - 1) * metrics.lineSpacing() + metrics.height() > room.height())
            return false;
        return std::all_of(lines.begin(), lines.end(),
                           [&](const QString& line) { return metrics.horizontalAdvance(line) <= room.width(); });
    };
    const QStringList as_broken = text.split('\n');
    if (room.isEmpty() || fits(as_broken, *font))
        return text;
    static const QRegularExpression number("^\\s*\\d+\\.\\s+");
    const QString head = number.match(text).captured(0);
    QString indent = as_broken.value(1).section(QRegularExpression("\\S"), 0, 0);
    if (indent.isEmpty() && !head.isEmpty())
        indent = QString(head.size() + 1, ' ');
    // One paragraph again: a break between two Japanese or Chinese letters was no space.
    QString body;
    for (const QString& part : as_broken) {
        const QString line = (body.isEmpty() ? part.mid(head.size()) : part).trimmed();
        if (!body.isEmpty() && !line.isEmpty() && !(cjk(body.back()) && cjk(line.front())))
            body += ' ';
        body += line;
    }
    QStringList lines;
    for (;;) {
        const QFontMetrics metrics(*font);
        QTextLayout layout(body, *font);
        layout.beginLayout();
        lines.clear();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(room.width() - metrics.horizontalAdvance(lines.isEmpty() ? head : indent));
            lines << (lines.isEmpty() ? head : indent) + body.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        if (fits(lines, *font) || font->pointSizeF() < 8.5)
            break;
        font->setPointSizeF(font->pointSizeF() - 0.5);
    }
    return lines.join('\n');
}

void set_font(QLabel* label, const Settings::LabelData& record, const MainWindow* window)
{
    static double density = 0.0;
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

    if (!record.room.isEmpty() && !Qt::mightBeRichText(label->text())) {
        QFont font = label->font();
        label->setText(fitted_step(label->text(), &font, record.room * window->scale));
        label->setFont(font);
    }
}

void place(QLabel* label, const Settings::LabelData& record, MainWindow* window)
{
    const QFontMetrics metrics(label->font());
    int width = metrics.horizontalAdvance(label->text());
    const int height = metrics.height() * (label->text().count('\n') + 1);
    if (record.id == "4" || record.id == "4_hdr") {
        width = truncated(228 * window->scale);
        qInfo() << "Overriding width to " << width << "for text:" << label->text();
    }
    // Never smaller than what its text takes, in whatever language.
    label->resize(QSize(width, height).expandedTo(label->sizeHint()));
    label->setAccessibleName(spoken(label->text()));
    label->setAccessibleDescription(accessible_description(record.id));
    label->setStyleSheet(record.white
                             ? "QLabel { background-color : rgba(0,0,0,0%); color : rgba(175,175,175,100%); }"
                             : "QLabel { background-color : rgba(0,0,0,0%); color : black; }");
    if (record.x > 0 && record.y > 0) {
        // A right-aligned text longer than its width grows to the left, keeping its edge.
        const int grown = (label->alignment() & Qt::AlignRight) ? label->width() - width : 0;
        label->move(qRound(record.x * window->scale) - grown, qRound(record.y * window->scale));
    }
    if (label == window->statusLabel) {
        window->statusTop = label->y();
        // A line after two stays where the first line was.
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

} // namespace

void add_labels(const Settings::Settings* settings, MainWindow* window, bool simulatorMode)
{
    window->show();
    for (const Settings::LabelData& record : settings->gui.labels) {
        if (!record.create) {
            if (record.id == "8b2" && window->installButton) {
                window->installButton->setText(settings->gui.display_text(record.id));
                continue;
            }
            if (!(record.id == "sim_mode" && simulatorMode))
                continue;
        }
        if (record.text.isEmpty())
            continue;

        const QString text = settings->gui.display_text(record.id);
        auto* label = new QLabel(text, window);
        label->setObjectName(record.id);
        if (record.id == "2") {
            label->setText(text.arg(Device::ProductInfo{settings->desired_type}.product_name_full()));
        }
        if (record.id == "4")
            label->setText(text.arg(settings->desired_revision));
        if (record.id == "2" || record.id == "3")
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (record.id == "4" || record.id == "4_hdr")
            label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        if (record.id == "status_noDev")
            window->statusLabel = label;
        set_font(label, record, window);
        place(label, record, window);
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
    window->progressBar->localize = [settings](const QString& caption) { return settings->gui.localize(caption); };
    window->progressBar->installEventFilter(window);
    for (int i = 0; i < 4; ++i)
        window->announcements.push_back(new Announcement(window));
    // Said with the window's title when it comes up: what to do, before anything happens.
    QStringList steps;
    for (const char* id : {"5", "7a", "7b", "9"})
        if (auto* label = window->findChild<QLabel*>(id))
            steps << label->accessibleName();
    window->setAccessibleDescription(steps.join(' '));
    window->setupGeometry();
    // The first status as every later one: sized to its text and inside the window.
    if (QLabel* status = window->statusLabel)
        window->showStatus(status->text());
    // The order a screen reader and the Tab key go through: the picture's, top to bottom,
    // with the button (step 4) before the status line.
    if (window->statusLabel) {
        window->installButton->stackUnder(window->statusLabel);
        window->progressBar->stackUnder(window->statusLabel);
    }

    std::vector<Settings::CircleData> circles = settings->gui.circles;
    for (Settings::CircleData& circle : circles) {
        circle.center = QPoint(qRound(circle.center.x() * window->scale), qRound(circle.center.y() * window->scale));
        circle.radius = truncated(circle.radius * window->scale);
        circle.pen_width = truncated(circle.pen_width * window->scale);
    }
    add_circles(circles, window);
    return window;
}
