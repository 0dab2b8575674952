#include "shell/settings_dialog.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "shell/lirvan_app.h"
#include "shell/owned.h"
#include "shell/punctuation_level_box.h"
#include "shell/punctuation_setting.h"
#include "shell/rate_field.h"
#include "shell/settings.h"
#include "shell/speaking_rate.h"
#include "shell/text.h"
#include "shell/view_helpers.h"

namespace lirvan {

namespace {

struct BoxText {
  const char* label;
  const char* on;
  const char* off;
};

constexpr std::array<BoxText, 4> kBoxes{{
    {"Açılış metnini oku", "Açılış notu okunacak", "Açılış notu okunmayacak"},
    {"Karakterleri oku", "Metin düzenleyicide karakterler de okunacak",
     "Metin düzenleyicide karakterler okunmayacak"},
    {"Noktalama işaretlerini oku", "Noktalama işaretleri okunacak",
     "Noktalama işaretleri okunmayacak"},
    {"Büyük harfleri belirt", "Büyük harflerden önce büyük denecek",
     "Büyük harfler belirtilmeyecek"},
}};

constexpr std::array kAllBoxes{SettingsDialog::kGreeting, SettingsDialog::kEcho,
                               SettingsDialog::kPunctuation, SettingsDialog::kCapitals};

}  // namespace

SettingsDialog::SettingsDialog(CLirvanApp& app, QWidget* parent)
    : QDialog(parent),
      app_(app),
      // A box shows only on or off, so an odd value read from the file is
      // taken as the box shows it; otherwise the dialog would announce one
      // state and write back another.
      m_nEcho(app.m_bEchoCharacters != 0 ? 1 : 0),
      m_nGreeting(app.m_bReadGreeting != 0 ? 1 : 0),
      m_nPunctuation(app.IsPunctuationReading()),
      m_nCapitals(app.m_bAnnounceCapitals != 0 ? 1 : 0) {
  setWindowTitle(QStringLiteral("Lirvan Ayarlar"));
  app_.SpeakAndWait(Cp("Program ayarları"));
  // Heard whole before the first box names itself.
  app_.SpeakAndWait(Cp("Seçimleri değiştirmek için boşluk tuşuna basınız"));
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  for (Box which : kAllBoxes) {
    QCheckBox* box = MakeOwnedByParent<QCheckBox>(QString::fromUtf8(kBoxes[which].label), this);
    box->setChecked(Value(which) != 0);
    layout->addWidget(box);
    boxes_[which] = box;
    OnFocusIn(box, [this, which] { SpeakState(which); });
    connect(box, &QCheckBox::clicked, this, [this, which] { OnClicked(which); });
  }
  layout->addWidget(MakeOwnedByParent<PunctuationLevelBox>(app_, *boxes_[kPunctuation], this));
  openedAtRate_ = app_.SpeakingRate();
  layout->addWidget(MakeOwnedByParent<RateField>(app_, this));
  boxes_[kGreeting]->setFocus(Qt::OtherFocusReason);
}

SettingsDialog::~SettingsDialog() {
  // Nothing is said when the file cannot be written; the settings in
  // memory stay as set.
  m_nPunctuation = app_.IsPunctuationReading();  // the level list may have moved it
  WriteSettings(m_nGreeting, m_nEcho, m_nPunctuation);
  WritePunctuationLevel(app_.GetPunctuationLevel());
  // The later line is written once the user has turned it on, and kept.
  if (m_nCapitals != 0 || ReadSettings().Later(kCapitalsSetting)) {
    WriteLaterSetting(kCapitalsSetting, m_nCapitals != 0 ? "1" : "0");
  }
  if (app_.SpeakingRate() != openedAtRate_ || ReadSettings().Later(kRateSetting)) {
    app_.StoreSpeakingRate();
  }
}

int& SettingsDialog::Value(Box which) {
  switch (which) {
    case kGreeting:
      return m_nGreeting;
    case kEcho:
      return m_nEcho;
    case kCapitals:
      return m_nCapitals;
    case kPunctuation:
      break;
  }
  return m_nPunctuation;
}

void SettingsDialog::SpeakState(Box which) {
  app_.SpeakAndWait(Cp(Value(which) != 0 ? kBoxes[which].on : kBoxes[which].off));
}

void SettingsDialog::OnClicked(Box which) {
  for (Box each : kAllBoxes) Value(each) = boxes_[each]->isChecked() ? 1 : 0;
  const int value = Value(which);
  switch (which) {
    case kGreeting:
      app_.m_bReadGreeting = value != 0;
      break;
    case kEcho:
      app_.m_bEchoCharacters = value != 0;
      break;
    case kPunctuation:
      app_.SetPunctuationReading(value != 0);
      break;
    case kCapitals:
      app_.m_bAnnounceCapitals = value != 0;
      break;
  }
  SpeakState(which);
}

void SettingsDialog::keyPressEvent(QKeyEvent* event) {
  // Enter closes the dialog as its OK would; there is no button to find.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace lirvan
