#pragma once

#include "device/product.h"

#include <QColor>
#include <QDebug>
#include <QJsonObject>
#include <QPoint>
#include <QString>

#include <QSize>

#include <functional>
#include <vector>

namespace Settings {

struct LabelData {
    QString id;
    qint32 x = -1;
    qint32 y = -1;
    qint32 size = -1; // font pixel size before the screen-density factor; -1: none requested
    QSize room;       // the space its text must keep within, from its position; empty: any
    QString font;
    QString text; // may be rich text, may hold %1, %2
    bool create = true;
    bool white = true;

    operator QString() const;
};

struct CircleData {
    QString name;
    QPoint center;
    qint32 radius = 0;
    qint32 pen_width = 0;
    QColor color;

    operator QString() const;
};

class GUI {
public:
    GUI() = default;
    explicit GUI(QString json);

    const LabelData* label(const QString& id) const;
    // The English text, as the log keeps it.
    QString text(const QString& id) const;
    // The text in the language the window speaks (language::install), English where it has
    // no translation. Fill it with display_arg() of each value.
    QString display_text(const QString& id) const;
    // A value for a display text: a text of this file is given in the window's language, and
    // a product name loses the English article that the English texts want ("an R12": "R12").
    QString display_arg(const QString& english) const;
    // A filled English text in the window's language: the text whose template it matches,
    // translated and filled with the same values (display_arg of each); unchanged when it
    // matches none.
    // form, when given, turns each text of the file into the form english is in (the
    // terminal's plain text of a status, say) before it is matched and given.
    QString localize(const QString& english, const std::function<QString(const QString&)>& form = {}) const;
    operator QString() const;

    bool valid = false;
    std::vector<CircleData> circles;
    std::vector<LabelData> labels;
};

struct Settings {
    GUI gui;
    Device::Type desired_type = Device::Type::invalid;
    QString desired_revision;
};

LabelData LabelData_factory(QJsonObject object);
CircleData CircleData_factory(QJsonObject object);
QString load_settings_file(QString path);
// The translation context of the file's texts; each is told apart by its id.
constexpr const char* translation_context = "settings_GUI";
GUI make_GUI(QString path);
// What a face tells its user goes into the log as well, in English, so that service staff
// reading a saved log know what the user saw.
void log_shown(const QString& english);
// A progress caption as both faces say it: its percent filled in, or left out with none.
QString bar_caption(QString caption, int percent = -1);

} // namespace Settings
