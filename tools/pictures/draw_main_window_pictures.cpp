// Draws the pictures of the main window into the data-directory template:
//   Sfondo.jpg        the background, a quiet dark zodiac that keeps the
//                     controls readable (JPEG, decoded by libjpeg at run time)
//   FineProg.bmp      the exit picture, and FineProgClic.bmp while pressed
// Usage: draw_main_window_pictures OUTPUT_FOLDER
// Run with QT_QPA_PLATFORM=offscreen on a machine without a display.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>
#include <cstdio>

namespace {

void drawBackground(const QString& path) {
    const int w = 1600, h = 1000;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(14, 16, 38));
    sky.setColorAt(1, QColor(30, 22, 46));
    p.fillRect(image.rect(), sky);

    // Faint stars, always the same (fixed seed).
    QRandomGenerator stars(1503);
    for (int i = 0; i < 420; ++i) {
        const QPointF at(stars.bounded(w), stars.bounded(h));
        const int alpha = 40 + stars.bounded(110);
        const qreal size = 0.6 + stars.bounded(14) / 10.0;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 225, 200, alpha));
        p.drawEllipse(at, size, size);
    }

    // The zodiac wheel, low in contrast, off centre to the right.
    const QPointF c(w * 0.66, h * 0.58);
    const qreal outer = h * 0.46, inner = outer * 0.78, core = outer * 0.42;
    QRadialGradient glow(c, outer * 1.2);
    glow.setColorAt(0, QColor(90, 80, 140, 60));
    glow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(glow);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, outer * 1.2, outer * 1.2);

    const QColor line(200, 180, 120, 70);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, 2));
    for (qreal r : {outer, inner, core}) p.drawEllipse(c, r, r);
    for (int i = 0; i < 12; ++i) {
        const qreal a = qDegreesToRadians(30.0 * i);
        p.drawLine(c + QPointF(std::cos(a) * core, -std::sin(a) * core),
                   c + QPointF(std::cos(a) * outer, -std::sin(a) * outer));
    }
    // Degree ticks on the outer band.
    p.setPen(QPen(QColor(200, 180, 120, 45), 1));
    for (int d = 0; d < 360; d += 5) {
        const qreal a = qDegreesToRadians(static_cast<qreal>(d));
        const qreal len = d % 30 == 0 ? 0 : (d % 10 == 0 ? 14 : 7);
        p.drawLine(c + QPointF(std::cos(a) * outer, -std::sin(a) * outer),
                   c + QPointF(std::cos(a) * (outer - len), -std::sin(a) * (outer - len)));
    }
    // The twelve signs (the DejaVu font carries their symbols).
    QFont font("DejaVu Sans");
    font.setPixelSize(static_cast<int>(outer * 0.11));
    p.setFont(font);
    p.setPen(QColor(220, 200, 140, 95));
    for (int i = 0; i < 12; ++i) {
        const qreal a = qDegreesToRadians(30.0 * i + 15.0);
        const qreal r = (outer + inner) / 2;
        const QPointF at = c + QPointF(std::cos(a) * r, -std::sin(a) * r);
        const QString glyph = QString(QChar(0x2648 + i)) + QChar(0xFE0E);
        p.drawText(QRectF(at.x() - 40, at.y() - 40, 80, 80), Qt::AlignCenter, glyph);
    }
    // A seven-pointed star of the planets in the middle.
    QPainterPath star;
    for (int k = 0; k <= 7; ++k) {
        const qreal a = qDegreesToRadians(90.0 + k * 3 * 360.0 / 7);
        const QPointF pt = c + QPointF(std::cos(a) * core * 0.9, -std::sin(a) * core * 0.9);
        if (k == 0) star.moveTo(pt); else star.lineTo(pt);
    }
    p.setPen(QPen(QColor(200, 180, 120, 55), 1.5));
    p.drawPath(star);
    p.end();
    image.save(path, "JPG", 85);
}

void drawExit(const QString& path, bool pressed) {
    QImage image(72, 44, QImage::Format_RGB32);
    image.fill(QColor(20, 20, 34));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(2, 2, 68, 40);
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0, pressed ? QColor(110, 20, 20) : QColor(200, 60, 50));
    face.setColorAt(1, pressed ? QColor(160, 40, 35) : QColor(120, 25, 20));
    p.setBrush(face);
    p.setPen(QPen(pressed ? QColor(60, 10, 10) : QColor(240, 200, 170), 1.5));
    p.drawRoundedRect(box.translated(pressed ? 1 : 0, pressed ? 1 : 0), 7, 7);
    QFont font("DejaVu Sans");
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(box.translated(pressed ? 1 : 0, pressed ? 1 : 0), Qt::AlignCenter, "FINE");
    p.end();
    image.save(path, "BMP");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_main_window_pictures OUTPUT_FOLDER\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    drawBackground(dir + "/Sfondo.jpg");
    drawExit(dir + "/FineProg.bmp", false);
    drawExit(dir + "/FineProgClic.bmp", true);
    return 0;
}
