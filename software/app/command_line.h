#pragma once

class QCoreApplication;

void parse_arguments(QCoreApplication* app);
bool use_log_window();
bool have_service_build();
