#include "app/command_line.h"
#include "gui/language.h"
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
    std::printf("use=%d log=%d service=%d\n", simulator::use, use_log_window(), have_service_build());
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
        for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            env.remove(variable);
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
        QTest::newRow("none") << QStringList{} << "use=0 log=0 service=0"
                              << "Initial value of 'simulator::use'=false, isSet('-s')=false, isSet('-S')=false";
        QTest::newRow("-s") << QStringList{"-s"} << "use=1 log=0 service=0"
                            << "Initial value of 'simulator::use'=false, isSet('-s')=true, isSet('-S')=false";
        QTest::newRow("--use-simulator") << QStringList{"--use-simulator"} << "use=1 log=0 service=0"
                                         << "isSet('-s')=true, isSet('-S')=false";
        QTest::newRow("-s -S") << QStringList{"-s", "-S"} << "use=0 log=0 service=0"
                               << "isSet('-s')=true, isSet('-S')=true";
        QTest::newRow("-S -s") << QStringList{"-S", "-s"} << "use=0 log=0 service=0"
                               << "isSet('-s')=true, isSet('-S')=true";
        QTest::newRow("-l") << QStringList{"-l"} << "use=0 log=1 service=0" << "isSet('-s')=false";
        QTest::newRow("-s -l") << QStringList{"-s", "-l"} << "use=1 log=1 service=0" << "isSet('-s')=true";
        QTest::newRow("-sl") << QStringList{"-sl"} << "use=1 log=1 service=0" << "isSet('-s')=true";
        QTest::newRow("--no-use-simulator --use-log-window")
            << QStringList{"--no-use-simulator", "--use-log-window"} << "use=0 log=1 service=0" << "isSet('-S')=true";
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

    void unknown_options_end_with_status_1_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("message");
        const QString usage = "Usage: velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]";
        QTest::newRow("-h") << QStringList{"-h"} << "C.UTF-8" << usage;
        QTest::newRow("--help") << QStringList{"-s", "--help"} << "C.UTF-8" << usage;
        QTest::newRow("a stray argument") << QStringList{"-s", "firmware.bin"} << "C.UTF-8"
                                          << "Unexpected argument 'firmware.bin'.\n" + usage;
        QTest::newRow("-x with -s") << QStringList{"-s", "-x"} << "C.UTF-8" << "Unknown option 'x'.";
        QTest::newRow("--version") << QStringList{"--version"} << "C.UTF-8" << "Unknown option 'version'.";
        // In the user's language, Qt's own words too.
        QTest::newRow("-h in German") << QStringList{"-h"} << "de_DE.UTF-8"
                                      << "Aufruf: velmora-fw-upgrade [-s | --use-simulator]";
        QTest::newRow("-x in French") << QStringList{"-x"} << "fr_FR.UTF-8" << "Option inconnue \"x\".";
    }

    void unknown_options_end_with_status_1()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, lang);
        QFETCH(QString, message);
        const Outcome outcome = parse(arguments, lang);
        QCOMPARE(outcome.code, 1);
        QVERIFY(outcome.out.isEmpty());
        QVERIFY2(outcome.err.contains(message), qPrintable(outcome.err));
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
