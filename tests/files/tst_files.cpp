#include "files/files.h"
#include "test_support.h"

#include <QtTest>

#include <functional>
#include <optional>

#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
    if (::seteuid(nobody->pw_uid) != 0)
        return false;
    const bool answer = check();
    return ::seteuid(0) == 0 && answer;
}

QStringList working_folders(const QString& base)
{
    return QDir(base).entryList({"upgrade_*"}, QDir::AllEntries | QDir::Hidden | QDir::System);
}

} // namespace

Q_DECLARE_METATYPE(Files::ID)

class TestFiles final : public QObject {
    Q_OBJECT

    QTemporaryDir own_temporary; // the base of this process's working folder, left alone by other runs

private slots:
    void initTestCase() { qputenv("TMPDIR", QFile::encodeName(own_temporary.path())); }

    void init()
    {
        // Each case starts from an empty working folder. Without one, QDir would empty the
        // current folder.
        if (!Files::external_dir().isValid())
            return;
        for (const QFileInfo& entry : QDir(Files::external_dir().path()).entryInfoList(QDir::Files))
            QFile::remove(entry.filePath());
    }

    // Where another user could swap the working folder (and the dfu-util in it) between the check
    // and the run, none is made.
    void only_a_safe_base_folder_is_used_data()
    {
        QTest::addColumn<bool>("nobodys");
        QTest::addColumn<int>("parent_mode"); // of the folder the base lies in
        QTest::addColumn<bool>("linked");     // the base named through a link beside it
        QTest::addColumn<bool>("safe");
        QTest::newRow("in a folder its group can write") << false << 0770 << false << false;
        QTest::newRow("another user's") << true << 0700 << false << false;
        QTest::newRow("in a folder writable by all") << false << 0777 << false << false;
        QTest::newRow("a link to a private one") << false << 0700 << true << true;
    }

    void only_a_safe_base_folder_is_used()
    {
        QFETCH(bool, nobodys);
        QFETCH(int, parent_mode);
        QFETCH(bool, linked);
        QFETCH(bool, safe);
        QTemporaryDir scratch;
        const QString base = scratch.filePath("parent/base");
        QVERIFY(QDir().mkpath(base));
        QVERIFY(::chmod(QFile::encodeName(scratch.filePath("parent")).constData(), parent_mode) == 0);
        QVERIFY(::chmod(QFile::encodeName(base).constData(), 0700) == 0);
        if (nobodys && !give_to_nobody(base))
            QSKIP("handing a folder to another user needs root");
        QString named = base;
        if (linked) {
            named = scratch.filePath("link");
            QVERIFY(QFile::link(base, named));
        }
        {
            const Files::WorkingFolder folder(named);
            QCOMPARE(folder.base_is_safe(), safe);
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

    // A run that was killed leaves its working folder behind; preparing the next run of the same
    // user removes it, and nothing else.
    void folders_left_by_ended_runs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("removed");
        QTest::newRow("a killed run's") << "killed" << true;
        QTest::newRow("a live run's") << "live" << false;
        QTest::newRow("one without the run's mark") << "unmarked" << false;
        QTest::newRow("another user's") << "nobody" << false;
        QTest::newRow("a link to a killed run's") << "link" << false;
    }

    void folders_left_by_ended_runs()
    {
        QFETCH(QString, kind);
        QFETCH(bool, removed);
        const QString base = Files::temporary_base();
        QTemporaryDir elsewhere(own_temporary.filePath("elsewhere_XXXXXX"));
        std::optional<Files::WorkingFolder> live;
        QString name = "upgrade_Ab12Cd";
        const QString made = (kind == "link" ? elsewhere.path() : base) + "/" + name;
        if (kind == "live") {
            live.emplace(base);
            name = QFileInfo(live->path()).fileName();
        } else {
            QVERIFY(QDir().mkdir(made));
            if (kind != "unmarked")
                testsupport::write_file(made + "/" + Files::run_marker_fileName, "");
            testsupport::write_file(made + "/firmware.bin", "x");
            if (kind == "nobody" && !give_to_nobody(made))
                QSKIP("handing a folder to another user needs root");
            if (kind == "link")
                QVERIFY(QFile::link(made, base + "/" + name));
        }
        const QFileInfo left(base + "/" + name);
        LogCapture log;
        QCOMPARE(Files::prepare_working_folder(), QString());
        QVERIFY(QFileInfo(Files::path_of(Files::dfu_util_executable_fileName)).isExecutable()); // unpacked to run
        QCOMPARE(!QFileInfo(left.filePath()).exists() && !QFileInfo(left.filePath()).isSymLink(), removed);
        QCOMPARE(log.count("Removed the working folder an ended run left: \"" + name), removed ? 1 : 0);
        if (kind == "link")
            QVERIFY(QFileInfo::exists(made + "/firmware.bin"));
        if (!live && !QFile::remove(left.filePath()))
            QDir(left.filePath()).removeRecursively();
    }

    // Each file is copied whole or not at all (a full disk cuts the copy short: no cut firmware
    // may be left to look extracted), and named in the log; a failure goes on with the rest.
    void extraction_data()
    {
        QTest::addColumn<QList<Files::ID>>("files");
        QTest::addColumn<int>("room"); // the largest file this process may write; 0: no limit
        QTest::addColumn<bool>("report");
        QTest::addColumn<QString>("failed"); // the file named as not extracted; empty: none
        QTest::addColumn<QStringList>("extracted"); // each the resource's very bytes; no other file
        using namespace Files;
        QTest::newRow("an existing target is reported, the rest goes on")
            << QList<ID>{desired_FW_bin, desired_FW_bin, desired_FW_dfu} << 0 << true << "firmware.bin"
            << QStringList{"firmware.bin", "firmware.dfu"};
        // Upload files are written by dfu-util, never embedded.
        QTest::newRow("a missing resource") << QList<ID>{uploaded_OTP_bin, desired_FW_bin} << 0 << true
                                            << "uploaded_OTP.bin" << QStringList{"firmware.bin"};
        QTest::newRow("onto a full disk") << QList<ID>{desired_FW_bin} << 4096 << true << "firmware.bin" << QStringList{};
        QTest::newRow("without report, always success") << QList<ID>{uploaded_FW_bin, uploaded_OTP_bin} << 0 << false
                                                        << "" << QStringList{};
    }

    void extraction()
    {
        QFETCH(QList<Files::ID>, files);
        QFETCH(int, room);
        QFETCH(bool, report);
        QFETCH(QString, failed);
        QFETCH(QStringList, extracted);
        LogCapture log;
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{room ? rlim_t(room) : RLIM_INFINITY, RLIM_INFINITY};
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const bool extracted_all = Files::extract_resources(files, report);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(extracted_all, failed.isEmpty());
        QVERIFY(failed.isEmpty() || log.texts().contains("Failed to extract  \"" + failed + "\""));
        QCOMPARE(QDir(Files::external_dir().path()).entryList(QDir::Files), extracted);
        for (const QString& name : extracted) {
            QCOMPARE(testsupport::read_file(Files::path_of(name)), testsupport::read_file(":resources/" + name));
            QVERIFY(log.texts().contains("Extracted  \"" + name + "\""));
        }
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
