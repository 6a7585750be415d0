#pragma once

#include "texts/settings.h"

#include <QPointer>

class LogWindow;
class MainWindow;
class SM_A;
class SM_B;

// The process-wide objects; the two windows are reached only through guarded pointers.
extern QPointer<LogWindow> logWindow;
extern QPointer<MainWindow> mainWindow;
extern SM_A* sm_A;
extern SM_B* sm_B;
extern Settings::Settings settings;
