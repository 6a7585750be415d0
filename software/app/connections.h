#pragma once

class QApplication;

void add_connections(QApplication* app);
