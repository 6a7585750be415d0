#pragma once

#include <QString>

namespace simulator {

extern bool use;

enum Setup : int { standard = 0, fast_progress = 1 };

void setup_for_simulated_dfu_util(Setup setup);
QString dfu_util_path(QString name);
int sim_setup_prepared_config(QString name);

} // namespace simulator
