#include "files/files.h"
#include "files/support_misc.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using testsupport::LogCapture;

class TestFiles final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        // Each case starts from an empty working directory.
        for (const QFileInfo& entry : QDir(Files::external_dir.path()).entryInfoList(QDir::Files)) {
            QFile::setPermissions(entry.filePath(), QFile::ReadOwner | QFile::WriteOwner);
            QFile::remove(entry.filePath());
        }
    }

    void working_directory_is_named_from_the_template()
    {
        QVERIFY(Files::external_dir.isValid());
        const QFileInfo dir(Files::external_dir.path());
        QCOMPARE(dir.absolutePath(), QDir::tempPath());
        QVERIFY(QRegularExpression("^upgrade_[A-Za-z0-9]{6}$").match(dir.fileName()).hasMatch());
        QCOMPARE(Files::path_of("x.bin"), Files::external_dir.path() + "/x.bin");
    }

    // Each file copied and logged by name; a failed one reported, and the rest still copied.
    void extraction_data()
    {
        QTest::addColumn<QString>("present"); // extracted before
        QTest::addColumn<QString>("files");
        QTest::addColumn<bool>("report");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("logged"); // "|" between lines
        QTest::newRow("both firmware files") << "" << "firmware.dfu firmware.bin" << true << true
                                             << "Extracted  \"firmware.dfu\"|Extracted  \"firmware.bin\"";
        QTest::newRow("an existing target") << "firmware.bin" << "firmware.bin firmware.dfu" << true << false
                                            << "Failed to extract  \"firmware.bin\"|Extracted  \"firmware.dfu\"";
        // Upload files are written by dfu-util, never embedded.
        QTest::newRow("a missing resource") << "" << "uploaded_OTP.bin firmware.bin" << true << false
                                            << "Failed to extract  \"uploaded_OTP.bin\"|Extracted  \"firmware.bin\"";
        QTest::newRow("without a report") << "" << "uploaded_FW.bin" << false << true
                                          << "Failed to extract  \"uploaded_FW.bin\"";
        QTest::newRow("nothing") << "" << "" << true << true << "";
    }

    void extraction()
    {
        QFETCH(QString, present);
        QFETCH(QString, files);
        QFETCH(bool, report);
        QFETCH(bool, result);
        QFETCH(QString, logged);
        const auto id_of = [](const QString& name) {
            return std::find_if(Files::basename.begin(), Files::basename.end(),
                                [&name](const auto& entry) { return entry.second == name; })->first;
        };
        if (!present.isEmpty())
            QVERIFY(Files::extract_resources({id_of(present)}, true));
        QList<Files::ID> asked;
        for (const QString& file : files.split(' ', Qt::SkipEmptyParts))
            asked << id_of(file);
        LogCapture log;
        QCOMPARE(Files::extract_resources(asked, report), result);
        QCOMPARE(log.texts().filter("xtract").join('|'), logged);
        for (const QString& file : files.split(' ', Qt::SkipEmptyParts)) {
            QCOMPARE(QFileInfo::exists(Files::path_of(file)), file.startsWith("firmware"));
            if (file.startsWith("firmware") && file != present)
                QCOMPARE(testsupport::read_file(Files::path_of(file)), testsupport::read_file(":resources/" + file));
        }
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

    // For the embedded dfu-util: user, group and others may run it.
    void mark_file_executable()
    {
        const QString path = Files::path_of("script");
        testsupport::write_file(path, "#!/bin/sh\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(support_misc::mark_file_executable(path));
        QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                     | QFile::ExeOther);
        LogCapture log;
        QVERIFY(!support_misc::mark_file_executable(Files::path_of("nothing")));
        QCOMPARE(log.entries().size(), 1);
        QCOMPARE(log.entries().first().type, QtWarningMsg);
        QVERIFY(log.entries().first().text.startsWith("Failed to mark file (doesn't exist) as executable:"));
    }

    void load_text_file_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9\nline 2") << QString::fromUtf8("caf\xc3\xa9\nline 2");
        QTest::newRow("nul in the middle") << QByteArray("before\0after", 12) << QString("before");
        QTest::newRow("crlf kept") << QByteArray("a\r\nb") << QString("a\r\nb");
        QTest::newRow("no file: thrown, with its path") << QByteArray("none") << "Couldn't open file: PATH";
    }

    void load_text_file()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const QString path = Files::path_of("text.txt");
        if (bytes != "none")
            testsupport::write_file(path, bytes);
        QString got;
        try {
            got = support_misc::load_text_file(path);
        } catch (const QString& error) {
            got = error;
        }
        QCOMPARE(got, expected.replace("PATH", path));
    }

    void ensure_file_is_deleted_touches_only_files()
    {
        const QString file = Files::path_of("old.bin");
        testsupport::write_file(file, "x");
        support_misc::ensure_file_is_deleted(file);
        QVERIFY(!QFileInfo::exists(file));
        support_misc::ensure_file_is_deleted(file);

        const QString dir = Files::path_of("a_dir");
        QVERIFY(QDir().mkdir(dir));
        support_misc::ensure_file_is_deleted(dir);
        QVERIFY(QDir().rmdir(dir));
    }

    void platform_is_linux_and_logs_its_name()
    {
        QVERIFY(support_misc::compiled_for_platform(support_misc::Platform::Linux));
        QVERIFY(!support_misc::compiled_for_platform(support_misc::Platform::macOS));
        QString text;
        QDebug(&text) << support_misc::compiled_for_platform();
        QCOMPARE(text, QString("Linux "));
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
