#pragma once

// SIGTERM, SIGINT and SIGHUP end the program as closing the window does, so that a running
// transfer is finished and the working folder removed; the exit status is 128 + the signal.
void install_exit_signal_handlers();
