// Writes the symbol pictures of the data-directory template as SVG files,
// from the outlines of free fonts installed by Debian packages:
//   Noto Sans Symbols and Noto Sans Symbols2 (fonts-noto-core, SIL Open Font
//   Licence 1.1): planets, nodes, Black Moon, signs, alchemical elements;
//   DejaVu Sans Bold (fonts-dejavu-core, free licence of the Bitstream Vera
//   fonts): the letters of the Ascendant and Medium Coeli and of the font
//   buttons.
// Every symbol gets a colour picture, a paper one ("C"), a white one ("B")
// and a black one ("N"); the colours read on the black background of the
// drawing windows, the paper ones (the print palette's twins of the same
// colours, white turned dark) on white.
//
// Usage: make_glyphs DATA_FOLDER     (run with QT_QPA_PLATFORM=offscreen)
//        make_glyphs --paper DATA_FOLDER
//   the second form writes only the paper pictures, from the colour
//   pictures already in DATA_FOLDER (no fonts needed).
//   writes DATA_FOLDER/Simboli/PiaX[C|B|N]nn.svg, El*.svg,
//          DATA_FOLDER/Zodiaco/SegM[C|B|N]nn.svg,
//          DATA_FOLDER/Glifi/<button glyph>.svg
#include "display/print_palette.h"

#include <QDir>
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRawFont>
#include <QRegularExpression>
#include <QTransform>
#include <cstdio>
#include <vector>

namespace {

const char* const kNotoSymbols = "/usr/share/fonts/truetype/noto/NotoSansSymbols-Regular.ttf";
const char* const kNotoSymbols2 = "/usr/share/fonts/truetype/noto/NotoSansSymbols2-Regular.ttf";
const char* const kDejaVuBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

constexpr double kBox = 100;     // the pictures' view box
constexpr double kMargin = 7;    // free border inside it
constexpr double kStroke = 2.2;  // outline drawn over the fill, so thin strokes stay readable

QRawFont loadFont(const char* file) {
    QRawFont font(QString::fromLatin1(file), 1000);
    if (!font.isValid()) {
        std::fprintf(stderr, "make_glyphs: cannot read the font %s (install fonts-noto-core and fonts-dejavu-core)\n", file);
        std::exit(1);
    }
    return font;
}

// The outline of a text in a font, in font units.
QPainterPath outlineOf(const QRawFont& font, const QString& text) {
    QPainterPath path;
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    if (glyphs.isEmpty() || glyphs.contains(0)) {
        std::fprintf(stderr, "make_glyphs: the font has no glyph for \"%s\"\n", text.toUtf8().constData());
        std::exit(1);
    }
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QPointF at;
    for (int i = 0; i < glyphs.size(); ++i) {
        path.addPath(font.pathForGlyph(glyphs[i]).translated(at));
        at += advances[i];
    }
    return path;
}

// Scales and centres a path into the view box, keeping its proportions.
QPainterPath fitted(const QPainterPath& path, double margin = kMargin) {
    const QRectF r = path.boundingRect();
    const double side = kBox - 2 * margin;
    const double k = side / std::max(r.width(), r.height());
    QTransform t;
    t.translate(kBox / 2, kBox / 2);
    t.scale(k, k);
    t.translate(-r.center().x(), -r.center().y());
    return t.map(path);
}

QString number(double v) { return QString::number(std::round(v * 100) / 100, 'g', 6); }

QString pathData(const QPainterPath& path) {
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement: d += "M" + number(e.x) + " " + number(e.y); break;
        case QPainterPath::LineToElement: d += "L" + number(e.x) + " " + number(e.y); break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            d += "C" + number(e.x) + " " + number(e.y) + " " + number(c2.x) + " " + number(c2.y) + " " +
                 number(end.x) + " " + number(end.y);
            i += 2;
            break;
        }
        default: break;
        }
    }
    return d;
}

struct Layer {
    QPainterPath path;
    QString colour;
    double stroke = kStroke;
    bool filled = true;
};

void writeSvg(const QString& file, const std::vector<Layer>& layers) {
    QString svg = QString("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %1 %1\" width=\"%1\" height=\"%1\">\n")
                      .arg(kBox);
    for (const Layer& l : layers) {
        svg += QString("<path d=\"%1\" fill=\"%2\" fill-rule=\"nonzero\" stroke=\"%3\" stroke-width=\"%4\" "
                       "stroke-linejoin=\"round\" stroke-linecap=\"round\"/>\n")
                   .arg(pathData(l.path), l.filled ? l.colour : QString("none"), l.colour, number(l.stroke));
    }
    svg += "</svg>\n";
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(svg.toUtf8()) < 0) {
        std::fprintf(stderr, "make_glyphs: cannot write %s\n", file.toUtf8().constData());
        std::exit(1);
    }
}

// The colour pictures are drawn on the black windows and on white paper: a
// dark rim of the same hue under the colour keeps light colours (white,
// silver, yellow) readable on paper and hardly shows on black.
std::vector<Layer> colourLayers(const QPainterPath& path, const QString& colour) {
    const QColor rim = QColor(colour).darker(260);
    return {{path, rim.name(), kStroke + 3.2}, {path, colour}};
}

// The paper twin of a screen colour: the same hue, with the contrast of a
// text against white (4.5:1; a small glyph reads like a character).
QString paperColour(const QString& colour) {
    const QColor c(colour);
    const qv::draw::Rgb twin = qv::draw::paperTwin(
        {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()), static_cast<std::uint8_t>(c.blue())},
        qv::draw::PaperUse::Text);
    return QColor(twin.r, twin.g, twin.b).name();
}

// A symbol in its colour, in its paper colour ("C"), in white ("B") and in
// black ("N").
void writeVariants(const QString& folder, const QString& stem, const QString& number, const QPainterPath& path,
                   const QString& colour) {
    writeSvg(folder + "/" + stem + number + ".svg", colourLayers(path, colour));
    writeSvg(folder + "/" + stem + "C" + number + ".svg", {{path, paperColour(colour)}});
    writeSvg(folder + "/" + stem + "B" + number + ".svg", {{path, "#ffffff"}});
    writeSvg(folder + "/" + stem + "N" + number + ".svg", {{path, "#000000"}});
}

// The paper picture of a colour picture written by writeVariants: its
// top layer (the symbol in its colour) in the paper colour, without the rim.
bool writePaperFrom(const QString& colourFile, const QString& paperFile) {
    QFile in(colourFile);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QString svg = QString::fromUtf8(in.readAll());
    static const QRegularExpression layer("<path d=\"([^\"]*)\" fill=\"(#[0-9a-fA-F]{6})\"");
    QString d, colour;
    for (auto it = layer.globalMatch(svg); it.hasNext();) {
        const auto m = it.next();
        d = m.captured(1);
        colour = m.captured(2);
    }
    if (d.isEmpty()) return false;
    const QString paper = paperColour(colour);
    QString out = QString("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %1 %1\" width=\"%1\" height=\"%1\">\n")
                      .arg(kBox);
    out += QString("<path d=\"%1\" fill=\"%2\" fill-rule=\"nonzero\" stroke=\"%2\" stroke-width=\"%3\" "
                   "stroke-linejoin=\"round\" stroke-linecap=\"round\"/>\n")
               .arg(d, paper, number(kStroke));
    out += "</svg>\n";
    QFile file(paperFile);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(out.toUtf8()) >= 0;
}

QString twoDigits(int n) { return QString("%1").arg(n, 2, 10, QChar('0')); }

// ---- points -----------------------------------------------------------------

struct PointSymbol {
    int picture;
    const char* text;  // UTF-8
    int font;          // 1 symbols, 2 symbols2, 3 letters
    const char* colour;
};

// One palette for the planets, after their traditional metals and colours,
// bright enough for the black background.
const PointSymbol kPoints[] = {
    {1, "\u2609", 2, "#ffc21a"},       // Sole: gold
    {2, "\u263D", 1, "#dfe6f2"},       // Luna: silver
    {3, "\u263F", 1, "#c9a0ff"},       // Mercurio: quicksilver violet
    {4, "\u2640", 1, "#5fe08a"},       // Venere: copper green
    {5, "\u2642", 1, "#ff5a4a"},       // Marte: iron red
    {6, "\u2643", 1, "#5aa9ff"},       // Giove: tin blue
    {7, "\u2644", 1, "#c8ab7e"},       // Saturno: lead brown
    {8, "\u2645", 1, "#7fe3d8"},       // Urano
    {9, "\u2646", 1, "#6f9cff"},       // Nettuno
    {10, "\u2647", 1, "#d7835d"},      // Plutone
    {11, "\u260A", 1, "#f2a0c8"},      // Nodo Nord
    {12, "\u26B8", 1, "#b48cff"},      // Luna Nera
    {13, "\u260B", 1, "#f2a0c8"},      // Nodo Sud
    {14, "AS", 3, "#ffffff"},          // Ascendente
    {15, "MC", 3, "#ffffff"},          // Medio Cielo
};

// ---- signs and elements -----------------------------------------------------

const char* const kFire = "#ff4a3a";
const char* const kEarth = "#3ccf4e";
const char* const kAir = "#ffd93a";
const char* const kWater = "#2fd8f0";

const char* signColour(int sign) {
    switch ((sign - 1) % 4) {
    case 0: return kFire;   // Ariete, Leone, Sagittario
    case 1: return kEarth;  // Toro, Vergine, Capricorno
    case 2: return kAir;    // Gemelli, Bilancia, Acquario
    default: return kWater; // Cancro, Scorpione, Pesci
    }
}

struct ElementSymbol {
    const char* name;
    const char* text;
    const char* colour;
};

const ElementSymbol kElements[] = {
    {"ElFuo1", "\U0001F702", kFire},     // Fuoco
    {"ElTer1", "\U0001F703", kEarth},    // Terra
    {"ElAri1", "\U0001F701", kAir},      // Aria
    {"ElAcq1", "\U0001F704", kWater},    // Acqua
    {"ElSal2", "\U0001F714", "#e8e8e8"}, // Sale
    {"ElZol2", "\U0001F70D", "#ffa530"}, // Zolfo
    {"ElMer2", "\u263F", "#c9a0ff"},     // Mercurio
};

// ---- button glyphs ----------------------------------------------------------

QPainterPath rect(double x, double y, double w, double h) {
    QPainterPath p;
    p.addRect(x, y, w, h);
    return p;
}

// A page with lines of text, landscape or portrait.
std::vector<Layer> pageGlyph(bool landscape) {
    const double w = landscape ? 84 : 60, h = landscape ? 60 : 84;
    const double x = (kBox - w) / 2, y = (kBox - h) / 2;
    std::vector<Layer> layers{{rect(x, y, w, h), "#ffffff", 3}};
    layers.back().stroke = 4;
    QPainterPath lines;
    for (double ly = y + 12; ly < y + h - 8; ly += 10) {
        lines.moveTo(x + 9, ly);
        lines.lineTo(x + w - 9, ly);
    }
    layers.push_back({lines, "#4a5a78", 5, false});
    QPainterPath frame;
    frame.addRect(x, y, w, h);
    layers.push_back({frame, "#203050", 4, false});
    return layers;
}

std::vector<Layer> lineGlyph() {
    QPainterPath solid;
    solid.moveTo(12, 78);
    solid.lineTo(88, 22);
    QPainterPath dashes;
    for (int i = 0; i < 5; ++i) {
        const double t0 = i / 5.0, t1 = t0 + 0.12;
        dashes.moveTo(12 + 76 * t0, 40 + 30 * t0 - 28);
        dashes.lineTo(12 + 76 * t1, 40 + 30 * t1 - 28);
    }
    QPainterPath dots;
    dots.addEllipse(QPointF(12, 78), 5, 5);
    dots.addEllipse(QPointF(88, 22), 5, 5);
    return {{solid, "#10a8c8", 6, false}, {dashes, "#e02a1a", 6, false}, {dots, "#404040", 1}};
}

std::vector<Layer> spindleGlyph() {
    QPainterPath soft;
    soft.moveTo(10, 80);
    soft.lineTo(36, 50);
    soft.lineTo(62, 28);
    soft.lineTo(90, 20);
    soft.lineTo(64, 50);
    soft.lineTo(38, 72);
    soft.closeSubpath();
    return {{soft, "#2050ff", 1}, {soft, "#2fd8f0", 4, false}};
}

std::vector<Layer> monochromeGlyph(bool black) {
    QPainterPath left, right, ring;
    left.moveTo(50, 12);
    left.arcTo(QRectF(12, 12, 76, 76), 90, 180);
    left.closeSubpath();
    right.moveTo(50, 12);
    right.arcTo(QRectF(12, 12, 76, 76), 90, -180);
    right.closeSubpath();
    ring.addEllipse(QRectF(12, 12, 76, 76));
    if (black) return {{left, "#ffffff", 1}, {right, "#000000", 1}, {ring, "#404040", 4, false}};
    QPainterPath q1, q2, q3, q4;
    const QRectF box(12, 12, 76, 76);
    for (auto [path, start] : {std::pair{&q1, 0}, {&q2, 90}, {&q3, 180}, {&q4, 270}}) {
        path->moveTo(50, 50);
        path->arcTo(box, start, 90);
        path->closeSubpath();
    }
    return {{q1, kAir, 1}, {q2, kFire, 1}, {q3, kWater, 1}, {q4, kEarth, 1}, {ring, "#404040", 4, false}};
}

std::vector<Layer> fontGlyph(const QRawFont& letters, bool larger) {
    QPainterPath a = outlineOf(letters, "A");
    const QRectF r = a.boundingRect();
    const double side = larger ? 64 : 40;
    QTransform t;
    t.translate(larger ? 40 : 34, 58);
    t.scale(side / r.height(), side / r.height());
    t.translate(-r.center().x(), -r.center().y());
    a = t.map(a);
    QPainterPath arrow;
    if (larger) {
        arrow.moveTo(84, 14);
        arrow.lineTo(96, 34);
        arrow.lineTo(72, 34);
    } else {
        arrow.moveTo(84, 86);
        arrow.lineTo(96, 66);
        arrow.lineTo(72, 66);
    }
    arrow.closeSubpath();
    QPainterPath shaft;
    shaft.addRect(80, larger ? 34 : 30, 8, 36);
    // Dark letter and a deep amber arrow: the glyph stands on a light button.
    return {{a, "#1c2a48", 1}, {arrow, "#d98a00", 1}, {shaft, "#d98a00", 1}};
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc == 3 && QString::fromLatin1(argv[1]) == "--paper") {
        const QString data = QString::fromLocal8Bit(argv[2]);
        QStringList stems;
        for (int n = 1; n <= 15; ++n) stems << "Simboli/PiaX|" + twoDigits(n);
        for (int n = 1; n <= 12; ++n) stems << "Zodiaco/SegM|" + twoDigits(n);
        for (const ElementSymbol& e : kElements) stems << QString("Simboli/") + e.name + "|";
        for (const QString& stem : stems) {
            const QStringList parts = stem.split('|');
            if (!writePaperFrom(data + "/" + parts[0] + parts[1] + ".svg", data + "/" + parts[0] + "C" + parts[1] + ".svg")) {
                std::fprintf(stderr, "make_glyphs: cannot write the paper picture of %s\n", stem.toUtf8().constData());
                return 1;
            }
        }
        std::printf("make_glyphs: paper pictures written to %s\n", argv[2]);
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make_glyphs DATA_FOLDER | make_glyphs --paper DATA_FOLDER\n");
        return 2;
    }
    const QString data = QString::fromLocal8Bit(argv[1]);
    for (const char* folder : {"Simboli", "Zodiaco", "Glifi"})
        if (!QDir(data).mkpath(folder)) {
            std::fprintf(stderr, "make_glyphs: cannot create %s/%s\n", argv[1], folder);
            return 1;
        }
    const QRawFont symbols = loadFont(kNotoSymbols);
    const QRawFont symbols2 = loadFont(kNotoSymbols2);
    const QRawFont letters = loadFont(kDejaVuBold);
    auto fontOf = [&](int which) -> const QRawFont& {
        return which == 1 ? symbols : which == 2 ? symbols2 : letters;
    };

    for (const PointSymbol& p : kPoints) {
        const bool word = p.font == 3;
        const QPainterPath path = fitted(outlineOf(fontOf(p.font), QString::fromUtf8(p.text)), word ? 4 : kMargin);
        writeVariants(data + "/Simboli", "PiaX", twoDigits(p.picture), path, p.colour);
    }
    for (int sign = 1; sign <= 12; ++sign) {
        const QString text(QChar(0x2648 + sign - 1));
        writeVariants(data + "/Zodiaco", "SegM", twoDigits(sign), fitted(outlineOf(symbols, text)), signColour(sign));
    }
    for (const ElementSymbol& e : kElements) {
        const QPainterPath path = fitted(outlineOf(symbols, QString::fromUtf8(e.text)));
        writeVariants(data + "/Simboli", e.name, "", path, e.colour);
    }
    writeSvg(data + "/Glifi/SetupL.svg", pageGlyph(true));
    writeSvg(data + "/Glifi/SetupP.svg", pageGlyph(false));
    writeSvg(data + "/Glifi/LinLos.svg", lineGlyph());
    writeSvg(data + "/Glifi/LosLin.svg", spindleGlyph());
    writeSvg(data + "/Glifi/StNero.svg", monochromeGlyph(true));
    writeSvg(data + "/Glifi/StColor.svg", monochromeGlyph(false));
    writeSvg(data + "/Glifi/AumentaFont.svg", fontGlyph(letters, true));
    writeSvg(data + "/Glifi/RiduciFont.svg", fontGlyph(letters, false));
    std::printf("make_glyphs: pictures written to %s\n", argv[1]);
    return 0;
}
