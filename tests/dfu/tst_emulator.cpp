#include "dfu/device_info.h"
#include "dfu/dfu_util.h"
#include "dfu/firmware_transfer.h"
#include "dfu/progress.h"
#include "files/files.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QProcess>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <memory>

using Device::Type;
using testsupport::EmulatorState;

Q_DECLARE_METATYPE(Device::Type)

namespace {

const QString serial = "305F38713437";

struct Run {
    int code;
    QString out;
    qint64 size;
};

// One dfu-util command line, as the program would run it, against whatever answers.
Run run_program(const QString& program, const QStringList& prefix, const QStringList& arguments, const QString& file)
{
    QFile::remove(file);
    QProcess process;
    process.start(program, prefix + arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), QFileInfo(file).exists() ? QFileInfo(file).size() : -1};
}

// A list line with the values that may differ between two enumerations taken out.
QString form_of(const QString& line)
{
    return QString(line).replace(QRegularExpression("devnum=\\d+"), "devnum=N").replace(QRegularExpression("path=\"[^\"]*\""), "path=P");
}

// dfu-util's progress lines, as printed, each once it has ended. dfu-util also draws its bar
// again when a new second begins, with the same figure: only the first of those counts.
QStringList progress_lines(const QString& output)
{
    QStringList lines;
    QString last_bar;
    for (const QString& line : output.split(QRegularExpression("[\r\n]"))) {
        const QString bar = line.section(']', 0, 0);
        if (DFU::parse_progress_line(line.toLatin1()).phase == DFU::Phase::none || bar == last_bar)
            continue;
        lines << line;
        last_bar = bar;
    }
    return lines;
}

} // namespace

// The program's own code, running the dfu-util the program embeds, against an emulated
// STM32F4 bootloader behind the libusb it loads.
class TestEmulator final : public QObject {
    Q_OBJECT

    std::unique_ptr<EmulatorState> emu;

    QString desired() const { return Files::path_of(Files::desired_FW_fileName_bin); }
    QString uploaded() const { return Files::path_of(Files::uploaded_FW_fileName_bin); }
    QByteArray flash() const { return testsupport::read_file(emu->unit_dir() + "/flash.bin"); }

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::use_embedded_dfu_util());
        QVERIFY(Files::extract_resources({Files::desired_FW_bin}, true));
    }

    void init()
    {
        emu = std::make_unique<EmulatorState>();
    }

    void cleanup()
    {
        emu.reset();
    }

    void the_scan_finds_one_valid_unit()
    {
        QVERIFY(emu->create(serial, {"--rev", "C7", "--seed", "7"}));
        const DFU::ScanResult scan = DFU::make_scan();
        QCOMPARE(scan.code, 0);
        QCOMPARE(scan.devices.size(), 1);
        QCOMPARE(scan.devices.first().serial, serial);
        QVERIFY(DFU::dfu_util::execution_test());
    }

    void units_that_do_not_count_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("devices");
        QTest::newRow("two units") << "two" << 2;
        QTest::newRow("three interfaces") << "three" << 1;
        QTest::newRow("permission denied") << "denied" << 0;
        QTest::newRow("unplugged") << "unplugged" << 0;
    }

    void units_that_do_not_count()
    {
        QFETCH(QString, setup);
        QFETCH(int, devices);
        QVERIFY(emu->create(serial));
        if (setup == "two")
            QVERIFY(emu->create("3472385A3036"));
        if (setup == "three")
            QVERIFY(emu->set(serial, {"alts=3"}));
        if (setup == "denied")
            QVERIFY(emu->set(serial, {"open_denied=1"}));
        if (setup == "unplugged")
            QVERIFY(emu->run({"unplug", serial}));
        const DFU::ScanResult scan = DFU::make_scan();
        QCOMPARE(scan.code, 1);
        QCOMPARE(scan.devices.size(), devices);
        DFU::DeviceInfo info;
        const DFU::DeviceItem item{serial};
        // Named by its serial, one of two units can be read; nothing else reads.
        if (setup != "three")
            QCOMPARE(DFU::read_device_info(&item, &info).code, setup == "two" ? 0 : 74);
        const DFU::DeviceItem other{"3472385A3037"};
        QCOMPARE(DFU::read_device_info(&other, &info).code, 74);
    }

    void reading_units_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<Type>("type");
        QTest::addColumn<QString>("revision");
        QTest::addColumn<bool>("blank");
        QTest::addColumn<bool>("fw_valid");
        QTest::newRow("older revision") << QStringList{"--rev", "C7", "--seed", "7"} << Type::QUEL << "C7" << false
                                        << true;
        QTest::newRow("the embedded image") << QStringList{} << Type::QUEL << "C8" << false << true;
        QTest::newRow("another product") << QStringList{"--otp", "0x04", "--type", "0x04", "--rev", "B3"}
                                         << Type::KORV << "B3" << false << true;
        QTest::newRow("blank OTP") << QStringList{"--blank"} << Type::invalid << "" << true << false;
        QTest::newRow("OTP and firmware disagree") << QStringList{"--otp", "0x04"} << Type::KORV << "" << false
                                                   << false;
    }

    void reading_units()
    {
        QFETCH(QStringList, options);
        QFETCH(Type, type);
        QFETCH(QString, revision);
        QFETCH(bool, blank);
        QFETCH(bool, fw_valid);
        QVERIFY(emu->create(serial, options));
        const DFU::DeviceItem item{serial};
        DFU::DeviceInfo info;
        const DFU::Result result = DFU::read_device_info(&item, &info);
        QCOMPARE(result.code, 0);
        QVERIFY(info.valid);
        QCOMPARE(info.type, type);
        QCOMPARE(info.FW_revision, revision);
        QCOMPARE(info.OTP_info.blank, blank);
        QCOMPARE(info.FW_info.valid, fw_valid);
        QCOMPARE(QFileInfo(Files::path_of(Files::uploaded_OTP_fileName_bin)).size(), 512);
        QCOMPARE(QFileInfo(Files::path_of(Files::uploaded_FW_info_fileName_bin)).size(), 2048);
    }

    void download_then_verify()
    {
        QVERIFY(emu->create(serial, {"--rev", "C7", "--seed", "7"}));
        QVERIFY(emu->set(serial, {"leave_delay_ms=400"}));
        QVERIFY(!DFU::upload_and_check_FW_bin(desired(), uploaded()).flash_matches());
        QCOMPARE(DFU::download_FW_to_device(desired()), 0);
        // The unit has left DFU mode and comes back with its new firmware.
        QCOMPARE(DFU::make_scan().code, 1);
        QTRY_COMPARE_WITH_TIMEOUT(DFU::make_scan().code, 0, 10000);
        QVERIFY(DFU::upload_and_check_FW_bin(desired(), uploaded()).flash_matches());
        QCOMPARE(flash().left(733656), testsupport::read_file(desired()));
        // Only the sectors the image covers were erased: 0x08000000 to 0x080BFFFF.
        QCOMPARE(flash().mid(0xC0000), QByteArray(1024 * 1024 - 0xC0000, '\xff'));
        const DFU::DeviceItem item{serial};
        QCOMPARE(DFU::read_FW_Info(&item).revision, QString("C8"));
    }

    void faults_during_a_download_data()
    {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<bool>("download_fails");
        QTest::addColumn<bool>("verified_after");
        QTest::newRow("gone mid-erase") << QStringList{"vanish_on=erase", "vanish_after=3"} << true << false;
        QTest::newRow("gone mid-write") << QStringList{"vanish_on=write", "vanish_after=150"} << true << false;
        QTest::newRow("erase error") << QStringList{"erase_error=1"} << true << false;
        QTest::newRow("write error") << QStringList{"write_error=1"} << true << false;
        QTest::newRow("stays busy") << QStringList{"busy=1"} << true << false;
        // Many real units vanish before answering the leave request: the flash is complete.
        QTest::newRow("gone at the leave status") << QStringList{"vanish_on=leave", "vanish_after=0"} << true << true;
    }

    void faults_during_a_download()
    {
        QFETCH(QStringList, settings);
        QFETCH(bool, download_fails);
        QFETCH(bool, verified_after);
        QVERIFY(emu->create(serial, {"--rev", "C7", "--seed", "7"}));
        QVERIFY(emu->set(serial, settings));
        QCOMPARE(DFU::download_FW_to_device(desired()) != 0, download_fails);
        // The user restarts the unit in DFU mode; the fault is gone.
        QVERIFY(emu->run({"plug", serial}));
        QVERIFY(emu->set(serial, {"vanish_on=none", "erase_error=0", "write_error=0", "busy=0"}));
        QCOMPARE(DFU::make_scan().code, 0);
        QCOMPARE(DFU::upload_and_check_FW_bin(desired(), uploaded()).flash_matches(), verified_after);
    }

    void faults_during_uploads()
    {
        QVERIFY(emu->create(serial));
        QVERIFY(DFU::upload_and_check_FW_bin(desired(), uploaded()).flash_matches());

        // A read-back that could not be made says nothing of the flash: never "differs".
        QVERIFY(emu->set(serial, {"short_upload=1"}));
        DFU::Check check = DFU::upload_and_check_FW_bin(desired(), uploaded());
        QCOMPARE(check.outcome, DFU::Check::not_made);
        QCOMPARE(check.reason_id, QString("reason_shortUpload"));
        QCOMPARE(check.argument.toInt(), DFU::size_of_binary_file(uploaded()));
        QVERIFY(check.argument.toInt() < 733656);

        QVERIFY(emu->set(serial, {"short_upload=0", "vanish_on=upload", "vanish_after=40"}));
        check = DFU::upload_and_check_FW_bin(desired(), uploaded());
        QCOMPARE(check.outcome, DFU::Check::not_made);
        QCOMPARE(check.reason_id + " " + check.argument, QString("reason_uploadFailed 74"));
        QCOMPARE(DFU::make_scan().code, 1);

        QVERIFY(emu->run({"plug", serial}));
        QVERIFY(emu->set(serial, {"vanish_on=upload", "vanish_after=0"}));
        DFU::DeviceInfo info;
        const DFU::DeviceItem item{serial};
        const DFU::Result result = DFU::read_device_info(&item, &info);
        QCOMPARE(result.code, 74);
        QVERIFY(!info.valid);
    }

    void the_simulator_answers_as_dfu_util_does()
    {
        // The same unit on both sides: the embedded image on a QUEL unit.
        testsupport::SimulatorState sim;
        QVERIFY(sim.setup("current"));
        const QString serial = sim.serial();
        QVERIFY(emu->create(serial));
        const QString real = DFU::dfu_util::full_path();
        const QString script = testsupport::simulator_script();
        const QString file = Files::path_of("compare.bin");

        const auto both = [&](const QStringList& word, const QStringList& arguments) {
            const Run a = run_program(real, {}, arguments, file);
            const QByteArray a_bytes = testsupport::read_file(file);
            const Run b = run_program(script, QStringList{"--dfu-util-command"} + word + QStringList{"--fast-progress"},
                                      arguments, file);
            return std::make_tuple(a, b, a_bytes, testsupport::read_file(file));
        };

        const auto [list_real, list_sim, _a, _b] = both({"list"}, {"-d", "0483", "-l"});
        QCOMPARE(list_sim.code, list_real.code);
        QStringList real_lines = list_real.out.split('\n').filter("Found");
        QStringList sim_lines = list_sim.out.split('\n').filter("Found");
        std::transform(real_lines.begin(), real_lines.end(), real_lines.begin(), form_of);
        std::transform(sim_lines.begin(), sim_lines.end(), sim_lines.begin(), form_of);
        QCOMPARE(sim_lines, real_lines);
        QVERIFY(list_sim.out.startsWith(DFU::dfu_util::expected_output_of_execution_test));
        QVERIFY(list_real.out.startsWith(DFU::dfu_util::expected_output_of_execution_test));

        const QList<QPair<QString, QStringList>> uploads = {
            {"upload_OTP", {"-d", "0483", "-a", "2", "-s", "0x1FFF7800:512", "-U", file}},
            {"upload_FW", {"-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U", file}},
            {"upload_FW", {"-d", "0483", "-a", "0", "-s", "0x08000000:733656", "-U", file}},
            {"upload_FW", {"-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U", file, "-S", serial}},
            {"upload_FW", {"-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U", file, "-S", "0123456789AB"}},
        };
        for (const auto& [word, arguments] : uploads) {
            const auto [r, s, r_bytes, s_bytes] = both({word}, arguments);
            QCOMPARE(s.code, r.code);
            QCOMPARE(s.size, r.size);
            QCOMPARE(s_bytes, r_bytes);
            QCOMPARE(progress_lines(s.out), progress_lines(r.out));
        }

        // A leftover upload file: both refuse it.
        testsupport::write_file(file, "old");
        QProcess a;
        a.start(real, {"-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U", file});
        a.waitForFinished(30000);
        QProcess b;
        b.start(script, {"--dfu-util-command", "upload_FW", "-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U", file});
        b.waitForFinished(30000);
        QCOMPARE(b.exitCode(), a.exitCode());

        // No unit: both fail the same way.
        QVERIFY(emu->run({"unplug", serial}));
        QVERIFY(sim.setup("no_unit"));
        const auto [none_real, none_sim, _c, _d]
            = both({"upload_OTP"}, {"-d", "0483", "-a", "2", "-s", "0x1FFF7800:512", "-U", file});
        QCOMPARE(none_real.code, 74);
        QCOMPARE(none_sim.code, none_real.code);
        QCOMPARE(none_sim.size, none_real.size);

        // A download: the same progress, line for line.
        QVERIFY(emu->run({"plug", serial}));
        QVERIFY(sim.setup("current"));
        const QStringList download{"-d", "0483", "-a", "0", "-s", "0x08000000:leave", "-D", desired()};
        const Run real_download = run_program(real, {}, download, file);
        const Run sim_download = run_program(script, {"--dfu-util-command", "download_FW", "--fast-progress"}, download, file);
        QCOMPARE(real_download.code, 0);
        QCOMPARE(sim_download.code, 0);
        QCOMPARE(progress_lines(sim_download.out), progress_lines(real_download.out));
        QCOMPARE(progress_lines(real_download.out).size(), 2 * 26);
    }

    // What the program makes of the real dfu-util's progress, as it arrives.
    void real_progress_through_the_runner()
    {
        QVERIFY(emu->create(serial, {"--rev", "C7", "--seed", "7"}));
        struct Watcher : DFU::RunObserver {
            DFU::ProgressParser parser;
            QVector<DFU::Progress> seen;
            void output(DFU::CmdID, const QByteArray& bytes) override { seen += parser.feed(bytes); }
        } watcher;
        DFU::set_run_observer(&watcher);
        const int downloaded = DFU::download_FW_to_device(desired(), serial);
        QVERIFY(emu->run({"plug", serial}));
        const bool verified = DFU::upload_and_check_FW_bin(desired(), uploaded(), serial).flash_matches();
        DFU::set_run_observer(nullptr);
        QCOMPARE(downloaded, 0);
        QVERIFY(verified);
        QMap<DFU::Phase, QVector<int>> by_phase;
        for (const DFU::Progress& p : watcher.seen)
            if (by_phase[p.phase].isEmpty() || by_phase[p.phase].last() != p.percent)
                by_phase[p.phase] << p.percent;
        QCOMPARE(by_phase.keys(), (QList<DFU::Phase>{DFU::Phase::erasing, DFU::Phase::writing, DFU::Phase::reading}));
        for (const QVector<int>& percents : by_phase) {
            QVERIFY(percents.size() >= 26); // one a bar step, and more where a new second began
            QCOMPARE(percents.first(), 0);
            QCOMPARE(percents.last(), 100);
            QVERIFY(std::is_sorted(percents.begin(), percents.end()));
        }
    }

    // Serials need not be unique: a unit of another product that reports the serial of the
    // one judged, swapped in between the judgement and the click, is read and judged anew.
    void another_unit_behind_the_same_serial()
    {
        QVERIFY(emu->create(serial, {"--rev", "C7", "--seed", "7"}));
        QTemporaryDir stage;
        QProcess make;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELMORA_EMU_DIR", stage.path());
        make.setProcessEnvironment(env);
        make.start(EMULATOR_COMMAND, {"create", serial, "--otp", "0x04", "--type", "0x04", "--name", "Korvid",
                                      "--rev", "B3", "--seed", "4"});
        QVERIFY(make.waitForFinished(60000) && make.exitCode() == 0);
        const QByteArray korv_flash = testsupport::read_file(stage.path() + "/units/" + serial + "/flash.bin");

        testsupport::Machines machines;
        SM_B& machine = machines.machine;
        const QStringList& states = machines.states;
        testsupport::LogCapture log;
        machines.start();
        QTRY_COMPARE_WITH_TIMEOUT(states, (QStringList{"B1", "B2"}), 20000);
        // File by file, each in one step: the unit never looks gone or doubled to a scan.
        for (const char* file : {"/otp.bin", "/flash.bin"})
            QCOMPARE(std::rename(QFile::encodeName(stage.path() + "/units/" + serial + file).constData(),
                                 QFile::encodeName(emu->unit_dir() + file).constData()),
                     0);
        machine.do_download();
        QTRY_VERIFY_WITH_TIMEOUT(states.endsWith("B8"), 30000);
        QCOMPARE(states, (QStringList{"B1", "B2", "B3", "B1", "B8"}));
        QVERIFY(log.contains("The unit is not the one that was judged"));
        QCOMPARE(machines.worker_signals.count("FwDownloading"), 0);
        QCOMPARE(flash(), korv_flash);
        QVERIFY(machines.stop());
    }
};

QTEST_GUILESS_MAIN(TestEmulator)
#include "tst_emulator.moc"
