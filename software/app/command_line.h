#pragma once

#include <QStringList>

class QCoreApplication;

// What the command line asks for beyond the simulator and the log window.
struct BatchOptions {
    bool batch = false;
    bool json = false;
    bool verbose = false;
    int units = 1;      // 0: until stopped
    int timeout_s = 0;  // how long to wait for a unit; 0: without limit
    int jobs = 4;       // units served at the same time
    // Set only on the runs that batch mode starts itself: serve the one unit of this serial.
    bool one_unit = false;
    QString serial;
};

// Reads the command line before any application object exists, so that --help, --version and
// every refusal also work without a display. A wrong command line, --help and --version end
// the process here. A second call does nothing.
void parse_arguments(const QStringList& arguments);
// Parses the application's arguments unless that was done, then logs what they chose.
void parse_arguments(QCoreApplication* app);
const BatchOptions& batch_options();
bool use_log_window();
