// What the page script returns, read into snapshots: texts in CP1254 with
// line breaks made blanks, children linked, and anything malformed refused.
#include <QString>
#include <gtest/gtest.h>
#include <random>

#include "browser/snapshot_reader.h"
#include "platform/cp1254.h"

namespace lirvan::test {
namespace {

const char* const kPage = R"({"g":3,"c":7,"h":true,"b":true,"t":"Haberler\nBugün","f":1,
  "x":"  HABERLER\n\nSpor IŞIK İzmir  ",
  "e":[["DIV","Haberler\nSpor",0,"",0,0,0,-1,11],
       ["H2","Spor",0,"",11,0,2,0,12],
       ["INPUT","","  Adınız\n","text",6,0,0,0,13],
       ["INPUT","","Onay","checkbox",10,1,0,-1,14]]})";

QString Json(const char* text) { return QString::fromUtf8(text); }

TEST(SnapshotReader, ReadsThePageAsStored) {
  const std::optional<PageSnapshot> snapshot = ReadSnapshot(Json(kPage));
  ASSERT_TRUE(snapshot);
  EXPECT_EQ(snapshot->generation, 3u);
  EXPECT_EQ(snapshot->changeCount, 7u);
  EXPECT_TRUE(snapshot->isHtml);
  EXPECT_EQ(snapshot->formCount, 1);
  EXPECT_EQ(Cp1254ToUtf8(snapshot->title), "Haberler Bugün");
  EXPECT_EQ(Cp1254ToUtf8(snapshot->text), "haberler spor ışık izmir");
  ASSERT_EQ(snapshot->size(), 4);
  const PageElement& div = snapshot->elements[0];
  EXPECT_EQ(div.text, "Haberler Spor") << "words on two lines stay two words";
  EXPECT_EQ(div.firstChild, 1);
  EXPECT_EQ(snapshot->elements[1].nextSibling, 2);
  EXPECT_EQ(snapshot->elements[1].kind, ElementKind::Heading);
  EXPECT_EQ(snapshot->elements[1].level, 2);
  EXPECT_EQ(Cp1254ToUtf8(snapshot->elements[2].name), "Adınız");
  EXPECT_EQ(snapshot->elements[3].type, "checkbox");
  EXPECT_TRUE(snapshot->elements[3].checked);
  EXPECT_EQ(snapshot->elements[0].nextSibling, 3);
  EXPECT_EQ(snapshot->elements[3].uid, 14u);
}

TEST(SnapshotReader, RefusesWhatIsMalformed) {
  const char* const cases[] = {
      "",
      "null",
      "[1,2]",
      R"({"g":0,"e":[]})",                                  // no generation
      R"({"g":1,"e":[["DIV","",""]]})",                     // a short row
      R"({"g":1,"e":[["DIV","","","",42,0,0,-1,1]]})",      // an unknown kind
      R"({"g":1,"e":[5]})",
      R"({"g":1,"e":[["DIV","","","",0,0,0,-1,1]]}garbage)",
  };
  for (const char* json : cases) EXPECT_FALSE(ReadSnapshot(Json(json))) << json;
}

TEST(SnapshotReader, AParentAfterItsChildIsTakenAsTheBody) {
  const auto snapshot = ReadSnapshot(Json(
      R"({"g":1,"e":[["P","a","","",0,0,0,1,1],["P","b","","",0,0,0,7,2],["P","c","","",0,0,0,2,3]]})"));
  ASSERT_TRUE(snapshot);
  for (const PageElement& element : snapshot->elements) EXPECT_EQ(element.parent, -1);
}

TEST(SnapshotReader, GarbageNeverCrashesOrHangs) {
  const std::string valid = kPage;
  std::mt19937 random(1254);
  for (int round = 0; round < 3000; ++round) {
    std::string mutated = valid;
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = random() % mutated.size();
      switch (random() % 3) {
        case 0:
          mutated[at] = static_cast<char>(random() % 256);
          break;
        case 1:
          mutated.erase(at, 1 + random() % 10);
          break;
        default:
          mutated.insert(at, 1, "[]{},\":-0123456789"[random() % 18]);
      }
      if (mutated.empty()) mutated = "{";
    }
    const std::optional<PageSnapshot> snapshot = ReadSnapshot(QString::fromUtf8(mutated));
    if (!snapshot) continue;
    for (const PageElement& element : snapshot->elements) {
      ASSERT_LT(element.parent, snapshot->size());
      ASSERT_LT(element.firstChild, snapshot->size());
      ASSERT_LT(element.nextSibling, snapshot->size());
    }
  }
}

TEST(SnapshotReader, TitleAndFocusedField) {
  const auto title = ReadTitle(Json(R"({"t":"Ana\nsayfa","h":false})"));
  ASSERT_TRUE(title);
  EXPECT_EQ(title->title, "Ana sayfa");
  EXPECT_FALSE(title->isHtml);

  EXPECT_FALSE(ReadFocusedField(Json("null")));
  const auto field = ReadFocusedField(Json(R"({"k":1,"v":"çay şeker","s":3})"));
  ASSERT_TRUE(field);
  EXPECT_FALSE(field->password);
  EXPECT_EQ(Cp1254ToUtf8(field->value), "çay şeker");
  EXPECT_EQ(field->caret, 3);
  EXPECT_TRUE(ReadFocusedField(Json(R"({"k":2,"v":"x","s":1})"))->password);
}

TEST(SnapshotReader, WordBeforeTheCaret) {
  struct Case {
    const char* value;
    int caret;
    const char* word;
  };
  const Case cases[] = {
      {"merhaba dünya", -1, "dünya"},
      {"merhaba dünya ", -1, "dünya"},  // the blank typed is already there
      {"merhaba  ", -1, ""},            // two blanks: no word before
      {"merhaba dünya", 7, "merhaba"},
      {"", -1, ""},
      {"tek", 3, "tek"},
  };
  for (const Case& c : cases) {
    FieldInfo field;
    field.value = Utf8ToCp1254(c.value);
    field.caret = c.caret;
    EXPECT_EQ(Cp1254ToUtf8(WordBeforeCaret(field)), c.word) << c.value << " @" << c.caret;
  }
}

}  // namespace
}  // namespace lirvan::test
