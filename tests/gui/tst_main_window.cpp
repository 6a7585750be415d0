#include "gui/fonts.h"
#include "texts/language.h"
#include "gui/main_window.h"
#include "gui/outcome_view.h"
#include "gui/progress_bar.h"
#include "test_support.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QtTest>

#include <algorithm>
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
        QTest::addColumn<QRect>("step_within"); // where step 2's text must lie, its words kept; null: anywhere
        const QStringList normal{"Firmware upgrade", "<span style=\"font-weight:bold\">Velmora R12</span>",
                                 "Firmware version:\n<br>\nC8", "1. Turn off the device", "3. Connect USB cable", "'Micro B'"};
        QTest::newRow("normal") << "" << false << 7 << normal << QPoint(37, 483) << QRect();
        QTest::newRow("simulator") << "" << true << 8 << normal + QStringList{"Simulator mode"} << QPoint(37, 483) << QRect();
        QTest::newRow("one without a position, one empty, one not created")
            << R"({"labels":[{"id":"status_noDev","text":"s","position":{"x":0,"y":100}}, {"id":"e","text":""},
                             {"id":"z","create":false,"text":"hidden"}]})"
            << false << 1 << QStringList{"s"} << QPoint(0, 0) << QRect();
        // A step too wide or too long for its room is wrapped anew within it, smaller if it must.
        const QString step = R"({"labels":[{"id":"status_noDev","text":"s","position":{"x":37,"y":483}},
                                 {"id":"7b","position":{"x":37,"y":338},"room":{"width":223,"height":79},"text":"%1"}]})";
        QTest::newRow("a step too wide for its room")
            << step.arg("2. Halten Sie die ganz rechte Taste unter dem Display gedrückt\\n    und drücken Sie dabei die "
                        "TEST-Taste\\n    eine Sekunde lang")
            << false << 2 << QStringList{"2. Halten"} << QPoint(37, 483) << QRect(37, 338, 223, 79);
        QTest::newRow("a step of too many lines for its room")
            << step.arg("2. Halten Sie\\n    die ganz rechte\\n    Taste unter dem\\n    Display gedrückt\\n    und drücken "
                        "Sie\\n    die TEST-Taste\\n    eine Sekunde lang")
            << false << 2 << QStringList{"2. Halten"} << QPoint(37, 483) << QRect(37, 338, 223, 79);
        QTest::newRow("a Japanese step too wide for its room")
            << step.arg("2. 画面下の右端のボタンを押したまま、TEST ボタンを 1 秒間押してください。両方のボタンを同時に押し続けます。")
            << false << 2 << QStringList{"2. 画面"} << QPoint(37, 483) << QRect(37, 338, 223, 79);
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
        QFETCH(QRect, step_within);
        if (!step_within.isNull()) {
            const QLabel* label = window->findChild<QLabel*>("7b");
            const QFontMetrics metrics(label->font());
            const QStringList lines = label->text().split('\n');
            for (int i = 0; i < lines.size(); ++i)
                QVERIFY2(step_within.contains(QRect(label->x(), label->y() + i * metrics.lineSpacing(),
                                                    metrics.horizontalAdvance(lines[i]), metrics.height())),
                         qPrintable(label->text()));
            static const QRegularExpression space("\\s");
            QCOMPARE(QString(label->text()).remove(space), QString(own.gui.text("7b")).remove(space));
        }
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

    // Every text of every language whole and clear at this density: each label's text inside
    // its label and the window, clear of the button, of the other texts and (the header and
    // the steps) of the unit in the picture; every status so, filled with the longest values
    // the program shows; each caption inside the bar. The main states are kept as pictures in
    // the build tree for a reviewer.
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
        const auto english = qScopeGuard([] { language::install("en"); });
        window.reset(MainWindow_factory(&settings, nullptr, true));
        window->activateWindow(); // for the focus frame
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The flash unit in the picture: head, neck, body, foot.
        const QVector<QRect> unit = {{290, 140, 200, 72}, {355, 210, 70, 16}, {262, 224, 250, 186}, {335, 410, 110, 22}};
        const QRect button = window->installButton->geometry();
        // Where a label's text is drawn: line by line for plain text, whose lines differ in
        // length (a short last line may pass beside the button); the whole block for rich text.
        const auto lines_of = [](const QLabel* label) {
            QVector<QRect> lines;
            if (label->wordWrap()) {
                lines << QRect(label->pos(), QSize(label->width(), label->heightForWidth(label->width())));
            } else if (Qt::mightBeRichText(label->text())) {
                QRect text(label->pos(), label->sizeHint());
                if (label->alignment() & Qt::AlignRight)
                    text.moveRight(label->geometry().right());
                lines << text;
            } else {
                const QFontMetrics metrics(label->font());
                const QStringList texts = label->text().split('\n');
                for (int i = 0; i < texts.size(); ++i)
                    lines << QRect(label->x(), label->y() + i * metrics.lineSpacing(), metrics.horizontalAdvance(texts[i]),
                                   metrics.height());
            }
            return lines;
        };
        const auto overlaps = [&](const QLabel* label, const QRect& area) {
            const QVector<QRect> lines = lines_of(label);
            return std::any_of(lines.begin(), lines.end(), [&](const QRect& line) { return line.intersects(area); });
        };
        QStringList misfits;
        const auto check = [&](const QLabel* label, const QString& what) {
            QRect text;
            for (const QRect& line : lines_of(label))
                text |= line;
            QStringList wrong;
            if (!window->rect().contains(text) || label->width() < text.width() || label->height() < text.height())
                wrong << "cut";
            if (!support::draws(QTextDocumentFragment::fromHtml(label->text()).toPlainText()))
                wrong << "boxed";
            if (label == window->statusLabel && !QRect(0, 470, 665, 47).contains(text))
                wrong << "off the light strip";
            if (overlaps(label, button))
                wrong << "under the button";
            for (const QRect& part : unit)
                if (QStringList{"2", "4", "5", "7a", "7b", "9"}.contains(label->objectName()) && overlaps(label, part))
                    wrong << "over the unit";
            for (const QLabel* other : window->findChildren<QLabel*>())
                for (const QRect& line : other == label || !other->isVisible() ? QVector<QRect>() : lines_of(other))
                    if (overlaps(label, line))
                        wrong << "over " + other->objectName();
            wrong.removeDuplicates();
            if (!wrong.isEmpty())
                misfits << QString("%1 %2: %3,%4 %5x%6 '%7'").arg(what, wrong.join(", ")).arg(text.x()).arg(text.y())
                               .arg(text.width()).arg(text.height()).arg(label->text());
        };
        for (const QLabel* label : window->findChildren<QLabel*>())
            if (label != window->statusLabel)
                check(label, label->objectName());

        // The longest values each status is filled with: product names with their article,
        // a revision as long as one is shown, a folder as long as a home's cache, the largest
        // numbers; a reason in its place, each of those that go there.
        QStringList products{"a unit of unknown type"};
        for (const Device::Product& product : Device::products)
            if (Device::is_known(product.type))
                products << Device::with_article(product_text(product.names));
        const QString folder = "/home/firstname.lastname-of-a-long-account/.cache/velmora-fw-upgrade/tmp";
        const QString tool = "/opt/velmora/velmora-fw-upgrade/usr/lib/velmora-fw-upgrade/dfu-util";
        const QString desired = Device::ProductInfo{settings.desired_type}.product_name();
        const QList<QPair<QString, QString>> tool_reasons{{"reason_cannotStart", ""}, {"reason_cannotStartInstalled", ""},
                                                          {"reason_exitCode", "255"}, {"reason_wrongVersion", ""}};
        QMap<QString, QList<QPair<QString, QString>>> reasons{
            {"status_toolBroken", tool_reasons},
            {"status_toolBrokenInstalled", tool_reasons},
            {"status_checkNotMade", {{"reason_uploadFailed", "255"}, {"reason_noSpace", folder}, {"reason_silent", ""},
                                     {"reason_shortUpload", "733655"}, {"reason_noImage", ""}}}};
        for (const Settings::LabelData& record : settings.gui.labels)
            if (record.id.startsWith("result_"))
                reasons["status_stoppedAfter"] << qMakePair(record.id, QString());
        const QStringList named{"status_devConn", "status_devRev", "status_devRevUnknown", "status_otherProduct"};
        const auto fillings = [&](const QString& id) {
            QList<QStringList> all;
            if (named.contains(id)) {
                for (const QString& product : products) // the revision: as long as one is shown
                    all << QStringList{product, id == "status_otherProduct" ? desired : "C8.1234567890-WW"};
            } else {
                all << QStringList{id == "status_toolBrokenInstalled" ? tool : folder};
            }
            return all;
        };
        using K = Outcome::Kind;
        Outcome before;
        before.kind = K::stopped;
        for (const Settings::LabelData& record : settings.gui.labels) {
            if (!record.id.startsWith("status_"))
                continue;
            const QList<QPair<QString, QString>> reasons_here = reasons.value(record.id, {{QString(), QString()}});
            for (const QStringList& arguments : fillings(record.id)) {
                for (const auto& reason : reasons_here) {
                    const int values = record.text.count(QRegularExpression("%\\d")) - (reason.first.isEmpty() ? 0 : 1);
                    Outcome outcome;
                    outcome.text_id = record.id;
                    outcome.arguments = arguments.mid(0, values);
                    outcome.reason_id = reason.first;
                    outcome.reason_argument = reason.second;
                    render_outcome(window.get(), settings.gui, outcome, before);
                    check(window->statusLabel, record.id);
                    before = outcome;
                }
            }
        }
        ProgressBar* bar = window->progressBar;
        for (const Settings::LabelData& record : settings.gui.labels) {
            if (record.id.startsWith("bar_")) {
                bar->setFormat(record.text);
                bar->setValue(100);
                const QFont font = bar->caption_font();
                if (QFontMetrics(font).horizontalAdvance(bar->text()) > bar->width() - 6)
                    misfits << QString("%1 (%2 pt)").arg(bar->text()).arg(font.pointSizeF());
            }
        }

        // The main states, as pictures: build/screenshots/<language>-<dpi>-<state>.png.
        using B = Outcome::Bar;
        const QStringList r12{"an R12", "C7"};
        const QList<QPair<QString, Outcome>> states{
            {"no-unit", {K::waiting, "status_noDev", {}, {}, {}, false, B::hidden, {}, 0}},
            {"offer", {K::offered, "status_devRev", r12, {}, {}, true, B::hidden, {}, 0}},
            {"writing", {K::writing, "status_devRev", r12, {}, {}, false, B::moving, "bar_writing", 42}},
            {"done", {K::verified, "status_upgradedDone", {"an R12"}, {}, {}, false, B::full, "bar_done", 100}},
            {"failure", {K::write_failed, "status_downloadFailed", {}, "reason_uploadFailed", "74", true, B::hidden, {}, 0}}};
        const QString shots = QString(BUILD_DIR) + "/screenshots";
        QVERIFY(QDir().mkpath(shots));
        const int dpi = qRound(96 * window->devicePixelRatioF());
        for (const auto& state : states) {
            render_outcome(window.get(), settings.gui, state.second, before);
            before = state.second;
            check(window->statusLabel, state.first);
            QVERIFY(window->grab().save(QString("%1/%2-%3-%4.png").arg(shots, language).arg(dpi).arg(state.first)));
        }
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join('\n')));
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
