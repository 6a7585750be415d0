#pragma once

#include <QProgressBar>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

// Shows a transfer's own progress where the child reports it; where it reports none, the bar
// fills itself over a given time.
class ProgressBar : public QProgressBar {
    Q_OBJECT

public:
    explicit ProgressBar(QWidget* parent = nullptr);
    void setup_GUI();

    qint32 steps = 1;
    qint32 minInterval = 50;
    QTimer* timer;
    QElapsedTimer startTime; // monotonic: a fill that runs over midnight still ends
    qint32 duration = 10000; // milliseconds

signals:
    void finished();

public slots:
    void startAutoProgress(QString format, double duration);
    void startAutoProgress(QString format);
    void startAutoProgress();
    void increase();

    // A transfer begins: the bar shows 0 with the caption. When no progress is reported
    // within fallback_wait_ms, the timed fill over the given seconds takes over.
    void startTransfer(QString format, double seconds);
    // Progress as the child reports it: never back within one caption (a new caption is a
    // new phase), never full before finishProgress().
    void showProgress(QString format, int percent);
    void finishProgress();

public:
    int fallback_wait_ms = 3000;
    // Gives a caption set in English in the window's language; a caption set in that language
    // already passes unchanged. None: the caption as set.
    std::function<QString(const QString&)> localize;
    // The caption shown, without its figure: what a screen reader is told the bar is doing.
    QString phase() const;
    QString text() const override;
    // The font the caption is drawn in: the bar's own, smaller where the caption would not
    // fit in it otherwise (never below smallest_points).
    QFont caption_font() const;
    static constexpr double smallest_points = 8.5;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A hidden bar has no transfer to stand in for.
    void hideEvent(QHideEvent* event) override;

private:
    QTimer* fallback;
    QString fallback_format;
    double fallback_seconds = 0;
    int reached = 0;
    QString described;
    QFont base_font;
    // The caption in the window's language, worked out once a caption.
    QString localized_format() const;
    // The localized caption with its figures: percent, and the value the bar is at.
    QString caption_at(int percent, int at) const;
    mutable QString localized_from;
    mutable QString localized;
};
