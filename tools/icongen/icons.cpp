// Drawings of the list images and the application icon. One palette: a dark
// slate ink for neutral parts, and per picture an accent with its darker shade
// as the outline, so every picture reads on light grey and on white.
#include "tools/icongen/icons.h"

#include <stdexcept>

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

TBitmap32 Person() {
  TIconPainter p(16);
  p.Outlined(Circle(8, 4.5, 3.5), kBlueDark, kBlue);
  p.Outlined(Intersect(RoundBox(2, 9, 14, 22, 5.5), Box(2, 9, 14, 15)), kBlueDark, kBlue);
  return p.Bitmap();
}

TBitmap32 Binoculars() {
  TIconPainter p(16);
  p.Outlined(Box(2, 2, 6, 6), kInk, kSlate);
  p.Outlined(Box(10, 2, 14, 6), kInk, kSlate);
  p.Outlined(Box(6, 6, 10, 10), kInk, kSlate);
  p.Outlined(RoundBox(1, 5, 7, 15, 2), kInk, kSlate);
  p.Outlined(RoundBox(9, 5, 15, 15, 2), kInk, kSlate);
  for (double cx : {4.0, 12.0}) {
    p.Fill(Circle(cx, 11.5, 2), kSky);
    p.Fill(Circle(cx - 0.7, 10.8, 0.7), kWhite);
  }
  return p.Bitmap();
}

TBitmap32 Lifebuoy() {
  TIconPainter p(16);
  const TShape ring = Subtract(Circle(8, 8, 7.5), Circle(8, 8, 3.5));
  p.Outlined(ring, kRedDark, kWhite);
  p.Fill(Intersect(Offset(ring, -1), Union(Box(6, 0, 10, 16), Box(0, 6, 16, 10))), kRed);
  return p.Bitmap();
}

TBitmap32 Magnifier() {
  TIconPainter p(16);
  p.Fill(Capsule({10.5, 10.5}, {14, 14}, 3), kInk);
  p.Fill(Circle(6.5, 6.5, 5.5), kSky);
  p.Fill(Border(Circle(6.5, 6.5, 5.5), 1.5), kInk);
  p.Fill(Intersect(Border(Circle(6.5, 6.5, 3), 1), Box(0, 0, 6.5, 6.5)), kWhite);
  return p.Bitmap();
}

TBitmap32 House() {
  TIconPainter p(16);
  p.Outlined(Box(11, 2, 14, 7), kInk, kSlate);
  p.Outlined(Box(3, 7, 13, 15), kInk, kWhite);
  p.Outlined(Box(6, 10, 10, 15), kInk, kBlue);
  p.Outlined(Polygon({{8, 1}, {15, 8}, {1, 8}}), kOrangeDark, kOrange);
  return p.Bitmap();
}

TBitmap32 Trophy() {
  TIconPainter p(16);
  for (double cx : {3.0, 13.0}) {
    const TShape handle = Subtract(Circle(cx, 5, 2.5), Circle(cx, 5, 1.25));
    p.Fill(cx < 8 ? Intersect(handle, Box(0, 0, 5, 16)) : Intersect(handle, Box(11, 0, 16, 16)),
           kGoldDark);
  }
  const TShape bowl = Intersect(RoundBox(3, -2, 13, 10, 5), Box(3, 2, 13, 10));
  p.Outlined(bowl, kGoldDark, kGold);
  p.Fill(Intersect(Offset(bowl, -1), Box(5, 3, 6.5, 8)), kGoldLight);
  p.Fill(Box(7, 10, 9, 12), kGoldDark);
  p.Outlined(Box(4, 12, 12, 15), kGoldDark, kGold);
  return p.Bitmap();
}

TBitmap32 Sheets() {
  TIconPainter p(16);
  p.Outlined(Box(2, 1, 11, 12), kSlate, kMist);
  const TShape front = Polygon({{5, 4}, {11, 4}, {14, 7}, {14, 15}, {5, 15}});
  p.Erase(Offset(front, 1));
  p.Outlined(front, kInk, kWhite);
  p.Outlined(Polygon({{10, 4}, {14, 8}, {10, 8}}), kInk, kMist);
  p.Fill(Box(7, 9, 12, 10), kBlue);
  p.Fill(Box(7, 11, 12, 12), kBlue);
  p.Fill(Box(7, 13, 10, 14), kBlue);
  return p.Bitmap();
}

TBitmap32 Info() {
  TIconPainter p(16);
  p.Outlined(Circle(8, 8, 7.5), kBlueDark, kBlue);
  p.Fill(RoundBox(7, 3, 9, 5, 0.5), kWhite);
  p.Fill(Box(7, 7, 9, 12), kWhite);
  p.Fill(Box(6, 7, 7, 8), kWhite);
  p.Fill(Box(6, 11, 10, 12), kWhite);
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

TBitmap32 DrawListImage(int index) {
  switch (index) {
    case 0:
      return Person();
    case 1:
      return Binoculars();
    case 2:
      return Lifebuoy();
    case 3:
      return Magnifier();
    case 4:
      return House();
    case 5:
      return Trophy();
    case 6:
      return Sheets();
    case 7:
      return Info();
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

std::vector<TIconFile> AllIconFiles() {
  static const char* const kNames[kListImageCount] = {
      "00_person", "01_binoculars", "02_lifebuoy", "03_magnifier",
      "04_house",  "05_trophy",     "06_sheets",   "07_info"};
  std::vector<TIconFile> files;
  for (int i = 0; i < kListImageCount; ++i)
    files.push_back({std::string("images/") + kNames[i] + ".png", DrawListImage(i)});
  for (int size : kAppIconSizes)
    files.push_back({"icon/quorvane-" + std::to_string(size) + ".png", DrawAppIcon(size)});
  return files;
}

}  // namespace qv::icongen
