#pragma once

class QCoreApplication;

// The terminal face: serves units one after another without a window, over the same worker,
// presentation machine and outcome model as the window, and returns the exit status.
int run_batch(QCoreApplication* app);
