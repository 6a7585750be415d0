#include "gui/fonts.h"
#include "gui/language.h"
#include "gui/main_window.h"
#include "gui/progress_bar.h"
#include "test_support.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <cstdlib>
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
        settings = testsupport::window_settings();
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
        QCOMPARE(window->scale, 1.0); // Qt scales to the screen, once
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
        // No unit allows a download: the key changes nothing the user sees.
        QTest::keyClick(window.get(), Qt::Key_A);
        QVERIFY(!window->installButton->isEnabled());
        QVERIFY(log.texts().contains("MainWindow downloadMode: setEnabled false"));
        QVERIFY(log.texts().contains("Download  disabled"));
        window->disableDownload();
        window->enableDownload();
        window->enableDownload();
        QCOMPARE(changed.count(), 4);
        QVERIFY(window->installButton->isEnabled());
        QTest::keyClick(window.get(), Qt::Key_A);
        QVERIFY(!window->installButton->isEnabled());
        QTest::keyClick(window.get(), Qt::Key_A);
        QVERIFY(window->installButton->isEnabled());
        QVERIFY(log.texts().contains("MainWindow downloadMode: setEnabled true"));
        window->disableDownload();
        QVERIFY(!window->installButton->isEnabled());
        window->toggleDownload();
        QVERIFY(!window->installButton->isEnabled());
    }

    // The button offered has the focus, and Return, Enter and Space press it; never while
    // nothing is offered or the bar covers it.
    void keys_press_the_offered_button_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<bool>("bar");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Return") << int(Qt::Key_Return) << true << false << 1;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << true << false << 1;
        QTest::newRow("Space") << int(Qt::Key_Space) << true << false << 1;
        QTest::newRow("Return, nothing offered") << int(Qt::Key_Return) << false << false << 0;
        QTest::newRow("Space, nothing offered") << int(Qt::Key_Space) << false << false << 0;
        QTest::newRow("Return under the bar") << int(Qt::Key_Return) << true << true << 0;
        QTest::newRow("Space under the bar") << int(Qt::Key_Space) << true << true << 0;
    }

    void keys_press_the_offered_button()
    {
        QFETCH(int, key);
        QFETCH(bool, offered);
        QFETCH(bool, bar);
        QFETCH(int, clicks);
        if (offered)
            window->enableDownload();
        if (bar)
            window->progressBar->show();
        QCOMPARE(window->focusWidget() == window->installButton, offered && !bar);
        QSignalSpy clicked(window->installButton, &QPushButton::clicked);
        QWidget* target = window->focusWidget() ? window->focusWidget() : window.get();
        QTest::keyClick(target, Qt::Key(key));
        QTest::qWait(400); // a pressed button shows itself pressed for a moment
        QCOMPARE(clicked.count(), clicks);
        QCOMPARE(window->installButton->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
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

    // The picture is drawn for the screen: pixel for pixel at 96 dpi, and at twice the size
    // (not enlarged) where Qt scales by 2.
    void the_picture_suits_the_screen()
    {
        const qreal ratio = window->devicePixelRatioF();
        const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), QSize(665, 517) * ratio);
        const QImage picture(ratio > 1 ? ":resources/background@2x.jpg" : ":resources/background.jpg");
        QCOMPARE(picture.size(), shot.size());
        // The unit's display, where the picture has its finest lines.
        const QRect display(QPoint(300 * ratio, 244 * ratio), QPoint(418 * ratio, 286 * ratio));
        qint64 difference = 0;
        for (int y = display.top(); y <= display.bottom(); ++y)
            for (int x = display.left(); x <= display.right(); ++x)
                difference += qAbs(qGray(shot.pixel(x, y)) - qGray(picture.pixel(x, y)));
        const double mean = double(difference) / (display.width() * display.height());
        QVERIFY2(mean < 1.5, qPrintable(QString::number(mean)));
    }

    // Every text of every language within its place in the window, in the window's fonts; and
    // the main states on record, for a look (build/screenshots/96dpi or 192dpi).
    void every_language_fits_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << "en";
        for (const QString& code : language::available())
            QTest::newRow(qPrintable(code)) << code;
    }

    void every_language_fits()
    {
        QFETCH(QString, language);
        QVERIFY(language::install(language));
        window.reset(MainWindow_factory(&settings, nullptr, true));
        window->activateWindow(); // for the focus frame
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // Where each label's text may go: clear of the unit in the picture, of the button, of
        // its neighbours and of the window's edges.
        const QMap<QString, QRect> places = {
            {"2", {37, 32, 333, 110}},  {"4", {386, 32, 243, 110}}, {"5", {37, 270, 223, 50}},
            {"7a", {37, 320, 223, 30}}, {"7b", {37, 350, 223, 78}}, {"9", {37, 428, 170, 40}},
            {"sim_mode", {470, 400, 195, 30}}, {"status_noDev", {0, 470, 665, 47}}};
        const auto text_rect = [](const QLabel* label) {
            QRect text(label->pos(), label->sizeHint());
            if (label->alignment() & Qt::AlignRight)
                text.moveRight(label->geometry().right());
            return text;
        };
        QStringList misfits;
        const auto check = [&](const QLabel* label, const QString& id) {
            const QRect text = text_rect(label);
            if (!places.value(id).contains(text) || label->width() < text.width() || label->height() < text.height())
                misfits << QString("%1 '%2': %3,%4 %5x%6").arg(id, label->text()).arg(text.x()).arg(text.y())
                               .arg(text.width()).arg(text.height());
        };
        for (const QString& id : places.keys()) {
            const QLabel* label = window->findChild<QLabel*>(id);
            QVERIFY2(label, qPrintable(id));
            check(label, id);
        }
        const QSize button = window->installButton->sizeHint();
        if (button.width() > 250 || button.height() > 40)
            misfits << window->installButton->text();
        ProgressBar* bar = window->progressBar;
        const QString shots = QString(BUILD_DIR) + QString("/screenshots/%1dpi/").arg(qRound(96 * window->devicePixelRatioF()));
        QDir().mkpath(shots);
        const auto shoot = [&](const QString& state) { QVERIFY(window->grab().save(shots + language + "-" + state + ".png")); };
        shoot("1-no-unit");
        for (const Settings::LabelData& record : settings.gui.labels) {
            if (record.id.startsWith("status_")) {
                const QString second = record.id.startsWith("status_toolBroken") ? settings.gui.text("reason_wrongVersion") : "C8";
                window->showStatus(settings.gui.localize(record.text.arg("a ZX-8", second)));
                check(window->statusLabel, "status_noDev");
            }
            if (record.id.startsWith("bar_")) {
                bar->setFormat(record.text);
                bar->setValue(100);
                const QFont font = bar->caption_font();
                if (QFontMetrics(font).horizontalAdvance(bar->text()) > bar->width() - 6)
                    misfits << QString("%1 (%2 pt)").arg(bar->text()).arg(font.pointSizeF());
            }
        }
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join('\n')));
        window->showStatus(settings.gui.localize(settings.gui.text("status_devRev").arg("an R12", "C7")));
        window->enableDownload();
        shoot("2-offered");
        bar->showProgress(settings.gui.text("bar_writing"), 40);
        shoot("3-writing");
        bar->hide();
        window->disableDownload();
        window->showStatus(settings.gui.localize(settings.gui.text("status_written")));
        shoot("4-written");
        bar->finishProgress();
        bar->setFormat(settings.gui.text("bar_done"));
        bar->show();
        window->showStatus(settings.gui.localize(settings.gui.text("status_devRev").arg("an R12", "C8")));
        shoot("5-done");
        bar->hide();
        window->showStatus(settings.gui.localize(settings.gui.text("status_otherProduct").arg("a ZX-8", "R12")));
        shoot("6-other-product");
        QVERIFY(language::install("en"));
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
