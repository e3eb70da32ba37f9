// Draws the program's icon: a chart wheel of twelve signs in gold on deep
// blue, around a green leaf with a drop, the plant and its essence. Writes
// the scalable picture and the PNG sizes of the desktop's icon theme.
// Usage: draw_icon OUTPUT_FOLDER
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr double kSize = 256;
constexpr double kCentre = kSize / 2;
constexpr double kPi = 3.14159265358979323846;

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

std::string iconSvg() {
    std::ostringstream s;
    s << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
      << "  <defs>\n"
      << "    <radialGradient id=\"sky\" cx=\"50%\" cy=\"42%\" r=\"60%\">\n"
      << "      <stop offset=\"0\" stop-color=\"#23407a\"/>\n"
      << "      <stop offset=\"1\" stop-color=\"#0c1631\"/>\n"
      << "    </radialGradient>\n"
      << "  </defs>\n"
      << "  <circle cx=\"128\" cy=\"128\" r=\"122\" fill=\"url(#sky)\" stroke=\"#d9b45a\" stroke-width=\"8\"/>\n"
      << "  <circle cx=\"128\" cy=\"128\" r=\"88\" fill=\"none\" stroke=\"#d9b45a\" stroke-width=\"4\"/>\n";
    // The twelve sign boundaries between the two gold rings, and a dot in
    // the middle of each sign.
    for (int k = 0; k < 12; ++k) {
        const double a = k * kPi / 6;
        const double c = std::cos(a), n = std::sin(a);
        s << "  <line x1=\"" << number(kCentre + 88 * c) << "\" y1=\"" << number(kCentre + 88 * n) << "\" x2=\""
          << number(kCentre + 118 * c) << "\" y2=\"" << number(kCentre + 118 * n)
          << "\" stroke=\"#d9b45a\" stroke-width=\"4\" stroke-linecap=\"round\"/>\n";
        const double m = a + kPi / 12;
        s << "  <circle cx=\"" << number(kCentre + 103 * std::cos(m)) << "\" cy=\""
          << number(kCentre + 103 * std::sin(m)) << "\" r=\"4.5\" fill=\"#f3dfa2\"/>\n";
    }
    // The leaf: two arcs meeting at its tip, a midrib, and a drop below.
    s << "  <path d=\"M 128 58 C 176 86 178 142 128 170 C 78 142 80 86 128 58 Z\" fill=\"#4caf50\" "
         "stroke=\"#a5d6a7\" stroke-width=\"4\"/>\n"
      << "  <path d=\"M 128 70 L 128 186\" stroke=\"#1b5e20\" stroke-width=\"5\" stroke-linecap=\"round\"/>\n"
      << "  <path d=\"M 128 104 L 108 88 M 128 126 L 150 108 M 128 148 L 106 130\" stroke=\"#1b5e20\" "
         "stroke-width=\"4\" stroke-linecap=\"round\"/>\n"
      << "  <path d=\"M 128 180 C 140 196 142 204 142 208 A 14 14 0 0 1 114 208 C 114 204 116 196 128 180 Z\" "
         "fill=\"#7fd3f0\" stroke=\"#e1f5fe\" stroke-width=\"3\"/>\n"
      << "</svg>\n";
    return s.str();
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: draw_icon CARTELLA\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string svg = iconSvg();
    std::ofstream(folder + "/quorendaville.svg", std::ios::binary) << svg;

    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "icona non valida\n");
        return 1;
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString path = QString::fromStdString(folder) + QString("/quorendaville-%1.png").arg(size);
        if (!image.save(path)) {
            std::fprintf(stderr, "impossibile scrivere %s\n", path.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
