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

} // namespace

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

    // Calls the script refuses as dfu-util refuses a usage fault, touching nothing: malformed
    // ones, and any call when the state folder is not the user's own.
    void refused_calls_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("folder"); // "": the user's own; "link", "owner": not
        const auto row = [](const char* name, const QString& arguments, const char* folder = "") {
            QTest::newRow(name) << arguments << folder;
        };
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
        row("config without a name", "setup_prepared_config");
        row("unknown config", "setup_prepared_config ../../etc");
        row("a state folder that is a symbolic link", "setup_prepared_config current", "link");
        row("another user's state folder", "setup_prepared_config current", "owner");
    }

    void refused_calls()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, folder);
        SimulatorState state;
        QVERIFY(state.setup("current"));
        QTemporaryDir elsewhere;
        const QString other = state.path() + "/state";
        if (folder == "link") {
            QVERIFY(QFile::link(elsewhere.path(), other));
        } else if (folder == "owner") {
            QVERIFY(QDir().mkpath(other));
            if (::chown(QFile::encodeName(other).constData(), 65534, 65534) != 0)
                QSKIP("giving a folder to another user needs root");
        }
        if (!folder.isEmpty())
            qputenv("VELMORA_SIM_DIR", other.toUtf8());
        const Run run = script(arguments.split(' ', Qt::SkipEmptyParts));
        qputenv("VELMORA_SIM_DIR", state.path().toUtf8());
        QCOMPARE(run.code, 64);
        QVERIFY(folder.isEmpty() ? !run.err.isEmpty() : run.err.contains("refusing the state folder"));
        QVERIFY(QDir(elsewhere.path()).isEmpty());
        QCOMPARE(QDir(state.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (folder.isEmpty() ? QStringList{"config", "units"} : QStringList{"config", "state", "units"}));
    }

    // Pulled while blocks move: dfu-util ends as it does when the unit vanishes, and what was
    // moved until then stays moved; plugged in again, the unit is back as it was left.
    void unplugging_cuts_a_running_transfer_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QByteArray>("pulled_at");
        QTest::newRow("download") << "download" << QByteArray("Download\t[==");
        QTest::newRow("upload") << "upload" << QByteArray("Upload\t[=");
    }

    void unplugging_cuts_a_running_transfer()
    {
        QFETCH(QString, verb);
        QFETCH(QByteArray, pulled_at);
        const bool download = verb == "download";
        SimulatorState state;
        QVERIFY(state.setup("older_revision"));
        const QString flash_file = state.unit_dir() + "/flash.bin";
        const QByteArray before = testsupport::read_file(flash_file);
        const QString upload = state.path() + "/upload.bin";
        QProcess transfer;
        transfer.start(testsupport::simulator_script(),
                       {"--dfu-util-command", verb + "_FW", "-d", "0483", "-a", "0", "-s",
                        download ? "0x08000000:leave" : "0x08000000:1048576", download ? "-D" : "-U",
                        download ? testsupport::embedded_firmware_path() : upload});
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += transfer.readAllStandardOutput()).contains(pulled_at), 60000);
        QVERIFY(state.run({"unplug"}));
        QVERIFY(transfer.waitForFinished(60000));
        QCOMPARE(transfer.exitCode(), 74);
        QVERIFY(transfer.readAllStandardError().endsWith(
            "dfu-util: dfuse_" + verb.toLatin1() + ": libusb_control_transfer returned -4 (LIBUSB_ERROR_NO_DEVICE)\n"));
        QCOMPARE(DFU::make_scan().devices.size(), 0);
        QVERIFY(state.run({"plug"}));
        QCOMPARE(DFU::make_scan().code, 0);
        const QByteArray flash = testsupport::read_file(flash_file);
        if (download) {
            const QByteArray image = testsupport::read_file(testsupport::embedded_firmware_path());
            QVERIFY(flash.startsWith(image.left(4096)));
            QVERIFY(flash.left(image.size()) != image);
        } else {
            const QByteArray read = testsupport::read_file(upload);
            QVERIFY(read.size() < before.size() && before.startsWith(read));
            QCOMPARE(flash, before);
        }
        QByteArray status;
        QVERIFY(state.run({"status"}, &status));
        QVERIFY(status.contains("configuration:   older_revision"));
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
