// Documents made by LibreOffice in the test and read back through the
// editor's import: Word and Excel files through LibreOffice itself, a PDF
// of today through Poppler after the own extractor found nothing; and the
// messages when there is no office suite.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "../shell/fake_host.h"
#include "editor/document_import.h"
#include "editor/pdf_text.h"
#include "shell/text.h"

namespace lirvan::test {
namespace {

const QString kTurkish = QStringLiteral("Çalışkan öğrenci ğüşıöçİ\nİkinci satır");

class ImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        << "LibreOffice is a peer of these tests (libreoffice-writer-nogui)";
  }

  QString Write(const QString& name, const QString& text) {
    QFile file(folder_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    return file.fileName();
  }

  // A document made by LibreOffice from a source file, as a user's would be.
  QString Make(const QString& source, const QString& target, const QStringList& extra = {}) {
    QProcess office;
    QStringList arguments{
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile_.path()).toString(),
        QStringLiteral("--headless"), QStringLiteral("--norestore")};
    arguments << extra
              << QStringList{QStringLiteral("--convert-to"), target, QStringLiteral("--outdir"),
                             folder_.path(), source};
    office.start(QStringLiteral("soffice"), arguments);
    EXPECT_TRUE(office.waitForFinished(120000)) << "LibreOffice did not finish";
    const QString made = folder_.filePath(QFileInfo(source).completeBaseName() + "." + target);
    EXPECT_TRUE(QFile::exists(made)) << office.readAll().toStdString();
    return made;
  }

  FakeHost host_;
  DocumentImporter importer_{host_};
  QTemporaryDir folder_;
  QTemporaryDir profile_;
};

TEST_F(ImportTest, WordAndExcelDocumentsComeBackAsTheirText) {
  const QString source = Write(QStringLiteral("yazi.txt"), kTurkish);
  for (const char* format : {"doc", "docx"}) {
    SCOPED_TRACE(format);
    const QString document = Make(source, QString::fromLatin1(format));
    host_.calls.clear();
    const auto imported = importer_.Import(document);
    ASSERT_TRUE(imported.has_value());
    EXPECT_EQ(imported->text, kTurkish);
    EXPECT_EQ(host_.calls, (std::vector<SpokenCall>{{"SpeakAndWait", Cp("Dosya açılıyor")}}));
  }
  const QString csv = Write(QStringLiteral("tablo.csv"), QStringLiteral("ad,yaş\nAyşe,30\nİsmail,41\n"));
  const QString sheet = Make(csv, QStringLiteral("xls"), {QStringLiteral("--infilter=CSV:44,34,76,1")});
  const auto imported = importer_.Import(sheet);
  ASSERT_TRUE(imported.has_value());
  EXPECT_EQ(imported->text, QStringLiteral("ad\tyaş\nAyşe\t30\nİsmail\t41"))
      << "a TAB between cells, a line per row";
}

TEST_F(ImportTest, APdfOfTodayIsReadThroughPopplerAndTheUserHearsSo) {
  const QString source = Write(QStringLiteral("belge.txt"), kTurkish);
  const QString pdf = Make(source, QStringLiteral("pdf"));
  EXPECT_FALSE(HasReadableText(PdfToText(QFile::encodeName(pdf).toStdString()).text))
      << "embedded fonts: the own extractor finds nothing readable";
  host_.calls.clear();
  const auto imported = importer_.Import(pdf);
  ASSERT_TRUE(imported.has_value());
  EXPECT_EQ(imported->text.trimmed(), kTurkish);
  EXPECT_EQ(imported->note, Cp("Metin Poppler kütüphanesiyle okundu"));
  QFile written(pdf + ".txt");
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(written.readAll()).trimmed(), kTurkish)
      << "the text file beside the PDF holds what was read";
}

TEST(ImportWithoutOffice, TheOfficeMessagesSayWhatIsMissingAndNothingIsOpened) {
  FakeHost host;
  DocumentImporter importer(host);
  importer.office().SetProgram(QStringLiteral("/yok/soffice"));
  QTemporaryDir folder;
  struct Case {
    const char* name;
    const char* said;
  };
  const Case cases[] = {{"a.doc", "Vörd programı bulunamadı"},
                        {"a.docx", "Vörd programı bulunamadı"},
                        {"a.odt", "Vörd programı bulunamadı"},
                        {"a.xls", "Eksel programı bulunamadı"},
                        {"a.ods", "Eksel programı bulunamadı"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.calls.clear();
    EXPECT_FALSE(importer.Import(folder.filePath(QString::fromLatin1(c.name))).has_value());
    EXPECT_EQ(host.calls, (std::vector<SpokenCall>{{"Speak", Cp(c.said)}}));
  }
  // An office program that is there but will not run.
  QFile notExecutable(folder.filePath(QStringLiteral("soffice")));
  ASSERT_TRUE(notExecutable.open(QIODevice::WriteOnly));
  notExecutable.close();
  importer.office().SetProgram(notExecutable.fileName());
  host.calls.clear();
  EXPECT_FALSE(importer.Import(folder.filePath(QStringLiteral("a.doc"))).has_value());
  EXPECT_EQ(host.calls.back(), (SpokenCall{"Speak", Cp("Vörd programı sisteme eksik yüklenmiş")}));
}

// An office program that hangs, and one that ends without a document:
// each is said, the program goes on and the editor keeps its text.
TEST(ImportWithoutOffice, AHangingOrFailingOfficeProgramIsSaidNotFatal) {
  FakeHost host;
  DocumentImporter importer(host);
  QTemporaryDir folder;
  struct Case {
    const char* script;
    const char* said;
  };
  const Case cases[] = {{"#!/bin/sh\nexec sleep 30\n", "Vörd programı yanıt vermedi"},
                        {"#!/bin/sh\nexit 0\n", "Vörd programı belgeyi açamadı"},
                        {"#!/bin/sh\nexit 81\n", "Vörd programı belgeyi açamadı"}};
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    QFile program(folder.filePath(QStringLiteral("office%1").arg(index++)));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write(c.script);
    program.close();
    program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    importer.office().SetProgram(program.fileName());
    importer.office().SetTimeout(500);
    host.calls.clear();
    EXPECT_FALSE(importer.Import(folder.filePath(QStringLiteral("rapor.docx"))).has_value());
    EXPECT_EQ(host.calls, (std::vector<SpokenCall>{{"SpeakAndWait", Cp("Dosya açılıyor")},
                                                   {"Speak", Cp(c.said)}}));
  }
}

TEST(ImportKinds, TheLastThreeCharactersDecideCaseSensitively) {
  using K = DocumentImporter::Kind;
  struct Case {
    const char* path;
    K kind;
  };
  const Case cases[] = {{"a.txt", K::Text},    {"a.TXT", K::Unknown}, {"notxt", K::Text},
                        {"a.doc", K::Writer},  {"a.docx", K::Writer}, {"a.rtf", K::Writer},
                        {"a.odt", K::Writer},  {"a.xls", K::Calc},    {"a.xlsx", K::Calc},
                        {"a.ods", K::Calc},    {"a.pdf", K::Pdf},     {"a.PDF", K::Unknown},
                        {"a.png", K::Unknown}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(DocumentImporter::KindOf(QString::fromLatin1(c.path)), c.kind);
  }
}

TEST(ImportPdf, APdfWithoutTextKeepsTheEditorsTextAndSaysSo) {
  FakeHost host;
  DocumentImporter importer(host);
  QTemporaryDir folder;
  QFile pdf(folder.filePath(QStringLiteral("bos.pdf")));
  ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
  pdf.write("%PDF-1.4\n1 0 obj\n<< >>\nendobj\ntrailer\n<< >>\n%%EOF\n");
  pdf.close();
  EXPECT_FALSE(importer.Import(pdf.fileName()).has_value());
  EXPECT_EQ(host.calls, (std::vector<SpokenCall>{
                            {"SpeakAndWait", Cp("Dosya açılıyor")},
                            {"SpeakAndWait", Cp("Belgede okunabilir metin bulunamadı")}}));
}

}  // namespace
}  // namespace lirvan::test
