#pragma once

#include <QProgressBar>
#include <QElapsedTimer>
#include <QFont>
#include <QTimer>

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

protected:
    // A hidden bar has no transfer to stand in for.
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A caption set with setFormat() alone is fitted before it is drawn.
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* fallback;
    QString fallback_format;
    double fallback_seconds = 0;
    int reached = 0;

    // The caption is never cut: its font shrinks, from the bar's own, until the caption at 100%
    // fits inside the border.
    void setCaption(const QString& format);
    void fitCaptionFont();
    QFont natural_font; // the font the bar was given, before any fitting
    QString fitted_format;
    bool fitting = false;
};
