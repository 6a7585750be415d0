#pragma once

#include <QString>

namespace support {

extern QString velmora_font_name;

void setup_fonts();
QString load_velmora_fonts();
void set_default_font(QString family);
QString load_font(QString path);

} // namespace support
