// The alpha image list and its items as the description reader sees them.
#include <exception>
#include <memory>
#include <stdexcept>

#include "controls/alpha_imagelist.h"
#include "platform/component/reader.h"
#include "platform/component/registry.h"
#include "platform/controls/standard_controls.h"

namespace qv {

namespace {

using V = const TDescValue&;
using R = TReader&;

const TEnumNames<TsImageFormat> kFormatNames = {{"ifPNG", TsImageFormat::ifPNG},
                                                {"ifICO", TsImageFormat::ifICO},
                                                {"ifBMP32", TsImageFormat::ifBMP32}};

template <class C, class F>
TPropertySetter Set(F f) {
  return Setter<C>(f);
}

// A size out of range is an error at its line.
void SetSide(TsAlphaImageList& list, V v, R r, void (TsAlphaImageList::*set)(int)) {
  try {
    (list.*set)(r.Int(v));
  } catch (const std::invalid_argument& e) {
    r.Fail(v.line, e.what());
  }
}

// Each item is read whole, then decoded and added; an item that cannot be
// decoded is an error at its data's line and never joins the list.
void ReadItems(TsAlphaImageList& list, V v, R r) {
  if (v.kind != TDescValue::Kind::Collection) r.Fail(v.line, "collection expected");
  const TClassInfo* item_class = FindClass("TsImgListItem");
  for (const auto& props : v.items) {
    auto item = std::make_unique<TsImgListItem>();
    r.ApplyProperties(*item, *item_class, props);
    int line = v.line;
    for (const TDescProperty& p : props)
      if (p.name == "ImgData") line = p.line;
    if (item->ImgData.Size() == 0) r.Fail(line, "an image item without ImgData");
    try {
      list.AddStoredItem(std::move(item));
    } catch (const std::exception& e) {
      r.Fail(line, e.what());
    }
  }
}

}  // namespace

void RegisterAlphaImageListClasses() {
  static const bool done = [] {
    RegisterStandardControls();
    RegisterPersistentClass("TsImgListItem", "")
        .Property("ImageFormat", Set<TsImgListItem>([](TsImgListItem& x, V v, R r) {
                    x.ImageFormat = r.Enum(v, kFormatNames);
                  }))
        .Property("ImgData", Set<TsImgListItem>([](TsImgListItem& x, V v, R r) {
                    x.ImgData = TMemoryStream(r.Binary(v));
                  }))
        .Property("SizedImgData", Set<TsImgListItem>([](TsImgListItem& x, V v, R r) {
                    if (v.kind != TDescValue::Kind::List) r.Fail(v.line, "list expected");
                    x.SizedImgData.clear();
                    for (const TDescValue& e : v.list) {
                      const TResourceBytes bytes = r.Binary(e);
                      x.SizedImgData.push_back({0, 0, {bytes.begin(), bytes.end()}});
                    }
                  }))
        .Property("ImageName",
                  Set<TsImgListItem>([](TsImgListItem& x, V v, R r) { x.ImageName = r.String(v); }))
        .Property("Text",
                  Set<TsImgListItem>([](TsImgListItem& x, V v, R r) { x.Text = r.String(v); }));
    RegisterComponentClass<TsAlphaImageList>("TsAlphaImageList", "TImageList")
        .Property("Width", Set<TsAlphaImageList>([](TsAlphaImageList& x, V v, R r) {
                    SetSide(x, v, r, &TsAlphaImageList::SetWidth);
                  }))
        .Property("Height", Set<TsAlphaImageList>([](TsAlphaImageList& x, V v, R r) {
                    SetSide(x, v, r, &TsAlphaImageList::SetHeight);
                  }))
        .Property("BkColor", Set<TsAlphaImageList>(
                                 [](TsAlphaImageList& x, V v, R r) { x.SetBkColor(r.Color(v)); }))
        .Property("UseCache", Set<TsAlphaImageList>([](TsAlphaImageList& x, V v, R r) {
                    x.SetUseCache(r.Boolean(v));
                  }))
        .Property("AllowScale", Set<TsAlphaImageList>([](TsAlphaImageList& x, V v, R r) {
                    x.SetAllowScale(r.Boolean(v));
                  }))
        .Property("IgnoreTransparency", Set<TsAlphaImageList>([](TsAlphaImageList& x, V v, R r) {
                    x.SetIgnoreTransparency(r.Boolean(v));
                  }))
        .Property("ForeColor", Set<TsAlphaImageList>([](TsAlphaImageList& x, V v, R r) {
                    x.SetForeColor(r.Color(v));
                  }))
        .Property("Items", Set<TsAlphaImageList>(ReadItems));
    return true;
  }();
  (void)done;
}

}  // namespace qv
