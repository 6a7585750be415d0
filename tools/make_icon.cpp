// Draws the program's icon at one size, the shapes of
// software/resources/icons/velmora-fw-upgrade.svg on its 256-pixel grid.
//   make_icon SIZE OUT.png

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size <= 0) {
        std::fprintf(stderr, "usage: make_icon SIZE OUT.png\n");
        return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#262a34"));
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    p.setPen(QPen(QColor("#0a0a0c"), 4));
    p.setBrush(QColor("#55585f"));
    p.drawRoundedRect(QRectF(58, 40, 140, 52), 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#222328"));
    p.drawRect(QRectF(104, 90, 48, 14));
    p.setPen(QPen(QColor("#0a0a0c"), 4));
    p.setBrush(QColor("#45474e"));
    p.drawRoundedRect(QRectF(50, 102, 156, 118), 16, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#607e76"));
    p.drawRoundedRect(QRectF(68, 116, 84, 40), 5, 5);
    p.setBrush(QColor("#963c34"));
    p.drawEllipse(QPointF(176, 136), 10, 10);

    QPainterPath arrow;
    arrow.moveTo(128, 168);
    arrow.lineTo(128, 196);
    arrow.moveTo(112, 182);
    arrow.lineTo(128, 198);
    arrow.lineTo(144, 182);
    p.setPen(QPen(QColor("#a0f08c"), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    p.end();
    return image.save(argv[2], "PNG") ? 0 : 1;
}
