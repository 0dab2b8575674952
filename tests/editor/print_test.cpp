// Printing with Ctrl+P against a private CUPS scheduler: the message when
// there is no printer, and the job a default printer receives.
#include <QFile>
#include <QThread>

#include "editor/pdf_poppler.h"
#include "editor_fixture.h"
#include "private_cups.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<LogLine>;

// One scheduler for the test program: the CUPS library keeps the server it
// first reached for the life of the process.
class CupsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { cups = std::make_unique<PrivateCups>(); }
  void TearDown() override { cups.reset(); }
  static inline std::unique_ptr<PrivateCups> cups;
};

const auto* const g_cups = ::testing::AddGlobalTestEnvironment(new CupsEnvironment);

class PrintTest : public EditorTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cups_.started()) << cups_.error();
    EditorTest::SetUp();
  }

  PrivateCups& cups_ = *CupsEnvironment::cups;
};

TEST_F(PrintTest, WithoutAPrinterTheUserHearsThereIsNone) {
  Given(QStringLiteral("yazılacak"));
  Press(Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "Tanımlı bir yazıcı bulunmamaktadır"}}));
}

TEST_F(PrintTest, TheDefaultPrinterReceivesTheText) {
  const QString out = cups_.OutputFolder() + QStringLiteral("/is.pdf");
  ASSERT_TRUE(cups_.AddDefaultFilePrinter(QStringLiteral("lirvan_deneme"), out));
  Given(QStringLiteral("Yazıcı denemesi ğüşıöç\nikinci satır"));
  Press(Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "Yazıcıya gönderildi"}}));
  for (int i = 0; i < 300 && !QFile::exists(out); ++i) QThread::msleep(100);
  ASSERT_TRUE(QFile::exists(out)) << "no job reached the printer\n" << cups_.Log();
  const std::optional<std::string> printed = PopplerPdfText(out.toStdString());
  ASSERT_TRUE(printed.has_value()) << "the job is the PDF Qt printed";
  const QString text = QString::fromStdString(*printed);
  EXPECT_TRUE(text.contains(QStringLiteral("Yazıcı denemesi ğüşıöç"))) << printed->c_str();
  EXPECT_TRUE(text.contains(QStringLiteral("ikinci satır")));
  cups_.Run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("lirvan_deneme")});
}

}  // namespace
}  // namespace lirvan::test
