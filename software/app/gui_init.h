#pragma once

void GUI_init();
int GUI_cleanup(int code);
