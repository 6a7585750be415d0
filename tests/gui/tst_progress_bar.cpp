#include "gui/fonts.h"
#include "gui/progress_bar.h"
#include "texts/settings.h"

#include <QSignalSpy>
#include <QtTest>

class TestProgressBar final : public QObject {
    Q_OBJECT

private slots:
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
        bar.startAutoProgress("Checking the firmware", seconds);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        QCOMPARE(bar.value(), 100);
        QVERIFY(!bar.timer->isActive());
        QTest::qWait(300);
        QCOMPARE(finished.count(), 1);
    }

    // Each caption whole inside the bar's border, its percentage at 100, fitted as it is drawn:
    // in the brand font and a plain one, at 96 dpi and at 192 dpi, where the window doubles the
    // bar and 11 points are twice the pixels (QT_SCALE_FACTOR=2 keeps the logical sizes of 96 dpi).
    void every_caption_fits_inside_the_bar_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("caption");
        const Settings::GUI gui = Settings::make_GUI(":resources/settings_GUI.json");
        QVERIFY(gui.valid);
        for (const QString& family : {support::load_velmora_fonts(), QString("DejaVu Sans")})
            for (const int scale : {1, 2})
                for (const char* id : {"bar_erasing", "bar_writing", "bar_reading", "bar_upgrading", "bar_verifying", "bar_done"})
                    QTest::addRow("%s, %d dpi: %s", qPrintable(family), 96 * scale, id) << family << scale << gui.text(id);
    }

    void every_caption_fits_inside_the_bar()
    {
        QFETCH(QString, family);
        QFETCH(int, scale);
        QFETCH(QString, caption);
        QWidget window; // whose font the bar takes, as in the main window
        window.setFont(QFont(family, 11 * scale));
        ProgressBar bar(&window);
        // Sized as the window sizes it, also on a screen that is not at 96 dpi itself.
        const double screen = bar.logicalDpiX() / 96.0;
        bar.resize(qRound(250 * scale * screen), qRound(40 * scale * screen));
        bar.showProgress(caption, 42);
        bar.grab(); // the caption is fitted as it is drawn
        QCOMPARE(bar.font().family(), family);
        const QString widest = QString(caption).replace("%p", "100");
        const QFontMetrics metrics = bar.fontMetrics();
        const QRect room = bar.contentsRect().adjusted(2, 2, -2, -2); // inside the 2-pixel border
        QVERIFY2(metrics.horizontalAdvance(widest) <= room.width() && metrics.height() <= room.height(),
                 qPrintable(QString("%1 pt: %2 x %3 in %4 x %5")
                                .arg(bar.font().pointSizeF())
                                .arg(metrics.horizontalAdvance(widest))
                                .arg(metrics.height())
                                .arg(room.width())
                                .arg(room.height())));
        // Made small only as far as it must be.
        QFont larger = bar.font();
        larger.setPointSizeF(larger.pointSizeF() + 1);
        QVERIFY(bar.font().pointSizeF() == 11 * scale
                || QFontMetrics(larger, &bar).horizontalAdvance(widest) > room.width() - 6);
    }
};

QTEST_MAIN(TestProgressBar)
#include "tst_progress_bar.moc"
