#include "dfu/dfu_util.h"
#include "dfu/dfu_util_parser.h"
#include "dfu/progress.h"
#include "files/files.h"
#include "test_support.h"

#include <QtTest>

using testsupport::LogCapture;
using CmdID = DFU::CmdID;

Q_DECLARE_METATYPE(DFU::CmdID)
Q_DECLARE_METATYPE(DfuUtilParser::Status)
Q_DECLARE_METATYPE(DFU::Phase)

namespace {

// The lines dfu-util 0.11 prints for one STM32 DfuSe bootloader, alternate settings 3 down to 0
// (the parser reads no interface's name: each is given the flash's).
QString unit(const QString& serial, int lines = 4, const QString& kind = "DFU", const QString& ver = "2200",
             const QString& path = "1-5")
{
    QString text;
    for (int alt = lines - 1; alt >= 0; --alt)
        text += QString("Found %1: [0483:df11] ver=%2, devnum=5, cfg=1, intf=0, path=\"%3\", alt=%4, "
                        "name=\"@Internal Flash  /0x08000000/04*016Kg\", serial=\"%5\"\n")
                    .arg(kind, ver, path)
                    .arg(alt)
                    .arg(serial);
    return text;
}

} // namespace

// Running dfu-util, and reading what it prints.
class TestDfuUtil final : public QObject {
    Q_OBJECT

    std::map<CmdID, DFU::Command> saved;
    const int limit = DFU::silent_child_limit_ms;
    const int timeout = DFU::run_timeout_ms;
    const int told_after = DFU::silence_told_ms;

    // Sees what the child prints as it runs, says when it is silent, ends it only if allowed.
    struct Watcher : DFU::RunObserver {
        bool allow = false;
        int said = 0;
        QByteArray seen;
        QList<int> told; // the seconds of silence told, -1 where the child printed
        Watcher() { DFU::set_run_observer(this); }
        ~Watcher() override { DFU::set_run_observer(nullptr); }
        bool may_end_hung_child(CmdID) override { return allow; }
        void not_answering(CmdID) override { ++said; }
        void silent(CmdID, int seconds) override { told << seconds; }
        void output(CmdID, const QByteArray& bytes) override
        {
            seen += bytes;
            told << -1;
        }
    };

private slots:
    void initTestCase()
    {
        saved = DFU::commands;
    }

    void init()
    {
        DFU::commands = saved;
        DFU::Command::path.clear();
        DFU::silent_child_limit_ms = limit;
        DFU::run_timeout_ms = timeout;
        DFU::silence_told_ms = told_after;
    }

    // The child (the helper unless named) with its arguments; what the runner gives back, and
    // what it logs: each fragment once, none of those marked "!".
    void running_data()
    {
        QTest::addColumn<CmdID>("id");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("log");
        const QString start = QString("Start  \"%1\" ").arg(HELPER_CHILD);
        const auto row = [](const char* name, CmdID id, const QStringList& arguments, int code, const QString& text,
                            const QStringList& log = {}, const QString& program = {}) {
            QTest::newRow(name) << id << program << arguments << code << text << log;
        };
        row("a listing logs no start, a success no exit", CmdID::list, {"args", "x"}, 0, "x\n", {"!Start", "!Exit"});
        row("exit code 74 is passed back and logged", CmdID::download_FW, {"exit", "74", "file.bin"}, 74, "",
            {start + "(\"exit\", \"74\", \"file.bin\")", "Exit with 74 from", "\"file.bin\") returned: \"\""});
        row("a killed child", CmdID::upload_FW, {"-c", "kill -9 $$"}, -1, "", {"Exit with -1 from"}, "/bin/sh");
        row("a program that cannot start is a failure", CmdID::version, {"-V"}, -1, "",
            {"Program could not be started: \"/nonexistent/dfu-util\" (\"-V\")"}, "/nonexistent/dfu-util");
        row("a bare name is looked for on PATH; output ends at a NUL byte", CmdID::upload_OTP, {"before\\0after"}, 0,
            "before", {}, "printf");
        row("standard error is not output", CmdID::upload_OTP, {"tick", "err", "0", "1"}, 0, "",
            {"dfu-util on standard error: ."});
        // A unit's serial reaches dfu-util as one argument, never through a shell.
        const QString serial = "A B \"C\" 'D' $(touch /tmp/velmora-pwned) `id` ; *";
        row("a serial with spaces, quotes and $(...) as one argument", CmdID::upload_OTP,
            QStringList{"args"} + DFU::serial_option(serial), 0, "-S\n" + serial + "\n");
        // The program may end while dfu-util writes flash: its closed pipe must not kill it.
        // A terminal's Ctrl-C or hang-up goes to its foreground process group, and must not
        // cut a transfer short.
        row("SIGPIPE ignored in the child", CmdID::download_FW, {"sigpipe"}, 0, "ignored");
        row("a process group of its own", CmdID::download_FW, {"pgrp"}, 0, "own");
    }

    void running()
    {
        QFETCH(CmdID, id);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(QStringList, log);
        DFU::commands.at(id) = {program.isEmpty() ? QString(HELPER_CHILD) : program, arguments};
        Watcher watcher;
        LogCapture logged;
        const DFU::Result result = DFU::run_command(id);
        QCOMPARE(result.code, code);
        QCOMPARE(result.text, text);
        QVERIFY(watcher.seen.startsWith(text.toUtf8()));
        for (const QString& fragment : log)
            QCOMPARE(logged.count(fragment.startsWith('!') ? fragment.mid(1) : fragment), fragment.startsWith('!') ? 0 : 1);
    }

    // Silence is what counts, on either channel: a child that prints all along is never
    // "not answering", however long it runs; a silent one is said to be, and is ended only
    // when the watcher allows it. Each silence is told from its start, its seconds rising.
    void silence_data()
    {
        QTest::addColumn<QStringList>("child");
        QTest::addColumn<bool>("allow");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("said");
        const QStringList silent{"tick", "out", "2500", "1"}; // a sign of life only after 2.5 s
        QTest::newRow("silent, may be ended") << silent << true << DFU::code_ended_hung << 1;
        QTest::newRow("silent, waited for") << silent << false << 0 << 1;
        // Not answering is said long before a silent child counts as hung and is ended.
        QTest::newRow("silent, not yet hung") << QStringList{"tick", "out", "700", "1"} << true << 0 << 1;
        QTest::newRow("silent again after a sign of life") << QStringList{"tick", "out", "700", "2"} << false << 0 << 2;
        QTest::newRow("printing on standard error") << QStringList{"tick", "err", "50", "30"} << true << 0 << 0;
    }

    void silence()
    {
        QFETCH(QStringList, child);
        QFETCH(bool, allow);
        QFETCH(int, code);
        QFETCH(int, said);
        DFU::silent_child_limit_ms = 1400;
        DFU::run_timeout_ms = 300;
        DFU::silence_told_ms = 100;
        DFU::commands.at(CmdID::download_FW) = {HELPER_CHILD, child};
        Watcher watcher;
        watcher.allow = allow;
        LogCapture log;
        const DFU::Result result = DFU::run_command(CmdID::download_FW);
        QCOMPARE(result.code, code);
        QCOMPARE(watcher.said, said);
        int silences = 0;
        for (int i = 0; i < watcher.told.size(); ++i) {
            const int before = i > 0 ? watcher.told[i - 1] : -1;
            if (watcher.told[i] >= 0 && before >= 0)
                QCOMPARE(watcher.told[i], before + 1);
            silences += watcher.told[i] >= 0 && before < 0;
        }
        QCOMPARE(silences, said);
        QCOMPARE(log.count("waitForFinished(): Process did not finish in time, exit status: QProcess::NormalExit "
                           "and output:"), said);
    }

    void refused_runs_start_nothing()
    {
        const QString marker = Files::path_of("ran");
        DFU::commands.at(CmdID::list) = {"/bin/sh", {"-c", "touch '" + marker + "'"}};
        LogCapture log;
        DFU::refuse_runs("no working folder");
        QVERIFY(DFU::runs_refused());
        QCOMPARE(DFU::run_command(CmdID::list).code + DFU::run_command(CmdID::list).code, -2);
        DFU::refuse_runs({});
        QCOMPARE(log.texts(), QStringList{"No dfu-util is run: \"no working folder\""});
        QVERIFY(!QFile::exists(marker));
        QCOMPARE(DFU::run_command(CmdID::list).code, 0);
        QVERIFY(QFile::exists(marker));
    }

    // Whether the tool at hand is the dfu-util this program embeds: its banner, and a success.
    void execution_test_data()
    {
        QTest::addColumn<QStringList>("child"); // the program and its arguments, or "embedded"
        QTest::addColumn<QString>("logged");
        QTest::newRow("the embedded dfu-util, from the working folder") << QStringList{"embedded"} << "ok and output: as expected";
        QTest::newRow("another banner") << QStringList{HELPER_CHILD, "args", "dfu-util 0.9"}
                                        << "ok and output: \"dfu-util 0.9\\n\"";
        QTest::newRow("the banner, but a failure")
            << QStringList{"/bin/sh", "-c", "printf %s \"$0\"; exit 3",
                           DFU::dfu_util::expected_output_of_execution_test}
            << "bad and output: as expected";
    }

    void execution_test()
    {
        QFETCH(QStringList, child);
        QFETCH(QString, logged);
        if (child.first() == "embedded")
            QVERIFY(testsupport::use_embedded_dfu_util());
        else
            DFU::commands.at(CmdID::version) = {child.first(), child.mid(1)};
        LogCapture log;
        QCOMPARE(DFU::dfu_util::execution_test(), logged == "ok and output: as expected");
        QVERIFY(log.texts().contains("Result of execution test: status was " + logged));
    }

    // What a listing holds: the status, and the serials in the order listed, each marked "?"
    // when it cannot be read for certain; the scan succeeds with exactly one unit.
    void parsing_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<DfuUtilParser::Status>("status");
        QTest::addColumn<QStringList>("serials");
        using P = DfuUtilParser;
        const auto row = [](const char* name, const QString& output, P::Status status, const QStringList& serials) {
            QTest::newRow(name) << output << status << serials;
        };
        const QString forged = "X\nFound DFU: [0483:df11] ver=2200, devnum=5, cfg=1, intf=0, path=\"1-5\", alt=0, "
                               "name=\"@Internal Flash\", serial=\"X";
        row("three interfaces", unit("305F38713437", 3), P::invalid_dfu_device, {"305F38713437"});
        row("two units", unit("AAAA") + unit("BBBB"), P::multiple_dfu_devices, {"AAAA", "BBBB"});
        // Told apart by their ports: neither may be taken for the one unit of that serial.
        row("two units of one serial", unit("AAAA", 4, "DFU", "2200", "1-5") + unit("AAAA", 4, "DFU", "2200", "1-6"),
            P::multiple_dfu_devices, {"AAAA", "AAAA"});
        row("CR LF line ends", unit("1234").replace("\n", "\r\n"), P::one_dfu_device, {"1234"});
        row("another version beside a unit ignored", unit("1234") + unit("5678", 4, "DFU", "2201"), P::one_dfu_device,
            {"1234"});
        row("runtime interfaces ignored", unit("1234", 4, "Runtime"), P::no_dfu_device, {});
        // dfu-util prints the unit's serial between quotes as it is.
        row("a quote in the serial: still a unit, not addressable", unit("AB\"CD"), P::one_dfu_device, {"AB\"CD?"});
        row("a line break in the serial", unit("AB\nCD"), P::one_dfu_device, {"AB\nCD?"});
        row("no serial", unit(""), P::one_dfu_device, {"?"});
        row("a serial of bytes that are no UTF-8", unit(QString("AB") + QChar(QChar::ReplacementCharacter)),
            P::one_dfu_device, {QString("AB") + QChar(QChar::ReplacementCharacter) + "?"});
        row("a serial field in the serial", unit("A\", serial=\"B"), P::one_dfu_device, {"B?"});
        row("a carriage return is the serial's own", unit("AB\rUnit 999"), P::one_dfu_device, {"AB\rUnit 999"});
        row("a line forged after a line break: one unit, not addressable", unit(forged), P::invalid_dfu_device,
            {"X?"});
    }

    void parsing()
    {
        QFETCH(QString, output);
        QFETCH(DfuUtilParser::Status, status);
        QFETCH(QStringList, serials);
        const DfuUtilParser parser(output);
        QCOMPARE(parser.status, status);
        QStringList found;
        for (const DFU::DeviceItem& item : parser.devices) {
            found << item.serial + (item.ambiguous ? "?" : "");
            QVERIFY(QStringList({"1-5", "1-6"}).contains(item.path));
        }
        QCOMPARE(found, serials);
        QCOMPARE(DFU::scan_for_devices(output).code, status == DfuUtilParser::one_dfu_device ? 0 : 1);
    }

    void progress_lines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<DFU::Phase>("phase");
        QTest::addColumn<int>("percent");
        QTest::addColumn<qint64>("bytes");
        const auto row = [](const char* name, const QByteArray& line, DFU::Phase phase, int percent, qint64 bytes) {
            QTest::newRow(name) << line << phase << percent << bytes;
        };
        using DFU::Phase;
        row("erase", "Erase   \t[====                     ]  16%       118784 bytes", Phase::erasing, 16, 118784);
        row("beyond 100 %", "Upload\t[=========================] 180%  5 bytes", Phase::reading, 100, 5);
        row("garbled bar", "Erase   \t[==#==]  16%   118784 bytes", Phase::none, 0, 0);
        // Longer runs of digits than the form has: no figure, and no overflow reading them.
        row("a 13-digit count", "Upload\t[==] 50%  7777777777777 bytes", Phase::none, 0, 0);
        row("25 digits of percent", "Upload\t[]" + QByteArray(25, '7') + "% 5 bytes", Phase::none, 0, 0);
        row("12 digits, trailing spaces", "  Upload [] 7%\t999999999999 bytes \r\n", Phase::reading, 7, 999999999999);
    }

    void progress_lines()
    {
        QFETCH(QByteArray, line);
        QFETCH(DFU::Phase, phase);
        QFETCH(int, percent);
        QFETCH(qint64, bytes);
        const DFU::Progress progress = DFU::parse_progress_line(line);
        QCOMPARE(progress.phase, phase);
        QCOMPARE(progress.percent, percent);
        QCOMPARE(progress.bytes, bytes);
    }

    // Output arrives in pieces cut anywhere; a line counts once it has ended.
    void progress_in_pieces()
    {
        const QByteArray output = "Opening DFU capable USB device...\n\rErase   \t[                         ]   0%     "
                                  "       0 bytes\rErase   \t[=========================] 100%         5000 bytes\n"
                                  "Erase    done.\n\rDownload\t[==========               ]  40%         2048 bytes"
                                  "dfu-util: Error during download\n\rDownload\t[====================     ]  81%  "
                                  "       4096 bytes\rDownload\t[===";
        for (const int cut : {1, 7, 64, 1000}) {
            DFU::ProgressParser parser;
            QVector<DFU::Progress> found;
            for (int at = 0; at < output.size(); at += cut)
                found += parser.feed(output.mid(at, cut));
            QStringList seen;
            for (const DFU::Progress& p : found)
                seen << QString("%1:%2").arg(int(p.phase)).arg(p.percent);
            // The line with the error glued to it is no progress line; the last one has not ended.
            QCOMPARE(seen, (QStringList{"1:0", "1:100", "2:81"}));
        }
        // Output without line ends is dropped once it is longer than any line: what follows
        // is read as a line of its own, not glued to it.
        DFU::ProgressParser endless;
        QVERIFY(endless.feed(QByteArray(100000, '=')).isEmpty());
        QCOMPARE(endless.feed("Upload\t[=] 4%  2 bytes\n").size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDfuUtil)
#include "tst_dfu_util.moc"
