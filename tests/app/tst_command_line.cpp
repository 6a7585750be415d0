#include "app/command_line.h"
#include "texts/language.h"
#include "simulator/simulator.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

#include <cstring>

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

    struct Outcome {
        int code;
        QString out;
        QString err;
    };

    Outcome parse(const QStringList& arguments, const QString& lang = "C.UTF-8")
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELMORA_PARSE_CHILD", "1");
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            env.remove(name);
        env.insert("LANG", lang);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        if (!child.waitForFinished(30000))
            return {-2, {}, {}};
        return {child.exitCode(), child.readAllStandardOutput(), child.readAllStandardError()};
    }

private slots:
    void flags_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("debug_line");
        QTest::newRow("none") << QStringList{} << "use=0 log=0"
                              << "Initial value of 'simulator::use'=false, isSet('-s')=false, isSet('-S')=false";
        QTest::newRow("-s") << QStringList{"-s"} << "use=1 log=0"
                            << "Initial value of 'simulator::use'=false, isSet('-s')=true, isSet('-S')=false";
        QTest::newRow("--use-simulator") << QStringList{"--use-simulator"} << "use=1 log=0"
                                         << "isSet('-s')=true, isSet('-S')=false";
        QTest::newRow("-s -S") << QStringList{"-s", "-S"} << "use=0 log=0"
                               << "isSet('-s')=true, isSet('-S')=true";
        QTest::newRow("-S -s") << QStringList{"-S", "-s"} << "use=0 log=0"
                               << "isSet('-s')=true, isSet('-S')=true";
        QTest::newRow("-l") << QStringList{"-l"} << "use=0 log=1" << "isSet('-s')=false";
        QTest::newRow("-sl") << QStringList{"-sl"} << "use=1 log=1" << "isSet('-s')=true";
        QTest::newRow("--no-use-simulator --use-log-window")
            << QStringList{"--no-use-simulator", "--use-log-window"} << "use=0 log=1" << "isSet('-S')=true";
        QTest::newRow("-b: one unit, waited for without limit")
            << QStringList{"-b"} << "use=0 log=0 batch units=1 timeout=0 json=0 verbose=0 jobs=4" << "isSet('-s')=false";
        QTest::newRow("--batch --units 3 --json --timeout 60 --verbose -s --jobs 1")
            << QStringList{"--batch", "--units", "3", "--json", "--timeout", "60", "--verbose", "-s", "--jobs", "1"}
            << "use=1 log=0 batch units=3 timeout=60 json=1 verbose=1 jobs=1" << "isSet('-s')=true";
        QTest::newRow("-bs --units=0: until stopped")
            << QStringList{"-bs", "--units=0"} << "use=1 log=0 batch units=0 timeout=0 json=0 verbose=0 jobs=4"
            << "isSet('-s')=true";
    }

    void flags()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, result);
        QFETCH(QString, debug_line);
        const Outcome outcome = parse(arguments);
        QCOMPARE(outcome.code, 0);
        QCOMPARE(outcome.out.trimmed(), result);
        QVERIFY2(outcome.err.contains(debug_line), qPrintable(outcome.err));
    }

    // --help and --version answer on standard output with status 0; every wrong command line
    // gets one line naming what is wrong and the usage on standard error, with status 1.
    void ends_at_once_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString usage = "Usage: velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]";
        // In the user's language, Qt's own words too.
        QTest::newRow("-h in German") << QStringList{"-h"} << "de_DE.UTF-8" << 0
                                      << "Aufruf: velmora-fw-upgrade [-s | --use-simulator]" << "";
        QTest::newRow("-x in French") << QStringList{"-x"} << "fr_FR.UTF-8" << 1 << "" << "Option inconnue";
        QTest::newRow("--help with -s") << QStringList{"-s", "--help"} << "C.UTF-8" << 0 << usage << "";
        QTest::newRow("-lh") << QStringList{"-lh"} << "C.UTF-8" << 0 << usage << "";
        QTest::newRow("--version") << QStringList{"--version"} << "C.UTF-8" << 0 << "velmora-fw-upgrade 1.0\n" << "";
        QTest::newRow("a stray argument") << QStringList{"-s", "firmware.bin"} << "C.UTF-8" << 1 << ""
                                          << "Unexpected argument 'firmware.bin'.\n" + usage;
        QTest::newRow("-lx") << QStringList{"-lx"} << "C.UTF-8" << 1 << "" << "Unknown option 'x'.\n" + usage;
        QTest::newRow("--json without --batch") << QStringList{"--json"} << "C.UTF-8" << 1 << ""
                                                << "--json is for batch mode only (-b).\n" + usage;
        QTest::newRow("--jobs without --batch") << QStringList{"--jobs", "2"} << "C.UTF-8" << 1 << ""
                                                << "--jobs is for batch mode only (-b).\n" + usage;
        QTest::newRow("--jobs 0") << QStringList{"-b", "--jobs", "0"} << "C.UTF-8" << 1 << ""
                                  << "--jobs needs a whole number from 1 to 64, not '0'.\n" + usage;
        QTest::newRow("--jobs four") << QStringList{"-b", "--jobs", "four"} << "C.UTF-8" << 1 << ""
                                     << "--jobs needs a whole number from 1 to 64, not 'four'.\n" + usage;
        QTest::newRow("--units without a value") << QStringList{"-b", "--units"} << "C.UTF-8" << 1 << ""
                                                 << "Missing value after '--units'.\n" + usage;
        QTest::newRow("--units abc") << QStringList{"-b", "--units", "abc"} << "C.UTF-8" << 1 << ""
                                     << "--units needs a whole number from 0 to 100000, not 'abc'.\n" + usage;
        QTest::newRow("--units -1") << QStringList{"-b", "--units", "-1"} << "C.UTF-8" << 1 << ""
                                    << "--units needs a whole number from 0 to 100000, not '-1'.\n" + usage;
        QTest::newRow("--timeout 0") << QStringList{"-b", "--timeout", "0"} << "C.UTF-8" << 1 << ""
                                     << "--timeout needs a whole number from 1 to 604800, not '0'.\n" + usage;
        QTest::newRow("--timeout beyond a week") << QStringList{"-b", "--timeout", "604801"} << "C.UTF-8" << 1 << ""
                                                 << "--timeout needs a whole number from 1 to 604800, not "
                                                    "'604801'.\n" + usage;
        QTest::newRow("-l in batch mode") << QStringList{"-b", "-l"} << "C.UTF-8" << 1 << ""
                                          << "Batch mode has no log window: --verbose writes the log to standard "
                                             "error.\n" + usage;
    }

    void ends_at_once()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, lang);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Outcome outcome = parse(arguments, lang);
        QCOMPARE(outcome.code, code);
        QVERIFY2(out.isEmpty() ? outcome.out.isEmpty() : outcome.out.startsWith(out), qPrintable(outcome.out));
        QVERIFY2(err.isEmpty() ? outcome.err.isEmpty() : outcome.err.startsWith("velmora-fw-upgrade: " + err),
                 qPrintable(outcome.err));
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
