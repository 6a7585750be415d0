#include "dfu/dfu_util.h"
#include "files/files.h"
#include "files/support_misc.h"
#include "test_support.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QtTest>

using testsupport::LogCapture;

class TestDfuUtil final : public QObject {
    Q_OBJECT

    std::map<DFU::CmdID, DFU::Command> saved;

    // Points one table entry at the helper child with the given fixed arguments.
    void use_helper(DFU::CmdID id, const QStringList& fixed)
    {
        DFU::commands.at(id) = {HELPER_CHILD, fixed};
    }

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

    void success_is_not_logged_as_an_exit()
    {
        use_helper(DFU::CmdID::upload_OTP, {"print", "hello"});
        LogCapture log;
        const DFU::Result result = DFU::run_command(DFU::CmdID::upload_OTP);
        QCOMPARE(result.code, 0);
        QCOMPARE(result.text, QString("hello"));
        QCOMPARE(log.texts(), QStringList{QString("Start  \"%1\" (\"print\", \"hello\")").arg(HELPER_CHILD)});
    }

    void a_listing_writes_no_start_line()
    {
        use_helper(DFU::CmdID::list, {"print", "x"});
        LogCapture log;
        QCOMPARE(DFU::run_command(DFU::CmdID::list).code, 0);
        QVERIFY(log.texts().isEmpty());
    }

    void exit_code_74_is_passed_back_and_logged()
    {
        use_helper(DFU::CmdID::download_FW, {"exit", "74"});
        LogCapture log;
        const DFU::Result result = DFU::run_command(DFU::CmdID::download_FW, {"file.bin"});
        QCOMPARE(result.code, 74);
        QCOMPARE(log.count("Exit with 74 from"), 1);
        QVERIFY(log.texts().last().endsWith("(\"exit\", \"74\", \"file.bin\") returned: \"\""));
    }

    void a_killed_child_gives_minus_one()
    {
        use_helper(DFU::CmdID::upload_FW, {"kill"});
        LogCapture log;
        QCOMPARE(DFU::run_command(DFU::CmdID::upload_FW).code, -1);
        QCOMPARE(log.count("Exit with -1 from"), 1);
    }

    void a_program_that_cannot_start_is_a_failure_not_a_success()
    {
        DFU::commands.at(DFU::CmdID::version) = {"/nonexistent/dfu-util", {"-V"}};
        LogCapture log;
        const DFU::Result result = DFU::run_command(DFU::CmdID::version);
        QCOMPARE(result.code, -1);
        QVERIFY(result.text.isEmpty());
        QCOMPARE(log.count("Program could not be started: \"/nonexistent/dfu-util\" (\"-V\")"), 1);
        QCOMPARE(log.count("did not finish in time"), 0);
        QCOMPARE(log.count("will wait again"), 0);
    }

    void a_file_that_is_not_executable_cannot_start_either()
    {
        const QString path = Files::path_of("not-executable");
        testsupport::write_file(path, "#!/bin/sh\necho hi\n");
        DFU::commands.at(DFU::CmdID::list) = {path, {}};
        QCOMPARE(DFU::run_command(DFU::CmdID::list).code, -1);
    }

    void standard_error_is_not_captured()
    {
        use_helper(DFU::CmdID::upload_OTP, {"stderr", "noise"});
        const DFU::Result result = DFU::run_command(DFU::CmdID::upload_OTP);
        QCOMPARE(result.code, 0);
        QVERIFY(result.text.isEmpty());
    }

    // The program may end while dfu-util writes flash: its closed pipe must not kill it.
    // A terminal's Ctrl-C or hang-up goes to its foreground process group, and must not cut
    // a transfer short: the child neither dies of it nor of a closed pipe.
    void a_child_is_out_of_reach_of_the_terminal()
    {
        use_helper(DFU::CmdID::download_FW, {"sigpipe"});
        QCOMPARE(DFU::run_command(DFU::CmdID::download_FW).text, QString("ignored"));
        use_helper(DFU::CmdID::download_FW, {"pgrp"});
        QCOMPARE(DFU::run_command(DFU::CmdID::download_FW).text, QString("own"));
    }

    // Silence is what counts, on either channel: a child that prints all along is never
    // "not answering", however long it runs; a silent one is said to be, and is ended only
    // when the watcher allows it.
    void silence_data()
    {
        QTest::addColumn<QStringList>("child");
        QTest::addColumn<bool>("allow");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("said");
        QTest::newRow("silent, may be ended") << QStringList{"sleep", "1500"} << true << DFU::code_ended_hung << 1;
        QTest::newRow("silent, waited for") << QStringList{"sleep", "1500"} << false << 0 << 1;
        QTest::newRow("printing all along") << QStringList{"tick", "out", "50", "30"} << true << 0 << 0;
        QTest::newRow("printing on standard error all along") << QStringList{"tick", "err", "50", "30"} << true << 0
                                                              << 0;
    }

    void silence()
    {
        QFETCH(QStringList, child);
        QFETCH(bool, allow);
        QFETCH(int, code);
        QFETCH(int, said);
        struct Watcher : DFU::RunObserver {
            bool allow = false;
            int said = 0;
            bool may_end_hung_child(DFU::CmdID) override { return allow; }
            void not_answering(DFU::CmdID) override { ++said; }
        } watcher;
        watcher.allow = allow;
        const int limit = DFU::silent_child_limit_ms;
        const int timeout = DFU::run_timeout_ms;
        DFU::silent_child_limit_ms = 600;
        DFU::run_timeout_ms = 300;
        DFU::set_run_observer(&watcher);
        use_helper(DFU::CmdID::download_FW, child);
        LogCapture log;
        const DFU::Result result = DFU::run_command(DFU::CmdID::download_FW);
        DFU::set_run_observer(nullptr);
        DFU::silent_child_limit_ms = limit;
        DFU::run_timeout_ms = timeout;
        QCOMPARE(result.code, code);
        QCOMPARE(watcher.said, said);
        QCOMPARE(log.count("waitForFinished(): Process did not finish in time, exit status: QProcess::NormalExit "
                           "and output:"), said);
    }

    // The watcher sees what the child prints while it runs, all of it.
    void output_reaches_the_watcher()
    {
        struct Watcher : DFU::RunObserver {
            QByteArray seen;
            void output(DFU::CmdID, const QByteArray& bytes) override { seen += bytes; }
        } watcher;
        DFU::set_run_observer(&watcher);
        use_helper(DFU::CmdID::upload_FW, {"print", "progress"});
        const DFU::Result result = DFU::run_command(DFU::CmdID::upload_FW);
        DFU::set_run_observer(nullptr);
        QCOMPARE(watcher.seen, QByteArray("progress"));
        QCOMPARE(result.text, QString("progress"));
    }

    void refused_runs_start_nothing()
    {
        const QString marker = Files::path_of("ran");
        DFU::commands.at(DFU::CmdID::list) = {"/bin/sh", {"-c", "touch '" + marker + "'"}};
        LogCapture log;
        DFU::refuse_runs("no working folder");
        QVERIFY(DFU::runs_refused());
        const DFU::Result first = DFU::run_command(DFU::CmdID::list);
        const DFU::Result second = DFU::run_command(DFU::CmdID::list);
        DFU::refuse_runs({});
        QCOMPARE(first.code, -1);
        QCOMPARE(second.code, -1);
        QCOMPARE(log.texts(), QStringList{"No dfu-util is run: \"no working folder\""});
        QVERIFY(!QFile::exists(marker));
        QCOMPARE(DFU::run_command(DFU::CmdID::list).code, 0);
        QVERIFY(QFile::exists(marker));
    }

    void output_ends_at_a_nul_byte()
    {
        use_helper(DFU::CmdID::upload_OTP, {"nul"});
        QCOMPARE(DFU::run_command(DFU::CmdID::upload_OTP).text, QString("before"));
    }

    void extra_arguments_follow_the_fixed_ones()
    {
        use_helper(DFU::CmdID::upload_FW, {"args", "-d", "0483", "-a", "0"});
        const DFU::Result result
            = DFU::run_command(DFU::CmdID::upload_FW, {"-s", "0x08000000:4096", "-U", "F"});
        QCOMPARE(result.text, QString("-d\n0483\n-a\n0\n-s\n0x08000000:4096\n-U\nF\n"));
    }

    void the_path_is_joined_only_when_set()
    {
        const QFileInfo helper(HELPER_CHILD);
        DFU::commands.at(DFU::CmdID::upload_OTP) = {helper.fileName(), {"print", "joined"}};
        // Not on PATH: without the path the bare name cannot start.
        QCOMPARE(DFU::run_command(DFU::CmdID::upload_OTP).code, -1);
        DFU::Command::path = helper.absolutePath();
        QCOMPARE(DFU::run_command(DFU::CmdID::upload_OTP).text, QString("joined"));
    }

    void execution_test_with_another_banner_fails()
    {
        use_helper(DFU::CmdID::version, {"print", "dfu-util 0.9\n"});
        LogCapture log;
        QVERIFY(!DFU::dfu_util::execution_test());
        QVERIFY(log.texts().contains("Result of execution test: status was ok and output: \"dfu-util 0.9\\n\""));
    }

    void execution_test_of_a_failing_program()
    {
        use_helper(DFU::CmdID::version, {"exit", "3"});
        LogCapture log;
        QVERIFY(!DFU::dfu_util::execution_test());
        QVERIFY(log.texts().contains("Result of execution test: status was bad and output: \"\""));
    }

    void execution_test_of_a_program_that_cannot_start()
    {
        DFU::Command::path = "/nonexistent";
        LogCapture log;
        QVERIFY(!DFU::dfu_util::execution_test());
        QVERIFY(log.texts().contains("Result of execution test: status was bad and output: \"\""));
    }

    void the_embedded_dfu_util_runs_from_the_working_directory()
    {
        QVERIFY(Files::extract_resources({Files::dfu_util_exe, Files::libusb_dylib}, true));
        QVERIFY(support_misc::mark_file_executable(DFU::dfu_util::full_path()));
        QCOMPARE(DFU::dfu_util::full_path(), Files::external_dir.path() + "/dfu-util");
        QCOMPARE(DFU::dfu_util::basename(), QString("dfu-util"));
        DFU::Command::path = Files::external_dir.path();

        LogCapture log;
        QVERIFY(DFU::dfu_util::execution_test());
        QVERIFY(log.texts().contains("Result of execution test: status was ok and output: as expected"));
        QCOMPARE(DFU::dfu_util::expected_output_of_execution_test.size(), 262);
        QVERIFY(DFU::dfu_util::expected_output_of_execution_test.startsWith("dfu-util 0.11\n\n"));

        // It loads the libusb beside it, not the system's.
        QProcess ldd;
        ldd.start("ldd", {DFU::dfu_util::full_path()});
        QVERIFY(ldd.waitForFinished(30000));
        const QString linked = ldd.readAllStandardOutput();
        QVERIFY2(linked.contains("libusb-1.0.so.0 => " + Files::external_dir.path() + "/libusb-1.0.so.0"),
                 qPrintable(linked));

        // With no unit attached the listing succeeds and finds nothing.
        const DFU::Result listed = DFU::run_command(DFU::CmdID::list);
        QCOMPARE(listed.code, 0);
        QVERIFY(listed.text.startsWith(DFU::dfu_util::expected_output_of_execution_test));
        QVERIFY(!listed.text.contains("Found DFU"));
    }
};

QTEST_GUILESS_MAIN(TestDfuUtil)
#include "tst_dfu_util.moc"
