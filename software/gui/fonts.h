#pragma once

#include <QString>

namespace support {

extern QString velmora_font_name;

void setup_fonts();
QString load_velmora_fonts();
void set_default_font(QString family);
QString load_font(QString path);
// Whether the window's font, or one fontconfig falls back to, has a letter for every
// character of the text: without one, the character is drawn as a box.
bool draws(const QString& text);

} // namespace support
