#include "app/command_line.h"

#include "simulator/simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDebug>

#include <cstdio>
#include <cstdlib>

namespace {

bool log_window_requested = false;

[[noreturn]] void refuse_with_usage(const QString& why)
{
    if (!why.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(why));
    std::fputs(qPrintable(QCoreApplication::translate("command_line", "Usage: velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]\n"
               "                          [-l | --use-log-window]\n"
               "Upgrades the firmware of a Velmora flash unit connected over USB in DFU mode.\n"
               "\n"
               "  -s, --use-simulator      talk to the simulator script instead of a unit\n"
               "  -S, --no-use-simulator   use the real unit (wins over -s)\n"
               "  -l, --use-log-window     collect every diagnostic in the log window (Ctrl-L),\n"
               "                           which can save it for service; also on standard error\n"
               "\n"
               "Keys: Return, Enter or Space starts the upgrade when the button is offered;\n"
               "Escape or Q stops talking to the unit (a running transfer is finished\n"
               "first); Ctrl-L shows or hides the log window.\n"
               "The log window proposes to save the log as ~/logfile.txt.\n")),
               stderr);
    std::exit(1);
}

} // namespace

void parse_arguments(QCoreApplication* app)
{
    const QCommandLineOption use_simulator({"s", "use-simulator"}, "Use simulated device interaction.");
    const QCommandLineOption no_use_simulator({"S", "no-use-simulator"},
                                              "Disable use of simulated device interaction.");
    const QCommandLineOption log_window({"l", "use-log-window"}, "Enable use of log window (open it with Ctrl-l)");

    QCommandLineParser parser;
    parser.addOption(use_simulator);
    parser.addOption(no_use_simulator);
    parser.addOption(log_window);
    // No help option is defined: -h and --help end the process with status 1, as every option
    // the program does not take, but with the usage text rather than a bare refusal.
    const QStringList arguments = app->arguments();
    if (arguments.contains("-h") || arguments.contains("--help"))
        refuse_with_usage(QString());
    parser.process(*app);
    if (!parser.positionalArguments().isEmpty())
        refuse_with_usage(QCoreApplication::translate("command_line", "Unexpected argument '%1'.").arg(parser.positionalArguments().first()));

    const auto yes_no = [](bool value) { return value ? "true" : "false"; };
    qDebug().nospace() << "Initial value of 'simulator::use'=" << yes_no(simulator::use)
                       << ", isSet('-s')=" << yes_no(parser.isSet(use_simulator))
                       << ", isSet('-S')=" << yes_no(parser.isSet(no_use_simulator));

    if (parser.isSet(use_simulator))
        simulator::use = true;
    if (parser.isSet(no_use_simulator))
        simulator::use = false;
    if (parser.isSet(log_window))
        log_window_requested = true;
}

bool use_log_window()
{
    return log_window_requested;
}

bool have_service_build()
{
    return false;
}
