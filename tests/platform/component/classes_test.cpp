// String lists, collections read from a description, memory streams.
#include "platform/component/classes.h"

#include <gtest/gtest.h>

#include "platform/component/reader.h"

namespace qv {
namespace {

TEST(StringList, BoundsTextAndChangeEvents) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  list.Add(u"4-3-3");
  list.Add(u"Ёлка");
  EXPECT_EQ(list.Get(-1), u"");  // outside the list reads empty, -1 included
  EXPECT_EQ(list.Get(2), u"");
  EXPECT_EQ(list.IndexOf(u"ёЛКА"), 1);
  EXPECT_EQ(list.IndexOf(u"4-4-2"), -1);
  EXPECT_THROW(list.Put(5, u"x"), std::out_of_range);
  EXPECT_EQ(list.Text(), u"4-3-3\r\nЁлка\r\n");
  list.SetText(u"a\rb\nc\r\n\r\nd");
  EXPECT_EQ(list.Strings(), (std::vector<ustring>{u"a", u"b", u"c", u"", u"d"}));
  EXPECT_EQ(changes, 3);
}

struct TSkinItem : TCollectionItem {
  using TCollectionItem::TCollectionItem;
  ustring name;
  int size = 0;
};

TEST(Collection, ReadsItemsAndRenumbers) {
  RegisterPersistentClass("TPersistent", "");
  RegisterPersistentClass("TSkinItem", "TPersistent")
      .Property("Name",
                Setter<TSkinItem>([](TSkinItem& i, auto& v, TReader& r) { i.name = r.String(v); }))
      .Property("Size",
                Setter<TSkinItem>([](TSkinItem& i, auto& v, TReader& r) { i.size = r.Int(v); }));
  TCollection skins("TSkinItem", [](TCollection* c) { return std::make_unique<TSkinItem>(c); });
  int updates = 0;
  skins.OnUpdate = [&](TCollectionItem*) { ++updates; };
  skins.Add();  // replaced by reading
  const TDescObject obj = ParseDescription(
      "object A: TX\n  S = <\n    item\n      Name = 'one'\n    end\n    item\n      Name = "
      "'two'\n      Size = 2\n    end>\nend\n",
      "c.qvd");
  TReader reader("c.qvd");
  skins.Read(obj.properties[0].value, reader);
  ASSERT_EQ(skins.Count(), 2);
  auto* second = static_cast<TSkinItem*>(skins.Item(1));
  EXPECT_EQ(second->name, u"two");
  EXPECT_EQ(second->size, 2);
  EXPECT_EQ(second->Index(), 1);
  EXPECT_EQ(skins.Item(2), nullptr);
  EXPECT_GT(updates, 0);
  const TDescObject bad = ParseDescription(
      "object A: TX\n  S = <\n    item\n      Colour = 1\n    end>\nend\n", "c.qvd");
  EXPECT_THROW(skins.Read(bad.properties[0].value, reader), TDescriptionError);
}

TEST(MemoryStream, ReadsWritesAndSeeksWithinBounds) {
  TMemoryStream s;
  const char hello[] = "hello";
  s.Write(hello, 5);
  EXPECT_EQ(s.Size(), 5);
  s.Seek(-2, 2);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, 8), 2);
  EXPECT_EQ(std::string(buf, 2), "lo");
  EXPECT_EQ(s.Read(buf, 1), 0);
  s.Seek(0, 0);
  EXPECT_THROW(s.ReadBuffer(buf, 6), std::runtime_error);
  EXPECT_EQ(s.Position(), 0);  // a failed exact read moves nothing
  s.Seek(-10, 1);
  EXPECT_EQ(s.Position(), 0);
  s.Seek(7, 0);
  s.Write("!", 1);  // writing past the end grows the stream
  EXPECT_EQ(s.Size(), 8);
  EXPECT_EQ(s.Memory()[5], 0);
}

}  // namespace
}  // namespace qv
