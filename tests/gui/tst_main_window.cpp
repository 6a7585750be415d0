#include "gui/fonts.h"
#include "texts/language.h"
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

    // Laid out at 1 (Qt scales it to the screen, once), centred 50 pixels low; the bar hidden
    // in the button's place.
    void geometry()
    {
        QCOMPARE(window->scale, 1.0);
        QCOMPARE(MainWindow::window_rect(1.0, QRect(0, 0, 1920, 1080)), QRect(628, 282 + 50, 665, 517));
        QCOMPARE(window->size(), QSize(665, 517));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->geometry(), MainWindow::window_rect(1.0, QGuiApplication::primaryScreen()->geometry()));
        QCOMPARE(window->installButton->geometry(), QRect(207, 417, 250, 40));
        QCOMPARE(window->progressBar->geometry(), window->installButton->geometry());
        QVERIFY(window->installButton->isVisible() && !window->progressBar->isVisible());
        QVERIFY(!window->installButton->isEnabled());
    }

    // The labels the settings create, placed as their records say (one without a position
    // stays at the origin); the simulator's note only in simulator mode.
    void labels_data()
    {
        QTest::addColumn<QString>("json"); // the labels; empty: the embedded ones
        QTest::addColumn<bool>("simulator");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QPoint>("status_at");
        const QStringList normal{"Firmware upgrade", "<span style=\"font-weight:bold\">Velmora R12</span>",
                                 "Firmware version:\n<br>\nC8", "1. Turn off the device", "3. Connect USB cable", "'Micro B'"};
        QTest::newRow("normal") << "" << false << 7 << normal << QPoint(37, 483);
        QTest::newRow("simulator") << "" << true << 8 << normal + QStringList{"Simulator mode"} << QPoint(37, 483);
        QTest::newRow("one without a position, one empty, one not created")
            << R"({"labels":[{"id":"status_noDev","text":"s","position":{"x":0,"y":100}}, {"id":"e","text":""},
                             {"id":"z","create":false,"text":"hidden"}]})"
            << false << 1 << QStringList{"s"} << QPoint(0, 0);
    }

    void labels()
    {
        QFETCH(QString, json);
        QFETCH(bool, simulator);
        QFETCH(int, count);
        QFETCH(QStringList, shown);
        QFETCH(QPoint, status_at);
        Settings::Settings own = settings;
        if (!json.isEmpty())
            own.gui = Settings::GUI(json);
        window.reset(MainWindow_factory(&own, nullptr, simulator));
        QStringList texts;
        for (const QLabel* label : window->findChildren<QLabel*>())
            texts << label->text();
        QCOMPARE(texts.size(), count);
        for (const QString& text : shown)
            QVERIFY2(!texts.filter(text).isEmpty(), qPrintable(text));
        QCOMPARE(window->statusLabel->pos(), status_at);
        window.reset();
    }

    // The A key takes the offered button away and gives it back, but never offers a download
    // no unit allows.
    void the_A_key_toggles_the_button()
    {
        LogCapture log;
        QTest::keyClick(window.get(), Qt::Key_A);
        QVERIFY(!window->installButton->isEnabled());
        QVERIFY(log.texts().contains("MainWindow downloadMode: setEnabled false"));
        QVERIFY(log.texts().contains("Download  disabled"));
        window->enableDownload();
        QVERIFY(log.texts().contains("MainWindow downloadMode: setEnabled true"));
        for (const bool enabled : {false, true}) {
            QTest::keyClick(window.get(), Qt::Key_A);
            QCOMPARE(window->installButton->isEnabled(), enabled);
        }
        window->disableDownload();
        window->toggleDownload();
        QVERIFY(!window->installButton->isEnabled());
    }

    // The button offered has the focus, and Return, Enter and Space press it; never while
    // nothing is offered or the bar covers it. Escape and Q end the talk to the unit, and
    // leave the window open.
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("bar"); // "over" the button, or shown and "gone" again
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("finished");
        QTest::newRow("Return") << int(Qt::Key_Return) << true << "" << 1 << 0;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << true << "" << 1 << 0;
        QTest::newRow("Space") << int(Qt::Key_Space) << true << "" << 1 << 0;
        QTest::newRow("Return, nothing offered") << int(Qt::Key_Return) << false << "" << 0 << 0;
        QTest::newRow("Space, nothing offered") << int(Qt::Key_Space) << false << "" << 0 << 0;
        QTest::newRow("Return under the bar") << int(Qt::Key_Return) << true << "over" << 0 << 0;
        QTest::newRow("Space under the bar") << int(Qt::Key_Space) << true << "over" << 0 << 0;
        QTest::newRow("Space once the bar is gone") << int(Qt::Key_Space) << true << "gone" << 1 << 0;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << true << "" << 0 << 1;
        QTest::newRow("Q") << int(Qt::Key_Q) << false << "" << 0 << 1;
        QTest::newRow("X") << int(Qt::Key_X) << false << "" << 0 << 0;
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(bool, offered);
        QFETCH(QString, bar);
        QFETCH(int, clicks);
        QFETCH(int, finished);
        if (offered)
            window->enableDownload();
        if (!bar.isEmpty())
            window->progressBar->show();
        if (bar == "gone")
            window->progressBar->hide();
        QCOMPARE(window->focusWidget() == window->installButton, offered && bar != "over");
        QSignalSpy clicked(window->installButton, &QPushButton::clicked);
        QSignalSpy ended(window.get(), &MainWindow::finished);
        QWidget* target = window->focusWidget() ? window->focusWidget() : window.get();
        QTest::keyClick(target, Qt::Key(key));
        QTest::qWait(400); // a pressed button shows itself pressed for a moment
        QCOMPARE(clicked.count(), clicks);
        QCOMPARE(ended.count(), finished);
        QVERIFY(window->isVisible());
        QCOMPARE(window->installButton->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
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

    // Every text of every language within its place in the window, in the window's fonts.
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
        QStringList misfits;
        const auto check = [&](const QLabel* label, const QString& id) {
            QRect text(label->pos(), label->sizeHint());
            if (label->alignment() & Qt::AlignRight)
                text.moveRight(label->geometry().right());
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
        QVERIFY(language::install("en"));
    }

    // The circles lie above everything else, the first a disc on the picture's TEST button: its
    // stroke as wide as its radius, full strength on the ring line.
    void circles()
    {
        const QList<Circle*> circles = window->findChildren<Circle*>();
        QCOMPARE(circles.size(), 2);
        QCOMPARE(window->children().last(), circles[1]);
        Circle* disc = circles[0];
        QCOMPARE(disc->geometry(), QRect(283 - 15, 355 - 15, 30, 30));
        QVERIFY(disc->isVisible());
        QImage image(disc->size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        disc->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const QColor ring_line = image.pixelColor(15, 7);
        QVERIFY2(qAbs(ring_line.alpha() - 96) <= 2, qPrintable(QString::number(ring_line.alpha())));
        QVERIFY(ring_line.red() > 240 && ring_line.green() < 80);
        QVERIFY(image.pixelColor(15, 15).alpha() > 50);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
