// The picture glyphs: SVG files of the data directory drawn stretched into a
// square centred on a point. Each picture has a colour file (the screen), a
// paper one ("C", the same hues dark enough for white paper), a white one
// ("B", shown in black-and-white mode on screen) and a black one ("N", in
// black-and-white printing and export):
//   point k     Simboli\PiaXnn.svg     PiaXCnn.svg     PiaXBnn.svg     PiaXNnn.svg
//   sign k      Zodiaco\Seg<P>nn.svg   Seg<P>Cnn.svg   Seg<P>Bnn.svg   Seg<P>Nnn.svg
//   element t   Simboli\<name>.svg     <name>C.svg     <name>B.svg     <name>N.svg
// nn is the number with two digits.
#pragma once

#include <string>

namespace qv::draw {

// The picture number of a chart point (traditional layout, 1–19): the point
// number, except that the north node uses picture 11, the south node 13,
// the Ascendant 14 and the Medium Coeli 15. Pictures 8, 9, 10 and 12 are
// Uranus, Neptune, Pluto and the Black Moon, so the ephemeris bodies 1–12
// use their own number as picture number.
int pictureOfPoint(int point);

// The element and principle names, t = 1..7: fire, earth, air, water; salt,
// sulphur, mercury ("ElFuo1" … "ElMer2").
const char* elementPictureName(int t);

enum class PictureVariant { Colour, Paper, White, Black };
// The variant the drawing context's palette calls for.
PictureVariant currentPictureVariant();

// Data-directory paths of the pictures.
std::string pointPicturePath(int pictureNumber, PictureVariant variant);
std::string signPicturePath(const std::string& prefix, int sign, PictureVariant variant);
std::string elementPicturePath(int t, PictureVariant variant);

// Draws a picture of side `size` millimetres centred on (x, y). A missing
// file raises IoError naming it. Nothing is drawn on a window that is not
// visible.
void drawPointPicture(int point, double size, double x, double y);       // traditional layout
void drawBodyPicture(int pictureNumber, double size, double x, double y);  // by picture number
void drawSignPicture(const std::string& prefix, int sign, double size, double x, double y);
void drawElementPicture(int t, double size, double x, double y);
// Any picture of the data directory by its path ("Glifi\\StNero.svg").
void drawPictureFile(const std::string& dataPath, double size, double x, double y);

} // namespace qv::draw
