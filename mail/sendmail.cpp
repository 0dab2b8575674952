#include "mail/sendmail.h"

#include <utility>
#include <QApplication>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>

#include "editor/rich_text.h"
#include "editor/spoken_question.h"
#include "editor/text_reading.h"
#include "editor/typing_speech.h"
#include "editor/words.h"
#include "mail/mailsetting.h"
#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/tool_host.h"
#include "shell/view_helpers.h"
#include "shell/window_arrival.h"

namespace lirvan {

namespace {

constexpr int kFieldCount = 5;

bool AllEmpty(const QStringList& contents) {
  return std::all_of(contents.begin(), contents.end(),
                     [](const QString& text) { return text.trimmed().isEmpty(); });
}

}  // namespace

SendMail::SendMail(ToolHost& host) : m_host(host), m_speaker(host.speaker()) {
  auto* layout = MakeOwnedByParent<QFormLayout>(this);
  static constexpr std::array<const char*, 4> kLabels{"Kime", "Cc", "Bcc", "Konu"};
  for (std::size_t i = 0; i < m_fields.size(); ++i) {
    QLineEdit* edit = MakeOwnedByParent<QLineEdit>(this);
    m_fields[i] = edit;
    edit->setAccessibleName(QString::fromUtf8(kLabels[i]));
    layout->addRow(QString::fromUtf8(kLabels[i]), edit);
    const int index = static_cast<int>(i);
    OnFocusIn(edit, [this, index] { OnFieldFocus(index); });
    OnFocusOut(edit, [this] { NoteFocusLeft(); });
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
      if (!text.isEmpty()) m_speaker.SpeakCharacter(LastCp1254Character(text));
    });
  }
  OnFocusOut(m_fields[kSubject], [this] {
    // Leaving for the body, not for a dialog or another field.
    if (QApplication::focusWidget() == m_body) m_speaker.Speak(Cp("Posta içeriği"));
  });
  m_body = MakeOwnedByParent<CRichText>(this);
  m_body->setObjectName(QStringLiteral("composerBody"));
  m_body->setAccessibleName(QStringLiteral("Posta içeriği"));
  layout->addRow(m_body);
  OnFocusIn(m_body, [this] { OnFieldFocus(kBody); });
  OnFocusOut(m_body, [this] { NoteFocusLeft(); });
  typing_ = std::make_unique<TypingSpeech>(*m_body, host);
  reading_ = std::make_unique<TextReading>(*m_body, m_speaker);
  setFocusProxy(m_fields[kTo]);
  m_pArrival = MakeOwnedByParent<WindowArrival>(this);
  MarkSent();
}

SendMail::~SendMail() = default;

bool SendMail::OnCommand(Command command) {
  switch (command) {
    case Command::ReadNext: MoveToNextField(); return true;
    case Command::ReadAll: ReadCurrentField(); return true;
    case Command::SendMail: Send(); return true;
    case Command::MailSettings: RunMailSettingsDialog(m_speaker, this); return true;
    case Command::StopReading: m_speaker.StopSpeaking(); return true;
    default: break;
  }
  if (reading_->OnCommand(command, this)) return true;
  // The body's own keys beyond the widget's, as in the editor.
  if (m_body->hasFocus() && typing_->OnCommand(command)) return true;
  // Ctrl+Z is the table's: a field takes its typing back itself, and the
  // echo says what is left.
  if (command == Command::Undo && m_nField != kBody) {
    field(m_nField)->undo();
    return true;
  }
  return HandleSettingsCommand(m_host, this, command);
}

void SendMail::NoteFocusLeft() {
  // A dialog took the focus: when it comes back, the dialog's command has
  // said what it did, and the field is not announced over it.
  if (QApplication::activeModalWidget() != nullptr) m_bBackFromDialog = true;
}

void SendMail::OnFieldFocus(int index) {
  // Whatever moved the focus (Tab, the mouse, a send that found a field
  // empty), the index names the field the user is in.
  m_nField = index;
  const bool arriving = m_pArrival->Arriving();
  if (m_bBackFromDialog || m_bQuietFocus) {
    m_bBackFromDialog = false;
    return;
  }
  // Coming back from another window names the window (there may be several
  // drafts) instead of saying that it opened.
  if (arriving && std::exchange(m_bOpenedSaid, true)) {
    m_speaker.SpeakAndWait(WindowName(this));
  } else {
    m_bOpenedSaid = true;
    if (index == kTo) m_speaker.SpeakAndWait(Cp("Posta Gönderme açıldı"));
  }
  if (index != kBody) {
    AnnounceField(index);
  } else if (arriving) {
    m_speaker.SpeakAndWait(Cp("Posta içeriği"));
  }
}

void SendMail::AnnounceField(int index) {
  static constexpr std::array<const char*, 4> kSentences{
      "Gönderilecek adres", "Göderilecek diğer adresler", "Gizli göderilecek adresler",
      "Posta konusu"};
  m_speaker.SpeakAndWait(Cp(kSentences[static_cast<std::size_t>(index)]));
  const QString text = field(index)->text();
  if (!text.isEmpty()) m_speaker.SpeakAndWait(Cp("Şu anki değer ") + Plain(text));
}

void SendMail::Focus(int index) {
  QWidget* target = index == kBody ? static_cast<QWidget*>(m_body) : field(index);
  target->setFocus(Qt::TabFocusReason);
  // Offscreen or while the window is not active the focus event may not
  // come: the index follows all the same.
  m_nField = index;
}

void SendMail::MoveToNextField() { Focus((m_nField + 1) % kFieldCount); }

void SendMail::ReadCurrentField() {
  if (m_nField == kBody) {
    const std::string text = m_body->Text();
    if (text.empty()) {
      reading_->ReadAll();  // "Henüz okunacak yazı yok"
      return;
    }
    m_body->SetCaretPosition(m_body->Length());
    m_speaker.Speak(Plain(LinesAsBlanks(text)));
    return;
  }
  const QString text = field(m_nField)->text();
  if (text.isEmpty() || text == QLatin1String(" ")) {
    m_speaker.Speak(Cp("Alan boş"));
    return;
  }
  m_speaker.Speak(Cp("Şu anki değer ") + Plain(text));
}

QStringList SendMail::Contents() const {
  QStringList contents;
  for (const QLineEdit* edit : m_fields) contents << edit->text();
  contents << m_body->toPlainText();
  return contents;
}

bool SendMail::HasUnsentMail() const {
  const QStringList contents = Contents();
  return contents != m_sentContents && !AllEmpty(contents);
}

bool SendMail::QueryClose() {
  if (!HasUnsentMail()) return true;
  bool mayClose = false;
  switch (SpokenQuestion(m_speaker, this, Cp("Gönderilmemiş posta var. Gönderilsin mi?"), true).Ask()) {
    case SpokenQuestion::Answer::Yes:
      mayClose = Send();
      break;
    case SpokenQuestion::Answer::No:
      mayClose = true;
      break;
    case SpokenQuestion::Answer::Cancel:
      m_speaker.SpeakAndWait(Cp("Vazgeçildi"));
      break;
  }
  return mayClose;
}

bool SendMail::LoadDraft(const MailDraft& draft, DraftKind kind) {
  if (HasUnsentMail()) {
    m_speaker.Speak(Cp("Posta gönderme penceresinde gönderilmemiş bir posta var, önce onu gönderin ya da silin"));
    return false;
  }
  {
    // Filled, not typed: nothing is echoed.
    const QSignalBlocker to(m_fields[kTo]), cc(m_fields[kCc]), bcc(m_fields[kBcc]),
        subject(m_fields[kSubject]);
    m_fields[kTo]->setText(draft.to);
    m_fields[kCc]->setText(draft.cc);
    m_fields[kBcc]->setText(draft.bcc);
    m_fields[kSubject]->setText(draft.subject);
  }
  m_body->setPlainText(draft.body);
  m_body->SetCaretPosition(0);
  MarkSent();
  m_bQuietFocus = true;  // the focus moves below: this sentence says it all
  if (kind == DraftKind::Reply) {
    Focus(kBody);
    m_speaker.Speak(Cp("Yanıt yazılıyor. Alıcı ") + Plain(draft.to) + Cp(" Konu ") +
                    Plain(draft.subject) + Cp(". Posta içeriği"));
  } else {
    Focus(kTo);
    m_speaker.Speak(Cp("Posta iletiliyor. Konu ") + Plain(draft.subject) +
                    Cp(". Gönderilecek adres"));
  }
  m_bQuietFocus = false;
  return true;
}

}  // namespace lirvan
