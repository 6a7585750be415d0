#include "files/files.h"
#include "files/support_misc.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::LogCapture;

namespace {

// Hands the path to the unprivileged user "nobody"; false where that takes root.
bool give_to_nobody(const QString& path)
{
    const passwd* nobody = ::getpwnam("nobody");
    return nobody && ::lchown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid) == 0;
}

// What check answers for a user other than root: root may use any folder, and the suite
// runs as root on CI, where the folders of an ordinary user would go untested.
bool as_ordinary_user(const std::function<bool()>& check)
{
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody)
        return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(nobody->pw_gid) == 0 && ::setuid(nobody->pw_uid) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QStringList working_folders(const QString& base)
{
    return QDir(base).entryList({"upgrade_*"}, QDir::AllEntries | QDir::Hidden | QDir::System);
}

// The real program, started with its temporary folder in base, once it has unpacked into its
// working folder (which it does after clearing what ended runs left); the folder's name.
QString start_run(QProcess& run, const QString& base)
{
    const QStringList before = working_folders(base);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", base);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
    run.setProcessEnvironment(env);
    run.start(QString(BUILD_DIR) + "/velmora-fw-upgrade", {"-l"});
    for (int i = 0; i < 600 && run.state() != QProcess::NotRunning; ++i) {
        for (const QString& name : working_folders(base))
            if (!before.contains(name) && QFileInfo::exists(base + "/" + name + "/firmware.bin"))
                return name;
        QTest::qWait(50);
    }
    return {};
}

void end_run(QProcess& run)
{
    if (run.state() != QProcess::NotRunning) {
        run.kill();
        run.waitForFinished(10000);
    }
}

} // namespace

class TestFiles final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        // Each case starts from an empty working directory. Without one, QDir would list the
        // current folder.
        if (!Files::external_dir().isValid())
            return;
        for (const QFileInfo& entry : QDir(Files::external_dir().path()).entryInfoList(QDir::Files)) {
            QFile::setPermissions(entry.filePath(), QFile::ReadOwner | QFile::WriteOwner);
            QFile::remove(entry.filePath());
        }
    }

    // Where another user could swap the working folder (and the dfu-util in it) between the check
    // and the run, none is made.
    void only_a_safe_base_folder_is_used_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("nobodys");
        QTest::addColumn<int>("parent_mode"); // of a folder the base lies in; 0: none
        QTest::addColumn<bool>("linked");     // the base named through a link beside it
        QTest::addColumn<bool>("safe");
        QTest::newRow("own, private") << 0700 << false << 0 << false << true;
        QTest::newRow("own, writable by all") << 0777 << false << 0 << false << false;
        QTest::newRow("own, writable by the group") << 0770 << false << 0 << false << false;
        QTest::newRow("own, writable by all but sticky") << 01777 << false << 0 << false << true;
        QTest::newRow("another user's") << 0700 << true << 0 << false << false;
        QTest::newRow("another user's, sticky") << 01777 << true << 0 << false << false;
        QTest::newRow("in a folder writable by all") << 0700 << false << 0777 << false << false;
        QTest::newRow("in a sticky folder") << 0700 << false << 01777 << false << true;
        QTest::newRow("a link to a private one") << 0700 << false << 0 << true << true;
        QTest::newRow("a link to one writable by all") << 0777 << false << 0 << true << false;
    }

    void only_a_safe_base_folder_is_used()
    {
        QFETCH(int, mode);
        QFETCH(bool, nobodys);
        QFETCH(int, parent_mode);
        QFETCH(bool, linked);
        QFETCH(bool, safe);
        QTemporaryDir scratch;
        QString base = scratch.filePath("base");
        if (parent_mode != 0) {
            QVERIFY(QDir().mkdir(scratch.filePath("parent")));
            QVERIFY(::chmod(QFile::encodeName(scratch.filePath("parent")).constData(), parent_mode) == 0);
            base = scratch.filePath("parent/base");
        }
        QVERIFY(QDir().mkdir(base));
        QVERIFY(::chmod(QFile::encodeName(base).constData(), mode) == 0);
        if (nobodys && !give_to_nobody(base))
            QSKIP("handing a folder to another user needs root");
        QString named = base;
        if (linked) {
            named = scratch.filePath("link");
            QVERIFY(QFile::link(base, named));
        }
        QCOMPARE(Files::is_safe_base(named), safe);
        {
            const Files::WorkingFolder folder(named);
            QCOMPARE(folder.base_is_safe(), safe);
            QCOMPARE(folder.isValid(), safe);
            QCOMPARE(working_folders(base).size(), safe ? 1 : 0);
            if (safe) {
                // Made under the real path, marked as a live run's.
                QCOMPARE(QFileInfo(folder.path()).path(), QFileInfo(base).canonicalFilePath());
                QVERIFY(QFileInfo::exists(folder.path() + "/" + Files::run_marker_fileName));
            }
        }
        QVERIFY(working_folders(base).isEmpty());
        QVERIFY(as_ordinary_user([] { return Files::is_safe_base("/tmp"); }));
        QVERIFY(Files::is_safe_base(scratch.filePath("missing")));
    }

    // A run that was killed leaves its working folder behind; the next run of the same user
    // removes it, and nothing else.
    void folders_left_by_ended_runs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("removed");
        QTest::newRow("a killed run's") << "killed" << true;
        QTest::newRow("a live run's") << "live" << false;
        QTest::newRow("one without the run's mark") << "unmarked" << false;
        QTest::newRow("another user's") << "nobody" << false;
        QTest::newRow("a link to a killed run's") << "link" << false;
        QTest::newRow("a file") << "file" << false;
    }

    void folders_left_by_ended_runs()
    {
        QFETCH(QString, kind);
        QFETCH(bool, removed);
        QTemporaryDir base;
        QTemporaryDir elsewhere;
        QProcess earlier;
        QString name = "upgrade_Ab12Cd";
        const QString made = (kind == "link" ? elsewhere.path() : base.path()) + "/" + name;
        if (kind == "killed" || kind == "live") {
            name = start_run(earlier, base.path());
            QVERIFY(!name.isEmpty());
            if (kind == "killed") {
                earlier.kill();
                QVERIFY(earlier.waitForFinished(10000));
            }
        } else if (kind == "file") {
            testsupport::write_file(base.filePath(name), "not a folder");
        } else {
            QVERIFY(QDir().mkdir(made));
            if (kind != "unmarked")
                testsupport::write_file(made + "/" + Files::run_marker_fileName, "");
            testsupport::write_file(made + "/firmware.bin", "x");
            if (kind == "nobody" && !give_to_nobody(made))
                QSKIP("handing a folder to another user needs root");
            if (kind == "link")
                QVERIFY(QFile::link(made, base.filePath(name)));
        }
        const QString left = base.filePath(name);
        QVERIFY(QFileInfo(left).exists() || QFileInfo(left).isSymLink());

        QProcess later;
        const QString own = start_run(later, base.path());
        end_run(later);
        end_run(earlier);
        QVERIFY(!own.isEmpty());
        QCOMPARE(!QFileInfo(left).exists() && !QFileInfo(left).isSymLink(), removed);
        QCOMPARE(QString(later.readAllStandardError()).contains("Removed the working folder an ended run left: \"" + name),
                 removed);
        if (kind == "link")
            QVERIFY(QFileInfo::exists(made + "/firmware.bin"));
    }

    // Each file is copied whole or not at all, and named in the log; a failure goes on with the rest.
    void extraction_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<bool>("report");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("logged");
        QTest::addColumn<QStringList>("extracted"); // each the resource's very bytes; no other file
        using namespace Files;
        QTest::newRow("both forms of the firmware") << QList<int>{desired_FW_dfu, desired_FW_bin} << true << true
            << QStringList{"Extracted  \"firmware.dfu\"", "Extracted  \"firmware.bin\""}
            << QStringList{"firmware.bin", "firmware.dfu"};
        QTest::newRow("an existing target is reported, the rest goes on")
            << QList<int>{desired_FW_bin, desired_FW_bin, desired_FW_dfu} << true << false
            << QStringList{"Failed to extract  \"firmware.bin\""} << QStringList{"firmware.bin", "firmware.dfu"};
        // Upload files are written by dfu-util, never embedded.
        QTest::newRow("a missing resource") << QList<int>{uploaded_OTP_bin, desired_FW_bin} << true << false
            << QStringList{"Failed to extract  \"uploaded_OTP.bin\""} << QStringList{"firmware.bin"};
        QTest::newRow("without report, always success") << QList<int>{uploaded_FW_bin, uploaded_OTP_bin} << false
            << true << QStringList{} << QStringList{};
    }

    void extraction()
    {
        QFETCH(QList<int>, ids);
        QFETCH(bool, report);
        QFETCH(bool, ok);
        QFETCH(QStringList, logged);
        QFETCH(QStringList, extracted);
        LogCapture log;
        QList<Files::ID> files;
        for (const int id : ids)
            files << Files::ID(id);
        QCOMPARE(Files::extract_resources(files, report), ok);
        for (const QString& line : logged)
            QVERIFY2(log.texts().contains(line), qPrintable(log.texts().join('\n')));
        QCOMPARE(QDir(Files::external_dir().path()).entryList(QDir::Files), extracted);
        for (const QString& name : extracted)
            QCOMPARE(testsupport::read_file(Files::path_of(name)), testsupport::read_file(":resources/" + name));
    }

    // A full disk cuts the copy short: no cut firmware may be left to look extracted.
    void extraction_onto_a_full_disk_leaves_nothing()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{4096, RLIM_INFINITY};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool extracted = Files::extract_resources({Files::desired_FW_bin}, true);
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &unlimited);
        QVERIFY(!extracted);
        QVERIFY(!QFileInfo::exists(Files::path_of("firmware.bin")));
    }

    void mark_file_executable_adds_the_three_execute_bits()
    {
        const QString path = Files::path_of("script");
        testsupport::write_file(path, "#!/bin/sh\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(support_misc::mark_file_executable(path));
        QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                     | QFile::ExeOther);
        QVERIFY(!support_misc::mark_file_executable(Files::path_of("nothing")));
    }

    void load_text_file_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9\nline 2") << QString::fromUtf8("caf\xc3\xa9\nline 2");
        QTest::newRow("nul in the middle") << QByteArray("before\0after", 12) << QString("before");
        QTest::newRow("crlf kept") << QByteArray("a\r\nb") << QString("a\r\nb");
    }

    void load_text_file()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const QString path = Files::path_of("text.txt");
        testsupport::write_file(path, bytes);
        QCOMPARE(support_misc::load_text_file(path), expected);
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
