#pragma once

#include "texts/settings.h"
#include "machines/outcome_model.h"

class MainWindow;

// Puts an outcome on the window: the status line, the install button and the bar. before is
// what was rendered last; only what differs is touched, and each new text is logged as shown.
void render_outcome(MainWindow* window, const Settings::GUI& gui, const Outcome& outcome, const Outcome& before);
