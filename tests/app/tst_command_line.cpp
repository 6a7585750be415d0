#include "app/command_line.h"
#include "texts/language.h"
#include "simulator/simulator.h"

#include <QtTest>

#include <cstdio>

// The command line is parsed once per process, so every case runs this test program again
// as a child that parses the given arguments and prints what it made of them.
static int child_main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    language::install(language::choose(QProcessEnvironment::systemEnvironment())); // as the program does
    parse_arguments(&app);
    const BatchOptions& batch = batch_options();
    std::printf("use=%d log=%d", simulator::use, use_log_window());
    if (batch.batch)
        std::printf(" batch units=%d timeout=%d json=%d verbose=%d jobs=%d", batch.units, batch.timeout_s, batch.json,
                    batch.verbose, batch.jobs);
    std::printf("\n");
    return 0;
}

class TestCommandLine final : public QObject {
    Q_OBJECT

private slots:
    // What the program makes of its command line, or how it ends at once: --help and --version
    // answer on standard output with status 0; every wrong command line gets one line naming
    // what is wrong and the usage on standard error, with status 1.
    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err"); // empty: no complaint
        const QString usage = "Usage: velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]";
        const auto taken = [](const QStringList& arguments, const char* made) {
            QTest::newRow(qPrintable(arguments.join(' '))) << arguments << "C.UTF-8" << 0 << QString(made) + "\n" << "";
        };
        const auto refused = [&usage](const QStringList& arguments, const QString& why) {
            QTest::newRow(qPrintable(arguments.join(' '))) << arguments << "C.UTF-8" << 1 << "" << why + "\n" + usage;
        };
        taken({"-S", "-sl"}, "use=0 log=1");
        taken({"-b"}, "use=0 log=0 batch units=1 timeout=0 json=0 verbose=0 jobs=4"); // one unit, waited for
        taken({"--batch", "--units", "0", "--json", "--timeout", "60", "--verbose", "-s", "--jobs", "1"},
              "use=1 log=0 batch units=0 timeout=60 json=1 verbose=1 jobs=1"); // units 0: until stopped
        // In the user's language, Qt's own words too.
        QTest::newRow("-h in German") << QStringList{"-h"} << "de_DE.UTF-8" << 0
                                      << "Aufruf: velmora-fw-upgrade [-s | --use-simulator]" << "";
        QTest::newRow("-x in French") << QStringList{"-x"} << "fr_FR.UTF-8" << 1 << "" << "Option inconnue";
        QTest::newRow("--version") << QStringList{"--version"} << "C.UTF-8" << 0 << "velmora-fw-upgrade 1.0\n" << "";
        refused({"-s", "firmware.bin"}, "Unexpected argument 'firmware.bin'.");
        refused({"--json"}, "--json is for batch mode only (-b).");
        refused({"-b", "--jobs", "0"}, "--jobs needs a whole number from 1 to 64, not '0'.");
        refused({"-b", "--units", "abc"}, "--units needs a whole number from 0 to 100000, not 'abc'.");
        refused({"-b", "--timeout", "604801"}, "--timeout needs a whole number from 1 to 604800, not '604801'.");
        refused({"-b", "-l"}, "Batch mode has no log window: --verbose writes the log to standard error.");
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, lang);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELMORA_PARSE_CHILD", "1");
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            env.remove(name);
        env.insert("LANG", lang);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), code);
        const QString output = child.readAllStandardOutput();
        const QString errors = child.readAllStandardError();
        QVERIFY2(out.isEmpty() ? output.isEmpty() : output.startsWith(out), qPrintable(output));
        QVERIFY2(err.isEmpty() ? !errors.contains("velmora-fw-upgrade:") : errors.startsWith("velmora-fw-upgrade: " + err),
                 qPrintable(errors));
    }
};

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet("VELMORA_PARSE_CHILD"))
        return child_main(argc, argv);
    QCoreApplication app(argc, argv);
    TestCommandLine test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_command_line.moc"
