// Components and the description reader: ownership and free order, Loaded
// order and the loading state seen by setters, references, handlers, errors.
#include "platform/component/component.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/component/reader.h"

namespace qv {
namespace {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

class TProbe : public TComponent {
 public:
  using TComponent::TComponent;
  ~TProbe() override { Log().push_back("free " + Name()); }

  void SetCaption(const ustring& c) {
    caption = c;
    Log().push_back(std::string("caption ") + Name() + (IsLoading() ? " loading" : " live"));
  }
  void SetParentComponent(TComponent* parent) override { parent_ = parent; }

  ustring caption;
  int width = 0;
  double scale = 0;
  bool flag = false;
  TColor color = 0;
  unsigned anchors = 0;
  std::vector<ustring> items;
  TNotifyEvent on_click;
  TProbe* buddy = nullptr;
  TComponent* parent_ = nullptr;
  std::vector<ustring> item_names;

 protected:
  void Loaded() override { Log().push_back("loaded " + Name()); }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove && c == buddy) buddy = nullptr;
  }
};

class TProbeForm : public TProbe {
 public:
  using TProbe::TProbe;
  int clicks = 0;
  TNotifyEvent FindMethod(std::string_view name) override {
    if (name == "ProbeClick") return [this](TObject*) { ++clicks; };
    return nullptr;
  }
};

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
const TEnumNames<TAnchorKind> kAnchorNames = {
    {"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};

struct TItem : TPersistent {
  ustring name;
};

void RegisterProbes() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterPersistentClass("TComponent", "");
  RegisterPersistentClass("TItem", "")
      .Property("Name", Setter<TItem>([](TItem& i, auto& v, TReader& r) { i.name = r.String(v); }));
  RegisterComponentClass<TProbe>("TProbe", "TComponent")
      .Property("Caption",
                Setter<TProbe>([](TProbe& p, auto& v, TReader& r) { p.SetCaption(r.String(v)); }))
      .Property("Width", Setter<TProbe>([](TProbe& p, auto& v, TReader& r) { p.width = r.Int(v); }))
      .Property("Scale",
                Setter<TProbe>([](TProbe& p, auto& v, TReader& r) { p.scale = r.Decimal(v); }))
      .Property("Flag",
                Setter<TProbe>([](TProbe& p, auto& v, TReader& r) { p.flag = r.Boolean(v); }))
      .Property("Font.Color",
                Setter<TProbe>([](TProbe& p, auto& v, TReader& r) { p.color = r.Color(v); }))
      .Property("Anchors", Setter<TProbe>([](TProbe& p, auto& v, TReader& r) {
                  p.anchors = r.Set(v, kAnchorNames);
                }))
      .Property("Items.Strings",
                Setter<TProbe>([](TProbe& p, auto& v, TReader& r) { p.items = r.Strings(v); }))
      .Property("OnClick",
                Setter<TProbe>([](TProbe& p, auto& v, TReader& r) { p.on_click = r.Event(v); }))
      .Property("Buddy", Setter<TProbe>([](TProbe& p, auto& v, TReader& r) {
                  r.Reference(v, [&p](TComponent* c) {
                    p.buddy = dynamic_cast<TProbe*>(c);
                    if (p.buddy) p.FreeNotification(p.buddy);
                    return p.buddy != nullptr;
                  });
                }))
      .Property("Entries", Setter<TProbe>([](TProbe& p, auto& v, TReader& r) {
                  if (v.kind != TDescValue::Kind::Collection) r.Fail(v.line, "collection expected");
                  for (const auto& props : v.items) {
                    TItem item;
                    r.ApplyProperties(item, *FindClass("TItem"), props);
                    p.item_names.push_back(item.name);
                  }
                }));
  RegisterComponentClass<TProbeForm>("TProbeForm", "TProbe");
}

constexpr std::string_view kForm = R"(object Form: TProbeForm
  Caption = 'root'
  object A: TProbe
    Caption = 'a'
    Buddy = C
    Width = 75
    Scale = 1.5
    Flag = True
    Font.Color = clBtnFace
    Anchors = [akLeft, akBottom]
    Items.Strings = ('x' 'y')
    OnClick = ProbeClick
    Entries = <
      item
        Name = 'one'
      end
      item
        Name = 'two'
      end>
    object B: TProbe
      Caption = 'b'
    end
  end
  object C: TProbe
  end
end
)";

class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterProbes();
    Log().clear();
  }
};

TEST_F(ReaderTest, BuildsTreeInStoredOrderThenLoadsInCreationOrder) {
  auto form = std::make_unique<TProbeForm>(nullptr);
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(kForm, "form.qvd"), *form);
  EXPECT_EQ(Log(), (std::vector<std::string>{"caption Form loading", "caption A loading",
                                             "caption B loading", "loaded Form", "loaded A",
                                             "loaded B", "loaded C"}));
  ASSERT_EQ(form->ComponentCount(), 3);  // every component is owned by the root
  auto* a = dynamic_cast<TProbe*>(form->FindComponent("a"));  // names ignore case
  auto* b = dynamic_cast<TProbe*>(form->FindComponent("B"));
  auto* c = dynamic_cast<TProbe*>(form->FindComponent("C"));
  ASSERT_TRUE(a && b && c);
  EXPECT_FALSE(a->IsLoading());
  EXPECT_EQ(a->parent_, form.get());
  EXPECT_EQ(b->parent_, a);  // read inside A
  EXPECT_EQ(a->buddy, c);    // forward reference resolved after the tree
  EXPECT_EQ(a->width, 75);
  EXPECT_EQ(a->scale, 1.5);
  EXPECT_TRUE(a->flag);
  EXPECT_EQ(a->color, clBtnFace);
  EXPECT_EQ(a->anchors, (1u << akLeft) | (1u << akBottom));
  EXPECT_EQ(a->items, (std::vector<ustring>{u"x", u"y"}));
  EXPECT_EQ(a->item_names, (std::vector<ustring>{u"one", u"two"}));
  ASSERT_TRUE(a->on_click);
  a->on_click(a);
  EXPECT_EQ(form->clicks, 1);
}

TEST_F(ReaderTest, OwnerFreesLastCreatedFirstAndNotifiesReferrers) {
  auto form = std::make_unique<TProbeForm>(nullptr);
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(kForm, "form.qvd"), *form);
  auto* a = dynamic_cast<TProbe*>(form->FindComponent("A"));
  delete form->FindComponent("C");
  EXPECT_EQ(a->buddy, nullptr);  // told through its free notification
  EXPECT_EQ(form->ComponentCount(), 2);
  Log().clear();
  form.reset();
  // The owner's own destructor body runs first; its components then go newest first.
  EXPECT_EQ(Log(), (std::vector<std::string>{"free Form", "free B", "free A"}));
}

TEST_F(ReaderTest, DuplicateNamesAreRefused) {
  TProbe owner(nullptr);
  auto* x = new TProbe(&owner);
  x->SetName("Same");
  auto* y = new TProbe(&owner);
  EXPECT_THROW(y->SetName("same"), std::runtime_error);
  EXPECT_EQ(owner.ComponentCount(), 2);
}

struct BadForm {
  const char* patch;  // replaces "    Width = 75\n" on line 6
  int line;
  const char* says;
};

TEST_F(ReaderTest, ErrorsNameTheLineAndLeaveNothingBehind) {
  const BadForm cases[] = {
      {"    Height = 75\n", 6, "unknown property Height of class TProbe"},
      {"    Width = 'x'\n", 6, "integer expected"},
      {"    Flag = Yes\n", 6, "True or False expected"},
      {"    Anchors = [akMiddle]\n", 6, "unknown set element akMiddle"},
      {"    Font.Color = clPlaid\n", 6, "colour expected"},
      {"    OnClick = Nowhere\n", 6, "unknown handler Nowhere"},
      {"    Buddy = Nobody\n", 6, "unknown component Nobody"},
      {"    object Z: TWidget\n    end\n", 6, "unknown class TWidget"},
      {"    object C: TProbe\n    end\n", 25, "already exists"},  // the later C
  };
  for (const auto& bad : cases) {
    std::string text(kForm);
    const std::string from = "    Width = 75\n";
    text.replace(text.find(from), from.size(), bad.patch);
    auto form = std::make_unique<TProbeForm>(nullptr);
    Log().clear();
    try {
      TReader reader("form.qvd");
      reader.ReadRoot(ParseDescription(text, "form.qvd"), *form);
      ADD_FAILURE() << "accepted " << bad.patch;
    } catch (const TDescriptionError& e) {
      EXPECT_EQ(e.line(), bad.line) << e.what();
      EXPECT_NE(std::string(e.what()).find(bad.says), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind("form.qvd:", 0), 0u);
    }
    EXPECT_EQ(form->ComponentCount(), 0) << bad.patch;
    EXPECT_FALSE(form->IsLoading());
    for (const auto& entry : Log()) EXPECT_NE(entry.rfind("loaded", 0), 0u) << entry;
  }
}

}  // namespace
}  // namespace qv
