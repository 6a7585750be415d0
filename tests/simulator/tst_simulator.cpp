#include "dfu/dfu_util.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QDir>
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
    QByteArray err;
};

Run script(const QStringList& arguments)
{
    QProcess process;
    process.start(testsupport::simulator_script(), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill(); // a script that loops for ever fails here, not by the test's time-out
        process.waitForFinished();
        return {-2, {}};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardError()};
}

const QByteArray suffix_warning = "dfu-util: Warning: Invalid DFU suffix signature\n"
                                  "dfu-util: A valid DFU suffix will be required in a future dfu-util release\n";

} // namespace

Q_DECLARE_METATYPE(DFU::CmdID)

// The script that stands in for dfu-util and its units: -s, and most tests of the program.
class TestSimulator final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
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
        // Through the runner, as -s with a configuration does.
        LogCapture log;
        QVERIFY(simulator::sim_setup_prepared_config("no_such_config") != 0);
        QVERIFY(log.contains("Failed to setup simulation config  \"no_such_config\" with code 64"));
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

    void malformed_calls_are_rejected_data()
    {
        QTest::addColumn<QString>("arguments");
        const auto row = [](const char* name, const QString& arguments) { QTest::newRow(name) << arguments; };
        row("no word", "");
        row("unknown word", "--dfu-util-command erase_all");
        row("word missing", "--dfu-util-command");
        row("version without -V", "--dfu-util-command version");
        row("list with odd arguments", "--dfu-util-command list -l");
        row("upload without -U", "--dfu-util-command upload_FW -d 0483 -a 0 -s 0x08000000:16");
        row("upload with a bad range", "--dfu-util-command upload_FW -a 0 -s 0x08000000 -U /tmp/x");
        row("upload with an unknown option", "--dfu-util-command upload_FW -R");
        row("download elsewhere", "--dfu-util-command download_FW -a 0 -s 0x08004000:leave -D /etc/hostname");
        row("an option without its value", "--dfu-util-command upload_FW -a");
        row("-S without a serial", "--dfu-util-command upload_FW -a 0 -s 0x08000000:16 -U /tmp/x -S");
        row("config without a name", "setup_prepared_config");
        row("unknown config", "setup_prepared_config ../../etc");
    }

    void malformed_calls_are_rejected()
    {
        QFETCH(QString, arguments);
        SimulatorState state;
        QVERIFY(state.setup("current"));
        const Run run = script(arguments.split(' ', Qt::SkipEmptyParts));
        QVERIFY(run.code != 0);
        QVERIFY(!run.err.isEmpty());
        // Nothing but the state directory's own content.
        QCOMPARE(QDir(state.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), (QStringList{"config", "units"}));
    }

    // The program logs standard error as dfu-util's own words, and its runner leaves SIGPIPE
    // ignored in the child, where a tool cut off by a pipe complains of it.
    void standard_error_holds_only_what_dfu_util_prints_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<DFU::CmdID>("id");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("errors");
        QTest::newRow("a flash block read") << "current" << DFU::CmdID::upload_FW_Info << 0 << "";
        QTest::newRow("the OTP area read") << "current" << DFU::CmdID::upload_OTP << 0 << "";
        QTest::newRow("a download") << "older_revision" << DFU::CmdID::download_FW << 0 << QString(suffix_warning);
        QTest::newRow("no unit") << "no_unit" << DFU::CmdID::upload_OTP << 74
                                 << "dfu-util: No DFU capable USB device available\n";
    }

    void standard_error_holds_only_what_dfu_util_prints()
    {
        QFETCH(QString, config);
        QFETCH(DFU::CmdID, id);
        QFETCH(int, code);
        QFETCH(QString, errors);
        SimulatorState state;
        QVERIFY(state.setup(config));
        const QString file = id == DFU::CmdID::download_FW ? testsupport::embedded_firmware_path()
                                                            : state.path() + "/upload.bin";
        const DFU::Result result = DFU::run_command(id, {file});
        QCOMPARE(result.code, code);
        QCOMPARE(result.errors, errors);
    }

    // Pulled while blocks move: dfu-util ends as it does when the unit vanishes, and what was
    // moved until then stays moved; plugged in again, the unit is back as it was left.
    void unplugging_cuts_a_running_transfer_data()
    {
        QTest::addColumn<bool>("download");
        QTest::addColumn<QByteArray>("pulled_at");
        QTest::addColumn<QByteArray>("errors");
        const QByteArray gone = "libusb_control_transfer returned -4 (LIBUSB_ERROR_NO_DEVICE)\n";
        QTest::newRow("download") << true << QByteArray("Download\t[==") << suffix_warning + "dfu-util: dfuse_download: " + gone;
        QTest::newRow("upload") << false << QByteArray("Upload\t[=") << "dfu-util: dfuse_upload: " + gone;
    }

    void unplugging_cuts_a_running_transfer()
    {
        QFETCH(bool, download);
        QFETCH(QByteArray, pulled_at);
        QFETCH(QByteArray, errors);
        SimulatorState state;
        QVERIFY(state.setup("older_revision"));
        const QString flash_file = state.unit_dir() + "/flash.bin";
        const QByteArray before = testsupport::read_file(flash_file);
        const QByteArray image = testsupport::read_file(testsupport::embedded_firmware_path());
        const QString upload = state.path() + "/upload.bin";
        QProcess transfer;
        transfer.start(testsupport::simulator_script(),
                       QStringList{"--dfu-util-command", download ? "download_FW" : "upload_FW", "-d", "0483", "-a", "0",
                                   "-s"}
                           + (download ? QStringList{"0x08000000:leave", "-D", testsupport::embedded_firmware_path()}
                                       : QStringList{"0x08000000:1048576", "-U", upload}));
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += transfer.readAllStandardOutput()).contains(pulled_at), 60000);
        QVERIFY(state.run({"unplug"}));
        QVERIFY(transfer.waitForFinished(60000));
        QCOMPARE(transfer.exitCode(), 74);
        QCOMPARE(transfer.readAllStandardError(), errors);
        QCOMPARE(DFU::make_scan().devices.size(), 0);
        QVERIFY(state.run({"plug"}));
        QCOMPARE(DFU::make_scan().code, 0);
        const QByteArray flash = testsupport::read_file(flash_file);
        if (download) {
            QVERIFY(flash.startsWith(image.left(4096)));
            QVERIFY(flash.left(image.size()) != image);
        } else {
            const QByteArray read = testsupport::read_file(upload);
            QVERIFY(read.size() < before.size());
            QVERIFY(before.startsWith(read));
            QCOMPARE(flash, before);
        }
        QByteArray status;
        QVERIFY(state.run({"status"}, &status));
        QVERIFY(status.contains("configuration:   older_revision"));
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
