// The program's own PDF extractor on PDFs the test makes with zlib, on
// streams too large for their first buffer, and on random and cut input.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

#include "editor/pdf_text.h"
#include "pdf_builder.h"

namespace lirvan::test {
namespace {

// Content streams end as page descriptions do, with an operator after the
// last ET: ET is seen at the byte after its delimiter.
std::string Extract(const std::string& content) { return ExtractPdfBytes(MakePdf({content})); }

TEST(PdfExtractor, TextObjectsStringsAndSeparators) {
  struct Case {
    const char* name;
    std::string content;
    std::string text;
  };
  const Case cases[] = {
      {"one string between BT and ET", "BT\n/F1 12 Tf\n(Merhaba dunya) Tj\nET\nQ\n",
       "Merhaba dunya\r\n"},
      {"TJ numbers: 250 a blank, 1200 a TAB, 50 nothing",
       "BT\n[(a) 250 (b) 1200 (c) 50 (d)] TJ\nET\nQ\n", "a b\tcd\r\n"},
      {"negative spacing counts by its size", "BT\n[(a)-250(b)] TJ\nET\nQ\n", "a b\r\n"},
      {"TD 12 a line break, -12 too, 0 a TAB",
       "BT\n(a) Tj\n0 12 TD\n(b) Tj\n0 -12 TD\n(c) Tj\n5 0 TD\n(d) Tj\nET\nQ\n",
       "a\r\nb\r\nc\td\r\n"},
      {"0xFD written, 0xFF not", "BT\n(k\xFDr\xFF) Tj\nET\nQ\n", "k\xFDr\r\n"},
      {"escapes: the byte after a backslash as itself",
       "BT\n(\\(a\\) b\\\\c \\101) Tj\nET\nQ\n", "(a) b\\c 101\r\n"},
      {"strings outside BT and ET are not text", "(gizli) Tj\nBT\n(acik) Tj\nET\nQ\n",
       "acik\r\n"},
      {"BT must stand alone", "xBT\n(yok) Tj\nET\nQ\n", ""},
      {"control bytes dropped", std::string("BT\n(a\x01\x7F" "b) Tj\nET\nQ\n"), "ab\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Extract(c.content), c.text);
  }
}

TEST(PdfExtractor, StreamLineEndsCrLfAndALoneLfAreBothRead) {
  const std::string content = "BT\n(satir) Tj\nET\nQ\n";
  EXPECT_EQ(ExtractPdfBytes(MakePdf({content}, "\r\n", "\r\n")), "satir\r\n");
  EXPECT_EQ(ExtractPdfBytes(MakePdf({content}, "\n", "\n")), "satir\r\n");
  EXPECT_EQ(ExtractPdfBytes(MakePdf({content, content}, "\n", "\n")), "satir\r\nsatir\r\n");
}

TEST(PdfExtractor, StreamsThatAreNotZlibAreSkipped) {
  const std::string pdf = "1 0 obj\nstream\r\nnot zlib at all\r\nendstream\n" +
                          MakePdf({"BT\n(sonra) Tj\nET\nQ\n"});
  EXPECT_EQ(ExtractPdfBytes(pdf), "sonra\r\n");
}

TEST(PdfExtractor, AStreamInflatingPastTenTimesItsSizeIsStillRead) {
  // Highly repetitive content compresses far more than ten to one.
  std::string content = "BT\n";
  for (int i = 0; i < 20000; ++i) content += "(aaaaaaaaaaaaaaaaaaaa) Tj\n";
  content += "ET\nQ\n";
  ASSERT_GT(content.size(), 10 * Deflate(content).size());
  const std::string text = Extract(content);
  EXPECT_EQ(text.size(), 20000u * 20u + 2u);
}

TEST(PdfExtractor, InflationStopsAtTheCapAndKeepsWhatCameBefore) {
  const std::string data(1 << 20, 'x');
  const std::string packed = Deflate(data);
  EXPECT_EQ(InflateStream(packed, 4096)->size(), 4096u);
  EXPECT_EQ(InflateStream(packed)->size(), data.size());
  EXPECT_FALSE(InflateStream(packed.substr(0, packed.size() / 2)).has_value()) << "cut short";
  EXPECT_FALSE(InflateStream("plain bytes").has_value());
}

TEST(PdfExtractor, ReadableTextNeedsALetterOrADigit) {
  EXPECT_FALSE(HasReadableText("\r\n\t  \r\n"));
  EXPECT_FALSE(HasReadableText("!#$%"));
  EXPECT_TRUE(HasReadableText("\xFD"));
  EXPECT_TRUE(HasReadableText(" 7 "));
}

class PdfFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("lirvan-pdf-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string WritePdf(const std::string& name, const std::string& bytes) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  std::filesystem::path folder_;
};

TEST_F(PdfFilesTest, TheTextFileIsWrittenBesideThePdf) {
  const std::string pdf = WritePdf("belge.pdf", MakePdf({"BT\n(yan) Tj\nET\nQ\n"}));
  const PdfConversion converted = PdfToText(pdf);
  EXPECT_TRUE(converted.opened);
  EXPECT_EQ(converted.outputPath, pdf + ".txt");
  EXPECT_EQ(Read(pdf + ".txt"), "yan\r\n");
}

TEST_F(PdfFilesTest, WhenTheFolderWillNotTakeItTheTextGoesToTheTemporaryFolder) {
  const std::string pdf = WritePdf("belge.pdf", MakePdf({"BT\n(gecici) Tj\nET\nQ\n"}));
  std::filesystem::create_directories(pdf + ".txt");  // in the way
  const PdfConversion converted = PdfToText(pdf);
  ASSERT_FALSE(converted.outputPath.empty());
  EXPECT_NE(converted.outputPath, pdf + ".txt");
  EXPECT_EQ(Read(converted.outputPath), "gecici\r\n");
  std::filesystem::remove(converted.outputPath);
}

TEST_F(PdfFilesTest, AMissingPdfIsNotOpened) {
  EXPECT_FALSE(PdfToText((folder_ / "yok.pdf").string()).opened);
}

// Random bytes, random bytes around "stream" keywords, and every cut of a
// real PDF: nothing crashes, hangs or reads out of bounds.
TEST(PdfExtractorFuzz, RandomAndTruncatedInputs) {
  std::mt19937 random(1254);
  std::uniform_int_distribution<int> byte(0, 255);
  const std::string pdf = MakePdf({"BT\n[(a) 250 (b)] TJ\n0 -12 TD\n(c\\)) Tj\nET\nQ\n",
                                   "BT\n(ikinci) Tj\nET\nQ\n"});
  for (std::size_t cut = 0; cut <= pdf.size(); ++cut) ExtractPdfBytes(pdf.substr(0, cut));
  for (int round = 0; round < 1500; ++round) {
    std::string input(static_cast<std::size_t>(byte(random) * 8), '\0');
    for (char& ch : input) ch = static_cast<char>(byte(random));
    if (round % 3 == 0) input = "stream\n" + input + "endstream";
    if (round % 3 == 1) {
      std::string mutated = pdf;
      for (int i = 0; i < 8; ++i) {
        mutated[static_cast<std::size_t>(random() % mutated.size())] =
            static_cast<char>(byte(random));
      }
      input = mutated;
    }
    const std::string text = ExtractPdfBytes(input);
    EXPECT_LE(text.size(), 64u << 20);
    PdfTextScanner scanner;
    std::string out;
    scanner.ExtractPdfText(out, input);
  }
}

}  // namespace
}  // namespace lirvan::test
