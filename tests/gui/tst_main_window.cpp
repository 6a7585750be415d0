#include "gui/fonts.h"
#include "texts/language.h"
#include "gui/main_window.h"
#include "gui/outcome_view.h"
#include "gui/progress_bar.h"
#include "test_support.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

// The model fed the script as the program renders it: each outcome it holds in turn,
// beginning from one unlike any, so that the first is rendered whole.
void render(MainWindow* window, const Settings::GUI& gui, OutcomeModel& model, const QString& script)
{
    auto before = std::make_shared<Outcome>();
    before->kind = Outcome::Kind::stopped;
    before->bar = Outcome::Bar::full;
    const auto show = [window, &gui, before](const Outcome& outcome) {
        render_outcome(window, gui, outcome, *before);
        *before = outcome;
    };
    QObject::connect(&model, &OutcomeModel::changed, show);
    show(model.current());
    testsupport::play(model, script);
}

// Where a label's text is drawn: line by line for plain text, whose lines differ in length (a
// short last line may pass beside the button); the whole block for rich text.
QVector<QRect> lines_of(const QLabel* label)
{
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
}

} // namespace

class TestMainWindow final : public QObject {
    Q_OBJECT

    Settings::Settings settings;
    std::unique_ptr<MainWindow> window;

private slots:
    void initTestCase()
    {
        support::setup_fonts();
        QCOMPARE(support::load_font(":resources/none.otf"), QString());
        settings = testsupport::window_settings();
    }

    void init() { window.reset(MainWindow_factory(&settings, nullptr, false)); }

    // Stories of the model, rendered as they unfold: the button offered and the bar shown as
    // the user must see them at the end; the bar only ever in the button's place and never over
    // an offered one; the status line whole in the window; screen readers told the news by the
    // one notification in view (the bar's phase, then the status line).
    void states_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<int>("bar"); // the value shown; -1: hidden
        const QString up = "read A R12 C7; offered";
        const QString written = up + "; write; started; progress 2 100; download 0; nounit";
        QTest::newRow("write asked: the bar waits at its start") << up + "; write" << false << 0;
        QTest::newRow("writing") << up + "; write; started; progress 2 42" << false << 42;
        QTest::newRow("checked: the bar full") << written + "; read A R12 C8; verify; started; check matches" << false
                                               << 100;
        QTest::newRow("the check failed") << written + "; read A R12 C8; verify; started; check differs" << true << -1;
        QTest::newRow("no check made")
            << written + "; read A R12 C8; verify; started; check not_made reason_noSpace /home/someone/.cache/tmp"
            << false << -1;
    }

    void states()
    {
        QFETCH(QString, script);
        QFETCH(bool, offered);
        QFETCH(int, bar);
        window->show();
        // The news of the last event: what it changed on the screen, as one notification.
        const auto told = [this] {
            QStringList names;
            for (Announcement* one : window->findChildren<Announcement*>())
                if (one->isVisible() && QAccessible::queryAccessibleInterface(one)->role() == QAccessible::Notification)
                    names << one->accessibleName();
            return names;
        };
        QLabel* status = window->statusLabel;
        ProgressBar* progress = window->progressBar;
        OutcomeModel model{"an R12"};
        render(window.get(), settings.gui, model, script.section(';', 0, -2));
        const QString said = status->accessibleName(), phase = progress->isVisible() ? progress->phase() : "";
        const QStringList told_before = told();
        testsupport::play(model, script.section(';', -1));
        QStringList news;
        if (progress->isVisible() && progress->phase() != phase)
            news << progress->phase();
        if (status->accessibleName() != said)
            news << status->accessibleName();
        news.removeDuplicates();
        QCOMPARE(told(), news.isEmpty() ? told_before : QStringList{news.join(' ')});
        QCOMPARE(told().size(), 1);
        QVERIFY(!status->text().isEmpty() && !status->text().contains('%'));
        QVERIFY2(window->rect().contains(status->geometry()), qPrintable(status->text()));
        QVERIFY(status->width() >= status->sizeHint().width() && status->height() >= status->sizeHint().height());
        QCOMPARE(window->installButton->isEnabled(), offered);
        QCOMPARE(progress->isVisible() ? progress->value() : -1, bar);
        QCOMPARE(progress->geometry(), window->installButton->geometry());
    }

    // A step too wide or too long for its room is wrapped anew within it, smaller if it must,
    // its words kept.
    void a_step_fits_its_room_data()
    {
        QTest::addColumn<QString>("step");
        QTest::newRow("too many lines") << "2. Halten Sie\\n    die ganz rechte\\n    Taste unter dem\\n    Display "
                                           "gedrückt\\n    und drücken Sie\\n    die TEST-Taste\\n    eine Sekunde lang";
        QTest::newRow("Japanese, too wide")
            << "2. 画面下の右端のボタンを押したまま、TEST ボタンを 1 秒間押してください。両方のボタンを同時に押し続けます。";
    }

    void a_step_fits_its_room()
    {
        QFETCH(QString, step);
        Settings::Settings own = settings;
        own.gui = Settings::GUI(QString(R"({"labels":[{"id":"status_noDev","text":"s","position":{"x":37,"y":483}},
            {"id":"7b","position":{"x":37,"y":338},"room":{"width":223,"height":79},"text":"%1"}]})").arg(step));
        window.reset(MainWindow_factory(&own, nullptr, false));
        const QLabel* label = window->findChild<QLabel*>("7b");
        for (const QRect& line : lines_of(label))
            QVERIFY2(QRect(37, 338, 223, 79).contains(line), qPrintable(label->text()));
        static const QRegularExpression space("\\s");
        QCOMPARE(QString(label->text()).remove(space), QString(own.gui.text("7b")).remove(space));
    }

    // Where dfu-util reports no progress, the bar soon fills itself over the time it is given.
    void a_transfer_without_progress_moves_the_bar()
    {
        window->progressBar->fallback_wait_ms = 10;
        OutcomeModel model{"an R12"};
        render(window.get(), settings.gui, model, "read A R12 C8; verify; started");
        QTRY_COMPARE_WITH_TIMEOUT(window->progressBar->value(), 100, 10000);
    }

    // The button offered has the focus, and Return, Enter and Space press it; never while
    // nothing is offered or the bar covers it. Escape and Q end the talk to the unit, and
    // leave the window open. The A key takes the offered button away and gives it back, but
    // never offers a download no unit allows.
    void keys_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("bar"); // "over" the button, or shown and "gone" again
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("finished");
        QTest::addColumn<bool>("enabled"); // the button, after the keys
        QTest::newRow("Return") << QKeySequence(Qt::Key_Return) << true << "" << 1 << 0 << true;
        QTest::newRow("Enter") << QKeySequence(Qt::Key_Enter) << true << "" << 1 << 0 << true;
        QTest::newRow("Return under the bar") << QKeySequence(Qt::Key_Return) << true << "over" << 0 << 0 << true;
        QTest::newRow("Space once the bar is gone") << QKeySequence(Qt::Key_Space) << true << "gone" << 1 << 0 << true;
        QTest::newRow("Escape, Q") << QKeySequence(Qt::Key_Escape, Qt::Key_Q) << false << "" << 0 << 2 << false;
        QTest::newRow("X") << QKeySequence(Qt::Key_X) << false << "" << 0 << 0 << false;
        QTest::newRow("A takes the offer away") << QKeySequence(Qt::Key_A) << true << "" << 0 << 0 << false;
        QTest::newRow("A again gives it back") << QKeySequence("A, A") << true << "" << 0 << 0 << true;
        QTest::newRow("A offers nothing") << QKeySequence(Qt::Key_A) << false << "" << 0 << 0 << false;
    }

    void keys()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(bool, offered);
        QFETCH(QString, bar);
        QFETCH(int, clicks);
        QFETCH(int, finished);
        QFETCH(bool, enabled);
        if (offered)
            window->enableDownload();
        if (!bar.isEmpty())
            window->progressBar->show();
        if (bar == "gone")
            window->progressBar->hide();
        QCOMPARE(window->focusWidget() == window->installButton, offered && bar != "over");
        QSignalSpy clicked(window->installButton, &QPushButton::clicked);
        QSignalSpy ended(window.get(), &MainWindow::finished);
        QTest::keySequence(window->focusWidget() ? window->focusWidget() : window.get(), keys);
        QTest::qWait(400); // a pressed button shows itself pressed for a moment
        QCOMPARE(clicked.count(), clicks);
        QCOMPARE(ended.count(), finished);
        QCOMPARE(window->installButton->isEnabled(), enabled);
        QVERIFY(window->isVisible());
        QCOMPARE(bool(window->findChild<QLabel*>("sim_mode")), false); // the simulator's note in its mode only
    }

    // The picture is drawn for the screen: pixel for pixel at 96 dpi, and at twice the size
    // (not enlarged) where Qt scales by 2; the circles are drawn over it.
    void the_picture_suits_the_screen()
    {
        const qreal ratio = window->devicePixelRatioF();
        const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
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
        for (const Settings::CircleData& circle : settings.gui.circles) {
            const QPoint ring = (circle.center - QPoint(0, circle.radius - circle.pen_width / 2)) * ratio;
            QVERIFY2(qAbs(qRed(shot.pixel(ring)) - qRed(picture.pixel(ring))) > 20, qPrintable(QString::number(circle.radius)));
        }
    }

    // Every text of every language whole and clear at this density: each label's text inside
    // its label and the window, clear of the button, of the other texts and (the header and
    // the steps) of the unit in the picture; every status so, filled with the longest values
    // the program shows; each caption inside the bar.
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
        QVERIFY(window->findChild<QLabel*>("sim_mode"));
        window->activateWindow(); // for the focus frame
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The flash unit in the picture: head, neck, body, foot.
        const QVector<QRect> unit = {{290, 140, 200, 72}, {355, 210, 70, 16}, {262, 224, 250, 186}, {335, 410, 110, 22}};
        const QRect button = window->installButton->geometry();
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

        // The longest values each status is filled with: the widest product name with its
        // article, a revision as long as one is shown, a folder as long as a home's cache, the
        // largest numbers; a reason in its place, each of those that go there.
        const QFontMetrics status_font(window->statusLabel->font());
        QString product = "a unit of unknown type";
        for (const Device::Product& known : Device::products) {
            const QString name = Device::with_article(product_text(known.names));
            if (Device::is_known(known.type) && status_font.horizontalAdvance(name) > status_font.horizontalAdvance(product))
                product = name;
        }
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
        const auto arguments = [&](const QString& id) {
            if (named.contains(id))
                return QStringList{product, id == "status_otherProduct" ? desired : "C8.1234567890-WW"};
            return QStringList{id == "status_toolBrokenInstalled" ? tool : folder};
        };
        Outcome before;
        before.kind = Outcome::Kind::stopped;
        for (const Settings::LabelData& record : settings.gui.labels) {
            if (!record.id.startsWith("status_"))
                continue;
            const QList<QPair<QString, QString>> reasons_here = reasons.value(record.id, {{QString(), QString()}});
            for (const auto& reason : reasons_here) {
                const int values = record.text.count(QRegularExpression("%\\d")) - (reason.first.isEmpty() ? 0 : 1);
                Outcome outcome;
                outcome.text_id = record.id;
                outcome.arguments = arguments(record.id).mid(0, values);
                outcome.reason_id = reason.first;
                outcome.reason_argument = reason.second;
                render_outcome(window.get(), settings.gui, outcome, before);
                check(window->statusLabel, record.id);
                before = outcome;
            }
        }
        // Each caption as it is drawn at 100 %: inside the bar's 2-pixel border, made smaller
        // only as far as it must be.
        ProgressBar* bar = window->progressBar;
        for (const Settings::LabelData& record : settings.gui.labels) {
            if (!record.id.startsWith("bar_"))
                continue;
            bar->setFormat(record.text);
            bar->setValue(100);
            bar->grab();
            const QFontMetrics metrics(bar->font());
            const QRect room = bar->contentsRect().adjusted(2, 2, -2, -2);
            QFont larger = bar->font();
            larger.setPointSizeF(larger.pointSizeF() + 1);
            if (metrics.horizontalAdvance(bar->text()) > room.width() || metrics.height() > room.height()
                || (bar->font().pointSizeF() < window->font().pointSizeF()
                    && QFontMetrics(larger).horizontalAdvance(bar->text()) <= room.width() - 6))
                misfits << QString("%1 (%2 pt)").arg(bar->text()).arg(bar->font().pointSizeF());
        }

        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join('\n')));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
