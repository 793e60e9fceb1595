// A skin data set built in code for the section painting tests: a master
// bitmap with painted areas, sections and image elements added one by one.
#pragma once

#include <memory>

#include "skin/control_paint_view.h"
#include "skin/skin_manager.h"

namespace qv::test {

struct TTestSkin {
  TsSkinManager manager{nullptr};
  TacSkinData data{&manager, 96};
  TBitmap32 master{128, 64};

  TTestSkin() { master.Fill({0x40, 0x40, 0x40, 255}); }

  TSectionSkin Skin() const { return {&data, &master, nullptr}; }

  // A section of three states, each opaque in colour c.
  int AddSection(TColor c = 0x00C08040, int states = 3) {
    TsGeneralData g;
    g.States = states;
    for (TsGenState& s : g.Props) s.Color = c;
    data.gd.push_back(g);
    return static_cast<int>(data.gd.size()) - 1;
  }
  TsGeneralData& Section(int i) { return data.gd[static_cast<std::size_t>(i)]; }
  TsGenState& State(int i, int s) { return Section(i).Props[static_cast<std::size_t>(s)]; }

  // An element of rectangle r (in the master, or in bmp when given) with its
  // frame size worked out as loading does.
  int AddElement(TRect r, int mask_type = 0, int draw_mode = 0, int frames = 1, int margin = 0,
                 std::shared_ptr<TBitmap32> bmp = nullptr) {
    TsMaskData m;
    m.Bmp = std::move(bmp);
    m.R = r;
    m.ImageCount = static_cast<std::int16_t>(frames);
    m.MaskType = static_cast<std::int16_t>(mask_type);
    m.DrawMode = static_cast<std::int16_t>(draw_mode);
    m.Manager = &manager;
    m.WL = m.WT = m.WR = m.WB = static_cast<std::int16_t>(margin);
    m.Width = r.Width() / frames;
    m.Height = mask_type != 0 ? r.Height() / (mask_type + 1) : r.Height();
    data.ma.push_back(m);
    return static_cast<int>(data.ma.size()) - 1;
  }

  // Paints an area of the master: pixel (x, y) := f(x - r.Left, y - r.Top).
  template <class F>
  void PaintMaster(TRect r, F f) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) master.Pixel(x, y) = f(x - r.Left, y - r.Top);
  }
};

// A pixel that says where in a texture it came from.
inline TBGRA Coded(int u, int v) {
  return {static_cast<std::uint8_t>(10 + u), static_cast<std::uint8_t>(10 + v), 200, 255};
}

}  // namespace qv::test
