#include "shell/command_table.h"

#include <array>

#include "shell/command_ids.h"

namespace lirvan {

namespace {

struct Prompt {
  int command;
  std::string_view text;
};

constexpr std::array kPrompts{
    Prompt{cmd::kOpenBrowser, "İnternet gezgini"},
    Prompt{cmd::kOpenEditor, "Metin düzenleyici"},
    Prompt{cmd::kOpenReader, "Posta oku"},
    Prompt{cmd::kOpenComposer, "Posta gönder"},
    Prompt{cmd::kCalculator, "Hesap Makinesi"},
    Prompt{cmd::kSettings, "Program ayarları"},
    Prompt{cmd::kExit, "Programdan çıkış"},
    Prompt{cmd::kGeneralHelp, "Genel Yardım"},
    Prompt{cmd::kAbout, "Program hakkında"},
    Prompt{cmd::kFind, "Ara"},
    Prompt{cmd::kReadFromStart, "Baştan oku"},
    Prompt{cmd::kGoToFound, "Aranan kelimeye git"},
    Prompt{cmd::kReadAll, "Bütün metni oku"},
    Prompt{cmd::kReadSelection, "Seçili metni oku"},
    Prompt{cmd::kReadBetweenFinds, "İki arama arasını oku"},
    Prompt{cmd::kReadToEnd, "Metnin sonuna kadar oku"},
    Prompt{cmd::kReplace, "Değiştir"},
    Prompt{cmd::kWhereAmI, "Neredeyim"},
    Prompt{cmd::kSendMail, "Posta gönder"},
    Prompt{cmd::kMailSettings, "Posta ayarları"},
    Prompt{cmd::kStopReading, "Okumayı durdur"},
    Prompt{cmd::kFetchMail, "Postaları yükle"},
    Prompt{cmd::kMailDetails, "Detaylı posta içeriği"},
    Prompt{cmd::kNewAddress, "Yeni internet adresi"},
    Prompt{cmd::kAddFavourite, "Favorilerime ekle"},
    Prompt{cmd::kFavourites, "Favorilerimi yükle"},
    Prompt{cmd::kChoiceField, "Seçim alanı açık/kapalı"},
    Prompt{cmd::kPrint, "Yazdır"},
    Prompt{cmd::kReadNext, "Sonrakini oku"},
    Prompt{cmd::kReadAfterFound, "Bulunandan sonrasını oku"},
    Prompt{cmd::kReadBeforeFound, "Bulunandan öncesini oku"},
    Prompt{cmd::kReadBetweenWords, "İki kelime arasını oku"},
    Prompt{cmd::kModeAll, "Tamamını oku"},
    Prompt{cmd::kModeTables, "Tabloları oku"},
    Prompt{cmd::kModeCells, "Tablo hücrelerini oku"},
    Prompt{cmd::kModeSections, "Küçük bölümleri oku"},
    Prompt{cmd::kModeLinks, "Bağlantıları oku"},
    Prompt{cmd::kModeForms, "Form nesnelerini oku"},
    Prompt{cmd::kModeSmart, "Akıllı okuma modu"},
    Prompt{cmd::kFindWord, "Ara"},
    Prompt{cmd::kFindNextOnPage, "Sonrakini bul"},
};

MenuPopup ToolsMenu() {
  return {"&Araçlar",
          {{cmd::kOpenBrowser, "&İnternet Gezgini"},
           {cmd::kOpenEditor, "&Metin Düzenleyici"},
           {cmd::kOpenReader, "&Posta Oku"},
           {cmd::kOpenComposer, "Posta G&önder"},
           {cmd::kCalculator, "&Hesap Makinesi"},
           {0, {}},
           {cmd::kSettings, "Ayarlar"},
           {0, {}},
           {cmd::kExit, "&Çıkış"}}};
}

MenuPopup HelpMenu() {
  return {"&Yardım", {{cmd::kGeneralHelp, "&Genel Yardım"}, {cmd::kAbout, "&Lirvan Hakkında"}}};
}

MenuPopup EditMenu() {
  return {"&Düzenle",
          {{cmd::kFind, "&Bul"},
           {cmd::kReadFromStart, "B&aştan Oku"},
           {cmd::kGoToFound, "B&ulunan Kelimeye Git"},
           {cmd::kReadAll, "&Metni Oku"},
           {cmd::kReadSelection, "&Seçili Metni Oku"},
           {cmd::kReadBetweenFinds, "&İki Seçim Arasını Oku"},
           {cmd::kReadToEnd, "S&ona Kadar Oku"},
           {cmd::kReplace, "&Değiştir"},
           {cmd::kWhereAmI, "&Kaçıncı Satırdayım"}}};
}

std::vector<MenuPopup> BrowserMenus() {
  return {ToolsMenu(),
          {"Gezinti Araçları",
           {{cmd::kNewAddress, "Yeni &Gezinti"},
            {cmd::kAddFavourite, "Favorilerime Ekle"},
            {cmd::kFavourites, "Favori Sayfalarım"},
            {cmd::kChoiceField, "Seçim Alanı Açık/Kapalı"},
            {cmd::kPrint, "Yazdır"}}},
          {"&Okuma Araçları",
           {{cmd::kReadNext, "&Sonrakini Oku"},
            {cmd::kReadAfterFound, "&Bulunan Kelimeden Sonrasını Oku"},
            {cmd::kReadBeforeFound, "B&ulunan Kelimeden Öncesini Oku"},
            {cmd::kReadBetweenWords, "İki Kelime Arasını Oku"}}},
          {"Oku&ma Modu",
           {{cmd::kModeAll, "T&amamını Oku"},
            {cmd::kModeTables, "&Tabloları Oku"},
            {cmd::kModeCells, "Tablo &Hücrelerini Oku"},
            {cmd::kModeSections, "&Küçük Bölümleri Oku"},
            {cmd::kModeLinks, "&Bağlantıları Oku"},
            {cmd::kModeForms, "&Form Nesnelerini Oku"},
            {cmd::kModeSmart, "Akı&llı Okuma Modu"}}},
          {"A&rama", {{cmd::kFindWord, "&Kelime Bul"}, {cmd::kFindNextOnPage, "&Sonrakini Bul"}}},
          HelpMenu()};
}

using M = Qt::KeyboardModifier;
constexpr Qt::KeyboardModifiers kNone{};
constexpr Qt::KeyboardModifiers kCtrl{M::ControlModifier};
constexpr Qt::KeyboardModifiers kAlt{M::AltModifier};
constexpr Qt::KeyboardModifiers kShift{M::ShiftModifier};
constexpr Qt::KeyboardModifiers kCtrlShift{M::ControlModifier | M::ShiftModifier};

constexpr std::array kAccelerators{
    Accelerator{Qt::Key_1, kCtrl, cmd::kOpenBrowser},
    Accelerator{Qt::Key_2, kCtrl, cmd::kOpenEditor},
    Accelerator{Qt::Key_3, kCtrl, cmd::kOpenComposer},
    Accelerator{Qt::Key_4, kCtrl, cmd::kOpenReader},
    Accelerator{Qt::Key_5, kCtrl, cmd::kCalculator},
    Accelerator{Qt::Key_A, kCtrl, cmd::kReadAll},
    Accelerator{Qt::Key_B, kCtrl, cmd::kReadFromStart},
    Accelerator{Qt::Key_D, kCtrl, cmd::kStopReading},
    Accelerator{Qt::Key_D, kAlt, cmd::kDateTime},
    Accelerator{Qt::Key_E, kCtrl, cmd::kReadToEnd},
    Accelerator{Qt::Key_E, kAlt, cmd::kAddFavourite},
    Accelerator{Qt::Key_F, kCtrl, cmd::kFind},
    Accelerator{Qt::Key_F, kAlt, cmd::kFavourites},
    Accelerator{Qt::Key_G, kCtrl, cmd::kGoToFound},
    Accelerator{Qt::Key_H, kCtrl, cmd::kFindNextOnPage},
    Accelerator{Qt::Key_I, kCtrl, cmd::kNothingCtrlI},
    Accelerator{Qt::Key_K, kCtrl, cmd::kReadSelection},
    Accelerator{Qt::Key_M, kCtrl, cmd::kPunctuation},
    Accelerator{Qt::Key_N, kCtrl, cmd::kNewAddress},
    Accelerator{Qt::Key_O, kCtrl, cmd::kOpenDocument},
    Accelerator{Qt::Key_P, kCtrl, cmd::kPrint},
    Accelerator{Qt::Key_R, kCtrl, cmd::kReplace},
    Accelerator{Qt::Key_S, kCtrl, cmd::kSaveText},
    Accelerator{Qt::Key_S, kAlt, cmd::kSendMail},
    Accelerator{Qt::Key_T, kCtrl, cmd::kReadBetweenFinds},
    Accelerator{Qt::Key_T, kCtrl, cmd::kReadBetweenWords},
    Accelerator{Qt::Key_Backspace, kAlt, cmd::kUndo},
    Accelerator{Qt::Key_Delete, kShift, cmd::kCut},
    Accelerator{Qt::Key_F1, kNone, cmd::kGeneralHelp},
    Accelerator{Qt::Key_F10, kNone, cmd::kModeLinks},
    Accelerator{Qt::Key_F11, kNone, cmd::kModeForms},
    Accelerator{Qt::Key_F12, kNone, cmd::kModeSmart},
    Accelerator{Qt::Key_F2, kNone, cmd::kSettings},
    Accelerator{Qt::Key_F3, kNone, cmd::kMailDetails},
    Accelerator{Qt::Key_F4, kNone, cmd::kMailSettings},
    Accelerator{Qt::Key_F5, kNone, cmd::kFetchMail},
    Accelerator{Qt::Key_F6, kNone, cmd::kModeAll},
    Accelerator{Qt::Key_F7, kNone, cmd::kModeTables},
    Accelerator{Qt::Key_F8, kNone, cmd::kModeCells},
    Accelerator{Qt::Key_F9, kNone, cmd::kModeSections},
    Accelerator{Qt::Key_Insert, kCtrl, cmd::kCopy},
    Accelerator{Qt::Key_Insert, kShift, cmd::kPaste},
    Accelerator{Qt::Key_Left, kCtrl, cmd::kReadBeforeFound},
    Accelerator{Qt::Key_Return, kShift, cmd::kChoiceField},
    Accelerator{Qt::Key_Return, kCtrlShift, cmd::kSkipOptions},
    Accelerator{Qt::Key_Right, kCtrl, cmd::kReadAfterFound},
    Accelerator{Qt::Key_Tab, kNone, cmd::kReadNext},
    Accelerator{Qt::Key_Tab, kShift, cmd::kNothingShiftTab},
    Accelerator{Qt::Key_W, kCtrl, cmd::kWhereAmI},
    Accelerator{Qt::Key_Z, kCtrl, cmd::kUndo},
};

bool IsDigitKey(int key) { return key >= Qt::Key_0 && key <= Qt::Key_9; }

}  // namespace

std::string_view CommandPrompt(int command) {
  for (const Prompt& prompt : kPrompts) {
    if (prompt.command == command) return prompt.text;
  }
  return {};
}

std::vector<MenuPopup> MenuFor(int menuId) {
  switch (menuId) {
    case cmd::kMenuEditor:
      return {ToolsMenu(), EditMenu(), HelpMenu()};
    case cmd::kMenuReader:
      return {ToolsMenu(),
              {"&Posta Alma Aracı",
               {{cmd::kFetchMail, "Posta &Al"},
                {cmd::kMailSettings, "Posta A&yarları"},
                {cmd::kReadAll, "Posta &Oku"},
                {cmd::kMailDetails, "&Detaylı Posta İçeriği"}}},
              HelpMenu()};
    case cmd::kMenuComposer:
      return {ToolsMenu(),
              {"&Posta Gönderme Aracı",
               {{cmd::kSendMail, "Posta &Gönder"},
                {cmd::kMailSettings, "Posta &Ayarları"},
                {cmd::kStopReading, "Okumayı &Durdur"}}},
              EditMenu(),
              HelpMenu()};
    case cmd::kMenuBrowser:
      return BrowserMenus();
    default:
      return {ToolsMenu(), HelpMenu()};
  }
}

std::span<const Accelerator> AcceleratorTable() { return kAccelerators; }

std::optional<int> CommandForKey(int key, Qt::KeyboardModifiers modifiers) {
  // Keypad digits are other keys than the digit row.
  if (modifiers.testFlag(Qt::KeypadModifier) && IsDigitKey(key)) return std::nullopt;
  if (key == Qt::Key_Backtab) {
    key = Qt::Key_Tab;
    modifiers |= Qt::ShiftModifier;
  }
  if (key == Qt::Key_Enter) key = Qt::Key_Return;
  const Qt::KeyboardModifiers relevant =
      modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
  for (const Accelerator& row : kAccelerators) {
    if (row.key == key && row.modifiers == relevant) return row.command;
  }
  return std::nullopt;
}

}  // namespace lirvan
