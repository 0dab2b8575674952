// The word operations and the text files' encodings, without a display.
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "editor/text_file.h"
#include "editor/words.h"

namespace lirvan::test {
namespace {

TEST(Words, WordBeforeAPosition) {
  struct Case {
    const char* text;
    int pos;
    const char* word;
  };
  const Case cases[] = {
      {"bir iki  ", 8, "iki"},   {"bir iki", 6, "iki"},  {"bir iki", 2, "bir"},
      {"bir iki", 3, "bir"},     {"ab", 99, "ab"},       {"ab", -1, ""},
      {"  \n ", 3, ""},          {"", 0, ""},            {"a\r\nb", 1, "a\r"},
      {"tek\r\n\r\n", 6, "\r"},  {"x", 0, "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.pos));
    EXPECT_EQ(GetWordBefore(StringSource(c.text), c.pos), c.word);
  }
}

TEST(Words, WordAtAPosition) {
  struct Case {
    const char* text;
    int pos;
    const char* word;
  };
  const Case cases[] = {
      {"ilk kelime", 5, "kelime"}, {"ilk kelime", 3, ""}, {"ilk kelime", 0, "ilk"},
      {"ilk kelime", 9, "kelime"}, {"a\r\nbc", 4, "bc"},  {"a\r\nbc", 2, ""},
      {"ab", 2, ""},               {"ab", -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.pos));
    EXPECT_EQ(GetWordAt(StringSource(c.text), c.pos), c.word);
  }
}

TEST(Words, LineBreaksAreHeardAsBlanks) {
  EXPECT_EQ(LinesAsBlanks("a\r\nb\nc\rd"), "a b c\rd");
  EXPECT_TRUE(IsTurkishSpace('\t'));
  EXPECT_TRUE(IsTurkishSpace('\xA0'));
  EXPECT_FALSE(IsTurkishSpace('\xFD'));
}

TEST(TextFiles, EncodingAndLineEndsAreFoundAndKept) {
  using E = TextFileFormat::Encoding;
  using L = TextFileFormat::LineEnd;
  struct Case {
    const char* name;
    QByteArray bytes;
    QString text;
    TextFileFormat format;
  };
  const Case cases[] = {
      {"utf-8, LF", "\xC3\xA7" "a\nb", QStringLiteral("ça\nb"), {E::Utf8, false, L::Lf}},
      {"utf-8, CR LF", "a\r\nb\r\n", QStringLiteral("a\nb\n"), {E::Utf8, false, L::CrLf}},
      {"utf-8 with BOM", "\xEF\xBB\xBF" "x", QStringLiteral("x"), {E::Utf8, true, L::Lf}},
      {"cp1254, CR", "\xDD\xFD\r\xD0", QStringLiteral("İı\nĞ"), {E::Cp1254, false, L::Cr}},
      {"cut utf-8 is cp1254", "a\xC4", QStringLiteral("aÄ"), {E::Cp1254, false, L::Lf}},
      {"empty", "", QString(), {E::Utf8, false, L::Lf}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodedText decoded = DecodeTextFile(c.bytes);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_TRUE(decoded.format == c.format);
    TextFileFormat format = decoded.format;
    EXPECT_EQ(EncodeTextFile(decoded.text, format), c.bytes) << "a round trip keeps every byte";
  }
}

TEST(TextFiles, Cp1254WithoutRoomForACharacterBecomesUtf8) {
  TextFileFormat format{TextFileFormat::Encoding::Cp1254, false, TextFileFormat::LineEnd::CrLf};
  EXPECT_EQ(EncodeTextFile(QStringLiteral("ş\n€"), format), QByteArray("\xFE\r\n\x80"));
  EXPECT_EQ(format.encoding, TextFileFormat::Encoding::Cp1254);
  EXPECT_EQ(EncodeTextFile(QStringLiteral("ə"), format), QByteArray("\xC9\x99"));
  EXPECT_EQ(format.encoding, TextFileFormat::Encoding::Utf8);
}

TEST(TextFiles, AtomicWriteReplacesWholeOrNotAtAll) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("a.txt"));
  ASSERT_TRUE(WriteFileAtomically(path, "bir"));
  ASSERT_TRUE(WriteFileAtomically(path, "iki"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("iki"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.txt")})
      << "no temporary file is left behind";
  EXPECT_FALSE(WriteFileAtomically(dir.filePath(QStringLiteral("yok/a.txt")), "x"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("klasor.txt")));
  EXPECT_FALSE(WriteFileAtomically(dir.filePath(QStringLiteral("klasor.txt")), "x"));
}

}  // namespace
}  // namespace lirvan::test
