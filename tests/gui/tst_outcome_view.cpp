#include "gui/fonts.h"
#include "gui/main_window.h"
#include "gui/outcome_view.h"
#include "gui/progress_bar.h"
#include "test_support.h"

#include <QAccessible>
#include <QDir>
#include <QtTest>

#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(Outcome)

// Every outcome on the real window: the status line wholly inside the window, the button and
// the bar as the outcome says, and a picture of each state in the build tree.
class TestOutcomeView final : public QObject {
    Q_OBJECT

    Settings::Settings settings;

    static Outcome make(Outcome::Kind kind, const QString& id, const QStringList& arguments = {},
                        const QString& reason = {}, const QString& reason_argument = {})
    {
        Outcome outcome;
        outcome.kind = kind;
        outcome.text_id = id;
        outcome.arguments = arguments;
        outcome.reason_id = reason;
        outcome.reason_argument = reason_argument;
        return outcome;
    }

    static Outcome with_bar(Outcome outcome, Outcome::Bar bar, const QString& caption, int percent)
    {
        outcome.bar = bar;
        outcome.bar_caption_id = caption;
        outcome.percent = percent;
        return outcome;
    }

private slots:
    void initTestCase()
    {
        support::setup_fonts();
        settings = testsupport::window_settings();
        QDir().mkpath(QString(BUILD_DIR) + "/screenshots/states");
    }

    void every_state_data()
    {
        using K = Outcome::Kind;
        using B = Outcome::Bar;
        QTest::addColumn<Outcome>("outcome");
        const QStringList r12{"an R12"};
        Outcome offered = make(K::offered, "status_devRev", {"an R12", "C7"});
        offered.offer_install = true;
        Outcome failed = make(K::write_failed, "status_downloadFailed", {}, "reason_uploadFailed", "74");
        failed.offer_install = true;
        Outcome failed_log = make(K::write_failed, "status_downloadFailedLog", {}, "reason_uploadFailed", "74");
        failed_log.offer_install = true;
        Outcome differs = make(K::verify_failed, "status_verifyFailed");
        differs.offer_install = true;
        const Outcome revision = make(K::writing, "status_devRev", {"an R12", "C7"});
        QTest::newRow("waiting") << make(K::waiting, "status_noDev");
        QTest::newRow("tool-unusable") << make(K::tool_unusable, "status_toolBroken", {"/tmp/a-rather-long-folder-name"},
                                               "reason_cannotStart");
        QTest::newRow("installed-tool-unusable") << make(K::tool_unusable, "status_toolBrokenInstalled",
                                                         {"/usr/lib/velmora-fw-upgrade/dfu-util"},
                                                         "reason_cannotStartInstalled");
        QTest::newRow("several-units") << make(K::several_units, "status_severalUnits");
        QTest::newRow("no-permission") << make(K::no_permission, "status_noPermission");
        QTest::newRow("unknown-device") << make(K::unknown_device, "status_unknownDevice");
        QTest::newRow("unaddressable") << make(K::unaddressable, "status_serialUnsafe", {"AB\"\\x1b]0;x\\x07"});
        QTest::newRow("reading") << make(K::reading, "status_reading");
        QTest::newRow("not-answering") << make(K::not_answering, "status_notAnswering");
        QTest::newRow("read-failed") << make(K::read_failed, "status_readFailed");
        QTest::newRow("offered") << offered;
        QTest::newRow("offered-unknown-revision") << make(K::offered, "status_devRevUnknown", r12);
        QTest::newRow("write-asked") << with_bar(revision, B::waiting, "bar_upgrading", 0);
        QTest::newRow("writing") << with_bar(revision, B::moving, "bar_writing", 42);
        QTest::newRow("transfer-silent") << with_bar(make(K::transfer_silent, "status_transferSilent", {"59"}), B::moving,
                                                     "bar_writing", 42);
        QTest::newRow("written") << make(K::written, "status_written");
        QTest::newRow("write-failed") << failed;
        QTest::newRow("write-failed-with-log-window") << failed_log;
        QTest::newRow("write-unplugged") << make(K::write_failed, "status_writeUnplugged");
        QTest::newRow("write-interrupted") << make(K::write_interrupted, "status_writeInterrupted");
        QTest::newRow("verifying") << with_bar(make(K::verifying, "status_devRev", {"an R12", "C8"}), B::moving,
                                               "bar_reading", 100);
        QTest::newRow("verified") << with_bar(make(K::verified, "status_upgradedDone", r12), B::full, "bar_done", 100);
        QTest::newRow("already-current") << with_bar(make(K::verified, "status_alreadyCurrent", r12), B::full,
                                                     "bar_done", 100);
        QTest::newRow("verify-failed") << differs;
        Outcome written_differs = make(K::verify_failed, "status_writtenDiffers");
        written_differs.offer_install = true;
        QTest::newRow("written-differs") << written_differs;
        QTest::newRow("check-not-made") << make(K::check_not_made, "status_checkNotMade", {}, "reason_noSpace",
                                                "/home/someone/.cache/tmp");
        QTest::newRow("other-product") << make(K::other_product, "status_otherProduct", {"a ZX-8", "R12"});
        QTest::newRow("unidentified") << make(K::unidentified, "status_unidentified");
        QTest::newRow("finishing") << with_bar(make(K::finishing, "status_finishing"), B::moving, "bar_writing", 70);
        QTest::newRow("stopped") << make(K::stopped, "status_stopped");
        QTest::newRow("stopped-after-a-write") << make(K::stopped, "status_stoppedAfter", {}, "result_written");
        QTest::newRow("stopped-after-a-failed-check") << make(K::stopped, "status_stoppedAfter", {},
                                                               "result_verifyFailed");
    }

    void every_state()
    {
        QFETCH(Outcome, outcome);
        std::unique_ptr<MainWindow> window(MainWindow_factory(&settings, nullptr, false));
        window->show();
        // From a state unlike any: the whole outcome is rendered.
        Outcome before;
        before.kind = Outcome::Kind::stopped;
        before.bar = Outcome::Bar::full;
        render_outcome(window.get(), settings.gui, outcome, before);
        QLabel* status = window->statusLabel;
        QVERIFY(!status->text().isEmpty());
        QVERIFY(!status->text().contains('%'));
        QVERIFY2(window->rect().contains(status->geometry()),
                 qPrintable(QString("%1 x %2 at %3, %4").arg(status->width()).arg(status->height()).arg(status->x()).arg(status->y())));
        QVERIFY(status->width() >= status->sizeHint().width() && status->height() >= status->sizeHint().height());
        QCOMPARE(window->installButton->isEnabled(), outcome.offer_install);
        ProgressBar* bar = window->progressBar;
        QCOMPARE(bar->isVisible(), outcome.bar != Outcome::Bar::hidden);
        if (outcome.bar != Outcome::Bar::hidden)
            QCOMPARE(bar->value(), outcome.bar == Outcome::Bar::moving ? qMin(outcome.percent, 99) : outcome.percent);
        if (outcome.bar == Outcome::Bar::waiting)
            QCOMPARE(bar->value(), bar->minimum());
        // The bar covers the button: a bar never stands over a button that is offered.
        QVERIFY(!(bar->isVisible() && outcome.offer_install));
        // Screen readers are told the state by the one notification in view: the bar's phase,
        // then the status line as a reader reads it.
        QList<Announcement*> told = window->findChildren<Announcement*>();
        told.erase(std::remove_if(told.begin(), told.end(), [](QWidget* w) { return !w->isVisible(); }), told.end());
        QCOMPARE(told.size(), 1);
        QCOMPARE(QAccessible::queryAccessibleInterface(told.first())->role(), QAccessible::Notification);
        QVERIFY2(told.first()->accessibleName().endsWith(status->accessibleName()), qPrintable(told.first()->accessibleName()));
        if (bar->isVisible())
            QVERIFY(told.first()->accessibleName().startsWith(bar->phase()));
        QVERIFY(window->grab().save(QString("%1/screenshots/states/%2.png").arg(BUILD_DIR, QTest::currentDataTag())));
    }
};

QTEST_MAIN(TestOutcomeView)
#include "tst_outcome_view.moc"
