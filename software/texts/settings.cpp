#include "texts/settings.h"

#include "files/support_misc.h"
#include "texts/language.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <QJsonArray>
#include <QJsonDocument>

namespace Settings {

LabelData LabelData_factory(QJsonObject object)
{
    LabelData label;
    if (object.contains("id"))
        label.id = object["id"].toString();
    if (object.contains("position")) {
        const QJsonValue position = object["position"];
        if (position.isObject()) {
            const QJsonObject xy = position.toObject();
            if (xy.contains("x"))
                label.x = xy["x"].toInt();
            if (xy.contains("y"))
                label.y = xy["y"].toInt();
        }
    }
    if (object.contains("size"))
        label.size = object["size"].toInt();
    if (object.contains("room")) {
        const QJsonObject room = object["room"].toObject();
        label.room = QSize(room["width"].toInt(), room["height"].toInt());
    }
    if (object.contains("font"))
        label.font = object["font"].toString();
    if (object.contains("create"))
        label.create = object["create"].toBool(false);
    if (object.contains("white"))
        label.white = object["white"].toBool(false);
    if (object.contains("text"))
        label.text = object["text"].toString();
    return label;
}

CircleData CircleData_factory(QJsonObject object)
{
    CircleData circle;
    circle.name = object["name"].toString();
    const QJsonObject center = object["center"].toObject();
    circle.center = QPoint(center["x"].toInt(), center["y"].toInt());
    circle.radius = object["radius"].toInt();
    circle.pen_width = object["pen_width"].toInt();
    circle.color.setNamedColor(object["color"].toString());
    return circle;
}

GUI::GUI(QString json)
{
    const QJsonObject top = QJsonDocument::fromJson(json.toUtf8()).object();
    for (const QJsonValue element : top["circles"].toArray())
        circles.push_back(CircleData_factory(element.toObject()));
    for (const QJsonValue element : top["labels"].toArray())
        labels.push_back(LabelData_factory(element.toObject()));
    valid = true;
}

const LabelData* GUI::label(const QString& id) const
{
    for (const LabelData& label : labels)
        if (label.id == id)
            return &label;
    qWarning() << "No matching label with id" << id << "found";
    return nullptr;
}

QString GUI::text(const QString& id) const
{
    const LabelData* found = label(id);
    return found ? found->text : QString();
}

namespace {

QString translated(const LabelData& label)
{
    if (label.text.isEmpty() || language::current() == "en")
        return label.text;
    return QCoreApplication::translate(translation_context, label.text.toUtf8().constData(),
                                       label.id.toUtf8().constData());
}

} // namespace

QString GUI::display_text(const QString& id) const
{
    const LabelData* found = label(id);
    return found ? translated(*found) : QString();
}

QString GUI::display_arg(const QString& english) const
{
    if (language::current() == "en")
        return english;
    for (const LabelData& label : labels)
        if (!label.text.isEmpty() && label.text == english)
            return translated(label);
    static const QRegularExpression article("^an? (?=\\S)");
    const QString value = QString(english).remove(article);
    // Product names joined by the English "or" ("N20 or N20S") are joined in the language;
    // the names themselves stay.
    for (const LabelData& label : labels) {
        if (label.id != "product_either" || !label.text.contains("%1"))
            continue;
        QString pattern = QRegularExpression::escape(label.text);
        pattern.replace("\\%1", "(.+?)").replace("\\%2", "(.+)");
        const QRegularExpressionMatch m = QRegularExpression("^" + pattern + "$").match(value);
        if (m.hasMatch())
            return translated(label).arg(m.captured(1), display_arg(m.captured(2)));
    }
    return value;
}

QString GUI::localize(const QString& english, const std::function<QString(const QString&)>& form) const
{
    if (language::current() == "en")
        return english;
    const auto formed = [&form](const QString& text) { return form ? form(text) : text; };
    // Of the templates it matches ("Connected to %1." matches every longer "Connected to"
    // text too), the one with the most words of its own.
    const LabelData* best = nullptr;
    QRegularExpressionMatch values;
    int best_size = 0;
    for (const LabelData& label : labels) {
        const QString text = formed(label.text);
        if (text.isEmpty() || (best && text.size() <= best_size))
            continue;
        // The template as a pattern: each placeholder stands for any value.
        QString pattern = QRegularExpression::escape(text);
        pattern.replace(QRegularExpression("\\\\%[1-9]"), "(.*)");
        const QRegularExpressionMatch m = QRegularExpression("^" + pattern + "$",
                                                             QRegularExpression::DotMatchesEverythingOption)
                                              .match(english);
        if (m.hasMatch()) {
            best = &label;
            best_size = text.size();
            values = m;
        }
    }
    if (!best)
        return english;
    QStringList given;
    for (int place = 1; place <= values.lastCapturedIndex(); ++place) {
        // A value that is a text of the file itself (a reason) is given in the language too.
        const QString value = values.captured(place);
        QString shown = display_arg(value);
        if (shown == value && form && value.size() < english.size())
            shown = localize(value, form);
        given << shown;
    }
    return support_misc::fill_placeholders(formed(translated(*best)), given);
}

QString load_settings_file(QString path)
{
    return support_misc::load_text_file(support_misc::maybe_use_file_instead_of_resource(path));
}

GUI make_GUI(QString path)
{
    return GUI(load_settings_file(path));
}

CircleData::operator QString() const
{
    return QString("Circle '%1': (%2,%3), r=%4, w=%5, color=%6")
        .arg(name, QString::number(center.x()), QString::number(center.y()), QString::number(radius),
             QString::number(pen_width), color.name(QColor::HexArgb));
}

LabelData::operator QString() const
{
    return QString("Label '%1': (%2,%3) {%4%5%6} font='%7':%8: '%9'")
        .arg(id, QString::number(x), QString::number(y), white ? QString() : QString("not-white"),
             (!white && !create) ? QString(" ") : QString(), create ? QString() : QString("no-create"), font,
             QString::number(size), text);
}

GUI::operator QString() const
{
    QString out = "GUI settings:\n";
    if (!valid)
        return out + "\tInvalid";
    for (const CircleData& circle : circles)
        out += "\t" + QString(circle) + "\n";
    for (const LabelData& label : labels)
        out += "\t" + QString(label) + "\n";
    return out;
}

void log_shown(const QString& english)
{
    qInfo().noquote() << "Shown:" << english;
}

QString bar_caption(QString caption, int percent)
{
    if (percent < 0)
        return caption.remove("%p%").trimmed();
    return caption.replace("%p", QString::number(percent));
}

} // namespace Settings
