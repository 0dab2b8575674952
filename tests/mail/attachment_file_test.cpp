// Attachment names from a mail are hostile: they are reduced to a safe
// base name, only documents are accepted, and an existing file is never
// overwritten.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "mail/attachment_file.h"

namespace lirvan::test {
namespace {

TEST(AttachmentName, HostileNamesBecomeSafeBaseNames) {
  struct {
    QString in;
    QString out;
  } cases[] = {
      {QStringLiteral("rapor.pdf"), QStringLiteral("rapor.pdf")},
      {QStringLiteral("../../x.txt"), QStringLiteral("x.txt")},
      {QStringLiteral("..\\..\\windows\\x.txt"), QStringLiteral("x.txt")},
      {QStringLiteral("/etc/passwd"), QStringLiteral("passwd")},
      {QStringLiteral("fatura\u202Etxt.exe"), QStringLiteral("faturatxt.exe")},
      {QStringLiteral("a\u2066b\u2069\u200F.doc"), QStringLiteral("ab.doc")},
      {QStringLiteral("...."), QStringLiteral("ek")},
      {QStringLiteral(".."), QStringLiteral("ek")},
      {QStringLiteral(""), QStringLiteral("ek")},
      {QStringLiteral(".gizli.txt"), QStringLiteral("gizli.txt")},
      {QStringLiteral("sat\nır\t.txt"), QStringLiteral("satır.txt")},
      {QStringLiteral("CON.txt"), QStringLiteral("_CON.txt")},
      {QStringLiteral("lpt1"), QStringLiteral("_lpt1")},
      {QStringLiteral("C:rapor.pdf"), QStringLiteral("Crapor.pdf")},
      {QStringLiteral("nokta. "), QStringLiteral("nokta")},
  };
  for (const auto& c : cases) EXPECT_EQ(SafeAttachmentName(c.in), c.out) << c.in.toStdString();
  const QString longName = QString(300, QChar(u'ş')) + QStringLiteral(".pdf");
  const QString shortened = SafeAttachmentName(longName);
  EXPECT_LE(shortened.toUtf8().size(), 200);
  EXPECT_TRUE(shortened.endsWith(QStringLiteral(".pdf")));
}

TEST(AttachmentName, DocumentsAreAccepted) {
  for (const char* name : {"a.pdf", "a.doc", "a.txt", "a.docx", "a.odt", "a.rtf", "a.xlsx",
                           "a.ods", "a.xls", "RAPOR.PDF"}) {
    EXPECT_TRUE(AcceptedAttachment(QString::fromUtf8(name))) << name;
  }
  for (const char* name : {"a.exe", "a.jpg", "a.pdf.exe", "pdf", "a", "a.html"}) {
    EXPECT_FALSE(AcceptedAttachment(QString::fromUtf8(name))) << name;
  }
}

TEST(AttachmentFile, ExistingFilesAndLinksAreNeverOverwritten) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("Mail"));
  EXPECT_EQ(SaveAttachment(folder, QStringLiteral("a.txt"), "1"), QStringLiteral("a.txt"));
  EXPECT_EQ(SaveAttachment(folder, QStringLiteral("a.txt"), "2"), QStringLiteral("a (2).txt"));
  EXPECT_EQ(SaveAttachment(folder, QStringLiteral("a.txt"), "3"), QStringLiteral("a (3).txt"));
  EXPECT_EQ(SaveAttachment(folder, QStringLiteral("ek"), "4"), QStringLiteral("ek"));
  EXPECT_EQ(SaveAttachment(folder, QStringLiteral("ek"), "5"), QStringLiteral("ek (2)"));
  QFile first(folder + QStringLiteral("/a.txt"));
  ASSERT_TRUE(first.open(QIODevice::ReadOnly));
  EXPECT_EQ(first.readAll(), "1");
  // A link planted under the name leads nowhere.
  const QString outside = dir.filePath(QStringLiteral("disari.txt"));
  ASSERT_TRUE(QFile::link(outside, folder + QStringLiteral("/b.txt")));
  EXPECT_EQ(SaveAttachment(folder, QStringLiteral("b.txt"), "6"), QStringLiteral("b (2).txt"));
  EXPECT_FALSE(QFile::exists(outside));
}

}  // namespace
}  // namespace lirvan::test
