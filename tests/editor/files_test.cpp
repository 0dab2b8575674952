// Save, open and closing with unsaved text, through the spoken chooser and
// questions.
#include <QFile>
#include <QMdiArea>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/document_import.h"
#include "editor_fixture.h"
#include "pdf_builder.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<LogLine>;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool Contains(const Lines& said, const LogLine& line) {
  return std::find(said.begin(), said.end(), line) != said.end();
}

class FilesTest : public EditorTest {
 protected:
  void Save(std::vector<ModalStep> steps) {
    Modals([] { Press(Qt::Key_S, Qt::ControlModifier); }, std::move(steps));
  }
  void Open(std::vector<ModalStep> steps) {
    Modals([] { Press(Qt::Key_O, Qt::ControlModifier); }, std::move(steps));
  }
  std::string Path(const std::string& name) const { return Folder() + "/" + name; }
};

TEST_F(FilesTest, SaveAppendsTxtUnlessTheNameEndsInLowerCaseTxt) {
  struct Case {
    const char* typed;
    const char* written;
  };
  const Case cases[] = {{"notlar", "notlar.txt"}, {"liste.txt", "liste.txt"},
                        {"BUYUK.TXT", "BUYUK.TXT.txt"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Given(QStringLiteral("%d yüzde\nikinci"), 3);
    Save({ChoosePath(Path(c.typed))});
    EXPECT_EQ(Read(Path(c.written)), "%d yüzde\nikinci") << "UTF-8 and LF for a new text";
    const Lines said = Said();
    EXPECT_EQ(said.front(), (LogLine{"SpeakAndWait", "Kaydet"}));
    EXPECT_EQ(said.back(), (LogLine{"SpeakAndWait", "kaydedildi"}));
    EXPECT_EQ(text().CaretPosition(), 3) << "the caret comes back";
    EXPECT_FALSE(text().document()->isModified());
  }
}

TEST_F(FilesTest, CancelledSaveSaysSoAndWritesNothing) {
  Given(QStringLiteral("metin"), 2);
  Save({[](QWidget&) { Press(Qt::Key_Escape); }});
  EXPECT_EQ(Said().back(), (LogLine{"SpeakAndWait", "Vazgeçildi"}));
  EXPECT_EQ(text().CaretPosition(), 2);
}

TEST_F(FilesTest, AnExistingFinalPathIsAskedAboutAndKeptWhenTheAnswerIsNo) {
  Write(Path("notlar.txt"), "eski");
  Given(QStringLiteral("yeni"));
  Save({ChoosePath(Path("notlar")), Answer("Hayır")});
  EXPECT_EQ(Read(Path("notlar.txt")), "eski");
  const Lines said = Said();
  EXPECT_TRUE(Contains(said, {"SpeakAndWait", "notlar.txt dosyası zaten var. Üzerine yazılsın mı?"}));
  EXPECT_TRUE(Contains(said, {"Speak", "Evet"})) << "the focused button names itself";
  EXPECT_EQ(said.back(), (LogLine{"SpeakAndWait", "Vazgeçildi"}));

  Save({ChoosePath(Path("notlar")), Answer("Evet")});
  EXPECT_EQ(Read(Path("notlar.txt")), "yeni");
  EXPECT_EQ(Said().back(), (LogLine{"SpeakAndWait", "kaydedildi"}));
}

TEST_F(FilesTest, AFailedWriteSaysSoAndLeavesWhatWasThere) {
  // A folder where the file would go: nothing can be renamed over it.
  std::filesystem::create_directories(Path("kayit.txt/icerik"));
  TypeUnicode(QStringLiteral("metin"));
  Save({ChoosePath(Path("kayit")), Answer("Evet")});
  EXPECT_EQ(Said().back(), (LogLine{"SpeakAndWait", "dosya kaydedilemedi"}));
  EXPECT_TRUE(std::filesystem::is_directory(Path("kayit.txt/icerik")));
  EXPECT_TRUE(text().document()->isModified()) << "the text is still unsaved";
  // A folder that is not there.
  Save({ChoosePath(Path("yok/kayit"))});
  EXPECT_EQ(Said().back(), (LogLine{"SpeakAndWait", "dosya kaydedilemedi"}));
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("metin"));
}

TEST_F(FilesTest, OpenedTextIsSavedBackInItsEncodingAndLineEnds) {
  struct Case {
    const char* name;
    std::string bytes;
    QString shown;
  };
  const Case cases[] = {
      {"utf8.txt", "\xC4\x9Fz \xC9\x99 \xF0\x9F\x98\x80\r\nson", QStringLiteral("ğz ə 😀\nson")},
      {"cp1254.txt", "\xFE\xFD\xF0 \x80\nson", QStringLiteral("şığ €\nson")},
      {"bom.txt", "\xEF\xBB\xBF" "a\rb", QStringLiteral("a\nb")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write(Path(c.name), c.bytes);
    Open({ChoosePath(Path(c.name))});
    EXPECT_EQ(text().UnicodeText(), c.shown);
    const Lines said = Said();
    EXPECT_EQ(said.front(), (LogLine{"SpeakAndWait", "Aç"}));
    EXPECT_TRUE(Contains(said, {"SpeakAndWait", "Dosya açılıyor"}));
    EXPECT_EQ(said.back(), (LogLine{"SpeakAndWait", "Dosya açıldı"}));
    Save({ChoosePath(Path(c.name)), Answer("Evet")});
    EXPECT_EQ(Read(Path(c.name)), c.bytes) << "nothing lost or changed";
    Said();
  }
}

TEST_F(FilesTest, ACharacterOutsideTheCodePageTurnsACp1254FileIntoUtf8) {
  Write(Path("eski.txt"), "\xFE");
  Open({ChoosePath(Path("eski.txt"))});
  text().SetCaretPosition(1);
  TypeUnicode(QStringLiteral("ə"));
  Said();
  Save({ChoosePath(Path("eski.txt")), Answer("Evet")});
  EXPECT_EQ(Read(Path("eski.txt")), "\xC5\x9F\xC9\x99");
  EXPECT_TRUE(Contains(Said(), {"SpeakAndWait",
                                "Türkçe kod sayfasında olmayan harfler için UTF-8 kullanıldı"}));
}

TEST_F(FilesTest, AnUnknownKindOrUpperCaseTxtOpensNothing) {
  Write(Path("belge.TXT"), "x");
  Given(QStringLiteral("kalan"), 2);
  Open({ChoosePath(Path("belge.TXT"))});
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("kalan"));
  const Lines said = Said();
  EXPECT_EQ(said.front(), (LogLine{"SpeakAndWait", "Aç"}));
  EXPECT_FALSE(Contains(said, {"SpeakAndWait", "Dosya açılıyor"}));
  EXPECT_EQ(text().CaretPosition(), 2);
}

TEST_F(FilesTest, APdfOpensThroughTheOwnExtractorAndAnOfficeFileWithoutOfficeSaysSo) {
  Write(Path("kisa.pdf"), MakePdf({"BT\n(Merhaba) Tj\n0 -12 TD\n(d\xFCnya) Tj\nET\nQ\n"}));
  Open({ChoosePath(Path("kisa.pdf"))});
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("Merhaba\ndünya\n"));
  EXPECT_EQ(Read(Path("kisa.pdf.txt")), "Merhaba\r\nd\xFCnya\r\n");
  EXPECT_EQ(Said().back(), (LogLine{"SpeakAndWait", "Dosya açıldı"}));

  editor_->importer().office().SetProgram(QStringLiteral("/yok/soffice"));
  Write(Path("rapor.doc"), "x");
  Open({ChoosePath(Path("rapor.doc"))});
  const Lines said = Said();
  EXPECT_EQ(said.front(), (LogLine{"SpeakAndWait", "Aç"}));
  EXPECT_EQ(said.back(), (LogLine{"Speak", "Vörd programı bulunamadı"}));
  EXPECT_FALSE(Contains(said, {"SpeakAndWait", "Dosya açılıyor"}));
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("Merhaba\ndünya\n")) << "the text stays";
}

TEST_F(FilesTest, OpeningOverUnsavedTextAsksFirst) {
  Write(Path("yeni.txt"), "dosyadaki");
  TypeUnicode(QStringLiteral("yazdım"));
  Said();
  Open({Answer("Vazgeç")});
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("yazdım"));
  Lines said = Said();
  EXPECT_EQ(said.front(), (LogLine{"SpeakAndWait", "Değişiklikler kaydedilsin mi?"}));
  EXPECT_EQ(said.back(), (LogLine{"SpeakAndWait", "Vazgeçildi"}));
  // Saved first, then opened.
  Open({Answer("Evet"), ChoosePath(Path("yazdigim")), ChoosePath(Path("yeni.txt"))});
  EXPECT_EQ(Read(Path("yazdigim.txt")), "yazdım");
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("dosyadaki"));
  // Not saved, then opened: nothing asked now, the text is as opened.
  Open({ChoosePath(Path("yazdigim.txt"))});
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("yazdım"));
}

TEST_F(FilesTest, ClosingTheWindowWithUnsavedTextAsks) {
  TypeUnicode(QStringLiteral("taslak"));
  QMdiArea* area = desktop_.frame().mdiArea();
  Modals([&] { area->closeActiveSubWindow(); }, {Answer("Vazgeç")});
  EXPECT_EQ(area->subWindowList().size(), 1) << "cancel keeps the window";
  EXPECT_TRUE(Contains(Said(), {"SpeakAndWait", "Değişiklikler kaydedilsin mi?"}));
  Modals([&] { area->closeActiveSubWindow(); }, {Answer("Hayır")});
  EXPECT_TRUE(area->subWindowList().isEmpty());
}

TEST_F(FilesTest, ClosingTheProgramWithUnsavedTextAsksAndSaves) {
  TypeUnicode(QStringLiteral("son hali"));
  Modals([&] { desktop_.frame().close(); }, {Answer("Vazgeç")});
  EXPECT_TRUE(desktop_.frame().isVisible()) << "the program stays";
  Modals([&] { desktop_.frame().close(); }, {Answer("Evet"), ChoosePath(Path("son"))});
  EXPECT_EQ(Read(Path("son.txt")), "son hali");
  EXPECT_FALSE(desktop_.frame().isVisible());
}

TEST_F(FilesTest, UnchangedTextClosesWithoutAQuestion) {
  Given(QStringLiteral("hazır"));
  text().document()->setModified(false);
  QMdiArea* area = desktop_.frame().mdiArea();
  EXPECT_EQ(Modals([&] { area->closeActiveSubWindow(); }, {}), 0);
  EXPECT_TRUE(area->subWindowList().isEmpty());
}

}  // namespace
}  // namespace lirvan::test
