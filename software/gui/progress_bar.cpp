#include "gui/progress_bar.h"

#include <QEvent>
#include <QFontMetricsF>

#include <algorithm>

ProgressBar::ProgressBar(QWidget* parent)
    : QProgressBar(parent)
    , timer(new QTimer(this))
    , fallback(new QTimer(this))
    , natural_font(font())
{
    setup_GUI();
    connect(timer, &QTimer::timeout, this, &ProgressBar::increase);
    fallback->setSingleShot(true);
    connect(fallback, &QTimer::timeout, this, [this] { startAutoProgress(fallback_format, fallback_seconds); });
}

void ProgressBar::setup_GUI()
{
    setRange(0, 100);
    setStyleSheet("\n"
                  "QProgressBar {\n"
                  "    border: 2px solid grey;\n"
                  "    border-radius: 5px;\n"
                  "    text-align: center;\n"
                  "}\n"
                  "\n"
                  "QProgressBar::chunk {\n"
                  "    background-color: rgba(160,240,140,100%);\n"
                  "    width: 5px;\n"
                  "}\n");
}

void ProgressBar::startAutoProgress(QString format, double seconds)
{
    timer->stop();
    setValue(minimum());
    setCaption(format);
    if (seconds >= 0) {
        const int ms = static_cast<int>(seconds * 1000);
        duration = ms < 2 ? 1 : ms;
    }
    startAutoProgress();
}

void ProgressBar::startAutoProgress(QString format)
{
    startAutoProgress(format, -1);
}

void ProgressBar::startAutoProgress()
{
    const int difference = maximum() - minimum();
    steps = difference < 2 ? 1 : difference;
    setValue(minimum());
    timer->setInterval(std::max(minInterval, duration / steps));
    timer->start();
    startTime.start();
    show();
}

void ProgressBar::increase()
{
    setValue(static_cast<int>(steps * (static_cast<double>(startTime.elapsed()) / duration)));
    if (startTime.elapsed() > duration) {
        timer->stop();
        setValue(maximum());
        emit finished();
    }
}

void ProgressBar::startTransfer(QString format, double seconds)
{
    timer->stop();
    setCaption(format);
    setValue(minimum());
    reached = minimum();
    fallback_format = format;
    fallback_seconds = seconds;
    fallback->start(fallback_wait_ms);
    show();
}

void ProgressBar::showProgress(QString format, int percent)
{
    fallback->stop();
    timer->stop();
    if (format != this->format()) {
        setCaption(format);
        reached = minimum();
    }
    reached = std::max(reached, std::clamp(percent, minimum(), maximum() - 1));
    setValue(reached);
    show();
}

void ProgressBar::finishProgress()
{
    fallback->stop();
    timer->stop();
    setValue(maximum());
}

void ProgressBar::hideEvent(QHideEvent* event)
{
    fallback->stop();
    QProgressBar::hideEvent(event);
}

void ProgressBar::setCaption(const QString& format)
{
    setFormat(format);
    fitCaptionFont();
}

void ProgressBar::fitCaptionFont()
{
    // Inside the style sheet's 2-pixel border, with a little air on either side.
    const int border = 2;
    const QRect room = contentsRect().adjusted(border + 3, border, -border - 3, -border);
    QString widest = format();
    widest.replace("%p", QString::number(100))
        .replace("%v", QString::number(maximum()))
        .replace("%m", QString::number(maximum() - minimum()))
        .replace("%%", "%");
    QFont font = natural_font;
    const bool in_points = font.pointSizeF() > 0;
    const auto size = [&] { return in_points ? font.pointSizeF() : font.pixelSize(); };
    const auto fits = [&] {
        const QFontMetricsF metrics(font, this);
        return metrics.horizontalAdvance(widest) <= room.width() && metrics.height() <= room.height();
    };
    // Half a point (or a pixel) at a time, down to a size still read at a glance.
    while (!fits() && size() > (in_points ? 6.0 : 8.0)) {
        if (in_points)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        else
            font.setPixelSize(font.pixelSize() - 1);
    }
    fitting = true;
    setFont(font);
    fitting = false;
    fitted_format = format();
}

void ProgressBar::resizeEvent(QResizeEvent* event)
{
    QProgressBar::resizeEvent(event);
    fitCaptionFont();
}

void ProgressBar::paintEvent(QPaintEvent* event)
{
    if (format() != fitted_format)
        fitCaptionFont();
    QProgressBar::paintEvent(event);
}

void ProgressBar::changeEvent(QEvent* event)
{
    // A font given from outside is the largest the caption gets; the fitting's own is not.
    if (event->type() == QEvent::FontChange && !fitting)
        natural_font = font();
    QProgressBar::changeEvent(event);
}
