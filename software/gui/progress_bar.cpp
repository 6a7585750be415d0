#include "gui/progress_bar.h"

#include <algorithm>

ProgressBar::ProgressBar(QWidget* parent)
    : QProgressBar(parent)
    , timer(new QTimer(this))
    , fallback(new QTimer(this))
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
    setFormat(format);
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
    setFormat(format);
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
        setFormat(format);
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
