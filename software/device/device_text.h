#pragma once

#include <QByteArray>
#include <QString>

namespace Device {

// A unit's serial, revision and product name are bytes the unit chose: a faulty or hostile one
// can send terminal escapes, carriage returns that overwrite a line, line breaks that forge log
// lines, or bidirectional overrides that reorder what follows. Every such text is written for
// people through this one rule: controls (C0, DEL, C1), line and paragraph separators and
// bidirectional marks, overrides and isolates as visible escapes ("\x1b", "\r", "\u202e"), a
// backslash doubled so that an escape can never be faked, and a text longer than limit
// characters (escapes counted as written) cut with "…".
QString for_people(const QString& text, int limit = 64);

// Compact JSON (as QJsonDocument writes it, which escapes C0 only) with DEL, C1 and the
// bidirectional and separator characters of its strings written as \uXXXX as well: the text is
// still exact, and a consumer that prints a value cannot be steered by it.
QByteArray json_for_people(const QByteArray& compact_json);

} // namespace Device
