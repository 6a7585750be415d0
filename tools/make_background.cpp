// Draws the window's background picture: a camera flash unit seen from the back, with its
// display and buttons, on a dark ground, and a light strip at the bottom for the status line.
// The button positions match the circles of the GUI settings file.
//   make_background OUT.jpg [FACTOR]
// FACTOR 2 draws the same picture at twice the size, for screens of twice the density: drawn
// anew, not enlarged, so that it is as sharp there as the plain one is on an ordinary screen.

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int width = 665;
constexpr int height = 517;

void draw_button(QPainter& p, QPointF center, double radius, const QColor& face, const char* caption)
{
    QRadialGradient shade(center - QPointF(radius / 3, radius / 3), radius * 1.4);
    shade.setColorAt(0, face.lighter(140));
    shade.setColorAt(1, face.darker(160));
    p.setPen(QPen(QColor(15, 15, 18), 1.5));
    p.setBrush(shade);
    p.drawEllipse(center, radius, radius);
    if (caption) {
        QFont font;
        font.setPixelSize(9);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(150, 150, 155));
        p.drawText(QRectF(center.x() - 12, center.y() + radius + 1, 24, 12), Qt::AlignCenter, caption);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const int factor = argc == 3 ? std::atoi(argv[2]) : 1;
    if (argc < 2 || argc > 3 || factor < 1) {
        std::fprintf(stderr, "usage: make_background OUT.jpg [FACTOR]\n");
        return 2;
    }

    QImage image(width * factor, height * factor, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(factor, factor);

    QLinearGradient ground(0, 0, 0, 470);
    ground.setColorAt(0, QColor(22, 26, 34));
    ground.setColorAt(1, QColor(38, 42, 52));
    p.fillRect(0, 0, width, 470, ground);
    // A faint floor shadow under the unit.
    QRadialGradient shadow(QPointF(390, 455), 170);
    shadow.setColorAt(0, QColor(0, 0, 0, 150));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(200, 420, 380, 50), shadow);

    QLinearGradient strip(0, 470, 0, height);
    strip.setColorAt(0, QColor(206, 208, 212));
    strip.setColorAt(1, QColor(232, 233, 236));
    p.fillRect(0, 470, width, height - 470, strip);
    p.fillRect(0, 468, width, 2, QColor(120, 124, 132));

    // Flash head, tilted slightly upwards, with its neck.
    p.setPen(QPen(QColor(10, 10, 12), 2));
    QLinearGradient head(0, 140, 0, 215);
    head.setColorAt(0, QColor(70, 72, 78));
    head.setColorAt(1, QColor(44, 45, 50));
    p.setBrush(head);
    p.drawRoundedRect(QRectF(290, 140, 200, 72), 14, 14);
    p.setBrush(QColor(34, 35, 40));
    p.drawRect(QRectF(355, 210, 70, 16));

    // Body.
    QLinearGradient body(262, 0, 512, 0);
    body.setColorAt(0, QColor(52, 54, 60));
    body.setColorAt(0.5, QColor(64, 66, 73));
    body.setColorAt(1, QColor(46, 47, 53));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(262, 224, 250, 186), 18, 18);

    // Display.
    p.setBrush(QColor(20, 22, 24));
    p.drawRoundedRect(QRectF(292, 236, 134, 58), 6, 6);
    QLinearGradient lcd(0, 242, 0, 288);
    lcd.setColorAt(0, QColor(96, 126, 118));
    lcd.setColorAt(1, QColor(70, 98, 92));
    p.setPen(Qt::NoPen);
    p.setBrush(lcd);
    p.drawRect(QRectF(298, 242, 122, 46));
    p.setPen(QPen(QColor(30, 44, 40), 2));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(306 + i * 28, 280), QPointF(324 + i * 28, 280));
    QFont lcd_font;
    lcd_font.setPixelSize(16);
    lcd_font.setBold(true);
    p.setFont(lcd_font);
    p.drawText(QRectF(300, 246, 118, 26), Qt::AlignCenter, "1/1  TTL");

    // The four buttons under the display; D, the rightmost, is the menu button.
    const char* captions[] = {"A", "B", "C", "D"};
    for (int i = 0; i < 4; ++i)
        draw_button(p, QPointF(305 + i * 27, 316), 8, QColor(86, 88, 96), captions[i]);

    // TEST button, on button and the control wheel. The TEST button sits where the window's
    // circle and its step 2 point: left of the wheel.
    draw_button(p, QPointF(283, 355), 10, QColor(150, 60, 52), "TEST");
    draw_button(p, QPointF(474, 330), 12, QColor(96, 98, 106), "ON");
    p.setPen(QPen(QColor(14, 14, 16), 2));
    p.setBrush(QColor(58, 60, 66));
    p.drawEllipse(QPointF(386, 370), 26, 26);
    draw_button(p, QPointF(386, 370), 10, QColor(80, 82, 90), nullptr);

    // USB socket on the side.
    p.setBrush(QColor(18, 18, 20));
    p.drawRoundedRect(QRectF(497, 380, 10, 20), 2, 2);

    // Foot.
    p.setBrush(QColor(30, 31, 35));
    p.drawRect(QRectF(345, 410, 90, 14));
    p.setBrush(QColor(110, 112, 118));
    p.drawRect(QRectF(335, 424, 110, 8));
    p.end();

    return image.save(argv[1], "JPG", 92) ? 0 : 1;
}
