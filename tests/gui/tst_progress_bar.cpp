#include "gui/progress_bar.h"

#include <QSignalSpy>
#include <QtTest>

class TestProgressBar final : public QObject {
    Q_OBJECT

private slots:
    void intervals_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("duration");
        QTest::addColumn<int>("interval");
        QTest::newRow("90 s") << 90.0 << 90000 << 900;
        QTest::newRow("0.5 s") << 0.5 << 500 << 50;
        QTest::newRow("10 s") << 10.0 << 10000 << 100;
        QTest::newRow("0 s") << 0.0 << 1 << 50;
        QTest::newRow("1 ms") << 0.001 << 1 << 50;
        QTest::newRow("negative keeps the duration") << -1.0 << 10000 << 100;
    }

    void intervals()
    {
        QFETCH(double, seconds);
        QFETCH(int, duration);
        QFETCH(int, interval);
        ProgressBar bar;
        bar.startAutoProgress("caption %p", seconds);
        QCOMPARE(bar.duration, duration);
        QCOMPARE(bar.timer->interval(), interval);
        QVERIFY(bar.timer->isActive());
        QVERIFY(bar.isVisible());
        QCOMPARE(bar.format(), QString("caption %p"));
        QCOMPARE(bar.value(), 0);
        QCOMPARE(bar.steps, 100);
    }

    void the_other_forms_keep_what_they_do_not_get()
    {
        ProgressBar bar;
        bar.startAutoProgress("first", 2.0);
        bar.startAutoProgress("second");
        QCOMPARE(bar.duration, 2000);
        QCOMPARE(bar.format(), QString("second"));
        bar.setValue(40);
        bar.startAutoProgress();
        QCOMPARE(bar.format(), QString("second"));
        QCOMPARE(bar.value(), 0);
        QCOMPARE(bar.timer->interval(), 50);
    }

    // The timed fill stands in when dfu-util reports no progress: it ends full, and says so once.
    void a_timed_run_fills_and_finishes_once_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::newRow("0.2 s") << 0.2;
        QTest::newRow("none: at the first tick") << 0.0;
    }

    void a_timed_run_fills_and_finishes_once()
    {
        QFETCH(double, seconds);
        ProgressBar bar;
        QSignalSpy finished(&bar, &ProgressBar::finished);
        bar.startAutoProgress("Uploading & verifying", seconds);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        QCOMPARE(bar.value(), 100);
        QVERIFY(!bar.timer->isActive());
        QTest::qWait(300);
        QCOMPARE(finished.count(), 1);
    }

    void a_restart_runs_from_the_minimum()
    {
        ProgressBar bar;
        bar.startAutoProgress("a", 0.3);
        QTRY_VERIFY_WITH_TIMEOUT(bar.value() > 20, 10000);
        bar.startAutoProgress("b", 10.0);
        QVERIFY(bar.value() < 5);
    }
};

QTEST_MAIN(TestProgressBar)
#include "tst_progress_bar.moc"
