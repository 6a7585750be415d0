#include "dfu/device_info.h"
#include "dfu/dfu_util.h"
#include "dfu/firmware_transfer.h"
#include "dfu/progress.h"
#include "files/files.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using testsupport::EmulatorState;
using testsupport::SimulatorState;

namespace {

const QString serial = "305F38713437";

struct Run {
    int code = -1;
    QStringList output; // the listing's lines less what differs between two enumerations, and the bars
    QByteArray file;
    QByteArray errors;
};

// One command line, as the program would run it, against whatever answers; a file left over
// from an earlier upload when leftover is not empty.
Run run_program(const QString& program, const QStringList& arguments, const QString& file = {},
                const QByteArray& leftover = {})
{
    QFile::remove(file);
    if (!leftover.isEmpty())
        testsupport::write_file(file, leftover);
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        process.kill(); // a script that loops for ever fails here, not by the test's time-out
    process.waitForFinished();
    Run run;
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.file = testsupport::read_file(file);
    // Less what dfu-util says of the layout names' spacing, on every run that opens the unit.
    for (const QByteArray& line : process.readAllStandardError().split('\n'))
        if (!line.isEmpty() && !line.contains("Non-valid multiplier"))
            run.errors += line + '\n';
    QString last_bar;
    for (QString line : QString(process.readAllStandardOutput()).split(QRegularExpression("[\r\n]"))) {
        if (line.startsWith("Found"))
            run.output << line.replace(QRegularExpression("devnum=\\d+|path=\"[^\"]*\""), "");
        // dfu-util draws its bar again when a new second begins, with the same figure: once.
        const QString bar = line.section(']', 0, 0);
        if (DFU::parse_progress_line(line.toLatin1()).phase == DFU::Phase::none || bar == last_bar)
            continue;
        run.output << line;
        last_bar = bar;
    }
    return run;
}

} // namespace

// The simulator script that stands in for dfu-util and its units (-s, and most tests of the
// program), and the program's own code running the dfu-util it embeds against an emulated
// STM32F4 bootloader behind the libusb it loads.
class TestEmulator final : public QObject {
    Q_OBJECT

    std::map<DFU::CmdID, DFU::Command> saved;

    QString desired() const { return Files::path_of(Files::desired_FW_fileName_bin); }

private slots:
    void initTestCase()
    {
        saved = DFU::commands;
        QVERIFY(Files::extract_resources({Files::desired_FW_bin}, true));
    }

    // The embedded dfu-util, unless a test sets the program up as -s does.
    void init()
    {
        DFU::commands = saved;
        QVERIFY(testsupport::use_embedded_dfu_util());
    }

    void every_simulated_configuration_loads()
    {
        SimulatorState state;
        QByteArray names;
        QVERIFY(state.run({"configs"}, &names));
        const QStringList configs = QString(names).split('\n', Qt::SkipEmptyParts);
        QVERIFY(configs.size() >= 11);
        for (const QString& config : configs)
            QVERIFY2(state.setup(config), qPrintable(config));
        // The state is the user's alone, whatever the folder was.
        QFile::setPermissions(state.path(), QFile::permissions(state.path()) | QFile::ReadOther | QFile::ExeOther);
        QVERIFY(state.setup("current"));
        QCOMPARE(QFile::permissions(state.path()) & 0x0077, QFile::Permissions());
        // Through the runner, as -s with a configuration does, also after a set-up before.
        simulator::setup_for_simulated_dfu_util(simulator::standard);
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        DFU::Command::path.clear();
        QCOMPARE(simulator::sim_setup_prepared_config("current"), 0);
        QCOMPARE(simulator::sim_setup_prepared_config("../../etc"), 64);
    }

    // Calls the script refuses as dfu-util refuses a usage fault, touching nothing: malformed
    // ones, and any call when the state folder is not the user's own.
    void refused_simulator_calls_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("folder"); // "": the user's own; "link", "owner": not
        const auto row = [](const char* name, const QString& arguments, const char* folder = "") {
            QTest::newRow(name) << arguments << folder;
        };
        row("unknown word", "--dfu-util-command erase_all");
        row("download elsewhere", "--dfu-util-command download_FW -a 0 -s 0x08004000:leave -D /etc/hostname");
        row("a state folder that is a symbolic link", "setup_prepared_config current", "link");
        row("another user's state folder", "setup_prepared_config current", "owner");
    }

    void refused_simulator_calls()
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
        const Run run
            = run_program(testsupport::simulator_script(), arguments.split(' ', Qt::SkipEmptyParts));
        qputenv("VELMORA_SIM_DIR", state.path().toUtf8());
        QCOMPARE(run.code, 64);
        QVERIFY(folder.isEmpty() ? !run.errors.isEmpty() : run.errors.contains("refusing the state folder"));
        QVERIFY(QDir(elsewhere.path()).isEmpty());
        QCOMPARE(QDir(state.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (folder.isEmpty() ? QStringList{"config", "units"} : QStringList{"config", "state", "units"}));
    }

    // A simulated unit pulled while a write moves blocks: the script ends as dfu-util does when
    // the unit vanishes. (Reads end in the same loop, with their own line.)
    void unplugging_cuts_a_simulated_write()
    {
        SimulatorState state;
        QVERIFY(state.setup("older_revision"));
        const QString image = testsupport::embedded_firmware_path();
        QProcess transfer;
        transfer.start(testsupport::simulator_script(), {"--dfu-util-command", "download_FW", "-d", "0483", "-a", "0",
                                                         "-s", "0x08000000:leave", "-D", image});
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += transfer.readAllStandardOutput()).contains("Download\t[=="), 60000);
        QVERIFY(state.run({"unplug"}));
        QVERIFY(transfer.waitForFinished(60000));
        QCOMPARE(transfer.exitCode(), 74);
        QVERIFY(transfer.readAllStandardError().endsWith(
            "dfu-util: dfuse_download: libusb_control_transfer returned -4 (LIBUSB_ERROR_NO_DEVICE)\n"));
    }

    // Of two units, the one named by its serial is read, written and read back; a read-back cut
    // short says nothing of the flash: never "differs".
    void a_unit_is_read_and_written_by_its_serial()
    {
        EmulatorState emu;
        QVERIFY(emu.create(serial));
        QVERIFY(emu.create("3472385A3036", {"--otp", "0x04", "--type", "0x04", "--rev", "B3"}));
        DFU::DeviceInfo info;
        const DFU::DeviceItem item{serial, false, {}};
        QCOMPARE(DFU::read_device_info(&item, &info).code, 0);
        QCOMPARE(info.type, Device::Type::QUEL);

        const QByteArray before = testsupport::read_file(emu.unit_dir(serial) + "/flash.bin");
        QCOMPARE(DFU::download_FW_to_device(desired(), "3472385A3036"), 0);
        const QByteArray image = testsupport::read_file(desired());
        QCOMPARE(testsupport::read_file(emu.unit_dir("3472385A3036") + "/flash.bin").left(image.size()), image);
        QCOMPARE(testsupport::read_file(emu.unit_dir(serial) + "/flash.bin"), before);
        QVERIFY(emu.set(serial, {"short_upload=1"}));
        const QString uploaded = Files::path_of(Files::uploaded_FW_fileName_bin);
        const DFU::Check check = DFU::upload_and_check_FW_bin(desired(), uploaded, serial);
        QCOMPARE(check.outcome, DFU::Check::not_made);
        QCOMPARE(check.reason_id, QString("reason_shortUpload"));
        QCOMPARE(check.argument.toInt(), DFU::size_of_binary_file(uploaded));
        // One this user may not open is listed by dfu-util only on standard error: told as such.
        QVERIFY(!DFU::make_scan().access_denied);
        QVERIFY(emu.set(serial, {"open_denied=1"}));
        QVERIFY(DFU::make_scan().access_denied);
    }

    // The simulator stands in for this pair in most tests: it must answer as they do, on
    // standard error too, which the program logs as dfu-util's own words.
    void the_simulator_answers_as_dfu_util_does()
    {
        testsupport::SimulatorState sim;
        QVERIFY(sim.setup("current")); // the embedded image on a QUEL unit, on both sides
        const QString serial = sim.serial();
        EmulatorState emu;
        QVERIFY(emu.create(serial));
        const QString file = Files::path_of("compare.bin");
        Run real;
        const auto compare = [&](const QString& word, const QStringList& arguments, const QByteArray& leftover = {}) {
            real = run_program(DFU::dfu_util::full_path(), arguments, file, leftover);
            const Run sim = run_program(testsupport::simulator_script(),
                                        QStringList{"--dfu-util-command", word, "--fast-progress"} + arguments, file,
                                        leftover);
            QCOMPARE(sim.code, real.code);
            QCOMPARE(sim.file, real.file);
            QCOMPARE(sim.output, real.output);
            QCOMPARE(sim.errors, real.errors);
        };
        const QStringList upload{"-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U", file};
        const QStringList otp{"-d", "0483", "-a", "2", "-s", "0x1FFF7800:512", "-U", file};
        compare("list", {"-d", "0483", "-l"});
        QCOMPARE(real.output.filter("Found DFU").size(), 4);
        compare("upload_OTP", otp);
        compare("upload_FW", {"-d", "0483", "-a", "0", "-s", "0x08000000:733656", "-U", file, "-S", serial});
        compare("upload_FW", upload + QStringList{"-S", "0123456789AB"});
        QCOMPARE(real.code, 74);
        // A leftover upload file: both refuse it, and leave it as it was.
        compare("upload_FW", upload, "old");
        QCOMPARE(real.code, 73);
        QCOMPARE(real.file, QByteArray("old"));
        // No unit: both fail the same way.
        QVERIFY(emu.run({"unplug", serial}));
        QVERIFY(sim.setup("no_unit"));
        compare("upload_OTP", otp);
        QCOMPARE(real.code, 74);
        // A download: the same progress, line for line, and the same warning of a file without suffix.
        QVERIFY(emu.run({"plug", serial}));
        QVERIFY(sim.setup("current"));
        compare("download_FW", {"-d", "0483", "-a", "0", "-s", "0x08000000:leave", "-D", desired()});
        QCOMPARE(real.code, 0);
        QCOMPARE(real.output.size(), 2 * 26);
        QVERIFY(real.errors.contains("Invalid DFU suffix signature"));
    }
};

QTEST_GUILESS_MAIN(TestEmulator)
#include "tst_emulator.moc"
