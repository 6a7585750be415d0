#pragma once

class QApplication;

void add_connections(QApplication* app);

// Ends the event loop with the code, as closing the window does; a running transfer is
// finished first.
void request_exit(int code);
