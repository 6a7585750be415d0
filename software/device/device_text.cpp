#include "device/device_text.h"

namespace Device {

namespace {

// Characters that change how a terminal, a log viewer or a line of text shows what follows.
bool steers(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) // C0, DEL, C1
        || c == 0x061c || c == 0x200e || c == 0x200f // bidirectional marks
        || (c >= 0x2028 && c <= 0x202e) // line and paragraph separators, embeddings and overrides
        || (c >= 0x2066 && c <= 0x2069); // isolates
}

QString escaped(char16_t c)
{
    switch (c) {
    case '\t': return "\\t";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\\': return "\\\\";
    default: break;
    }
    if (c < 0x80)
        return QString("\\x%1").arg(int(c), 2, 16, QChar('0'));
    return QString("\\u%1").arg(int(c), 4, 16, QChar('0'));
}

} // namespace

QString for_people(const QString& text, int limit)
{
    QString shown;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        const QString piece = steers(c) || c == '\\' ? escaped(c) : QString(ch);
        if (shown.size() + piece.size() > limit)
            return shown + QString::fromUtf8("…");
        shown += piece;
    }
    return shown;
}

QByteArray json_for_people(const QByteArray& compact_json)
{
    const QString text = QString::fromUtf8(compact_json);
    QString safe;
    safe.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (steers(c))
            safe += QString("\\u%1").arg(int(c), 4, 16, QChar('0'));
        else
            safe += ch;
    }
    return safe.toUtf8();
}

} // namespace Device
