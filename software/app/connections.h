#pragma once

class OutcomeModel;
class QApplication;

// The window renders what the model holds; the model must be attached to the machines already.
void add_connections(QApplication* app, OutcomeModel* model);

// Ends the event loop with the code, as closing the window does; a running transfer is
// finished first.
void request_exit(int code);
