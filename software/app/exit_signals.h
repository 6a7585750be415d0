#pragma once

#include <functional>

// SIGTERM, SIGINT and SIGHUP reach the event loop as a call of on_signal with the signal's
// number, so that a running transfer is finished and the working folder removed; the face
// decides how it ends (exit status 128 + the number).
void install_exit_signal_handlers(std::function<void(int number)> on_signal);
