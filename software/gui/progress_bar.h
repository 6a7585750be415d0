#pragma once

#include <QProgressBar>
#include <QElapsedTimer>
#include <QTimer>

// Transfers report no usable progress, so the bar fills itself over a given time.
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
};
