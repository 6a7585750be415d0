#include "dfu/device_info.h"
#include "dfu/dfu_util.h"
#include "dfu/firmware_transfer.h"
#include "dfu/progress.h"
#include "files/files.h"
#include "test_support.h"

#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <memory>

using testsupport::EmulatorState;

namespace {

const QString serial = "305F38713437";

struct Run {
    int code = -1;
    QStringList found; // the listing's lines, without what differs between two enumerations
    QStringList progress;
    QByteArray file;
    QByteArray errors;
};

// One dfu-util command line, as the program would run it, against whatever answers; a file
// left over from an earlier upload when leftover is not empty.
Run run_program(const QString& program, const QStringList& arguments, const QString& file,
                const QByteArray& leftover = {})
{
    QFile::remove(file);
    if (!leftover.isEmpty())
        testsupport::write_file(file, leftover);
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    Run run;
    run.code = process.exitCode();
    run.file = testsupport::read_file(file);
    // Less what dfu-util says of the layout names' spacing, on every run that opens the unit.
    for (const QByteArray& line : process.readAllStandardError().split('\n'))
        if (!line.isEmpty() && !line.contains("Non-valid multiplier"))
            run.errors += line + '\n';
    QString last_bar;
    for (QString line : QString(process.readAllStandardOutput()).split(QRegularExpression("[\r\n]"))) {
        if (line.startsWith("Found"))
            run.found << line.replace(QRegularExpression("devnum=\\d+|path=\"[^\"]*\""), "");
        // dfu-util draws its bar again when a new second begins, with the same figure: once.
        const QString bar = line.section(']', 0, 0);
        if (DFU::parse_progress_line(line.toLatin1()).phase == DFU::Phase::none || bar == last_bar)
            continue;
        run.progress << line;
        last_bar = bar;
    }
    return run;
}

} // namespace

// The program's own code, running the dfu-util the program embeds, against an emulated
// STM32F4 bootloader behind the libusb it loads.
class TestEmulator final : public QObject {
    Q_OBJECT

    std::unique_ptr<EmulatorState> emu;

    QString desired() const { return Files::path_of(Files::desired_FW_fileName_bin); }
    QString uploaded() const { return Files::path_of(Files::uploaded_FW_fileName_bin); }

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::use_embedded_dfu_util());
        QVERIFY(Files::extract_resources({Files::desired_FW_bin}, true));
        // The embedded dfu-util loads the libusb beside it, not the system's.
        QProcess ldd;
        ldd.start("ldd", {DFU::dfu_util::full_path()});
        QVERIFY(ldd.waitForFinished(30000));
        const QString linked = ldd.readAllStandardOutput();
        QVERIFY2(linked.contains("libusb-1.0.so.0 => " + Files::external_dir().path() + "/libusb-1.0.so.0"),
                 qPrintable(linked));
    }

    void init()
    {
        emu = std::make_unique<EmulatorState>();
    }

    void cleanup()
    {
        emu.reset();
    }

    // Of two units, the one named by its serial is read and written; a serial that is not there
    // reads nothing.
    void a_unit_is_read_and_written_by_its_serial()
    {
        QVERIFY(emu->create(serial));
        QVERIFY(emu->create("3472385A3036", {"--otp", "0x04", "--type", "0x04", "--rev", "B3"}));
        QCOMPARE(DFU::make_scan().code, 1);
        DFU::DeviceInfo info;
        const DFU::DeviceItem item{serial, false, {}};
        QCOMPARE(DFU::read_device_info(&item, &info).code, 0);
        QCOMPARE(info.type, Device::Type::QUEL);
        QCOMPARE(info.FW_revision, QString("C8"));
        const DFU::DeviceItem other{"3472385A3037", false, {}};
        QCOMPARE(DFU::read_device_info(&other, &info).code, 74);

        const QByteArray before = testsupport::read_file(emu->unit_dir(serial) + "/flash.bin");
        QCOMPARE(DFU::download_FW_to_device(desired(), "3472385A3036"), 0);
        const QByteArray image = testsupport::read_file(desired());
        QCOMPARE(testsupport::read_file(emu->unit_dir("3472385A3036") + "/flash.bin").left(image.size()), image);
        QCOMPARE(testsupport::read_file(emu->unit_dir(serial) + "/flash.bin"), before);
        // One this user may not open is listed by dfu-util only on standard error: told as such.
        QVERIFY(!DFU::make_scan().access_denied);
        QVERIFY(emu->set(serial, {"open_denied=1"}));
        QVERIFY(DFU::make_scan().access_denied);
    }

    // A read-back cut short says nothing of the flash: never "differs".
    void a_short_read_back_is_no_check()
    {
        QVERIFY(emu->create(serial));
        QVERIFY(emu->set(serial, {"short_upload=1"}));
        const DFU::Check check = DFU::upload_and_check_FW_bin(desired(), uploaded());
        QCOMPARE(check.outcome, DFU::Check::not_made);
        QCOMPARE(check.reason_id, QString("reason_shortUpload"));
        QCOMPARE(check.argument.toInt(), DFU::size_of_binary_file(uploaded()));
        QVERIFY(check.argument.toInt() < 733656);
    }

    // The simulator stands in for this pair in most tests: it must answer as they do, on
    // standard error too, which the program logs as dfu-util's own words.
    void the_simulator_answers_as_dfu_util_does()
    {
        testsupport::SimulatorState sim;
        QVERIFY(sim.setup("current")); // the embedded image on a QUEL unit, on both sides
        const QString serial = sim.serial();
        QVERIFY(emu->create(serial));
        const QString file = Files::path_of("compare.bin");
        Run real;
        const auto compare = [&](const QString& word, const QStringList& arguments, const QByteArray& leftover = {}) {
            real = run_program(DFU::dfu_util::full_path(), arguments, file, leftover);
            const Run sim = run_program(testsupport::simulator_script(),
                                        QStringList{"--dfu-util-command", word, "--fast-progress"} + arguments, file,
                                        leftover);
            QCOMPARE(sim.code, real.code);
            QCOMPARE(sim.found, real.found);
            QCOMPARE(sim.file, real.file);
            QCOMPARE(sim.progress, real.progress);
            QCOMPARE(sim.errors, real.errors);
        };
        const QStringList upload{"-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U", file};
        const QStringList otp{"-d", "0483", "-a", "2", "-s", "0x1FFF7800:512", "-U", file};
        compare("list", {"-d", "0483", "-l"});
        QCOMPARE(real.found.size(), 4);
        compare("upload_OTP", otp);
        compare("upload_FW", upload);
        compare("upload_FW", {"-d", "0483", "-a", "0", "-s", "0x08000000:733656", "-U", file});
        compare("upload_FW", upload + QStringList{"-S", serial});
        compare("upload_FW", upload + QStringList{"-S", "0123456789AB"});
        QCOMPARE(real.code, 74);
        // A leftover upload file: both refuse it, and leave it as it was.
        compare("upload_FW", upload, "old");
        QCOMPARE(real.code, 73);
        QCOMPARE(real.file, QByteArray("old"));
        QFile::remove(file);
        // No unit: both fail the same way.
        QVERIFY(emu->run({"unplug", serial}));
        QVERIFY(sim.setup("no_unit"));
        compare("upload_OTP", otp);
        QCOMPARE(real.code, 74);
        // A download: the same progress, line for line, and the same warning of a file without suffix.
        QVERIFY(emu->run({"plug", serial}));
        QVERIFY(sim.setup("current"));
        compare("download_FW", {"-d", "0483", "-a", "0", "-s", "0x08000000:leave", "-D", desired()});
        QCOMPARE(real.code, 0);
        QCOMPARE(real.progress.size(), 2 * 26);
        QVERIFY(real.errors.contains("Invalid DFU suffix signature"));
    }
};

QTEST_GUILESS_MAIN(TestEmulator)
#include "tst_emulator.moc"
