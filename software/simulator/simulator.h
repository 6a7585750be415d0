#pragma once

#include <QString>

namespace simulator {

extern bool use;

enum Setup : int { standard = 0, fast_progress = 1 };

void setup_for_simulated_dfu_util(Setup setup);
QString dfu_util_path(QString name);
int sim_setup_prepared_config(QString name);

// The script makes its simulated units with python3 (or $VELMORA_PYTHON): without it no unit
// ever appears, which must not look like "no unit connected".
bool python_found();

} // namespace simulator
