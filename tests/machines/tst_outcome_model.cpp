#include "dfu/firmware_transfer.h"
#include "test_support.h"

#include <QtTest>

#include <functional>
#include <map>

// The model takes the machines' events one by one, as they arrive in the window's thread;
// each row is a story in events and what the user must be told at its end.
class TestOutcomeModel final : public QObject {
    Q_OBJECT

    // Events, one a word with its values: "read A R12 C7" (serial, product, revision; "-" for
    // none, "_" within a revision for a space), "offered", "write", "started", "progress 2 40",
    // "download 0", "check differs", "nounit", "problem 3", "silent 5" (seconds), "log" (started
    // with a log window), "stop running", "finished" ...
    static void play(OutcomeModel& model, const QString& script)
    {
        const auto type = [](const QString& name) {
            return name == "R12" ? Device::Type::QUEL : name == "ZX-8" ? Device::Type::KORV : Device::Type::unknown;
        };
        const auto check = [](const QString& word) {
            return word == "matches" ? DFU::Check::matches : word == "differs" ? DFU::Check::differs : DFU::Check::not_made;
        };
        const std::map<QString, std::function<void(const QStringList&)>> events = {
            {"read", [&](const QStringList& w) {
                 DFU::DeviceInfo info;
                 info.valid = true;
                 info.type = info.OTP_info.product.type = type(w[2]);
                 info.FW_revision = w[3] == "-" ? QString() : QString(w[3]).replace('_', ' ');
                 model.unit_read(info, w[1]);
             }},
            {"offered", [&](const QStringList&) { model.offered(); }},
            {"blank", [&](const QStringList&) { model.blank_record(); }},
            {"other", [&](const QStringList&) { model.other_product(); }},
            {"write", [&](const QStringList&) { model.write_requested(); }},
            {"verify", [&](const QStringList&) { model.verify_requested(); }},
            {"started", [&](const QStringList&) { model.transfer_started(); }},
            {"progress", [&](const QStringList& w) { model.progress(w[1].toInt(), w[2].toInt()); }},
            {"silent", [&](const QStringList& w) { model.silence(w[1].toInt()); }},
            {"log", [&](const QStringList&) { model.log_window = true; }},
            {"download", [&](const QStringList& w) { model.download_result(w[1].toInt()); }},
            {"check", [&](const QStringList& w) { model.check_result(check(w[1]), w.value(2), w.value(3)); }},
            {"nounit", [&](const QStringList&) { model.no_unit(); }},
            {"problem", [&](const QStringList& w) { model.problem(w[1].toInt()); }},
            {"unaddressable", [&](const QStringList& w) { model.unaddressable(QString(w[1]).replace("\\n", "\n")); }},
            {"reading", [&](const QStringList&) { model.reading(); }},
            {"readfailed", [&](const QStringList&) { model.read_failed(); }},
            {"restart", [&](const QStringList&) { model.worker_restarted(); }},
            {"unusable", [&](const QStringList& w) { model.tool_unusable(w[1], {w[2]}, w.value(3), w.value(4)); }},
            {"stop", [&](const QStringList& w) { model.stop_requested(w[1] == "running"); }},
            {"finished", [&](const QStringList&) { model.worker_finished(); }},
        };
        for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
            const QStringList w = step.trimmed().split(' ');
            QVERIFY2(events.count(w[0]), qPrintable("unknown event " + w[0]));
            events.at(w[0])(w);
        }
    }

private slots:
    void tells_the_user_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("status"); // what the status says at the end, or a part of it
        QTest::addColumn<bool>("offer");
        QTest::addColumn<QString>("bar");    // "hidden", "waiting CAPTION", "moving CAPTION PERCENT", "full ..."
        QTest::addColumn<QString>("never");  // a fragment of a status never shown on the way

        const QString c7 = "Connected to an R12 with firmware version C7";
        const QString failed = "Writing the firmware failed: the USB tool stopped with code 74. Keep the unit in DFU "
                               "mode (steps 1 to 3) and install again.";
        const QString unplugged = "The unit was disconnected during the write, so its firmware is incomplete.";
        const QString silent_end = "The unit stopped answering, so the write was ended before it was complete.";
        const QString not_checked = "The firmware could not be checked: ";
        const QString again = ". Disconnect the unit, restart it in DFU mode (steps 1 to 3) and connect it again.";
        const QString waiting = "Waiting for a unit in DFU mode: do steps 1 to 3. The USB cable must have a 'Micro B' "
                                "plug and a 'Type A' plug.";
        const QString unidentified = "This unit cannot be identified (its product record is blank or unknown).";
        const QString stopped = "Stopped. To go on, close the window and start the program again.";
        const QString written = "Firmware written. To check it, restart the unit in DFU mode: do steps 1 to 3 again.";
        const QString after_stop = "The program has stopped. To go on, close the window and start the program again.";
        const QString silence = "No answer for %1 s from the unit: keep the USB cable connected. If it stays silent "
                                "for a minute, the transfer is ended.";
        const QString up = "read A R12 C7; offered";
        const QString fails = up + "; write; started; download 74; nounit";
        const QString checked = up + "; write; started; download 0; nounit; read A R12 C8; verify; started; check ";

        QTest::newRow("a unit is being read") << "reading" << "A unit is connected: reading which product and firmware "
                                                              "it has." << false << "hidden" << "";
        QTest::newRow("an unreadable unit until the worker starts over") << "reading; readfailed"
            << "The unit's information cannot be read. Disconnect it, restart it in DFU mode (steps 1 to 3) and "
               "connect it again." << false << "hidden" << "";
        QTest::newRow("the unreadable unit has gone") << "reading; readfailed; restart" << waiting << false << "hidden"
                                                      << "";
        QTest::newRow("several units") << "problem 1" << "More than one unit is connected. Disconnect all but the one "
                                                         "to upgrade." << false << "hidden" << "";
        QTest::newRow("a DFU device that is not the bootloader") << "problem 4" << "A DFU device is connected, but it "
            "is not a flash unit in DFU mode. Disconnect it, then do steps 1 to 3 with the unit." << false << "hidden"
            << "";
        QTest::newRow("a unit the listing cannot name: refused, its serial shown escaped")
            << "unaddressable AB\"CD\\nEF; problem 5" << "The unit's USB serial number (“AB\"CD\\nEF”) cannot be read "
               "for certain. It is not read or written: disconnect it." << false << "hidden" << "";
        QTest::newRow("a reading that hangs") << "reading; problem 3" << "The USB tool has not answered for 30 "
            "seconds. Disconnect the unit, wait a moment and connect it again." << false << "hidden" << "";
        QTest::newRow("a tool that cannot run: its reason takes no value")
            << "unusable status_toolBroken /tmp/%2 reason_cannotStart 255; problem 1" << "The USB tool cannot run from "
               "/tmp/%2: it cannot be started there (a 'noexec' folder?). Set TMPDIR to another folder, then start "
               "again." << false << "hidden" << "";
        QTest::newRow("a revision that reads as a sentence is unknown")
            << "read A R12 C8._Done._Disconnect_USB_cable.; offered"
            << "Connected to an R12 with unknown firmware version." << true << "hidden" << "Done";
        QTest::newRow("a revision in markup is unknown") << "read A R12 <b>C7</b>; offered"
            << "Connected to an R12 with unknown firmware version." << true << "hidden" << "<b>";
        QTest::newRow("another product") << "read A ZX-8 C1; other" << "Connected to a ZX-8. This tool upgrades R12 "
                                            "units only, so it cannot upgrade this one." << false << "hidden" << "";
        QTest::newRow("an unknown product record") << "read A ?? C1; other" << unidentified << false << "hidden" << "";
        QTest::newRow("a blank record is never offered") << "read A ?? -; blank" << unidentified << false << "hidden"
                                                         << "";
        QTest::newRow("asked to write: the bar waits, still") << up + "; write" << c7 << false << "waiting bar_upgrading"
                                                               << "";
        QTest::newRow("the bar follows dfu-util, never back within a phase, never full while running")
            << up + "; write; started; progress 1 80; progress 2 60; progress 2 30; progress 2 100" << c7 << false
            << "moving bar_writing 99" << "";
        QTest::newRow("progress and silence before the transfer began: nothing moves, nothing said")
            << up + "; write; progress 2 40; silent 5" << c7 << false << "waiting bar_upgrading" << "";
        QTest::newRow("a silent transfer: said at once, counting") << up + "; write; started; progress 2 40; silent 5; "
            "silent 6" << silence.arg(6) << false << "moving bar_writing 40" << "";
        QTest::newRow("the worker's own notice at 30 s keeps the count") << up + "; write; started; silent 30; problem 3"
            << silence.arg(30) << false << "moving bar_upgrading 0" << "";
        QTest::newRow("it speaks again: back to writing") << up + "; write; started; silent 5; progress 2 50" << c7
                                                          << false << "moving bar_writing 50" << "";
        QTest::newRow("the end of a silent write stays said, not the failing reading after it")
            << up + "; write; started; silent 59; download -2; nounit; reading; readfailed" << silent_end << false
            << "hidden" << "cannot be read";
        QTest::newRow("the end of a silent read-back too")
            << "read A R12 C8; verify; started; check not_made reason_silent; nounit; reading; problem 0; readfailed"
            << not_checked + "the unit stopped answering" + again << false << "hidden" << "cannot be read";
        QTest::newRow("a long write that printed all along is no silence afterwards")
            << up + "; write; started; progress 2 50; problem 3; progress 2 60; download 0; nounit" << written << false
            << "hidden" << "";
        // The worker says so itself at its next scan, but the model must not wait for that.
        QTest::newRow("a hung reading's silence is over once a write has ended")
            << "reading; problem 3; " + up + "; write; started; download 0; nounit" << written << false << "hidden" << "";
        QTest::newRow("a failed write, with a log window, is told again of that unit at its next reading")
            << "log; " + fails + "; read A R12 -; offered" << "Writing the firmware failed: the USB tool stopped with "
               "code 74 (the log window tells more)." << true << "hidden" << "";
        QTest::newRow("that unit's flash then differs: still the failed write")
            << fails + "; read A R12 C8; verify; started; check differs" << failed << true << "hidden" << "log";
        QTest::newRow("never of another unit") << fails + "; read B R12 C7; offered" << c7 << true << "hidden" << "";
        QTest::newRow("nor of that unit once more")
            << fails + "; read A R12 C7; offered; nounit; read A R12 C7; offered" << c7 << true << "hidden" << "";
        QTest::newRow("unplugged mid-write: the lost connection is named, again when that unit is back")
            << up + "; write; started; download -3; nounit; read A R12 C7; offered" << unplugged << true << "hidden"
            << "failed";
        QTest::newRow("a flash that differs, never written here: not 'again'")
            << "read B R12 C8; verify; started; check differs" << "The firmware on the unit differs from the one in "
               "this program, although its version is the same." << true << "hidden" << "again";
        QTest::newRow("a flash written here that differs") << checked + "differs" << "The firmware was written, but "
            "the check found it differs from the one in this program." << true << "hidden" << "";
        QTest::newRow("already current: nothing was written, and Done in the status")
            << "read A R12 C8; verify; started; progress 3 50; check matches" << "Connected to an R12: it already holds "
               "this firmware, nothing was written. Done. Disconnect USB cable." << false << "full bar_done 100" << "";
        QTest::newRow("written here and checked: Done in the status") << checked + "matches" << "Connected to an R12: "
            "the firmware was written and checked. Done. Disconnect USB cable." << false << "full bar_done 100"
            << "already";
        QTest::newRow("a cut read-back stays said once the unit has gone")
            << "read A R12 C8; verify; started; check not_made reason_unitGone; nounit; problem 0"
            << not_checked + "the unit was disconnected while it was read" + again << false << "hidden" << "Waiting";
        QTest::newRow("until another unit is read")
            << "read A R12 C8; verify; started; check not_made reason_unitGone; nounit; " + up << c7 << true << "hidden"
            << "";
        QTest::newRow("no room for the read-back: nothing offered, the folder named")
            << "read A R12 C8; verify; started; check not_made reason_noSpace /tmp/w"
            << not_checked + "the disk of /tmp/w is full, free some space there" + again << false << "hidden"
            << "does not hold";
        QTest::newRow("a read-back that failed") << "read A R12 C8; verify; started; check not_made reason_uploadFailed 74"
            << not_checked + "the USB tool stopped with code 74" + again << false << "hidden" << "";
        QTest::newRow("a stop with nothing running, and nothing of a unit after it")
            << up + "; stop idle; nounit; read B R12 C7; offered; problem 1" << stopped << false << "hidden" << "";
        QTest::newRow("a stop between the click and the write: the bar never moves")
            << up + "; write; stop idle; started; progress 2 40" << stopped << false << "hidden" << "";
        QTest::newRow("a worker that ends unasked is no stop") << up + "; finished" << c7 << true << "hidden" << "";
        QTest::newRow("a stop during a write: finishing") << up + "; write; started; progress 2 40; stop running"
            << "Finishing the transfer: keep the USB cable connected. The program goes on as soon as it is done."
            << false << "moving bar_writing 40" << "";
        QTest::newRow("then what became of it")
            << up + "; write; started; stop running; progress 2 70; download 0; nounit; finished"
            << "The firmware was written, not checked yet. " + after_stop << false << "hidden" << "Waiting";
        QTest::newRow("Escape after 'Firmware written' keeps it") << up + "; write; started; download 0; nounit; stop "
            "idle; finished" << "The firmware was written, not checked yet. " + after_stop << false << "hidden" << "";
        QTest::newRow("a failed write, then stopped") << up + "; write; started; stop running; download 74; finished"
            << "Writing the firmware failed. " + after_stop << false << "hidden" << "";
        QTest::newRow("a verification, then stopped") << "read A R12 C8; verify; started; stop running; check matches; "
            "finished" << "The unit holds this firmware. " + after_stop << false << "hidden" << "";
    }

    void tells_the_user()
    {
        QFETCH(QString, events);
        QFETCH(QString, status);
        QFETCH(bool, offer);
        QFETCH(QString, bar);
        QFETCH(QString, never);
        testsupport::Machines m;
        play(m.model, events);
        const QString now = m.status(m.model.current());
        QVERIFY2(now.contains(status), qPrintable(now));
        QCOMPARE(m.model.current().offer_install, offer);
        QCOMPARE(testsupport::Machines::bar(m.model.current()), bar);
        if (!never.isEmpty())
            for (const QString& text : m.shown)
                QVERIFY2(!text.contains(never), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestOutcomeModel)
#include "tst_outcome_model.moc"
