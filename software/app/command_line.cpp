#include "app/command_line.h"

#include "simulator/simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDebug>

namespace {
bool log_window_requested = false;
}

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
    // No help option is defined, so -h and --help end the process as unknown options (status 1).
    parser.process(*app);

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
