// Drawings of the list images and the application icon. One palette: a dark
// slate ink for neutral parts, and per picture an accent with its darker shade
// as the outline, so every picture reads on light grey and on white.
//
// The list images are designed on a 16-pixel grid and drawn again at each
// larger size rather than scaled: straight edges land on whole pixels there
// too (rounded symmetrically about the middle, so mirrored parts stay mirrored)
// and outlines keep a whole number of pixels, which keeps them sharp.
#include "tools/icongen/icons.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

#include "tools/icongen/raster.h"

namespace qv::icongen {
namespace {

constexpr TColor kInk = Hex(0x37474F);
constexpr TColor kSlate = Hex(0x607D8B);
constexpr TColor kMist = Hex(0xE3E9ED);
constexpr TColor kWhite = Hex(0xFFFFFF);
constexpr TColor kBlue = Hex(0x3D8EE0);
constexpr TColor kBlueDark = Hex(0x1F5C99);
constexpr TColor kSky = Hex(0xBFE3F8);
constexpr TColor kRed = Hex(0xE5483C);
constexpr TColor kRedDark = Hex(0xA32A20);
constexpr TColor kGreen = Hex(0x43A047);
constexpr TColor kGreenDark = Hex(0x2A6B2E);
constexpr TColor kGold = Hex(0xF6B52A);
constexpr TColor kGoldDark = Hex(0xA8720A);
constexpr TColor kGoldLight = Hex(0xFFE08A);
constexpr TColor kOrange = Hex(0xEF6C3A);
constexpr TColor kOrangeDark = Hex(0xA83F16);

// The 16-pixel design grid at one drawn size. At 16 every function returns
// its argument, so the design coordinates are the 16-pixel picture.
class TGrid {
 public:
  explicit TGrid(int size) : size_(size), u_(size / double(kListImageSize)) {}
  int Size() const { return size_; }
  // A length or a centre: scaled exactly.
  double S(double v) const { return v * u_; }
  // A straight edge at design position v: scaled, then rounded to a whole
  // pixel away from the middle, so that v and 16 - v stay mirror images.
  double E(double v) const {
    const double half = size_ / 2.0;
    return half + std::round((v - kListImageSize / 2.0) * u_);
  }
  // Outline width: whole pixels, never more than the scale, so outlines are
  // not heavier than at the design size (one pixel up to 24, two at 32).
  double Line() const { return std::floor(u_); }
  TShape Box(double l, double t, double r, double b) const {
    return icongen::Box(E(l), E(t), E(r), E(b));
  }

 private:
  int size_;
  double u_;
};

TBitmap32 Person(const TGrid& g) {
  TIconPainter p(g.Size());
  const double top = g.E(1);
  const double r = g.S(3.5);
  p.Outlined(Circle(g.S(8), top + r, r), kBlueDark, kBlue, g.Line());
  p.Outlined(Intersect(RoundBox(g.E(2), g.E(9), g.E(14), g.E(22), g.S(5.5)), g.Box(2, 9, 14, 15)),
             kBlueDark, kBlue, g.Line());
  return p.Bitmap();
}

TBitmap32 Binoculars(const TGrid& g) {
  TIconPainter p(g.Size());
  const double w = g.Line();
  p.Outlined(g.Box(2, 2, 6, 6), kInk, kSlate, w);
  p.Outlined(g.Box(10, 2, 14, 6), kInk, kSlate, w);
  p.Outlined(g.Box(6, 6, 10, 10), kInk, kSlate, w);
  for (const auto& [l, r] : {std::pair{1.0, 7.0}, std::pair{9.0, 15.0}}) {
    p.Outlined(RoundBox(g.E(l), g.E(5), g.E(r), g.E(15), g.S(2)), kInk, kSlate, w);
    // The lens sits in the middle of its barrel as drawn, and its bottom
    // keeps the barrel's outline plus one pixel of slate.
    const double cx = (g.E(l) + g.E(r)) / 2;
    const double lens = g.S(2);
    const double cy = g.Size() == kListImageSize ? 11.5 : g.E(15) - w - 1 - lens;
    p.Fill(Circle(cx, cy, lens), kSky);
    p.Fill(Circle(cx - g.S(0.7), cy - g.S(0.7), g.S(0.7)), kWhite);
  }
  return p.Bitmap();
}

TBitmap32 Lifebuoy(const TGrid& g) {
  TIconPainter p(g.Size());
  const double c = g.S(8);
  const TShape ring = Subtract(Circle(c, c, g.S(7.5)), Circle(c, c, g.S(3.5)));
  p.Outlined(ring, kRedDark, kWhite, g.Line());
  p.Fill(Intersect(Offset(ring, -g.Line()), Union(g.Box(6, 0, 10, 16), g.Box(0, 6, 16, 10))), kRed);
  return p.Bitmap();
}

TBitmap32 Magnifier(const TGrid& g) {
  TIconPainter p(g.Size());
  p.Fill(Capsule({g.S(10.5), g.S(10.5)}, {g.S(14), g.S(14)}, g.S(3)), kInk);
  const TShape lens = Circle(g.S(6.5), g.S(6.5), g.S(5.5));
  p.Fill(lens, kSky);
  p.Fill(Border(lens, g.S(1.5)), kInk);
  p.Fill(Intersect(Border(Circle(g.S(6.5), g.S(6.5), g.S(3)), g.Line()),
                   icongen::Box(0, 0, g.S(6.5), g.S(6.5))),
         kWhite);
  return p.Bitmap();
}

TBitmap32 House(const TGrid& g) {
  TIconPainter p(g.Size());
  const double w = g.Line();
  p.Outlined(g.Box(11, 2, 14, 7), kInk, kSlate, w);
  p.Outlined(g.Box(3, 7, 13, 15), kInk, kWhite, w);
  p.Outlined(g.Box(6, 10, 10, 15), kInk, kBlue, w);
  p.Outlined(Polygon({{g.S(8), g.E(1)}, {g.E(15), g.E(8)}, {g.E(1), g.E(8)}}), kOrangeDark, kOrange,
             w);
  return p.Bitmap();
}

TBitmap32 Trophy(const TGrid& g) {
  TIconPainter p(g.Size());
  for (double cx : {3.0, 13.0}) {
    const TShape handle =
        Subtract(Circle(g.S(cx), g.S(5), g.S(2.5)), Circle(g.S(cx), g.S(5), g.S(1.25)));
    p.Fill(cx < 8 ? Intersect(handle, g.Box(0, 0, 5, 16)) : Intersect(handle, g.Box(11, 0, 16, 16)),
           kGoldDark);
  }
  const double w = g.Line();
  const TShape bowl =
      Intersect(RoundBox(g.E(3), g.E(-2), g.E(13), g.E(10), g.S(5)), g.Box(3, 2, 13, 10));
  p.Outlined(bowl, kGoldDark, kGold, w);
  p.Fill(Intersect(Offset(bowl, -w), icongen::Box(g.E(5), g.E(3), g.E(5) + g.S(1.5), g.E(8))),
         kGoldLight);
  p.Fill(g.Box(7, 10, 9, 12), kGoldDark);
  p.Outlined(g.Box(4, 12, 12, 15), kGoldDark, kGold, w);
  return p.Bitmap();
}

TBitmap32 Sheets(const TGrid& g) {
  TIconPainter p(g.Size());
  const double w = g.Line();
  p.Outlined(g.Box(2, 1, 11, 12), kSlate, kMist, w);
  // The front sheet's cut corner runs at 45 degrees, and the fold lies one
  // outline inside it, parallel, at every size.
  const double left = g.E(5), top = g.E(4), right = g.E(14), bottom = g.E(15);
  const double cut = right - g.E(11);
  const TShape front = Polygon(
      {{left, top}, {right - cut, top}, {right, top + cut}, {right, bottom}, {left, bottom}});
  p.Erase(Offset(front, w));
  p.Outlined(front, kInk, kWhite, w);
  const double fold = right - cut - w;
  p.Outlined(Polygon({{fold, top}, {right, top + cut + w}, {fold, top + cut + w}}), kInk, kMist, w);
  // Text lines one outline thick, evenly spaced.
  const double h = w;
  for (const auto& [row, right] :
       {std::pair{9.0, 12.0}, std::pair{11.0, 12.0}, std::pair{13.0, 10.0}}) {
    const double top = g.E(row);
    p.Fill(icongen::Box(g.E(7), top, g.E(right), top + h), kBlue);
  }
  return p.Bitmap();
}

TBitmap32 Info(const TGrid& g) {
  TIconPainter p(g.Size());
  p.Outlined(Circle(g.S(8), g.S(8), g.S(7.5)), kBlueDark, kBlue, g.Line());
  p.Fill(RoundBox(g.E(7), g.E(3), g.E(9), g.E(5), g.S(0.5)), kWhite);
  p.Fill(g.Box(7, 7, 9, 12), kWhite);
  p.Fill(g.Box(6, 7, 7, 8), kWhite);
  p.Fill(g.Box(6, 11, 10, 12), kWhite);
  return p.Bitmap();
}

// Unit vectors of a regular pentagon's corners, the first pointing up.
constexpr TPointF kPentagon[5] = {{0, -1},
                                  {0.9510565162951535, -0.3090169943749474},
                                  {0.5877852522924731, 0.8090169943749475},
                                  {-0.5877852522924731, 0.8090169943749475},
                                  {-0.9510565162951535, -0.3090169943749474}};

TShape Pentagon(TPointF c, double r, bool up) {
  std::vector<TPointF> pts;
  for (const TPointF& v : kPentagon) pts.push_back({c.X + v.X * r, c.Y + (up ? v.Y : -v.Y) * r});
  return Polygon(std::move(pts));
}

// A football: white with a dark pentagon in the middle, seams from its corners
// and the edges of the five pentagons around it.
// Small balls get bigger patches and neither outline nor seams, which would
// only blur into a ring; white on the green board needs no outline there.
void Football(TIconPainter& p, TPointF c, double r, double line, bool small) {
  const TShape ball = Circle(c.X, c.Y, r);
  if (small)
    p.Fill(ball, kWhite);
  else
    p.Outlined(ball, kInk, kWhite, line);
  const TShape inside = small ? ball : Offset(ball, -line / 2);
  const double centre = small ? 0.42 : 0.34;
  p.Fill(Pentagon(c, r * centre, true), kInk);
  for (const TPointF& v : kPentagon) {
    const TPointF corner{c.X + v.X * r * centre, c.Y + v.Y * r * centre};
    const TPointF far{c.X + v.X * r, c.Y + v.Y * r};
    p.Fill(Intersect(Pentagon(far, r * (small ? 0.36 : 0.3), false), inside), kInk);
    if (!small) p.Fill(Intersect(Capsule(corner, far, line * 0.6), inside), kSlate);
  }
}

}  // namespace

TBitmap32 DrawListImage(int index, int size) {
  if (std::find(std::begin(kListImageSizes), std::end(kListImageSizes), size) ==
      std::end(kListImageSizes))
    throw std::out_of_range("no list image size " + std::to_string(size));
  const TGrid g(size);
  switch (index) {
    case 0:
      return Person(g);
    case 1:
      return Binoculars(g);
    case 2:
      return Lifebuoy(g);
    case 3:
      return Magnifier(g);
    case 4:
      return House(g);
    case 5:
      return Trophy(g);
    case 6:
      return Sheets(g);
    case 7:
      return Info(g);
    default:
      throw std::out_of_range("no list image " + std::to_string(index));
  }
}

TBitmap32 DrawAppIcon(int size) {
  if (size < 16) throw std::out_of_range("the application icon is drawn from 16 pixels up");
  TIconPainter p(size);
  const double u = size / 16.0;
  const double line = size <= 16 ? 1 : 2;
  // The corner radius leaves the corner pixels wholly clear.
  p.Outlined(RoundBox(0, 0, size, size, 3.5 * u), kGreenDark, kGreen, line);
  // The tactics touch: a player's cross and, where there is room, his run to the ball.
  const double w = line * 1.25;
  p.Fill(Capsule({2.5 * u, 2.5 * u}, {5.5 * u, 5.5 * u}, w), kWhite);
  p.Fill(Capsule({2.5 * u, 5.5 * u}, {5.5 * u, 2.5 * u}, w), kWhite);
  if (size >= 32) {
    for (double x : {7.5, 9.25}) p.Fill(Capsule({x * u, 4 * u}, {(x + 0.5) * u, 4 * u}, w), kWhite);
    p.Fill(Polygon({{11 * u, 2.4 * u}, {13.4 * u, 4 * u}, {11 * u, 5.6 * u}}), kWhite);
  }
  if (size >= 32)
    Football(p, {9.75 * u, 10.25 * u}, 4.75 * u, line, false);
  else
    Football(p, {9.75 * u, 9.75 * u}, 5.25 * u, line, true);
  return p.Bitmap();
}

std::string ListImagePath(int index, int size) {
  static const char* const kNames[kListImageCount] = {
      "00_person", "01_binoculars", "02_lifebuoy", "03_magnifier",
      "04_house",  "05_trophy",     "06_sheets",   "07_info"};
  if (index < 0 || index >= kListImageCount)
    throw std::out_of_range("no list image " + std::to_string(index));
  // The design size keeps the plain name the description has always used.
  return std::string("images/") + kNames[index] +
         (size == kListImageSize ? "" : "-" + std::to_string(size)) + ".png";
}

std::vector<TIconFile> AllIconFiles() {
  std::vector<TIconFile> files;
  for (int size : kListImageSizes)
    for (int i = 0; i < kListImageCount; ++i)
      files.push_back({ListImagePath(i, size), DrawListImage(i, size)});
  for (int size : kAppIconSizes)
    files.push_back({"icon/quorvane-" + std::to_string(size) + ".png", DrawAppIcon(size)});
  return files;
}

}  // namespace qv::icongen
