#include "shell/command_table.h"

#include <array>

namespace lirvan {

namespace {

using M = Qt::KeyboardModifier;
constexpr Qt::KeyboardModifiers kNone{};
constexpr Qt::KeyboardModifiers kCtrl{M::ControlModifier};
constexpr Qt::KeyboardModifiers kAlt{M::AltModifier};
constexpr Qt::KeyboardModifiers kShift{M::ShiftModifier};
constexpr Qt::KeyboardModifiers kCtrlShift{M::ControlModifier | M::ShiftModifier};

using C = Command;

// Rows with keys come in the order of the original accelerator table, so
// that of the two Ctrl+T rows the first still wins; then the commands that
// only menus give; then the program's own additions.
constexpr std::array kRows{
    CommandRow{C::OpenBrowser, "&İnternet Gezgini", "İnternet gezgini", {Qt::Key_1, kCtrl}},
    CommandRow{C::OpenEditor, "&Metin Düzenleyici", "Metin düzenleyici", {Qt::Key_2, kCtrl}},
    CommandRow{C::OpenComposer, "Posta G&önder", "Posta gönder", {Qt::Key_3, kCtrl}},
    CommandRow{C::OpenReader, "&Posta Oku", "Posta oku", {Qt::Key_4, kCtrl}},
    CommandRow{C::Calculator, "&Hesap Makinesi", "Hesap Makinesi", {Qt::Key_5, kCtrl}},
    CommandRow{C::ReadAll, "&Metni Oku", "Bütün metni oku", {Qt::Key_A, kCtrl}},
    CommandRow{C::ReadFromStart, "B&aştan Oku", "Baştan oku", {Qt::Key_B, kCtrl}},
    CommandRow{C::StopReading, "Okumayı &Durdur", "Okumayı durdur", {Qt::Key_D, kCtrl}},
    CommandRow{C::DateTime, {}, {}, {Qt::Key_D, kAlt}},
    CommandRow{C::ReadToEnd, "S&ona Kadar Oku", "Metnin sonuna kadar oku", {Qt::Key_E, kCtrl}},
    CommandRow{C::AddFavourite, "Favorilerime Ekle", "Favorilerime ekle", {Qt::Key_E, kAlt}},
    CommandRow{C::Find, "&Bul", "Ara", {Qt::Key_F, kCtrl}},
    CommandRow{C::Favourites, "Favori Sayfalarım", "Favorilerimi yükle", {Qt::Key_F, kAlt}},
    CommandRow{C::GoToFound, "B&ulunan Kelimeye Git", "Aranan kelimeye git", {Qt::Key_G, kCtrl}},
    CommandRow{C::FindNextOnPage, "&Sonrakini Bul", "Sonrakini bul", {Qt::Key_H, kCtrl}},
    CommandRow{C::NothingCtrlI, {}, {}, {Qt::Key_I, kCtrl}},
    CommandRow{C::ReadSelection, "&Seçili Metni Oku", "Seçili metni oku", {Qt::Key_K, kCtrl}},
    CommandRow{C::Punctuation, {}, {}, {Qt::Key_M, kCtrl}},
    CommandRow{C::NewAddress, "Yeni &Gezinti", "Yeni internet adresi", {Qt::Key_N, kCtrl}},
    CommandRow{C::OpenDocument, {}, {}, {Qt::Key_O, kCtrl}},
    CommandRow{C::Print, "Yazdır", "Yazdır", {Qt::Key_P, kCtrl}},
    CommandRow{C::Replace, "&Değiştir", "Değiştir", {Qt::Key_R, kCtrl}},
    CommandRow{C::SaveText, {}, {}, {Qt::Key_S, kCtrl}},
    CommandRow{C::SendMail, "Posta &Gönder", "Posta gönder", {Qt::Key_S, kAlt}},
    CommandRow{C::ReadBetweenFinds, "&İki Seçim Arasını Oku", "İki arama arasını oku",
               {Qt::Key_T, kCtrl}},
    CommandRow{C::ReadBetweenWords, "İki Kelime Arasını Oku", "İki kelime arasını oku",
               {Qt::Key_T, kCtrl}},
    CommandRow{C::Undo, {}, {}, {Qt::Key_Backspace, kAlt}, {Qt::Key_Z, kCtrl}},
    CommandRow{C::Cut, {}, {}, {Qt::Key_Delete, kShift}},
    CommandRow{C::GeneralHelp, "&Genel Yardım", "Genel Yardım", {Qt::Key_F1, kNone}},
    CommandRow{C::ModeLinks, "&Bağlantıları Oku", "Bağlantıları oku", {Qt::Key_F10, kNone}},
    CommandRow{C::ModeForms, "&Form Nesnelerini Oku", "Form nesnelerini oku",
               {Qt::Key_F11, kNone}},
    CommandRow{C::ModeSmart, "Akı&llı Okuma Modu", "Akıllı okuma modu", {Qt::Key_F12, kNone}},
    CommandRow{C::Settings, "Ayarlar", "Program ayarları", {Qt::Key_F2, kNone}},
    CommandRow{C::MailDetails, "&Detaylı Posta İçeriği", "Detaylı posta içeriği",
               {Qt::Key_F3, kNone}},
    CommandRow{C::MailSettings, "Posta &Ayarları", "Posta ayarları", {Qt::Key_F4, kNone}},
    CommandRow{C::FetchMail, "Posta &Al", "Postaları yükle", {Qt::Key_F5, kNone}},
    CommandRow{C::ModeAll, "T&amamını Oku", "Tamamını oku", {Qt::Key_F6, kNone}},
    CommandRow{C::ModeTables, "&Tabloları Oku", "Tabloları oku", {Qt::Key_F7, kNone}},
    CommandRow{C::ModeCells, "Tablo &Hücrelerini Oku", "Tablo hücrelerini oku",
               {Qt::Key_F8, kNone}},
    CommandRow{C::ModeSections, "&Küçük Bölümleri Oku", "Küçük bölümleri oku",
               {Qt::Key_F9, kNone}},
    CommandRow{C::Copy, {}, {}, {Qt::Key_Insert, kCtrl}},
    CommandRow{C::Paste, {}, {}, {Qt::Key_Insert, kShift}},
    CommandRow{C::ReadBeforeFound, "B&ulunan Kelimeden Öncesini Oku", "Bulunandan öncesini oku",
               {Qt::Key_Left, kCtrl}},
    CommandRow{C::ChoiceField, "Seçim Alanı Açık/Kapalı", "Seçim alanı açık/kapalı",
               {Qt::Key_Return, kShift}},
    CommandRow{C::SkipOptions, {}, {}, {Qt::Key_Return, kCtrlShift}},
    CommandRow{C::ReadAfterFound, "&Bulunan Kelimeden Sonrasını Oku", "Bulunandan sonrasını oku",
               {Qt::Key_Right, kCtrl}},
    CommandRow{C::ReadNext, "&Sonrakini Oku", "Sonrakini oku", {Qt::Key_Tab, kNone}},
    CommandRow{C::NothingShiftTab, {}, {}, {Qt::Key_Tab, kShift}},
    CommandRow{C::WhereAmI, "&Kaçıncı Satırdayım", "Neredeyim", {Qt::Key_W, kCtrl}},
    CommandRow{C::Exit, "&Çıkış", "Programdan çıkış"},
    CommandRow{C::About, "&Lirvan Hakkında", "Program hakkında"},
    CommandRow{C::FindWord, "&Kelime Bul", "Ara"},
    CommandRow{C::PrintSetup, {}, {}},
    CommandRow{C::RateUp, "Konuşma Hızını &Artır", "Konuşma hızını artır", {Qt::Key_Up, kAlt}},
    CommandRow{C::RateDown, "Konuşma Hızını A&zalt", "Konuşma hızını azalt",
               {Qt::Key_Down, kAlt}},
    CommandRow{C::RepeatLast, "Son Söyleneni &Tekrarla", "Son söyleneni tekrarla",
               {Qt::Key_L, kCtrlShift}},
    CommandRow{C::SpeechHistory, "Konuşma &Geçmişi", "Konuşma geçmişi", {Qt::Key_H, kCtrlShift}},
    CommandRow{C::WindowList, "Açık &Pencereler", "Açık pencereler", {Qt::Key_W, kCtrlShift}},
    CommandRow{C::StopLoading, "Yüklemeyi &Durdur", "Sayfa yüklemeyi durdur",
               {Qt::Key_Escape, kNone}},
    CommandRow{C::Back, "&Geri", "Önceki sayfa", {Qt::Key_Left, kAlt}},
    CommandRow{C::Forward, "İ&leri", "Sonraki sayfa", {Qt::Key_Right, kAlt}},
    CommandRow{C::RetakeSnapshot, "Sayfayı &Yeniden Tara", "Sayfayı yeniden tara",
               {Qt::Key_F5, kShift}},
    CommandRow{C::ModeHeadings, "Ba&şlıkları Oku", "Başlıkları oku", {Qt::Key_F6, kShift}},
    CommandRow{C::ReplyMail, "Postayı &Yanıtla", "Postayı yanıtla", {Qt::Key_R, kCtrlShift}},
    CommandRow{C::ForwardMail, "Postayı &İlet", "Postayı ilet", {Qt::Key_F, kCtrlShift}},
};

std::vector<Accelerator> BuildAccelerators() {
  std::vector<Accelerator> table;
  for (const CommandRow& row : kRows) {
    for (const KeyChord& chord : {row.key, row.secondKey}) {
      if (chord.key != Qt::Key_unknown) table.push_back({chord.key, chord.modifiers, row.id});
    }
  }
  return table;
}

const std::vector<Accelerator>& Accelerators() {
  static const std::vector<Accelerator> table = BuildAccelerators();
  return table;
}

MenuItem Item(Command command, std::string_view text = {}) {
  if (text.empty()) {
    const CommandRow* row = FindCommand(command);
    if (row != nullptr) text = row->menuText;
  }
  return {command, text};
}

MenuItem Separator() { return {std::nullopt, {}}; }

MenuPopup ToolsMenu() {
  return {"&Araçlar",
          {Item(C::OpenBrowser), Item(C::OpenEditor), Item(C::OpenReader), Item(C::OpenComposer),
           Item(C::Calculator), Separator(), Item(C::Settings), Separator(), Item(C::Exit)}};
}

MenuPopup HelpMenu() { return {"&Yardım", {Item(C::GeneralHelp), Item(C::About)}}; }

MenuPopup EditMenu() {
  return {"&Düzenle",
          {Item(C::Find), Item(C::ReadFromStart), Item(C::GoToFound), Item(C::ReadAll),
           Item(C::ReadSelection), Item(C::ReadBetweenFinds), Item(C::ReadToEnd),
           Item(C::Replace), Item(C::WhereAmI)}};
}

std::vector<MenuPopup> BrowserMenus() {
  return {ToolsMenu(),
          {"Gezinti Araçları",
           {Item(C::NewAddress), Item(C::AddFavourite), Item(C::Favourites),
            Item(C::ChoiceField), Item(C::Print), Separator(), Item(C::Back), Item(C::Forward),
            Item(C::StopLoading), Item(C::RetakeSnapshot)}},
          {"&Okuma Araçları",
           {Item(C::ReadNext), Item(C::ReadAfterFound), Item(C::ReadBeforeFound),
            Item(C::ReadBetweenWords), Separator(), Item(C::WhereAmI, "&Neredeyim"),
            Item(C::ReadAll, "Girdi &Alanını Oku")}},
          {"Oku&ma Modu",
           {Item(C::ModeAll), Item(C::ModeTables), Item(C::ModeCells), Item(C::ModeSections),
            Item(C::ModeLinks), Item(C::ModeForms), Item(C::ModeSmart), Item(C::ModeHeadings)}},
          {"A&rama", {Item(C::FindWord), Item(C::FindNextOnPage)}},
          HelpMenu()};
}

bool IsDigitKey(int key) { return key >= Qt::Key_0 && key <= Qt::Key_9; }

}  // namespace

std::span<const CommandRow> CommandRows() { return kRows; }

const CommandRow* FindCommand(Command id) {
  for (const CommandRow& row : kRows) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

std::string_view CommandPrompt(Command command) {
  const CommandRow* row = FindCommand(command);
  return row != nullptr ? row->prompt : std::string_view{};
}

std::vector<MenuPopup> MenuFor(MenuId menu) {
  switch (menu) {
    case MenuId::Editor:
      return {ToolsMenu(), EditMenu(), HelpMenu()};
    case MenuId::Reader:
      return {ToolsMenu(),
              {"&Posta Alma Aracı",
               {Item(C::FetchMail), Item(C::MailSettings, "Posta A&yarları"),
                Item(C::ReadAll, "Posta &Oku"), Item(C::MailDetails), Item(C::ReplyMail),
                Item(C::ForwardMail)}},
              HelpMenu()};
    case MenuId::Composer:
      return {ToolsMenu(),
              {"&Posta Gönderme Aracı",
               {Item(C::SendMail), Item(C::MailSettings), Item(C::StopReading)}},
              EditMenu(),
              HelpMenu()};
    case MenuId::Browser:
      return BrowserMenus();
    case MenuId::Main:
      break;
  }
  return {ToolsMenu(), HelpMenu()};
}

std::span<const Accelerator> AcceleratorTable() { return Accelerators(); }

std::optional<Command> CommandForKey(int key, Qt::KeyboardModifiers modifiers) {
  // Keypad digits are other keys than the digit row.
  if (modifiers.testFlag(Qt::KeypadModifier) && IsDigitKey(key)) return std::nullopt;
  if (key == Qt::Key_Backtab) {
    key = Qt::Key_Tab;
    modifiers |= Qt::ShiftModifier;
  }
  if (key == Qt::Key_Enter) key = Qt::Key_Return;
  const Qt::KeyboardModifiers relevant =
      modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
  for (const Accelerator& row : Accelerators()) {
    if (row.key == key && row.modifiers == relevant) return row.command;
  }
  return std::nullopt;
}

}  // namespace lirvan
