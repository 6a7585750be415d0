#include "dfu/dfu_util.h"
#include "dfu/dfu_util_parser.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using testsupport::LogCapture;
using testsupport::SimulatorState;

namespace {

struct Run {
    int code;
    QByteArray out;
    QByteArray err;
};

Run script(const QStringList& arguments)
{
    QProcess process;
    process.start(testsupport::simulator_script(), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill(); // a script that loops for ever fails here, not by the test's time-out
        process.waitForFinished();
        return {-2, {}, {}};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

} // namespace

class TestSimulator final : public QObject {
    Q_OBJECT

    std::map<DFU::CmdID, DFU::Command> original;

private slots:
    void initTestCase()
    {
        original = DFU::commands;
    }

    void init()
    {
        DFU::commands = original;
    }

    void the_rewrite_data()
    {
        QTest::addColumn<int>("setup");
        QTest::newRow("standard") << int(simulator::standard);
        QTest::newRow("fast_progress") << int(simulator::fast_progress);
    }

    void the_rewrite()
    {
        QFETCH(int, setup);
        simulator::setup_for_simulated_dfu_util(static_cast<simulator::Setup>(setup));
        const QString program = QString(SIMULATOR_DIR) + "/dfu-util_simulator.sh";
        QCOMPARE(simulator::dfu_util_path("dfu-util_simulator.sh"), program);
        const std::map<DFU::CmdID, QString> words = {
            {DFU::CmdID::version, "version"},         {DFU::CmdID::list, "list"},
            {DFU::CmdID::upload_OTP, "upload_OTP"},   {DFU::CmdID::upload_FW_Info, "upload_FW"},
            {DFU::CmdID::upload_FW, "upload_FW"},     {DFU::CmdID::download_FW, "download_FW"},
            {DFU::CmdID::setup_prepared_config, "setup_prepared_config"},
        };
        for (const auto& [id, command] : DFU::commands) {
            QCOMPARE(command.program, program);
            QStringList expected{"--dfu-util-command", words.at(id)};
            if (setup == simulator::fast_progress)
                expected << "--fast-progress";
            expected << original.at(id).arguments;
            QCOMPARE(command.arguments, expected);
        }
        QCOMPARE(QString(DFU::commands.at(DFU::CmdID::list)),
                 program + (setup ? "(--dfu-util-command,list,--fast-progress,-d,0483,-l)"
                                  : "(--dfu-util-command,list,-d,0483,-l)"));
    }

    void the_execution_test_passes_against_the_script()
    {
        simulator::setup_for_simulated_dfu_util(simulator::standard);
        QVERIFY(DFU::dfu_util::execution_test());
    }

    void prepared_configurations_through_the_runner()
    {
        SimulatorState state;
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        QCOMPARE(simulator::sim_setup_prepared_config("two_units"), 0);
        QCOMPARE(DFU::make_scan().devices.size(), 2);
        LogCapture log;
        QVERIFY(simulator::sim_setup_prepared_config("no_such_config") != 0);
        QVERIFY(log.contains("Failed to setup simulation config  \"no_such_config\" with code 64"));
    }

    void every_configuration_loads()
    {
        SimulatorState state;
        QByteArray names;
        QVERIFY(state.run({"configs"}, &names));
        const QStringList configs = QString(names).split('\n', Qt::SkipEmptyParts);
        QVERIFY(configs.size() >= 11);
        // Each a unit of its own: switching configurations is plugging in another unit.
        QSet<QString> serials;
        for (const QString& config : configs) {
            QVERIFY2(state.setup(config), qPrintable(config));
            for (const QString& serial : QDir(state.path() + "/units").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                QVERIFY2(!serials.contains(serial), qPrintable(config + " " + serial));
                serials.insert(serial);
            }
        }
        // The state is the user's alone, whatever the folder was.
        QFile::setPermissions(state.path(), QFile::permissions(state.path()) | QFile::ReadOther | QFile::ExeOther);
        QVERIFY(state.setup("current"));
        QCOMPARE(QFile::permissions(state.path()) & 0x0077, QFile::Permissions());
    }

    void a_state_folder_that_is_not_ours_is_refused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a symbolic link") << "link";
        QTest::newRow("another user's") << "owner";
    }

    void a_state_folder_that_is_not_ours_is_refused()
    {
        QFETCH(QString, kind);
        SimulatorState state;
        QTemporaryDir elsewhere;
        const QString folder = state.path() + "/state";
        if (kind == "link") {
            QVERIFY(QFile::link(elsewhere.path(), folder));
        } else {
            QVERIFY(QDir().mkpath(folder));
            if (::chown(QFile::encodeName(folder).constData(), 65534, 65534) != 0)
                QSKIP("giving a folder to another user needs root");
        }
        qputenv("VELMORA_SIM_DIR", folder.toUtf8());
        const Run run = script({"setup_prepared_config", "current"});
        qputenv("VELMORA_SIM_DIR", state.path().toUtf8());
        QCOMPARE(run.code, 64);
        QVERIFY(run.err.contains("refusing the state folder"));
        QVERIFY(QDir(elsewhere.path()).isEmpty());
    }

    void without_a_unit_transfers_fail_like_dfu_util()
    {
        SimulatorState state;
        QVERIFY(state.setup("no_unit"));
        const QString file = state.path() + "/upload.bin";
        const Run run = script({"--dfu-util-command", "upload_OTP", "-d", "0483", "-a", "2", "-s", "0x1FFF7800:512",
                                "-U", file});
        QCOMPARE(run.code, 74);
        QVERIFY(run.err.contains("dfu-util: No DFU capable USB device available"));
        QVERIFY(!QFileInfo::exists(file));
        const Run listed = script({"--dfu-util-command", "list", "-d", "0483", "-l"});
        QCOMPARE(listed.code, 0);
        QVERIFY(!listed.out.contains("Found"));
    }

    void an_existing_upload_file_is_refused()
    {
        SimulatorState state;
        QVERIFY(state.setup("current"));
        const QString file = state.path() + "/exists.bin";
        testsupport::write_file(file, "old");
        const Run run = script({"--dfu-util-command", "upload_FW", "--fast-progress", "-d", "0483", "-a", "0", "-s",
                                "0x08000000:2048", "-U", file});
        QCOMPARE(run.code, 73);
        QCOMPARE(testsupport::read_file(file), QByteArray("old"));
    }

    void malformed_calls_are_rejected_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no word") << QStringList{};
        QTest::newRow("unknown word") << QStringList{"--dfu-util-command", "erase_all"};
        QTest::newRow("word missing") << QStringList{"--dfu-util-command"};
        QTest::newRow("version without -V") << QStringList{"--dfu-util-command", "version"};
        QTest::newRow("list with odd arguments") << QStringList{"--dfu-util-command", "list", "-l"};
        QTest::newRow("upload without -U") << QStringList{"--dfu-util-command", "upload_FW", "-d", "0483", "-a", "0",
                                                          "-s", "0x08000000:16"};
        QTest::newRow("upload with a bad range") << QStringList{"--dfu-util-command", "upload_FW", "-a", "0", "-s",
                                                                "0x08000000", "-U", "/tmp/x"};
        QTest::newRow("upload with an unknown option") << QStringList{"--dfu-util-command", "upload_FW", "-R"};
        QTest::newRow("download elsewhere") << QStringList{"--dfu-util-command", "download_FW", "-a", "0", "-s",
                                                           "0x08004000:leave", "-D", "/etc/hostname"};
        QTest::newRow("an option without its value") << QStringList{"--dfu-util-command", "upload_FW", "-a"};
        QTest::newRow("-S without a serial") << QStringList{"--dfu-util-command", "upload_FW", "-a", "0", "-s",
                                                            "0x08000000:16", "-U", "/tmp/x", "-S"};
        QTest::newRow("config without a name") << QStringList{"setup_prepared_config"};
        QTest::newRow("unknown config") << QStringList{"setup_prepared_config", "../../etc"};
    }

    void malformed_calls_are_rejected()
    {
        QFETCH(QStringList, arguments);
        SimulatorState state;
        QVERIFY(state.setup("current"));
        const Run run = script(arguments);
        QVERIFY(run.code != 0);
        QVERIFY(!run.err.isEmpty());
        // Nothing but the state directory's own content.
        const QStringList entries = QDir(state.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(entries, (QStringList{"config", "units"}));
    }

    // The program logs standard error as dfu-util's own words, and its runner leaves SIGPIPE
    // ignored in the child, where a tool cut off by a pipe complains of it.
    void standard_error_holds_only_what_dfu_util_prints_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("errors");
        QTest::newRow("a flash block read") << "current" << int(DFU::CmdID::upload_FW_Info) << 0 << "";
        QTest::newRow("the OTP area read") << "current" << int(DFU::CmdID::upload_OTP) << 0 << "";
        QTest::newRow("a download") << "older_revision" << int(DFU::CmdID::download_FW) << 0
                                    << "dfu-util: Warning: Invalid DFU suffix signature\n"
                                       "dfu-util: A valid DFU suffix will be required in a future dfu-util release\n";
        QTest::newRow("no unit") << "no_unit" << int(DFU::CmdID::upload_OTP) << 74
                                 << "dfu-util: No DFU capable USB device available\n";
    }

    void standard_error_holds_only_what_dfu_util_prints()
    {
        QFETCH(QString, config);
        QFETCH(int, command);
        QFETCH(int, code);
        QFETCH(QString, errors);
        SimulatorState state;
        QVERIFY(state.setup(config));
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        const auto id = static_cast<DFU::CmdID>(command);
        const QString file = id == DFU::CmdID::download_FW ? testsupport::embedded_firmware_path()
                                                            : state.path() + "/upload.bin";
        const DFU::Result result = DFU::run_command(id, {file});
        QCOMPARE(result.code, code);
        QCOMPARE(result.errors, errors);
    }

    // Pulled while blocks move: dfu-util ends as it does when the unit vanishes, and what was
    // moved until then stays moved.
    void unplugging_cuts_a_running_transfer_data()
    {
        QTest::addColumn<bool>("download");
        QTest::addColumn<QByteArray>("pulled_at");
        QTest::addColumn<QByteArray>("errors");
        QTest::newRow("download") << true << QByteArray("Download\t[==")
                                  << QByteArray("dfu-util: Warning: Invalid DFU suffix signature\n"
                                                "dfu-util: A valid DFU suffix will be required in a future dfu-util release\n"
                                                "dfu-util: dfuse_download: libusb_control_transfer returned -4 "
                                                "(LIBUSB_ERROR_NO_DEVICE)\n");
        QTest::newRow("upload") << false << QByteArray("Upload\t[=")
                                << QByteArray("dfu-util: dfuse_upload: libusb_control_transfer returned -4 "
                                              "(LIBUSB_ERROR_NO_DEVICE)\n");
    }

    void unplugging_cuts_a_running_transfer()
    {
        QFETCH(bool, download);
        QFETCH(QByteArray, pulled_at);
        QFETCH(QByteArray, errors);
        SimulatorState state;
        QVERIFY(state.setup("older_revision"));
        const QString serial = state.serial();
        const QByteArray before = testsupport::read_file(state.unit_dir() + "/flash.bin");
        const QString image = testsupport::embedded_firmware_path();
        const QString upload = state.path() + "/upload.bin";
        QStringList arguments{"--dfu-util-command", download ? "download_FW" : "upload_FW", "-d", "0483", "-a", "0", "-s"};
        arguments << (download ? QStringList{"0x08000000:leave", "-D", image}
                               : QStringList{"0x08000000:1048576", "-U", upload});
        QProcess transfer;
        transfer.start(testsupport::simulator_script(), arguments);
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += transfer.readAllStandardOutput()).contains(pulled_at), 60000);
        QVERIFY(state.run({"unplug"}));
        QVERIFY(transfer.waitForFinished(60000));
        QCOMPARE(transfer.exitCode(), 74);
        QCOMPARE(transfer.readAllStandardError(), errors);
        if (download) {
            const QByteArray flash = testsupport::read_file(state.path() + "/unplugged/" + serial + "/flash.bin");
            const QByteArray firmware = testsupport::read_file(image);
            QVERIFY(flash.startsWith(firmware.left(4096)));
            QVERIFY(flash.left(firmware.size()) != firmware);
        } else {
            const QByteArray read = testsupport::read_file(upload);
            QVERIFY(read.size() < before.size());
            QVERIFY(before.startsWith(read));
        }
    }

    void unplug_and_plug_from_a_terminal()
    {
        SimulatorState state;
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        QVERIFY(state.setup("current"));
        QCOMPARE(DFU::make_scan().code, 0);
        QVERIFY(state.run({"unplug"}));
        QCOMPARE(DFU::make_scan().devices.size(), 0);
        QVERIFY(state.run({"plug"}));
        QCOMPARE(DFU::make_scan().code, 0);
        QByteArray status;
        QVERIFY(state.run({"status"}, &status));
        QVERIFY(status.contains("configuration:   current"));
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
