// The spoken file chooser: refusal of unreadable names in open mode, and
// the folder and file announcements.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

#include "gui_support.h"
#include "shell/file_chooser_dialog.h"
#include "shell/mainfrm.h"

namespace lirvan::test {
namespace {

class FileChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop_.Start();
    folder_ = desktop_.home() + "/belgeler";
    QDir().mkpath(QString::fromStdString(folder_ + "/alt"));
    std::ofstream(folder_ + "/okunur.txt") << "metin";
  }

  // A shown dialog in the test folder with its name field focused.
  std::unique_ptr<FileChooserDialog> Open(FileChooserDialog::Mode mode) {
    auto dialog = std::make_unique<FileChooserDialog>(desktop_.app(), &desktop_.frame(), mode);
    dialog->setDirectory(QString::fromStdString(folder_));
    dialog->show();
    dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    NameField(*dialog)->setFocus();
    ProcessEvents();
    desktop_.Mark();
    return dialog;
  }

  static QLineEdit* NameField(FileChooserDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  }

  void EnterName(FileChooserDialog& dialog, const QString& name) {
    NameField(dialog)->setText(name);
    Press(Qt::Key_Return);
  }

  Desktop desktop_{"0 0 1"};
  std::string folder_;
};

TEST_F(FileChooserTest, OpenModeRefusesAMissingFileAndStaysOpen) {
  auto dialog = Open(FileChooserDialog::Mode::Open);
  ASSERT_NE(NameField(*dialog), nullptr);
  EnterName(*dialog, QStringLiteral("yok.txt"));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), 0);
  const std::vector<LogLine> said = desktop_.Since();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.back(), (LogLine{"SpeakAndWait", "Geçersiz dosya ismi"}));
  EXPECT_EQ(NameField(*dialog)->text(), QStringLiteral("yok.txt")) << "the entry is kept";
}

TEST_F(FileChooserTest, OpenModeAcceptsAReadableFile) {
  auto dialog = Open(FileChooserDialog::Mode::Open);
  EnterName(*dialog, QStringLiteral("okunur.txt"));
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->chosenPath(), QString::fromStdString(folder_ + "/okunur.txt"));
}

TEST_F(FileChooserTest, SaveModeAcceptsANewName) {
  auto dialog = Open(FileChooserDialog::Mode::Save);
  EnterName(*dialog, QStringLiteral("yeni"));
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->chosenPath(), QString::fromStdString(folder_ + "/yeni"));
}

TEST_F(FileChooserTest, TypedFolderIsEnteredAndSpoken) {
  auto dialog = Open(FileChooserDialog::Mode::Open);
  EnterName(*dialog, QStringLiteral("alt"));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(QDir(dialog->directory()).dirName(), QStringLiteral("alt"));
  const std::vector<LogLine> said = desktop_.Since();
  const std::vector<LogLine> folder{{"SpeakAndWait", "Klasör"}, {"SpeakAndWait", "alt"}};
  EXPECT_NE(std::search(said.begin(), said.end(), folder.begin(), folder.end()), said.end())
      << ::testing::PrintToString(said);
}

TEST_F(FileChooserTest, SelectionMoveSpeaksTheFileName) {
  auto dialog = Open(FileChooserDialog::Mode::Open);
  QAbstractItemView* list = nullptr;
  for (auto* view : dialog->findChildren<QAbstractItemView*>()) {
    if (view->isVisible() && (view->objectName() == QLatin1String("listView") ||
                              view->objectName() == QLatin1String("treeView"))) {
      list = view;
    }
  }
  ASSERT_NE(list, nullptr);
  // The folder is listed by a background thread.
  for (int i = 0; i < 200 && list->model()->rowCount(list->rootIndex()) < 2; ++i) {
    QTest::qWait(10);
  }
  ASSERT_EQ(list->model()->rowCount(list->rootIndex()), 2);
  list->setFocus();
  ProcessEvents();
  // The folder "alt" comes first, the file second.
  Press(Qt::Key_Down);
  Press(Qt::Key_Down);
  const std::vector<LogLine> said = desktop_.Since();
  const std::vector<LogLine> file{{"SpeakAndWait", "Dosya"}, {"SpeakAndWait", "okunur.txt"}};
  EXPECT_NE(std::search(said.begin(), said.end(), file.begin(), file.end()), said.end())
      << ::testing::PrintToString(said);
}

TEST(FileChooserPath, LastComponentIsAfterTheLastSlash) {
  EXPECT_EQ(FileChooserDialog::LastComponent("/home/ali/belgeler"), "belgeler");
  EXPECT_EQ(FileChooserDialog::LastComponent("/"), "");
  EXPECT_EQ(FileChooserDialog::LastComponent("ad"), "ad");
}

}  // namespace
}  // namespace lirvan::test
