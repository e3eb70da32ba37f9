#include "display/pictures.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "display/drawing.h"
#include "display/drawing_numbers.h"

#include <cstdio>

namespace qv::draw {

namespace {

const char* variantLetter(PictureVariant v) {
    switch (v) {
    case PictureVariant::Paper: return "C";
    case PictureVariant::White: return "B";
    case PictureVariant::Black: return "N";
    default: return "";
    }
}

} // namespace

int pictureOfPoint(int point) {
    switch (point) {
    case 8: return 11;
    case 9: return 13;
    case 10: return 14;
    case 11: return 15;
    default: return point;
    }
}

const char* elementPictureName(int t) {
    static const char* const names[8] = {"", "ElFuo1", "ElTer1", "ElAri1", "ElAcq1", "ElSal2", "ElZol2", "ElMer2"};
    return t >= 1 && t <= 7 ? names[t] : "";
}

PictureVariant currentPictureVariant() {
    const DrawingContext& c = drawingContext();
    switch (c.palette()) {
    case Palette::Screen: return PictureVariant::Colour;
    case Palette::Paper: return PictureVariant::Paper;
    case Palette::Monochrome: break;
    }
    return c.onScreen() ? PictureVariant::White : PictureVariant::Black;
}

std::string pointPicturePath(int pictureNumber, PictureVariant variant) {
    return std::string("Simboli\\PiaX") + variantLetter(variant) + twoDigits(pictureNumber) + ".svg";
}

std::string signPicturePath(const std::string& prefix, int sign, PictureVariant variant) {
    return "Zodiaco\\Seg" + prefix + variantLetter(variant) + twoDigits(sign) + ".svg";
}

std::string elementPicturePath(int t, PictureVariant variant) {
    return std::string("Simboli\\") + elementPictureName(t) + variantLetter(variant) + ".svg";
}

void drawPictureFile(const std::string& dataPath, double size, double x, double y) {
    const DrawingContext& c = drawingContext();
    if (!c.canvas || (c.onScreen() && !c.targetVisible)) return;
    const std::filesystem::path file = dataDir().resolve(dataPath);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) throw IoError(dataPath, "file o cartella inesistente");
    const double half = size / 2;
    c.canvas->picture(file.string(), toDevice(x - half, y - half), toDevice(x + half, y + half));
}

void drawPointPicture(int point, double size, double x, double y) {
    drawBodyPicture(pictureOfPoint(point), size, x, y);
}

void drawBodyPicture(int pictureNumber, double size, double x, double y) {
    drawPictureFile(pointPicturePath(pictureNumber, currentPictureVariant()), size, x, y);
}

void drawSignPicture(const std::string& prefix, int sign, double size, double x, double y) {
    drawPictureFile(signPicturePath(prefix, sign, currentPictureVariant()), size, x, y);
}

void drawElementPicture(int t, double size, double x, double y) {
    drawPictureFile(elementPicturePath(t, currentPictureVariant()), size, x, y);
}

} // namespace qv::draw
