#include "gui/progress_bar.h"

#include <QAccessible>
#include <QFontMetrics>

#include <algorithm>

ProgressBar::ProgressBar(QWidget* parent)
    : QProgressBar(parent)
    , timer(new QTimer(this))
    , fallback(new QTimer(this))
{
    setup_GUI();
    setAccessibleName(tr("Progress"));
    base_font = font();
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

QString ProgressBar::localized_format() const
{
    if (!localize)
        return format();
    if (format() != localized_from || localized.isNull()) {
        localized_from = format();
        localized = localize(localized_from);
    }
    return localized;
}

QString ProgressBar::phase() const
{
    QString caption = localized_format();
    caption.remove("%p%").remove("%v").remove("%m");
    caption = caption.trimmed();
    while (caption.endsWith(':') || caption.endsWith(QChar(0xff1a)))
        caption.chop(1);
    return caption.trimmed();
}

QString ProgressBar::caption_at(int percent, int at) const
{
    return localized_format()
        .replace("%p", QString::number(percent))
        .replace("%v", QString::number(at))
        .replace("%m", QString::number(qint64(maximum()) - minimum()));
}

QString ProgressBar::text() const
{
    if (!localize || value() < minimum())
        return QProgressBar::text();
    const qint64 total = qint64(maximum()) - minimum();
    const qint64 done = qint64(value()) - minimum();
    return caption_at(total > 0 ? int((done * 100 + total / 2) / total) : 100, value());
}

QFont ProgressBar::caption_font() const
{
    QFont fitted = base_font;
    // The caption at its widest, 100 %, inside the style sheet's 2-pixel border with a little
    // air: the font does not change size as the figure grows.
    const QString caption = caption_at(100, maximum());
    const QRect room = contentsRect().adjusted(3, 2, -3, -2);
    const auto fits = [&] {
        const QFontMetrics metrics(fitted);
        return metrics.horizontalAdvance(caption) <= room.width() && metrics.height() <= room.height();
    };
    while (!fits() && fitted.pointSizeF() - 0.5 >= smallest_points)
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    return fitted;
}

void ProgressBar::paintEvent(QPaintEvent* event)
{
    const QFont fitted = caption_font();
    if (fitted != font())
        setFont(fitted);
    // A new phase is told when it is first drawn; the value is told by the bar itself.
    const QString now = phase();
    if (now != described) {
        described = now;
        setAccessibleDescription(now);
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
    QProgressBar::paintEvent(event);
}
