// Abbreviation and exception files: pairs, messages, precedence, shipped data.
#include "frontend/lexicon.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "speech/units/char_class.h"
#include "platform/cp1254.h"
#include "platform/trace.h"

namespace lirvan {
namespace {

namespace fs = std::filesystem;

// Runs each test inside a fresh folder of its own, with veriler/ in it.
class LexiconFiles : public testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    dir_ = fs::temp_directory_path() / ("lirvan-lexicon-" + std::to_string(::getpid()) + "-" +
                                        std::to_string(rd()));
    fs::create_directories(dir_ / "veriler");
    old_ = fs::current_path();
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(old_);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  static void Write(const char* name, std::string_view bytes) {
    std::ofstream out(fs::path("veriler") / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  // Loads both files into lexicon and returns the trace lines written.
  static std::string Load(Lexicon& lexicon) {
    SetTraceEnabled(true);
    testing::internal::CaptureStdout();
    LoadAbbreviations(lexicon);
    LoadExceptions(lexicon);
    std::string out = testing::internal::GetCapturedStdout();
    SetTraceEnabled(false);
    return out;
  }

 private:
  fs::path dir_;
  fs::path old_;
};

TEST_F(LexiconFiles, PairsAreReadAndCounted) {
  Write("kisaltmalar.txt", Utf8ToCp1254("dr doktor\nprof profesör\n"));
  Write("istisnalar.txt", "");
  Lexicon lexicon;
  EXPECT_EQ(Load(lexicon), "Loaded 2 abbreviation(s)\nLoaded 0 exception(s)\n");
  EXPECT_EQ(lexicon.Lookup("dr"), "doktor");
  EXPECT_EQ(Cp1254ToUtf8(lexicon.Lookup("prof")), "profesör");
  EXPECT_EQ(lexicon.Lookup("ahmet"), "");
}

TEST_F(LexiconFiles, WhiteSpaceOfAnyKindSeparatesWordsAndLinesMeanNothing) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"pair across lines", "dr\ndoktor prof\r\nprofes\xF6r"},
      {"tabs and CR LF", "\tdr\t\tdoktor\r\n\r\nprof   profes\xF6r\r\n"},
      {"vertical tab and form feed", "\vdr\fdoktor\v\fprof profes\xF6r"},
      {"no line end at all", "dr doktor prof profes\xF6r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write("kisaltmalar.txt", c.bytes);
    Lexicon lexicon;
    EXPECT_NE(Load(lexicon).find("Loaded 2 abbreviation(s)\n"), std::string::npos);
    EXPECT_EQ(lexicon.Lookup("dr"), "doktor");
    EXPECT_EQ(lexicon.Lookup("prof"), "profes\xF6r");
  }
}

TEST_F(LexiconFiles, HighBytesAreNeverWhiteSpace) {
  // 0xA0 is the no-break space of the code page, 0x85 an ellipsis.
  Write("kisaltmalar.txt", "a\xA0" "b c\x85" "d\n");
  Lexicon lexicon;
  Load(lexicon);
  EXPECT_EQ(lexicon.Lookup("a\xA0" "b"), "c\x85" "d");
  EXPECT_EQ(lexicon.Lookup("a"), "");
}

TEST_F(LexiconFiles, OddWordCountGivesTheLastKeyAnEmptyValue) {
  Write("kisaltmalar.txt", "dr doktor\nprof profes\xF6r\nvb\n");
  Lexicon lexicon;
  EXPECT_EQ(Load(lexicon),
            "Invalid exceptions file format at line 3\n"
            "Loaded 3 abbreviation(s)\n"
            "error loading exceptions file\n"
            "Loaded 0 exception(s)\n");
  EXPECT_EQ(lexicon.Lookup("vb"), "");
  EXPECT_EQ(lexicon.Lookup("dr"), "doktor");
}

TEST_F(LexiconFiles, MissingFilesAreReportedAndLeaveTheLexiconEmpty) {
  Lexicon lexicon;
  EXPECT_EQ(Load(lexicon),
            "error loading abbreviations file\n"
            "Loaded 0 abbreviation(s)\n"
            "error loading exceptions file\n"
            "Loaded 0 exception(s)\n");
  EXPECT_EQ(lexicon.Lookup("dr"), "");
}

TEST_F(LexiconFiles, ExceptionFileWinsOverAbbreviationFile) {
  Write("kisaltmalar.txt", "ms milattansonra\nsn saniye\n");
  Write("istisnalar.txt", "ms milisaniye\n");
  Lexicon lexicon;
  EXPECT_EQ(Load(lexicon), "Loaded 2 abbreviation(s)\nLoaded 1 exception(s)\n");
  EXPECT_EQ(lexicon.Lookup("ms"), "milisaniye");
  EXPECT_EQ(lexicon.Lookup("sn"), "saniye");
}

TEST_F(LexiconFiles, RepeatedKeyTakesItsLastValue) {
  Write("kisaltmalar.txt", "dr doktor\ndr doktorlar\n");
  Lexicon lexicon;
  Load(lexicon);
  EXPECT_EQ(lexicon.Lookup("dr"), "doktorlar");
}

TEST_F(LexiconFiles, KeysMatchExactlyAndCaseSensitively) {
  Write("kisaltmalar.txt", "Dr doktor\nvb. vebenzeri\n");
  Lexicon lexicon;
  Load(lexicon);
  EXPECT_EQ(lexicon.Lookup("dr"), "");  // tokens are lower case
  EXPECT_EQ(lexicon.Lookup("vb"), "");  // the tokenizer cuts the dot off
  EXPECT_EQ(lexicon.Lookup("Dr"), "doktor");
}

TEST_F(LexiconFiles, BinaryGarbageLoadsWithoutTrouble) {
  std::string bytes;
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) bytes += static_cast<char>(rng() & 0xFF);
  Write("kisaltmalar.txt", bytes);
  Write("istisnalar.txt", std::string(5000, ' '));
  Lexicon lexicon;
  const std::string out = Load(lexicon);
  EXPECT_NE(out.find("Loaded 0 exception(s)"), std::string::npos);
}

// The files shipped in veriler/: enough entries, letters-only Turkish lower
// case keys and values, one value per key.
TEST(ShippedLexicons, AreWellFormedTurkishLowerCase) {
  struct File {
    const char* name;
    std::size_t atLeast;
  };
  for (const File& f : {File{"kisaltmalar.txt", 150}, File{"istisnalar.txt", 40}}) {
    SCOPED_TRACE(f.name);
    std::ifstream in(fs::path(LIRVAN_SOURCE_DIR) / "veriler" / f.name, std::ios::binary);
    ASSERT_TRUE(in);
    std::string key;
    std::string value;
    std::size_t pairs = 0;
    while (in >> key) {
      ASSERT_TRUE(in >> value) << "no value for " << Cp1254ToUtf8(key);
      ++pairs;
      for (const std::string& word : {key, value}) {
        EXPECT_EQ(TurkishLower(word), word) << Cp1254ToUtf8(word);
        for (char c : word) EXPECT_TRUE(IsLetter(c)) << Cp1254ToUtf8(word);
      }
      EXPECT_NE(key, value) << Cp1254ToUtf8(key);
    }
    EXPECT_GE(pairs, f.atLeast);
  }
}

// Every word of a text as the front end lowers it.
std::set<std::string> CorpusWords(const char* name) {
  std::ifstream in(fs::path(LIRVAN_SOURCE_DIR) / "tests" / "data" / name, std::ios::binary);
  const std::string text = Utf8ToCp1254(
      std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  std::set<std::string> words;
  std::string word;
  for (char c : text + ' ') {
    if (IsLetter(c)) {
      word += TurkishLower(c);
    } else if (!word.empty()) {
      words.insert(std::exchange(word, {}));
    }
  }
  return words;
}

// A key that is an ordinary word hides it wherever it is written ('haz' was
// read "haziran"); only keys meant to replace the word itself may be one.
TEST(ShippedLexicons, NoKeyIsAnOrdinaryWordOfTheCorpus) {
  std::set<std::string> corpus = CorpusWords("turkce_metin.txt");
  corpus.merge(CorpusWords("gunluk_turkce.txt"));
  ASSERT_GT(corpus.size(), 500u);
  ASSERT_TRUE(corpus.contains("haz"));
  // 'mail' is said as the English word wherever it is written.
  const std::set<std::string> meant = {"mail"};
  for (const char* name : {"kisaltmalar.txt", "istisnalar.txt"}) {
    std::ifstream in(fs::path(LIRVAN_SOURCE_DIR) / "veriler" / name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::string key;
    std::string value;
    while (in >> key >> value) {
      EXPECT_TRUE(!corpus.contains(key) || meant.contains(key))
          << name << ": '" << Cp1254ToUtf8(key) << "' is an ordinary word";
    }
  }
}

}  // namespace
}  // namespace lirvan
