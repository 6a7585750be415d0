#include "test_support.h"

#include <QtTest>

// The model takes the machines' events one by one, as they arrive in the window's thread;
// each row is a story in events and what the user must be told at its end.
class TestOutcomeModel final : public QObject {
    Q_OBJECT

private slots:
    void tells_the_user_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("status"); // what the status says at the end, or a part of it
        QTest::addColumn<bool>("offer");
        QTest::addColumn<QString>("bar");    // "hidden", or "waiting|moving|full CAPTION PERCENT"

        const QString c7 = "Connected to an R12 with firmware version C7", unknown = "with unknown firmware version";
        const QString unchecked = "The firmware could not be checked: ", again = ". Disconnect the unit, restart it";
        const QString up = "read A R12 C7; offered", upC8 = "read A R12 C8; verify; started; ";
        const QString writing = up + "; write; started; ", fails = writing + "download 74; nounit";
        const QString checked = writing + "download 0; nounit; " + upC8 + "check ";

        QTest::newRow("an unreadable unit until the worker starts over")
            << "reading; readfailed" << "The unit's information cannot be read. Disconnect it" << false << "hidden";
        QTest::newRow("the unreadable unit has gone") << "reading; readfailed; restart" << "Waiting for a unit in DFU "
            "mode: do steps 1 to 3. The USB cable must have a 'Micro B' plug" << false << "hidden";
        QTest::newRow("several units") << "problem 1" << "More than one unit is connected." << false << "hidden";
        QTest::newRow("a DFU device that is not the bootloader")
            << "problem 4" << "A DFU device is connected, but it is not a flash unit" << false << "hidden";
        QTest::newRow("a unit the listing cannot name: refused, its serial shown escaped")
            << "unaddressable AB\"CD\\nEF; problem 5" << "The unit's USB serial number (“AB\"CD\\nEF”) cannot be read "
               "for certain. It is not read or written" << false << "hidden";
        QTest::newRow("a reading that hangs")
            << "reading; problem 3" << "The USB tool has not answered for 30 seconds." << false << "hidden";
        QTest::newRow("a tool that cannot run: its reason takes no value")
            << "unusable status_toolBroken /tmp/%2 reason_cannotStart 255; problem 1" << "The USB tool cannot run from "
               "/tmp/%2: it cannot be started there (a 'noexec' folder?)." << false << "hidden";
        QTest::newRow("a revision that reads as a sentence is unknown")
            << "read A R12 C8._Done._Disconnect_USB_cable.; offered" << unknown << true << "hidden";
        QTest::newRow("another product") << "read A ZX-8 C1; other" << "Connected to a ZX-8. This tool upgrades R12 "
                                            "units only" << false << "hidden";
        QTest::newRow("an unknown product record") << "read A ?? C1; other" << "cannot be identified" << false << "hidden";
        QTest::newRow("the bar follows dfu-util, afresh in each phase, never back within one")
            << writing + "progress 1 80; progress 2 60; progress 2 30" << c7 << false << "moving bar_writing 60";
        QTest::newRow("progress and silence before the transfer began: nothing moves, nothing said")
            << up + "; write; progress 2 40; silent 5" << c7 << false << "waiting bar_upgrading 0";
        QTest::newRow("a silent transfer: said at once, counting; the bar never full while it runs")
            << writing + "progress 2 100; silent 5; silent 6" << "No answer for 6 s from the unit: keep the USB cable"
            << false << "moving bar_writing 99";
        QTest::newRow("the worker's own notice at 30 s keeps the count")
            << writing + "silent 30; problem 3" << "No answer for 30 s" << false << "moving bar_upgrading 0";
        QTest::newRow("it speaks again: back to writing")
            << writing + "silent 5; progress 2 50" << c7 << false << "moving bar_writing 50";
        QTest::newRow("the end of a silent write stays said, not the failing reading after it")
            << writing + "silent 59; download -2; nounit; reading; readfailed" << "The unit stopped answering, so the "
               "write was ended" << false << "hidden";
        QTest::newRow("the end of a silent read-back too")
            << upC8 + "check not_made reason_silent; nounit; reading; problem 0; readfailed"
            << unchecked + "the unit stopped answering" + again << false << "hidden";
        // The worker says so itself at its next scan, but the model must not wait for that.
        QTest::newRow("a hung reading's silence is over once a write has ended")
            << "reading; problem 3; " + writing + "download 0; nounit" << "Firmware written." << false << "hidden";
        QTest::newRow("a failed write, with a log window, is told again of that unit at its next reading")
            << "log; " + fails + "; read A R12 -; offered" << "Writing the firmware failed: the USB tool stopped with "
               "code 74 (the log window tells more)." << true << "hidden";
        QTest::newRow("that unit's flash then differs: still the failed write") << fails + "; " + upC8 + "check differs"
            << "Writing the firmware failed: the USB tool stopped with code 74. Keep" << true << "hidden";
        QTest::newRow("never of another unit") << fails + "; read B R12 C7; offered" << c7 << true << "hidden";
        QTest::newRow("nor of that unit once more") << fails + "; " + up + "; nounit; " + up << c7 << true << "hidden";
        QTest::newRow("a flash written here that differs") << checked + "differs" << "The firmware was written, but "
            "the check found it differs" << true << "hidden";
        QTest::newRow("already current, another unit written before: nothing was written, and Done in the status")
            << writing + "download 0; nounit; read B R12 C8; verify; started; progress 3 50; check matches"
            << "Connected to an R12: it already holds this firmware, nothing was written. Done." << false
            << "full bar_done 100";
        QTest::newRow("written here and checked: Done in the status") << checked + "matches" << "Connected to an R12: "
            "the firmware was written and checked. Done." << false << "full bar_done 100";
        QTest::newRow("a cut read-back stays said once the unit has gone")
            << upC8 + "check not_made reason_unitGone; nounit; problem 0"
            << unchecked + "the unit was disconnected while it was read" + again << false << "hidden";
        QTest::newRow("no room for the read-back: nothing offered, the folder named")
            << upC8 + "check not_made reason_noSpace /tmp/w" << unchecked + "the disk of /tmp/w is full, free some "
               "space there" + again << false << "hidden";
        QTest::newRow("a stop with nothing running, and nothing of a unit after it")
            << up + "; stop idle; nounit; read B R12 C7; offered; problem 1" << "Stopped. To go on, close the window"
            << false << "hidden";
        QTest::newRow("a stop between the click and the write: the bar never moves")
            << up + "; write; stop idle; started; progress 2 40" << "Stopped." << false << "hidden";
        QTest::newRow("a worker that ends unasked is no stop") << up + "; finished" << c7 << true << "hidden";
        QTest::newRow("a stop during a write: finishing until the worker has ended, silent or not")
            << writing + "progress 2 40; stop running; silent 5; download 0"
            << "Finishing the transfer: keep the USB cable connected." << false << "moving bar_writing 40";
        QTest::newRow("then what became of it") << writing + "stop running; progress 2 70; download 0; nounit; finished"
            << "The firmware was written, not checked yet. The program has stopped. To go on" << false << "hidden";
        QTest::newRow("a failed write, then stopped") << writing + "stop running; download 74; finished"
            << "Writing the firmware failed. The program has stopped." << false << "hidden";
    }

    void tells_the_user()
    {
        QFETCH(QString, events);
        QFETCH(QString, status);
        QFETCH(bool, offer);
        QFETCH(QString, bar);
        testsupport::Machines m;
        testsupport::play(m.model, events);
        const Outcome& now = m.model.current();
        QVERIFY2(m.status(now).contains(status), qPrintable(m.status(now)));
        QCOMPARE(now.offer_install, offer);
        const char* bars[] = {"hidden", "waiting", "moving", "full"};
        const QString shown_bar = QString("%1 %2 %3").arg(bars[int(now.bar)], now.bar_caption_id).arg(now.percent);
        QCOMPARE(now.bar == Outcome::Bar::hidden ? "hidden" : shown_bar, bar);
    }
};

QTEST_GUILESS_MAIN(TestOutcomeModel)
#include "tst_outcome_model.moc"
