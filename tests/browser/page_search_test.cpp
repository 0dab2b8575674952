// Search on the stored page text: finding, stepping on, and reading before,
// after and between found words.
#include <gtest/gtest.h>

#include "browser/page_search.h"
#include "platform/cp1254.h"
#include "shell/text.h"

namespace lirvan::test {
namespace {

std::string Said(const SpeechText& text) { return Cp1254ToUtf8(text.Joined()); }

const std::string kPage = Cp("haberler spor hava durumu spor sonu");

TEST(PageSearch, FindLowerCasesTheTypedWordTheTurkishWay) {
  PageSearch search;
  EXPECT_EQ(Said(*search.Find(Cp("  SPOR "), kPage)), "spor bulundu");
  EXPECT_EQ(search.foundPosition(), 9u);
  EXPECT_EQ(Said(*search.Find(Cp("IŞIK"), Cp("ışık var"))), "ışık bulundu");
  EXPECT_EQ(Said(*search.Find(Cp("İzmir"), Cp("izmir"))), "izmir bulundu");
  EXPECT_FALSE(search.Find("   ", kPage)) << "an empty word ends the command silently";
}

TEST(PageSearch, NotFoundResetsThePosition) {
  PageSearch search;
  search.Find("hava", kPage);
  EXPECT_EQ(Said(*search.Find("kar", kPage)), "kar bulunamadı");
  EXPECT_EQ(search.foundPosition(), 0u);
}

TEST(PageSearch, FindNextStepsOnThenRunsOutAndStartsAgain) {
  PageSearch search;
  search.Find("spor", kPage);
  EXPECT_EQ(Said(search.FindNext(kPage)), "spor bulundu");
  EXPECT_EQ(search.foundPosition(), 26u);
  EXPECT_EQ(Said(search.FindNext(kPage)), "dosyanın kalanında bulunamadı");
  // After the failure the position is 0: read-after reads the whole text.
  EXPECT_EQ(Said(search.ReadAfter(kPage)), Cp1254ToUtf8(kPage));
  EXPECT_EQ(Said(search.FindNext(kPage)), "spor bulundu");
  EXPECT_EQ(search.foundPosition(), 9u);
}

TEST(PageSearch, FindNextWithoutAWordSaysSo) {
  PageSearch search;
  EXPECT_EQ(Said(search.FindNext(kPage)), "Aranacak kelime girilmedi");
}

TEST(PageSearch, ReadBeforeAndAfterTheFoundWord) {
  PageSearch search;
  search.Find("haberler", kPage);
  EXPECT_EQ(Said(search.ReadBefore(kPage)), "") << "a word at position 0 has nothing before it";
  search.Find("hava", kPage);
  EXPECT_EQ(Said(search.ReadBefore(kPage)), "haberler spor ");
  EXPECT_EQ(Said(search.ReadAfter(kPage)), "hava durumu spor sonu");
  EXPECT_TRUE(search.ReadAfter(kPage).IsPlainOnly()) << "page text is outside text";
}

TEST(PageSearch, ReadBetweenTwoWords) {
  const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
      {{"spor", "durumu"}, "spor hava durumu"},
      {{"durumu", "SPOR"}, "spor hava durumu"},  // the second before the first
      {{"haberler", "sonu"}, "haberler spor hava durumu spor sonu"},
      {{"", "spor"}, "uygun kelime girilmedi"},
      {{"spor", " Spor "}, "uygun kelime girilmedi"},
      {{"kar", "spor"}, "birinci kelime bulunamadi"},
      {{"spor", "kar"}, "ikinci kelime bulunamadi"},
  };
  for (const auto& [words, expected] : cases) {
    SCOPED_TRACE(std::string(words.first) + " / " + words.second);
    EXPECT_EQ(Said(PageSearch::ReadBetween(words.first, words.second, kPage)), expected);
  }
}

}  // namespace
}  // namespace lirvan::test
