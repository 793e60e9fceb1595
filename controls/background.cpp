// Background requests between parents and children.
#include "controls/background.h"

#include <algorithm>

#include "controls/threaded_timer.h"
#include "skin/section_paint.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"
#include "skin/sys_colors.h"

namespace qv {

namespace {

TColor GlobalColor(const TsSkinManager* m) {
  return m && m->IsActive() ? ColorToRGB(m->GetGlobalColor()) : ColorToRGB(clBtnFace);
}

bool HasGradient(const TsGenState& s) { return s.GradientPercent > 0 && !s.GradientArray.empty(); }

bool HasTexture(const TacSkinData& sd, const TsGenState& s) {
  return s.ImagePercent > 0 && sd.IsValidImgIndex(s.TextureIndex);
}

bool HasCorners(const TsGeneralData& g) {
  return g.ImgTL >= 0 || g.ImgTR >= 0 || g.ImgBL >= 0 || g.ImgBR >= 0;
}

// A border that is drawn at rest: children under its bands must take them
// from the cache.
const TsMaskData* VisibleBorder(const TacSkinData& sd, const TsGeneralData& g) {
  if (!sd.IsValidImgIndex(g.BorderIndex)) return nullptr;
  const TsMaskData& e = sd.ma[static_cast<std::size_t>(g.BorderIndex)];
  return (e.DrawMode & 0x02) != 0 ? nullptr : &e;
}

void FillNow(TsBackgroundRequest& r) {
  if (r.DrawNow && r.DC) r.DC->FillRect(r.Rect, r.Color);
}

// The cache (or the fade's picture on screen) as the answer.
void GiveBitmap(TsCommonData& d, TsBackgroundRequest& r) {
  TBitmap32* src = &d.Cache();
  if (d.Animating() && d.AnimTimer->BmpOut) src = d.AnimTimer->BmpOut.get();
  r.Kind = bkBitmap;
  if (r.DrawNow && r.DC) {
    r.DC->BitBlt(r.Rect.Left, r.Rect.Top, r.Rect.Width(), r.Rect.Height(), *src,
                 r.Offset.X + r.Rect.Left, r.Offset.Y + r.Rect.Top);
    return;
  }
  r.Bitmap = src;
  r.Offset = {0, 0};
}

// A fully transparent control without a picture of its own passes the
// question on, with its own place added.
void PassOn(TsCommonData& d, TsBackgroundRequest& r) {
  TControl* c = d.OwnerControl();
  const TPoint asked = r.Offset;
  TPoint pos{0, 0};
  bool answered = false;
  if (c && c->Parent()) {
    pos = {c->Left(), c->Top()};
    r.Offset = {asked.X + pos.X, asked.Y + pos.Y};
    SendSkinCommand(c->Parent(), scGetBackground, reinterpret_cast<LPARAM>(&r));
    answered = true;
  } else if (const HWND h = d.OwnerHandle(); h && GetParent(h)) {
    TRect wr;
    GetWindowRect(h, wr);
    TPoint o{wr.Left, wr.Top};
    ScreenToClient(GetParent(h), o);
    pos = o;
    r.Offset = {asked.X + pos.X, asked.Y + pos.Y};
    SendMessage(GetParent(h), SKIN_COMMAND_MSG, SkinCommandWParam(scGetBackground),
                reinterpret_cast<LPARAM>(&r));
    answered = true;
  }
  if (!answered || r.Kind == bkNone) {
    // An unskinned parent answers nothing: its own colour lies behind.
    r.Offset = asked;
    r.Kind = bkColor;
    r.Color = c && c->Parent() ? ParentBackgroundColor(*c) : GlobalColor(d.SkinManager());
    FillNow(r);
    return;
  }
  // The answer says where the parent's origin lies in the bitmap; ours lies
  // our place further. The parent's border bands reach us shortened by it.
  if (r.Bitmap != nullptr)
    r.Offset = {r.Offset.X + pos.X, r.Offset.Y + pos.Y};
  else
    r.Offset = asked;
  r.BorderWidths.Left = std::max(0, r.BorderWidths.Left - pos.X);
  r.BorderWidths.Top = std::max(0, r.BorderWidths.Top - pos.Y);
}

}  // namespace

bool EnsureCache(TsCommonData& d) {
  TControl* c = d.OwnerControl();
  const bool sized = d.HasCache() && c && d.Cache().Width() == std::max(0, c->Width()) &&
                     d.Cache().Height() == std::max(0, c->Height());
  if (d.BGChanged || !d.HasCache() || d.Cache().Empty() || !sized) {
    // A control that waits (its own update, or its parent's) paints nothing yet.
    if (d.FUpdating) return false;
    d.EmptyCache();
    d.SendToOwner(scPrepareCache);
  }
  return d.HasCache() && !d.Cache().Empty() && !d.BGChanged;
}

void AnswerBackground(TsCommonData& d, TsBackgroundRequest& r, int state) {
  TControl* c = d.OwnerControl();
  const TsGeneralData* g = d.Section();
  const int s = g ? SectionPaintState(*g, state) : -1;
  if (g == nullptr || d.FCustomColor || s < 0) {
    r.Kind = bkColor;
    r.Color = ColorToRGB(c ? c->Color() : clBtnFace);
    FillNow(r);
    return;
  }
  TsSkinManager* m = d.SkinManager();
  const TacSkinData& sd = *d.CommonSkinData();
  const TsGenState& st = g->Props[static_cast<std::size_t>(s)];
  const int t = std::clamp(st.Transparency, 0, 100);

  if (t == 0 && !HasGradient(st) && !HasTexture(sd, st) && !HasCorners(*g) &&
      !(m && m->Effects.AllowOuterEffects)) {
    r.Kind = bkColor;
    r.Color = EffectiveColor(d, state);
    if (const TsMaskData* e = VisibleBorder(sd, *g)) {
      r.Bitmap = &d.Cache();
      r.BorderWidths = {e->WL, e->WT, e->WR, e->WB};
      r.Offset = {0, 0};
    }
    FillNow(r);
    return;
  }
  if (t == 0) {
    r.Color = GlobalColor(m);
    if (!EnsureCache(d)) {
      r.Kind = bkNotReady;
      return;
    }
    GiveBitmap(d, r);
    return;
  }
  if (t < 100) {
    if (!d.HasCache()) {
      r.Kind = bkColor;
      r.Color = clKeyColor;  // nothing known yet
      return;
    }
    // Handed out only when current: a stale picture would show an old state.
    if (!EnsureCache(d)) {
      d.FUpdating = true;
      r.Kind = bkNotReady;
      return;
    }
    GiveBitmap(d, r);
    return;
  }
  if (d.HasCache()) {
    if (EnsureCache(d)) {
      GiveBitmap(d, r);
    } else {
      r.Kind = bkColor;
      r.Color = EffectiveColor(d, 0);
      FillNow(r);
    }
    return;
  }
  PassOn(d, r);
}

TacBgKind AskBackground(TControl& c, TsBackgroundRequest& r) {
  r.Bitmap = nullptr;
  r.Kind = bkNone;
  r.BorderWidths = {};
  r.Offset = {c.Left(), c.Top()};
  if (c.Parent() == nullptr) {
    if (auto* w = dynamic_cast<TWinControl*>(&c); w && w->HandleAllocated())
      return AskBackground(w->WindowHandle(), r);
    r.Kind = bkColor;
    r.Color = GlobalColor(TsSkinManager::DefaultManager());
    return bkColor;
  }
  TWinControl& parent = *c.Parent();
  SendSkinCommand(&parent, scGetBackground, reinterpret_cast<LPARAM>(&r));
  if (r.Kind != bkNone) return static_cast<TacBgKind>(r.Kind);
  // An unskinned parent: its own colour (erasing it into DC for DrawNow).
  r.Color = ParentBackgroundColor(c);
  if (r.DrawNow && r.DC) {
    const int saved = r.DC->SaveDC();
    r.DC->MoveViewportOrg(-r.Offset.X, -r.Offset.Y);
    r.DC->IntersectClipRect(r.Rect.Offset(r.Offset.X, r.Offset.Y));
    parent.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(r.DC));
    r.DC->RestoreDC(saved);
  }
  r.Kind = bkColor;
  return bkColor;
}

TacBgKind AskBackground(HWND window, TsBackgroundRequest& r) {
  r.Bitmap = nullptr;
  r.Kind = bkNone;
  r.BorderWidths = {};
  const HWND parent = GetParent(window);
  if (parent) {
    TRect wr;
    GetWindowRect(window, wr);
    TPoint o{wr.Left, wr.Top};
    ScreenToClient(parent, o);
    r.Offset = o;
    if (TsCommonData::FromWindow(parent) != nullptr)
      SendMessage(parent, SKIN_COMMAND_MSG, SkinCommandWParam(scGetBackground),
                  reinterpret_cast<LPARAM>(&r));
  }
  if (r.Kind == bkNone) {
    r.Kind = bkColor;
    r.Color = GlobalColor(TsSkinManager::DefaultManager());
    FillNow(r);
  }
  return static_cast<TacBgKind>(r.Kind);
}

TCacheInfo CacheInfoOf(const TsBackgroundRequest& r) {
  TCacheInfo ci;
  ci.Bmp = r.Bitmap;
  ci.X = r.Offset.X;
  ci.Y = r.Offset.Y;
  if (r.Kind == bkBitmap) {
    ci.FillColor = clKeyColor;
    ci.FillRect = {};
    ci.Ready = true;
  } else {
    ci.FillColor = ColorToRGB(r.Color);
    ci.FillRect = r.BorderWidths;
    ci.Ready = false;
  }
  return ci;
}

TColor ParentBackgroundColor(TControl& c) {
  TWinControl* p = c.Parent();
  if (p == nullptr) return GlobalColor(TsSkinManager::DefaultManager());
  if (IsSkinnedControl(p)) return static_cast<TColor>(SendSkinCommand(p, scGetBackgroundColor));
  return ColorToRGB(p->Color());
}

TColor EffectiveColor(TsCommonData& d, int state) {
  const TsGeneralData* g = d.Section();
  TControl* c = d.OwnerControl();
  if (g == nullptr || g->States < 1) return ColorToRGB(c ? c->Color() : clBtnFace);
  const std::size_t i = state > 0 && g->States > 1 ? 1 : 0;
  const TsGenState& st = g->Props[i];
  const TColor own = ColorToRGB(SkinColorToRGB(st.Color, d.SkinManager()));
  const int t = std::clamp(st.Transparency, 0, 100);
  if (t == 0) return own;
  const TColor parent = c ? ParentBackgroundColor(*c) : GlobalColor(d.SkinManager());
  if (t == 100) return parent;
  return MixColors(parent, own, t * 255 / 100) & 0xFFFFFF;
}

TColor BackgroundColorAnswer(TsCommonData& d) {
  TControl* c = d.OwnerControl();
  const TsGeneralData* g = d.Section();
  if (g == nullptr || g->States < 1) return ColorToRGB(c ? c->Color() : clBtnFace);
  const TsGenState& st = g->Props[0];
  const TColor own = ColorToRGB(SkinColorToRGB(st.Color, d.SkinManager()));
  const int t = std::clamp(st.Transparency, 0, 100);
  if (t == 0 || c == nullptr || c->Parent() == nullptr) return own;
  const TColor parent = ParentBackgroundColor(*c);
  if (t == 100) return parent;
  // A percentage becomes a byte weight as everywhere else: t * 255 div 100.
  const int w = t * 255 / 100;
  auto byte = [w](int o, int p) { return (o + (((p - o) * w) >> 8)) & 0xFF; };
  return static_cast<TColor>(byte(GetRValue(own), GetRValue(parent)) |
                             (byte(GetGValue(own), GetGValue(parent)) << 8) |
                             (byte(GetBValue(own), GetBValue(parent)) << 16));
}

}  // namespace qv
