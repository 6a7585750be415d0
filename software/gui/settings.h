#pragma once

#include "device/product.h"

#include <QColor>
#include <QDebug>
#include <QJsonObject>
#include <QPoint>
#include <QString>

#include <vector>

namespace Settings {

struct LabelData {
    QString id;
    qint32 x = -1;
    qint32 y = -1;
    qint32 size = -1; // font pixel size before the screen-density factor; -1: none requested
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
    QString text(const QString& id) const;
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
GUI make_GUI(QString path);

QDebug operator<<(QDebug debug, const LabelData& label);
QDebug operator<<(QDebug debug, const CircleData& circle);
QDebug operator<<(QDebug debug, const GUI& gui);

} // namespace Settings
