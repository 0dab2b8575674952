#include "mail/sendmail.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "shell/speaker.h"
#include "shell/owned.h"
#include "shell/text.h"
#include "shell/tool_host.h"
#include "shell/view_helpers.h"

namespace lirvan {

namespace {

constexpr int kFieldCount = 5;

}  // namespace

SendMail::SendMail(ToolHost& host) : m_host(host), m_speaker(host.speaker()) {
  auto* layout = MakeOwnedByParent<QFormLayout>(this);
  static constexpr std::array<const char*, 4> kLabels{"Kime", "Cc", "Bcc", "Konu"};
  for (std::size_t i = 0; i < m_fields.size(); ++i) {
    QLineEdit* edit = MakeOwnedByParent<QLineEdit>(this);
    m_fields[i] = edit;
    layout->addRow(QString::fromUtf8(kLabels[i]), edit);
    const int index = static_cast<int>(i);
    OnFocusIn(edit, [this, index] { AnnounceField(index); });
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
      if (!text.isEmpty()) m_speaker.SpeakCharacter(LastCp1254Character(text));
    });
  }
  OnFocusOut(m_fields[3], [this] { m_speaker.Speak(Cp("Posta içeriği")); });
  m_body = MakeOwnedByParent<QPlainTextEdit>(this);
  layout->addRow(m_body);
  setFocusProxy(m_fields[0]);
}

bool SendMail::OnCommand(Command command) {
  switch (command) {
    case Command::ReadNext:
      MoveToNextField();
      return true;
    case Command::StopReading:
      m_speaker.StopSpeaking();
      return true;
    default:
      return HandleSettingsCommand(m_host, this, command);
  }
}

void SendMail::AnnounceField(int index) {
  static constexpr std::array<const char*, 4> kSentences{
      "Gönderilecek adres", "Göderilecek diğer adresler", "Gizli göderilecek adresler",
      "Posta konusu"};
  if (index == 0) m_speaker.SpeakAndWait(Cp("Posta Gönderme açıldı"));
  m_speaker.SpeakAndWait(Cp(kSentences[static_cast<std::size_t>(index)]));
  const QString text = m_fields[static_cast<std::size_t>(index)]->text();
  // What the field holds was typed or came in a mail: read as written.
  if (!text.isEmpty()) m_speaker.SpeakAndWait(Cp("Şu anki değer ") + Plain(ToCp1254(text)));
}

void SendMail::MoveToNextField() {
  m_nField = (m_nField + 1) % kFieldCount;
  if (m_nField == kFieldCount - 1) {
    m_body->setFocus(Qt::TabFocusReason);
  } else {
    m_fields[static_cast<std::size_t>(m_nField)]->setFocus(Qt::TabFocusReason);
  }
}

}  // namespace lirvan
