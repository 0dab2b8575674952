// The reading modes on snapshots written by hand: each press of the
// read-next key, and what it says and does.
#include <gtest/gtest.h>

#include "browser/reading_walk.h"
#include "platform/cp1254.h"
#include "snapshot_builder.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<std::string>;
using K = ElementKind;

// Each press's lines, after choosing the mode.
std::vector<Lines> Presses(const PageSnapshot& snapshot, ReadingMode mode, int count,
                           ReadingState& state) {
  SetReadingMode(state, mode);
  std::vector<Lines> presses;
  for (int i = 0; i < count; ++i) presses.push_back(Render(ReadNext(snapshot, state)));
  return presses;
}

std::vector<Lines> Presses(const PageSnapshot& snapshot, ReadingMode mode, int count) {
  ReadingState state;
  return Presses(snapshot, mode, count, state);
}

const Lines kEnd{"Speak\tSayfanın sonu"};

PageSnapshot TwoTables() {
  SnapshotBuilder page;
  page.Add({"P", "Giriş"});
  const int first = page.Add({"TABLE", "Ad\tSoyad\nAli\tVeli", -1, K::Table});
  page.Add({"TD", "Ad", first, K::Cell});
  page.Add({"TD", "Soyad", first, K::Cell});
  page.Add({"TABLE", "   ", -1, K::Table});  // only blanks: skipped
  const int second = page.Add({"TABLE", " Fiyat 5", -1, K::Table});
  page.Add({"TH", "Fiyat", second, K::Cell});
  page.Add({"TD", "5", second, K::Cell});
  page.Add({"P", "Son"});
  return page.Build();
}

TEST(ReadingModes, TablesOneByOneThenTheEndThenTheFirstAgain) {
  EXPECT_EQ(Presses(TwoTables(), ReadingMode::Tables, 4),
            (std::vector<Lines>{{"Speak\tAd\tSoyad Ali\tVeli"}, {"Speak\tFiyat 5"}, kEnd,
                                {"Speak\tAd\tSoyad Ali\tVeli"}}));
}

TEST(ReadingModes, CellsStartAgainFromTheFirstCellWhenChosenMidPage) {
  ReadingState state;
  Presses(TwoTables(), ReadingMode::Tables, 1, state);
  EXPECT_EQ(Presses(TwoTables(), ReadingMode::Cells, 5, state),
            (std::vector<Lines>{{"Speak\tAd"}, {"Speak\tSoyad"}, {"Speak\tFiyat"}, {"Speak\t5"},
                                kEnd}));
}

TEST(ReadingModes, AllReadsTheWholeStoredTextOnEveryPress) {
  SnapshotBuilder page;
  page.Text("haberler spor");
  page.Add({"P", "Haberler"});
  EXPECT_EQ(Presses(page.Build(), ReadingMode::All, 2),
            (std::vector<Lines>{{"Speak\thaberler spor"}, {"Speak\thaberler spor"}}));
}

TEST(ReadingModes, SmallSectionsStopAtTheFirstChildWithText) {
  SnapshotBuilder page;
  const int p = page.Add({"P", "Bir iki üç"});
  page.Add({"B", "iki", p});
  page.Add({"DIV", "Dört"});
  const int link = page.Add({"A", "Ana sayfa", -1, K::Anchor});
  page.Add({"SPAN", "", link});
  EXPECT_EQ(Presses(page.Build(), ReadingMode::Sections, 5),
            (std::vector<Lines>{{"Speak\tBir"}, {"Speak\tiki"}, {"Speak\tDört"},
                                {"Speak\tBağlantı Ana sayfa"}, kEnd}));
}

TEST(ReadingModes, SmallSectionLooksPastChildrenWhoseFirstWordIsNotInTheText) {
  struct Case {
    const char* name;
    const char* parentText;
    std::vector<const char*> childTexts;
    const char* firstPress;
  };
  const Case cases[] = {
      {"no child has text", "  Yalnız metin", {"", "  "}, "Speak\tYalnız metin"},
      {"first word missing, second child found", "Önce sonra", {"yok burada", "sonra"},
       "Speak\tÖnce"},
      {"a child at the very start leaves the parent silent", "Kalın yazı", {"Kalın"},
       "Speak\tKalın"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SnapshotBuilder page;
    const int p = page.Add({"P", c.parentText});
    for (const char* child : c.childTexts) page.Add({"SPAN", child, p});
    EXPECT_EQ(Presses(page.Build(), ReadingMode::Sections, 1).front(), Lines{c.firstPress});
  }
}

TEST(ReadingModes, LinksAreFocusedAndNamedEvenWithoutText) {
  SnapshotBuilder page;
  page.Add({"A", "Haberler", -1, K::Anchor});
  const int image = page.Add({"A", "", -1, K::Anchor, "Ana sayfa"});  // by its image's alt
  page.Add({"IMG", "", image});
  page.Add({"A", "", -1, K::Anchor, "https://ornek.com.tr/"});  // by its address
  page.Add({"P", "Metin"});
  EXPECT_EQ(Presses(page.Build(), ReadingMode::Links, 4),
            (std::vector<Lines>{{"focus 0", "Speak\tHaberler"},
                                {"focus 1", "Speak\tAna sayfa"},
                                {"focus 3", "Speak\thttps://ornek.com.tr/"},
                                kEnd}));
}

TEST(ReadingModes, SmartReadingSaysLinksFieldsAndSections) {
  SnapshotBuilder page;
  page.Add({"P", "Hoş geldiniz"});
  page.Add({"A", "Giriş", -1, K::Anchor});
  page.Add({"INPUT", "", -1, K::TextInput, "Ad", "text"});
  page.Add({"INPUT", "", -1, K::Input, "", "hidden"});  // passed over, not a section
  page.Add({"INPUT", "", -1, K::Input, "", "submit"});
  EXPECT_EQ(Presses(page.Build(), ReadingMode::Smart, 5),
            (std::vector<Lines>{{"Speak\tHoş geldiniz"},
                                {"focus 1", "Speak\tBağlantı Giriş"},
                                {"Speak\tAd girdi alanı", "select 2"},
                                {"Speak\tgönder düğmesi", "focus 4"},
                                kEnd}));
}

TEST(ReadingModes, HeadingsWithTheirLevels) {
  SnapshotBuilder page;
  page.Add({"H1", "Lirvan Yardım", -1, K::Heading, "", "", false, 1});
  page.Add({"P", "Metin"});
  page.Add({"H2", " ", -1, K::Heading, "", "", false, 2});  // empty: skipped
  page.Add({"DIV", "Tuşlar", -1, K::Heading, "", "", false, 3});
  EXPECT_EQ(Presses(page.Build(), ReadingMode::Headings, 3),
            (std::vector<Lines>{{"Speak\tBaşlık 1 Lirvan Yardım"}, {"Speak\tBaşlık 3 Tuşlar"},
                                kEnd}));
}

TEST(ReadingModes, ThePieceOnTheLastElementIsFollowedByTheEnd) {
  SnapshotBuilder page;
  page.Add({"P", "Bir"});
  page.Add({"P", "İki"});
  EXPECT_EQ(Presses(page.Build(), ReadingMode::Sections, 4),
            (std::vector<Lines>{{"Speak\tBir"}, {"Speak\tİki"}, kEnd, {"Speak\tBir"}}));
}

TEST(ReadingModes, AnEmptyPageHasOnlyItsEnd) {
  for (const ModeRow& mode : ReadingModes()) {
    if (mode.mode == ReadingMode::All) continue;
    SCOPED_TRACE(std::string(mode.sentence));
    EXPECT_EQ(Presses(PageSnapshot{}, mode.mode, 2), (std::vector<Lines>{kEnd, kEnd}));
  }
}

TEST(ReadingModes, EachModeSaysItsSentenceAndStartsAtTheTop) {
  const std::pair<Command, const char*> expected[] = {
      {Command::ModeAll, "okuma biçimi tümü"},
      {Command::ModeTables, "okuma biçimi tablolar"},
      {Command::ModeCells, "okuma biçimi tablo hücreleri"},
      {Command::ModeSections, "okuma biçimi küçük bölümler"},
      {Command::ModeLinks, "okuma biçimi bağlantılar"},
      {Command::ModeForms, "okuma biçimi form nesneleri"},
      {Command::ModeSmart, "okuma biçimi akıllı okuma"},
      {Command::ModeHeadings, "okuma biçimi başlıklar"},
  };
  for (const auto& [command, sentence] : expected) {
    SCOPED_TRACE(sentence);
    const ModeRow* row = ModeForCommand(command);
    ASSERT_NE(row, nullptr);
    ReadingState state;
    state.m_nCursor = 3;
    state.m_bAtEnd = true;
    EXPECT_EQ(Render(SetReadingMode(state, row->mode)),
              (Lines{std::string("SpeakAndWait\t") + sentence}));
    EXPECT_EQ(state.m_nCursor, 0);
    EXPECT_FALSE(state.m_bAtEnd);
  }
  EXPECT_EQ(ModeForCommand(Command::ReadNext), nullptr);
}

TEST(ReadingModes, PageTextIsSpokenAsPlainOutsideText) {
  SnapshotBuilder page;
  page.Add({"A", "[[ses]]", -1, K::Anchor});
  ReadingState state;
  SetReadingMode(state, ReadingMode::Smart);
  const WalkEvents events = ReadNext(page.Build(), state);
  const auto& said = std::get<Utterance>(events.events().back()).text;
  ASSERT_EQ(said.segments().size(), 2u);
  EXPECT_FALSE(said.segments()[0].plain) << "Bağlantı is the program's own word";
  EXPECT_TRUE(said.segments()[1].plain);
}

// A newer snapshot of the same document keeps the reading position.
TEST(CarryOver, KeepsThePositionOnTheSameElement) {
  SnapshotBuilder older;
  older.Add({"P", "Bir"});
  older.Add({"P", "İki"});
  older.Add({"P", "Üç"});
  const PageSnapshot before = older.Build();
  ReadingState state;
  SetReadingMode(state, ReadingMode::Sections);
  ReadNext(before, state);
  ReadNext(before, state);  // "İki" read; the cursor stands on "Üç"

  struct Case {
    const char* name;
    std::vector<std::uint32_t> uids;  // the newer snapshot's elements by their older uid (0: new)
    const char* next;
  };
  const Case cases[] = {
      {"content added before", {0, 0, 1, 2, 3}, "Üç"},
      {"the element read last removed", {1, 3}, "Üç"},
      {"everything after it removed", {1, 2}, "Sayfanın sonu"},
      {"the whole page replaced", {0, 0}, "Yeni"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PageSnapshot after;
    after.generation = 2;
    std::uint32_t fresh = 100;
    for (const std::uint32_t uid : c.uids) {
      PageElement element;
      element.tag = "P";
      element.uid = uid == 0 ? fresh++ : uid;
      element.text = uid == 0 ? "Yeni" : before.elements[uid - 1].text;
      after.elements.push_back(element);
    }
    LinkChildren(after);
    ReadingState carried = state;
    CarryOver(before, after, carried);
    EXPECT_EQ(Cp1254ToUtf8(std::get<Utterance>(ReadNext(after, carried).events().front())
                               .text.Joined()),
              c.next);
  }
}

TEST(CarryOver, HeldChoiceFieldFollowsItsElementOrIsLetGo) {
  SnapshotBuilder older;
  older.Add({"P", "Metin"});
  older.Add({"INPUT", "", -1, K::Input, "Onay", "checkbox"});
  const PageSnapshot before = older.Build();
  ReadingState state;
  state.m_bChoiceFieldHeld = true;
  state.m_nChoiceField = 1;

  PageSnapshot moved = before;
  moved.elements.insert(moved.elements.begin(), PageElement{});
  moved.elements.front().uid = 50;
  LinkChildren(moved);
  ReadingState carried = state;
  CarryOver(before, moved, carried);
  EXPECT_TRUE(carried.m_bChoiceFieldHeld);
  EXPECT_EQ(carried.m_nChoiceField, 2);

  PageSnapshot gone = before;
  gone.elements.pop_back();
  carried = state;
  CarryOver(before, gone, carried);
  EXPECT_FALSE(carried.m_bChoiceFieldHeld);
}

TEST(CarryOver, ContentAddedBehindTheLastPieceIsReadNext) {
  SnapshotBuilder older;
  older.Add({"P", "Bir"});
  const PageSnapshot before = older.Build();
  ReadingState state;
  SetReadingMode(state, ReadingMode::Sections);
  ReadNext(before, state);  // the last piece: the next press would say the end
  SnapshotBuilder newer;
  newer.Add({"P", "Bir"});
  newer.Add({"P", "Daha fazla"});
  CarryOver(before, newer.Build(), state);
  EXPECT_EQ(Render(ReadNext(newer.Build(), state)), (Lines{"Speak\tDaha fazla"}));
}

TEST(StoredText, EveryRunOfLineBreaksBecomesOneBlank) {
  const std::pair<const char*, const char*> cases[] = {
      {"Haberler\nSpor", "Haberler Spor"},
      {"Haberler\r\n\r\n\nSpor\n", "Haberler Spor "},
      {"A\tB", "A\tB"},
      {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(StoredText(in), out) << in;
}

}  // namespace
}  // namespace lirvan::test
