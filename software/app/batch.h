#pragma once

class QCoreApplication;

// The terminal face: serves every unit on the hub without a window, each by a run of this
// program pinned to its serial (--serial), over the same worker, presentation machine and
// outcome model as the window, and returns the exit status over all units.
int run_batch(QCoreApplication* app);
