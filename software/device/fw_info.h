#pragma once

#include "device/product.h"

#include <QByteArray>
#include <QDebug>
#include <QPair>
#include <QString>
#include <QVector>

namespace Device {

struct FW_Info {
    ProductInfo product;
    QString name;
    QString revision; // compared with the embedded image's to decide on an upgrade
    QVector<QPair<QString, QString>> details;
    bool valid = false;

    operator QString() const;
};

FW_Info make_FW_Info(QByteArray data);
FW_Info make_FW_Info(QString path);

// A 32-byte text field: text up to its 0 byte, empty when the 32 bytes hold none.
QString get_string(const QByteArray& data, int offset);

QDebug operator<<(QDebug debug, const FW_Info& info);

} // namespace Device
