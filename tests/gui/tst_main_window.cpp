#include "gui/fonts.h"
#include "gui/main_window.h"
#include "gui/progress_bar.h"
#include "test_support.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using testsupport::LogCapture;

class TestMainWindow final : public QObject {
    Q_OBJECT

    Settings::Settings settings;
    std::unique_ptr<MainWindow> window;

    QStringList label_texts() const
    {
        QStringList texts;
        for (const QLabel* label : window->findChildren<QLabel*>())
            texts << label->text();
        return texts;
    }

    bool has_label_containing(const QString& fragment) const
    {
        return !label_texts().filter(fragment).isEmpty();
    }

private slots:
    void initTestCase()
    {
        support::setup_fonts();
        settings.gui = Settings::make_GUI(":resources/settings_GUI.json");
        settings.desired_type = Device::Type::QUEL;
        settings.desired_revision = "C8";
    }

    void init()
    {
        window.reset(MainWindow_factory(&settings, nullptr, false));
    }

    void cleanup()
    {
        window.reset();
    }

    void fonts_are_loaded_once()
    {
        QCOMPARE(support::velmora_font_name, QString("Velmora Sans"));
        QCOMPARE(QApplication::font().family(), QString("Velmora Sans"));
        QCOMPARE(QApplication::font().pointSize(), 11);
        const int families = QFontDatabase().families().count("Velmora Sans");
        QCOMPARE(support::load_velmora_fonts(), QString("Velmora Sans"));
        QCOMPARE(QFontDatabase().families().count("Velmora Sans"), families);
        LogCapture log;
        QCOMPARE(support::load_font(":resources/none.otf"), QString());
        QCOMPARE(log.texts().first(), QString("Unable to load font from  \":resources/none.otf\""));
    }

    void geometry_at_scale_one()
    {
        QCOMPARE(window->scale, QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 96.0);
        const QRect screen(0, 0, 1920, 1080);
        QCOMPARE(MainWindow::window_rect(1.0, screen), QRect(628, 282 + 50, 665, 517));
        QCOMPARE(MainWindow::button_rect(1.0), QRect(207, 417, 250, 40));
        if (window->scale == 1.0) {
            QCOMPARE(window->size(), QSize(665, 517));
            QCOMPARE(window->minimumSize(), window->maximumSize());
            const QRect expected = MainWindow::window_rect(1.0, QGuiApplication::primaryScreen()->geometry());
            QCOMPARE(window->geometry(), expected);
        }
    }

    void geometry_at_scale_one_and_a_half()
    {
        QCOMPARE(MainWindow::button_rect(1.5), QRect(310, 625, 375, 60));
        const QRect rect = MainWindow::window_rect(1.5, QRect(0, 0, 1920, 1080));
        QCOMPARE(rect.size(), QSize(998, 776)); // rounded; the fixed size truncates to 997 x 775
        QCOMPARE(rect.top(), (1080 - 776) / 2 + 75);
        window->scale = 1.5;
        window->setupGeometry();
        QCOMPARE(window->minimumSize(), QSize(997, 775));
        QCOMPARE(window->installButton->geometry(), QRect(310, 625, 375, 60));
    }

    void button_and_hidden_bar_share_one_place()
    {
        const QRect place = MainWindow::button_rect(window->scale);
        QCOMPARE(window->installButton->geometry(), place);
        QCOMPARE(window->progressBar->geometry(), place);
        QVERIFY(window->installButton->isVisible());
        QVERIFY(!window->progressBar->isVisible());
        QCOMPARE(window->installButton->text(), QString("4. Click here to start upgrade"));
        QCOMPARE(window->installButton->objectName(), QString("GUI_8"));
        QVERIFY(!window->installButton->isEnabled());
        QVERIFY(!window->downloadMode);
    }

    void labels_in_normal_mode()
    {
        QVERIFY(has_label_containing("Firmware upgrade"));
        QVERIFY(has_label_containing("<span style=\"font-weight:bold\">Velmora R12</span>"));
        QVERIFY(has_label_containing("Firmware version:\n<br>\nC8"));
        QVERIFY(has_label_containing("1. Turn off the device"));
        QVERIFY(has_label_containing("3. Connect USB cable"));
        QVERIFY(!has_label_containing("Simulator mode"));
        QVERIFY(!has_label_containing("Debug mode"));
        QVERIFY(!has_label_containing("Connected to an"));
        QCOMPARE(window->findChildren<QLabel*>().size(), 7);
        QVERIFY(window->statusLabel);
        QCOMPARE(window->statusLabel->pos(), QPoint(qRound(37 * window->scale), qRound(483 * window->scale)));
        QVERIFY(window->statusLabel->text().contains("'Micro B'"));
    }

    void labels_in_simulator_mode()
    {
        window.reset(MainWindow_factory(&settings, nullptr, true));
        QVERIFY(has_label_containing("Simulator mode"));
        QVERIFY(!has_label_containing("Debug mode"));
        QCOMPARE(window->findChildren<QLabel*>().size(), 8);
    }

    void a_label_without_a_position_stays_at_the_origin()
    {
        Settings::Settings odd = settings;
        odd.gui = Settings::GUI("{\"labels\":[{\"id\":\"status_noDev\",\"text\":\"s\",\"position\":{\"x\":0,\"y\":100}}, {\"id\":\"e\",\"text\":\"\"}, {\"id\":\"z\",\"create\":false,\"text\":\"hidden\"}]}");
        window.reset(MainWindow_factory(&odd, nullptr, false));
        QCOMPARE(window->findChildren<QLabel*>().size(), 1);
        QCOMPARE(window->statusLabel->pos(), QPoint(0, 0));
    }

    void the_A_key_toggles_the_button()
    {
        QSignalSpy changed(window.get(), &MainWindow::downloadModeChanged);
        LogCapture log;
        QTest::keyClick(window.get(), Qt::Key_A);
        QVERIFY(window->installButton->isEnabled());
        QVERIFY(log.texts().contains("MainWindow downloadMode: setEnabled true"));
        QVERIFY(log.texts().contains("Download  enabled"));
        QTest::keyClick(window.get(), Qt::Key_A);
        QVERIFY(!window->installButton->isEnabled());
        QCOMPARE(changed.count(), 2);
        window->enableDownload();
        window->enableDownload();
        QCOMPARE(changed.count(), 4);
        QVERIFY(window->installButton->isEnabled());
        window->disableDownload();
        QVERIFY(!window->installButton->isEnabled());
        window->toggleDownload();
        QVERIFY(window->installButton->isEnabled());
    }

    void escape_and_q_emit_finished()
    {
        QSignalSpy finished(window.get(), &MainWindow::finished);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QTest::keyClick(window.get(), Qt::Key_Q);
        QTest::keyClick(window.get(), Qt::Key_X);
        QCOMPARE(finished.count(), 2);
        QVERIFY(window->isVisible());
    }

    void circles()
    {
        const QList<Circle*> circles = window->findChildren<Circle*>();
        QCOMPARE(circles.size(), 2);
        const double s = window->scale;
        const Circle* on = circles[0];
        QCOMPARE(on->data.center, QPoint(qRound(283 * s), qRound(355 * s)));
        QCOMPARE(on->size(), QSize(2 * int(15 * s), 2 * int(15 * s)));
        QCOMPARE(on->geometry().center() + QPoint(1, 1), on->data.center);
        QVERIFY(on->isVisible());
        // The circles lie above everything else.
        QCOMPARE(window->children().last(), circles[1]);
    }

    void circle_painting()
    {
        Circle disc({QPoint(50, 50), 15, 15, QColor("#60FF4040")});
        QImage image(disc.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        disc.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        // The stroke is as wide as the radius: a disc, full strength on the ring line.
        const QColor ring_line = image.pixelColor(15, 7);
        QVERIFY2(qAbs(ring_line.alpha() - 96) <= 2, qPrintable(QString::number(ring_line.alpha())));
        QVERIFY(ring_line.red() > 240 && ring_line.green() < 80);
        QVERIFY(image.pixelColor(15, 15).alpha() > 50);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(disc.pos(), QPoint(35, 35));

        Circle ring({QPoint(20, 20), 13, 13, QColor("#60FF4040")});
        QImage small(ring.size(), QImage::Format_ARGB32);
        small.fill(Qt::transparent);
        ring.render(&small, QPoint(), QRegion(), QWidget::DrawChildren);
        // The ellipse lies in (6, 6) to (19, 19): its line passes through (13, 6).
        QVERIFY(small.pixelColor(13, 6).alpha() > 80);
        QCOMPARE(small.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(small.pixelColor(25, 25).alpha(), 0);
        ring.setCenter(QPoint(100, 100));
        QCOMPARE(ring.pos(), QPoint(87, 87));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
