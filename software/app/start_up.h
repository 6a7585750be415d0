#pragma once

#include "gui/settings.h"

#include <QString>

class OutcomeModel;

// Why no unit can be reached at all; an empty text_id when dfu-util runs.
struct ToolProblem {
    QString text_id;
    QString reason_id;
    int reason_code = 0;
    QString where; // the folder or file the text names; empty: the base of the working folder
};

// What both faces do before any unit: the log's first lines, dfu-util or the simulator put in
// place and test-run, and the settings with the embedded firmware's product and revision.
ToolProblem prepare_dfu_util();
Settings::Settings make_settings();
// Has the model say, instead of every no-unit text, why no unit can be reached, and logs it.
void tell_tool_problem(OutcomeModel* model, const ToolProblem& problem, const Settings::GUI& gui);
