// The skin manager and its stored skins as the description reader sees them.
#include "platform/acPNG.h"
#include "platform/component/reader.h"
#include "platform/component/registry.h"
#include "platform/image_bmp.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

TBitmap32 DecodeImage(TResourceBytes bytes) {
  return IsPngData(bytes) ? LoadPngImage(bytes) : DecodeBmp(bytes);
}

void ReadStoredSkins(TsSkinManager& m, const TDescValue& v, TReader& r) {
  if (v.kind != TDescValue::Kind::Collection) r.Fail(v.line, "collection expected");
  const TClassInfo* item_class = FindClass("TsStoredSkin");
  for (const auto& props : v.items) {
    TsStoredSkin& item = m.InternalSkins().Add();
    r.ApplyProperties(item, *item_class, props);
  }
}

}  // namespace

void RegisterSkinManagerClasses() {
  RegisterPersistentClass("TComponent", "");
  RegisterPersistentClass("TsStoredSkin", "")
      .Property("Name", Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v, TReader& r) {
                  s.SetName(r.String(v));
                }))
      .Property("Version", Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v,
                                                   TReader& r) { s.SetVersion(r.Decimal(v)); }))
      .Property("Author", Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v,
                                                  TReader& r) { s.SetAuthor(r.String(v)); }))
      .Property("Description",
                Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v, TReader& r) {
                  s.SetDescription(r.String(v));
                }))
      .Property("Shadow1Color",
                Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v, TReader& r) {
                  s.SetShadow1Color(r.Color(v));
                }))
      .Property("Shadow1Offset",
                Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v, TReader& r) {
                  s.SetShadow1Offset(r.Int(v));
                }))
      .Property("Shadow1Blur", Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v,
                                                       TReader& r) { s.SetShadow1Blur(r.Int(v)); }))
      .Property("Shadow1Transparency",
                Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v, TReader& r) {
                  s.SetShadow1Transparency(r.Int(v));
                }))
      .Property("BorderColor",
                Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v, TReader& r) {
                  s.SetBorderColor(r.Color(v));
                }))
      .Property("MasterBitmap",
                Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v, TReader& r) {
                  try {
                    s.SetMasterBitmap(DecodeImage(r.Binary(v)));
                  } catch (const EInvalidGraphic& e) {
                    r.Fail(v.line, e.what());
                  }
                }))
      .Property("OriginName", Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v,
                                                      TReader& r) { s.SetOrigName(r.String(v)); }))
      .Property("Data", Setter<TsStoredSkin>([](TsStoredSkin& s, const TDescValue& v, TReader& r) {
                  const TResourceBytes bytes = r.Binary(v);
                  s.SetPackedData(TBytes(bytes.begin(), bytes.end()));
                }));
  RegisterComponentClass<TsSkinManager>("TsSkinManager", "TComponent")
      .Property("InternalSkins", Setter<TsSkinManager>(ReadStoredSkins))
      .Property("SkinDirectory",
                Setter<TsSkinManager>([](TsSkinManager& m, const TDescValue& v, TReader& r) {
                  m.SetSkinDirectory(r.String(v));
                }))
      .Property("SkinName", Setter<TsSkinManager>([](TsSkinManager& m, const TDescValue& v,
                                                     TReader& r) { m.SetSkinName(r.String(v)); }))
      .Property("Active", Setter<TsSkinManager>([](TsSkinManager& m, const TDescValue& v,
                                                   TReader& r) { m.SetActive(r.Boolean(v)); }));
}

}  // namespace qv
