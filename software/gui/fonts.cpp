#include "gui/fonts.h"

#include <QApplication>
#include <QDebug>
#include <QFont>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QTextLayout>

namespace support {

QString velmora_font_name;

QString load_font(QString path)
{
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0)
        qWarning() << "Unable to load font from " << path;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

QString load_velmora_fonts()
{
    static const QString regular = ":resources/VelmoraSans-Regular.otf";
    static const QString bold = ":resources/VelmoraSans-Bold.otf";
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        velmora_font_name = load_font(regular);
        load_font(bold);
    }
    return velmora_font_name;
}

void set_default_font(QString family)
{
    if (!family.isEmpty())
        QApplication::setFont(QFont(family, 11));
}

void setup_fonts()
{
    velmora_font_name = load_velmora_fonts();
    if (!velmora_font_name.isEmpty()) {
        set_default_font(velmora_font_name);
        qInfo() << "Load/set default font:" << velmora_font_name;
    } else {
        qWarning() << "Unable to load/set the Velmora font as default";
    }
}

bool draws(const QString& text)
{
    QTextLayout layout(text, QApplication::font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    // Glyph 0 is the font's box for a character it has not, taken when no fallback has it.
    for (const QGlyphRun& run : layout.glyphRuns())
        if (run.glyphIndexes().contains(0))
            return false;
    return true;
}

} // namespace support
