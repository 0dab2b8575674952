// The help page every browser window starts on: it names every key of the
// accelerator table in its table of keys, and it is a page the reading
// modes read well (a title, headings, a table with header cells).
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "platform/cp1254.h"
#include "shell/command_table.h"

namespace lirvan::test {
namespace {

std::string HelpPage() {
  std::ifstream in(std::string(LIRVAN_SOURCE_DIR) + "/veriler/yardim.html", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return Cp1254ToUtf8(text.str());
}

// A key as the page writes it: as it is said.
std::string SpokenKey(const Accelerator& key) {
  std::string name;
  if (key.modifiers & Qt::ControlModifier) name += "Kontrol ";
  if (key.modifiers & Qt::AltModifier) name += "Alt ";
  if (key.modifiers & Qt::ShiftModifier) name += "Şift ";
  const int code = key.key;
  if (code >= Qt::Key_F1 && code <= Qt::Key_F12) return name + "F" + std::to_string(code - Qt::Key_F1 + 1);
  if ((code >= Qt::Key_A && code <= Qt::Key_Z) || (code >= Qt::Key_0 && code <= Qt::Key_9)) {
    return name + static_cast<char>(code);
  }
  switch (code) {
    case Qt::Key_Tab: return name + "Tab";
    case Qt::Key_Return: return name + "Entır";
    case Qt::Key_Escape: return name + "Eskeyp";
    case Qt::Key_Backspace: return name + "Bekspeys";
    case Qt::Key_Delete: return name + "Dilit";
    case Qt::Key_Insert: return name + "İnsört";
    case Qt::Key_Left: return name + "Sol ok";
    case Qt::Key_Right: return name + "Sağ ok";
    case Qt::Key_Up: return name + "Yukarı ok";
    case Qt::Key_Down: return name + "Aşağı ok";
    default: return name + "?";
  }
}

TEST(HelpPage, ItsTableNamesEveryKeyOfTheAcceleratorTable) {
  const std::string page = HelpPage();
  ASSERT_FALSE(page.empty());
  for (const Accelerator& key : AcceleratorTable()) {
    const std::string cell = "<tr><td>" + SpokenKey(key) + "</td><td>";
    EXPECT_NE(page.find(cell), std::string::npos) << SpokenKey(key) << " is missing";
  }
}

TEST(HelpPage, IsWrittenForTheReadingModes) {
  const std::string page = HelpPage();
  EXPECT_NE(page.find("<meta charset=\"windows-1254\">"), std::string::npos);
  EXPECT_NE(page.find("<title>Lirvan Yardım</title>"), std::string::npos);
  EXPECT_NE(page.find("<h1>Lirvan Yardım</h1>"), std::string::npos);
  EXPECT_NE(page.find("<tr><th>Tuş</th><th>Ne yapar</th></tr>"), std::string::npos);
  for (const char* topic : {"Okuma biçimleri", "Form alanları", "Sayfada arama", "Favoriler",
                            "Metin düzenleyici", "Posta okuma", "Posta gönderme",
                            "Hesap makinesi", "Ayarlar"}) {
    EXPECT_NE(page.find("<h2>" + std::string(topic) + "</h2>"), std::string::npos) << topic;
  }
}

}  // namespace
}  // namespace lirvan::test
