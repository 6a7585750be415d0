#include "app/command_line.h"

#include "texts/language.h"
#include "simulator/simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDebug>
#include <QProcessEnvironment>

#include <cstdio>
#include <cstdlib>

namespace {

bool parsed = false;
bool log_window_requested = false;
bool simulator_given = false;
bool no_simulator_given = false;
BatchOptions options;

// Translated where it is printed: the user's language, whatever face follows.
const char usage[] = QT_TRANSLATE_NOOP("command_line",
    "Usage: velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]\n"
    "                          [-l | --use-log-window]\n"
    "       velmora-fw-upgrade -b | --batch [--jobs N] [--units N] [--timeout SECONDS]\n"
    "                          [--json] [--verbose] [-s | -S]\n"
    "       velmora-fw-upgrade -h | --help | --version\n"
    "Upgrades the firmware of a Velmora flash unit connected over USB in DFU mode.\n"
    "\n"
    "  -s, --use-simulator      talk to the simulator script instead of a unit\n"
    "  -S, --no-use-simulator   use the real unit (wins over -s)\n"
    "  -l, --use-log-window     collect every diagnostic in the log window (Ctrl-L),\n"
    "                           which can save it for service; also on standard error\n"
    "  -b, --batch              no window: serve every unit on the USB hub from a terminal;\n"
    "                           each is read and judged as in the window, written when its\n"
    "                           firmware differs, then read back and compared; a unit of\n"
    "                           another product, or two units of one serial, are refused\n"
    "      --jobs N             serve up to N units at the same time (default 4)\n"
    "      --units N            end after N units (default 1); 0: until stopped\n"
    "      --timeout SECONDS    end when no unit is connected or served for that time\n"
    "                           (default: wait)\n"
    "      --json               one JSON object per unit on standard output as it ends\n"
    "                           (serial, product, revision_before, revision_after, written,\n"
    "                           result, reason, seconds), then one with \"summary\": true\n"
    "                           and the count of each result; nothing else there\n"
    "      --verbose            the whole log on standard error (instead of -l)\n"
    "  -h, --help               this text, on standard output\n"
    "      --version            the program's version, on standard output\n"
    "\n"
    "Window keys: Return, Enter or Space starts the upgrade when the button is offered;\n"
    "Escape or Q stops talking to the unit (a running transfer is finished first);\n"
    "Ctrl-L shows or hides the log window.\n"
    "The log window proposes to save the log as ~/logfile.txt.\n"
    "In batch mode what is said goes to standard output (standard error with --json), as\n"
    "one updating line per unit being served on a terminal, else as time-stamped lines\n"
    "that name the unit's serial. A unit's result is upgraded, verified, refused,\n"
    "unreadable, failed, interrupted or stopped. Ctrl-C, SIGTERM and SIGHUP never cut a\n"
    "transfer short: the program finishes every running one first.\n"
    "\n"
    "Exit status: 0 the window was closed, or every unit was verified; 1 wrong command\n"
    "line; 2 a unit failed, was unreadable or interrupted, or dfu-util cannot run; 3 a\n"
    "unit was refused (and none failed); 4 no unit came within --timeout; 128+n ended\n"
    "by signal n. --help and --version: 0.\n");

// The usage in the user's language. It is printed before any application object exists, so
// one is made for the moment, only to hold the translation.
QString translated_usage()
{
    if (QCoreApplication::instance())
        return QCoreApplication::translate("command_line", usage);
    int argc = 1;
    char name[] = "velmora-fw-upgrade";
    char* argv[] = {name, nullptr};
    QCoreApplication moment(argc, argv);
    language::install(language::choose(QProcessEnvironment::systemEnvironment()));
    return QCoreApplication::translate("command_line", usage);
}

[[noreturn]] void refuse_with_usage(const QString& why)
{
    std::fprintf(stderr, "velmora-fw-upgrade: %s\n%s", qPrintable(why), qPrintable(translated_usage()));
    std::exit(1);
}

// The timeout becomes milliseconds in an int, so it is bounded (a week).
int count_of(const QCommandLineParser& parser, const QCommandLineOption& option, int least, int most)
{
    bool number = false;
    const int value = parser.value(option).toInt(&number);
    if (!number || value < least || value > most)
        refuse_with_usage(QString("--%1 needs a whole number from %2 to %3, not '%4'.")
                              .arg(option.names().last())
                              .arg(least)
                              .arg(most)
                              .arg(parser.value(option)));
    return value;
}

} // namespace

void parse_arguments(const QStringList& arguments)
{
    if (parsed)
        return;
    parsed = true;
    const QCommandLineOption use_simulator({"s", "use-simulator"}, "Use simulated device interaction.");
    const QCommandLineOption no_use_simulator({"S", "no-use-simulator"},
                                              "Disable use of simulated device interaction.");
    const QCommandLineOption log_window({"l", "use-log-window"}, "Enable use of log window (open it with Ctrl-l)");
    const QCommandLineOption batch({"b", "batch"}, "Serve units without a window.");
    const QCommandLineOption units("units", "Units to serve.", "N");
    const QCommandLineOption timeout("timeout", "Seconds to wait for a unit.", "SECONDS");
    const QCommandLineOption jobs("jobs", "Units served at once.", "N");
    QCommandLineOption serial("serial", "The one unit to serve.", "SERIAL");
    serial.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption json("json", "One JSON object per unit.");
    const QCommandLineOption verbose("verbose", "The whole log on standard error.");
    const QCommandLineOption help({"h", "help"}, "The usage.");
    const QCommandLineOption version("version", "The version.");

    QCommandLineParser parser;
    for (const QCommandLineOption& option :
         {use_simulator, no_use_simulator, log_window, batch, jobs, serial, units, timeout, json, verbose, help, version})
        parser.addOption(option);
    if (!parser.parse(arguments))
        refuse_with_usage(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(qPrintable(translated_usage()), stdout);
        std::exit(0);
    }
    if (parser.isSet(version)) {
        std::printf("velmora-fw-upgrade %s\n", VELMORA_VERSION);
        std::exit(0);
    }
    if (!parser.positionalArguments().isEmpty())
        refuse_with_usage(QString("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));

    options.batch = parser.isSet(batch);
    if (!options.batch)
        for (const QCommandLineOption* option :
             std::initializer_list<const QCommandLineOption*>{&jobs, &serial, &units, &timeout, &json, &verbose})
            if (parser.isSet(*option))
                refuse_with_usage(QString("--%1 is for batch mode only (-b).").arg(option->names().last()));
    if (options.batch && parser.isSet(log_window))
        refuse_with_usage("Batch mode has no log window: --verbose writes the log to standard error.");
    if (parser.isSet(units))
        options.units = count_of(parser, units, 0, 100000);
    if (parser.isSet(timeout))
        options.timeout_s = count_of(parser, timeout, 1, 7 * 24 * 3600);
    if (parser.isSet(jobs))
        options.jobs = count_of(parser, jobs, 1, 64);
    options.one_unit = parser.isSet(serial);
    options.serial = parser.value(serial);
    options.json = parser.isSet(json);
    options.verbose = parser.isSet(verbose);

    simulator_given = parser.isSet(use_simulator);
    no_simulator_given = parser.isSet(no_use_simulator);
    log_window_requested = parser.isSet(log_window);
}

void parse_arguments(QCoreApplication* app)
{
    const bool initial = simulator::use;
    parse_arguments(app->arguments());

    const auto yes_no = [](bool value) { return value ? "true" : "false"; };
    qDebug().nospace() << "Initial value of 'simulator::use'=" << yes_no(initial)
                       << ", isSet('-s')=" << yes_no(simulator_given) << ", isSet('-S')=" << yes_no(no_simulator_given);
    if (simulator_given)
        simulator::use = true;
    if (no_simulator_given)
        simulator::use = false;
}

const BatchOptions& batch_options()
{
    return options;
}

bool use_log_window()
{
    return log_window_requested;
}

