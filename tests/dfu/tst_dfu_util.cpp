#include "dfu/dfu_util.h"
#include "files/files.h"
#include "files/support_misc.h"
#include "test_support.h"

#include <QtTest>

using testsupport::LogCapture;
using CmdID = DFU::CmdID;

Q_DECLARE_METATYPE(DFU::CmdID)

class TestDfuUtil final : public QObject {
    Q_OBJECT

    std::map<CmdID, DFU::Command> saved;

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
    }

    // The child (the helper unless named) with its fixed and extra arguments; what the runner
    // gives back, and what it logs: each fragment once, none of those marked "!".
    void running_data()
    {
        QTest::addColumn<CmdID>("id");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("fixed");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("log");
        const QString start = QString("Start  \"%1\" ").arg(HELPER_CHILD);
        const QString exe = Files::path_of("not-executable");
        testsupport::write_file(exe, "#!/bin/sh\necho hi\n");
        QTest::newRow("success is not logged as an exit") << CmdID::upload_OTP << "" << QStringList{"print", "hello"}
            << QStringList{} << 0 << "hello" << QStringList{start + "(\"print\", \"hello\")", "!Exit"};
        QTest::newRow("a listing writes no start line") << CmdID::list << "" << QStringList{"print", "x"}
            << QStringList{} << 0 << "x" << QStringList{"!Start"};
        QTest::newRow("exit code 74 is passed back and logged") << CmdID::download_FW << "" << QStringList{"exit", "74"}
            << QStringList{"file.bin"} << 74 << ""
            << QStringList{"Exit with 74 from", "(\"exit\", \"74\", \"file.bin\") returned: \"\""};
        QTest::newRow("a killed child") << CmdID::upload_FW << "" << QStringList{"kill"} << QStringList{} << -1 << ""
            << QStringList{"Exit with -1 from"};
        QTest::newRow("a program that cannot start is a failure") << CmdID::version << "/nonexistent/dfu-util"
            << QStringList{"-V"} << QStringList{} << -1 << ""
            << QStringList{"Program could not be started: \"/nonexistent/dfu-util\" (\"-V\")"};
        QTest::newRow("nor can a file that is not executable") << CmdID::list << exe << QStringList{} << QStringList{}
            << -1 << "" << QStringList{"Program could not be started"};
        QTest::newRow("standard error is not output") << CmdID::upload_OTP << "" << QStringList{"stderr", "noise"}
            << QStringList{} << 0 << "" << QStringList{"dfu-util on standard error: noise"};
        QTest::newRow("output ends at a NUL byte") << CmdID::upload_OTP << "" << QStringList{"nul"} << QStringList{}
            << 0 << "before" << QStringList{};
        QTest::newRow("extra arguments follow the fixed ones") << CmdID::upload_FW << ""
            << QStringList{"args", "-d", "0483"} << QStringList{"-U", "F"} << 0 << "-d\n0483\n-U\nF\n" << QStringList{};
        // A unit's serial reaches dfu-util as one argument, never through a shell.
        const QString serial = "A B \"C\" 'D' $(touch /tmp/velmora-pwned) `id` ; *";
        QTest::newRow("a serial with spaces, quotes and $(...) as one argument") << CmdID::upload_OTP << ""
            << QStringList{"args"} << DFU::serial_option(serial) << 0 << "-S\n" + serial + "\n" << QStringList{};
        // The program may end while dfu-util writes flash: its closed pipe must not kill it.
        // A terminal's Ctrl-C or hang-up goes to its foreground process group, and must not
        // cut a transfer short.
        QTest::newRow("SIGPIPE ignored in the child") << CmdID::download_FW << "" << QStringList{"sigpipe"}
            << QStringList{} << 0 << "ignored" << QStringList{};
        QTest::newRow("a process group of its own") << CmdID::download_FW << "" << QStringList{"pgrp"}
            << QStringList{} << 0 << "own" << QStringList{};
    }

    void running()
    {
        QFETCH(CmdID, id);
        QFETCH(QString, program);
        QFETCH(QStringList, fixed);
        QFETCH(QStringList, extra);
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(QStringList, log);
        DFU::commands.at(id) = {program.isEmpty() ? QString(HELPER_CHILD) : program, fixed};
        Watcher watcher;
        LogCapture logged;
        const DFU::Result result = DFU::run_command(id, extra);
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
        QTest::newRow("silent, may be ended") << QStringList{"sleep", "2500"} << true << DFU::code_ended_hung << 1;
        QTest::newRow("silent, waited for") << QStringList{"sleep", "2500"} << false << 0 << 1;
        // Not answering is said long before a silent child counts as hung and is ended.
        QTest::newRow("silent, not yet hung") << QStringList{"sleep", "700"} << true << 0 << 1;
        QTest::newRow("silent again after a sign of life") << QStringList{"tick", "out", "700", "2"} << false << 0 << 2;
        QTest::newRow("printing all along") << QStringList{"tick", "out", "50", "30"} << true << 0 << 0;
        QTest::newRow("printing on standard error") << QStringList{"tick", "err", "50", "30"} << true << 0 << 0;
    }

    void silence()
    {
        QFETCH(QStringList, child);
        QFETCH(bool, allow);
        QFETCH(int, code);
        QFETCH(int, said);
        const int limit = DFU::silent_child_limit_ms;
        const int timeout = DFU::run_timeout_ms;
        const int told_after = DFU::silence_told_ms;
        DFU::silent_child_limit_ms = 1400;
        DFU::run_timeout_ms = 300;
        DFU::silence_told_ms = 100;
        DFU::commands.at(CmdID::download_FW) = {HELPER_CHILD, child};
        Watcher watcher;
        watcher.allow = allow;
        LogCapture log;
        const DFU::Result result = DFU::run_command(CmdID::download_FW);
        DFU::silent_child_limit_ms = limit;
        DFU::run_timeout_ms = timeout;
        DFU::silence_told_ms = told_after;
        QCOMPARE(result.code, code);
        QCOMPARE(watcher.said, said);
        int silences = 0;
        for (int i = 0; i < watcher.told.size(); ++i) {
            const int before = i > 0 ? watcher.told[i - 1] : -1;
            if (watcher.told[i] >= 0 && before < 0)
                ++silences;
            else if (watcher.told[i] >= 0)
                QCOMPARE(watcher.told[i], before + 1);
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
        QTest::addColumn<QStringList>("child"); // empty: none that starts
        QTest::addColumn<QString>("logged");
        QTest::newRow("the embedded dfu-util, from the working folder") << QStringList{"embedded"} << "ok and output: as expected";
        QTest::newRow("another banner") << QStringList{"print", "dfu-util 0.9\n"}
                                        << "ok and output: \"dfu-util 0.9\\n\"";
        QTest::newRow("a failing program") << QStringList{"exit", "3"} << "bad and output: \"\"";
        QTest::newRow("the banner, but a failure") << QStringList{"/bin/sh", "-c", "printf %s \"$0\"; exit 3"}
                                                 << "bad and output: as expected";
        QTest::newRow("a program that cannot start") << QStringList{} << "bad and output: \"\"";
    }

    void execution_test()
    {
        QFETCH(QStringList, child);
        QFETCH(QString, logged);
        if (child.isEmpty())
            DFU::Command::path = "/nonexistent";
        else if (child.first() == "embedded")
            QVERIFY(testsupport::use_embedded_dfu_util());
        else if (child.first() == "/bin/sh")
            DFU::commands.at(CmdID::version) = {child.first(),
                                                child.mid(1) << DFU::dfu_util::expected_output_of_execution_test};
        else
            DFU::commands.at(CmdID::version) = {HELPER_CHILD, child};
        LogCapture log;
        QCOMPARE(DFU::dfu_util::execution_test(), logged == "ok and output: as expected");
        QVERIFY(log.texts().contains("Result of execution test: status was " + logged));
    }
};

QTEST_GUILESS_MAIN(TestDfuUtil)
#include "tst_dfu_util.moc"
