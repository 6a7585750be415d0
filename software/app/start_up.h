#pragma once

#include "texts/settings.h"

#include <QString>

class OutcomeModel;
class SM_A;
class SM_B;
struct Outcome;

// Why no unit can be reached at all; an empty text_id when dfu-util runs.
struct ToolProblem {
    QString text_id;
    QString reason_id;
    int reason_code = 0;
    QString where; // the folder or file the text names
};

// What both faces do before any unit: the log's first lines, dfu-util or the simulator put in
// place and test-run, and the settings with the embedded firmware's product and revision.
ToolProblem prepare_dfu_util();
Settings::Settings make_settings();
// What both faces run on: the worker, the presentation machine over it, and the model of what
// the user is told, wired together; the model already says why no unit can be reached, if so.
struct Machines {
    SM_A* worker;
    SM_B* machine;
    OutcomeModel* model; // owned by the machine
};
Machines make_machines(const Settings::Settings& settings, const ToolProblem& problem);
// Starts the machine, and the worker once the machine runs.
void start_machines(const Machines& machines);
// An outcome's status line in English plain text, as the log and the terminal say it.
QString told_in_english(const Outcome& outcome, const Settings::GUI& gui);
