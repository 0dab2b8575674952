#include "mail/receivemail.h"

#include <QDir>
#include <QListWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QVBoxLayout>

#include "mail/attachment_file.h"
#include "mail/detailed_mail_dialog.h"
#include "mail/mail_account.h"
#include "mail/mail_content.h"
#include "mail/mail_draft.h"
#include "mail/mail_page.h"
#include "mail/mailsetting.h"
#include "mail/sendmail.h"
#include "mail/mime_text.h"
#include "mail/smtp_speech.h"
#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/tool_host.h"
#include "shell/tool_registry.h"
#include "shell/view_helpers.h"

namespace lirvan {

namespace {

QByteArrayView Bytes(const std::string& text) {
  return QByteArrayView(text.data(), static_cast<qsizetype>(text.size()));
}

SpeechText OutcomeSentence(const FetchEnd& end) {
  switch (end.outcome) {
    case FetchOutcome::Complete:
    case FetchOutcome::Empty:
      break;
    case FetchOutcome::AuthRefused:
      return Cp("Sunucu hesabı reddetti ") + ServerWords(end.reason);
    case FetchOutcome::Refused:
      return Cp("Sunucu isteği reddetti ") + ServerWords(end.reason);
    case FetchOutcome::TlsUnsupported:
      return Cp("Sunucu şifreli bağlantı sunmuyor, hesap bilgileri gönderilmedi");
    case FetchOutcome::Malformed:
      return Cp("Sunucunun yanıtı anlaşılmadı, bağlantı kesildi");
    case FetchOutcome::HostNotFound:
      return Cp("Bağlantı sağlanamadı, sunucu bulunamadı");
    case FetchOutcome::ConnectFailed:
      return Cp("Bağlantı sağlanamadı");
    case FetchOutcome::CertificateRejected:
      return Cp("Sunucunun güvenlik sertifikası doğrulanamadı, bağlantı reddedildi");
    case FetchOutcome::TlsFailed:
      return Cp("Şifreli bağlantı kurulamadı, bağlantı kesildi");
    case FetchOutcome::TimedOut:
      return Cp("Sunucu 30 saniyedir yanıt vermiyor, bağlantı kesildi");
    case FetchOutcome::ConnectionLost:
      return Cp("Sunucu bağlantıyı kesti");
  }
  return {};
}

QString MailFolderPath() { return QDir::current().absoluteFilePath(QString::fromUtf8(kMailFolder)); }

}  // namespace

ReceiveMail::ReceiveMail(ToolHost& host)
    : m_host(host), m_speaker(host.speaker()), m_pClient(std::make_unique<CPop3Client>(*this)) {
  m_speaker.SpeakAndWait(Cp("Posta okuma açıldı"));
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  m_list = MakeOwnedByParent<QListWidget>(this);
  m_list->setObjectName(QStringLiteral("mailList"));
  layout->addWidget(m_list, 1);
  setFocusProxy(m_list);
  OnFocusIn(m_list, [this] { m_speaker.Speak(Cp("Posta okuma")); });
  connect(m_list, &QListWidget::currentRowChanged, this, [this] { ShowSelectedMail(); });
}

// The web engine is started with the first mail shown, not with the
// window: a reader opened only to fetch costs no browser.
MailView& ReceiveMail::Browser() {
  if (m_browser == nullptr) {
    m_browser = MakeOwnedByParent<MailView>(this);
    m_browser->setFocusPolicy(Qt::NoFocus);
    static_cast<QVBoxLayout*>(layout())->addWidget(m_browser, 2);
    connect(m_browser, &QWebEngineView::loadFinished, this, [this] { emit mailShown(); });
  }
  return *m_browser;
}

ReceiveMail::~ReceiveMail() {
  // A running exchange ends without a word: the window is going.
  m_pClient->Close();
}

bool ReceiveMail::OnCommand(Command command) {
  switch (command) {
    case Command::FetchMail:
      FetchMail();
      return true;
    case Command::MailSettings:
      RunMailSettingsDialog(m_speaker, this);
      return true;
    case Command::ReadAll:
      ReadMail();
      return true;
    case Command::MailDetails:
      ShowDetails();
      return true;
    case Command::Print:
      PrintMail();
      return true;
    case Command::ReplyMail:
      Answer(true);
      return true;
    case Command::ForwardMail:
      Answer(false);
      return true;
    default:
      return HandleSettingsCommand(m_host, this, command);
  }
}

void ReceiveMail::FetchMail() {
  if (m_pClient->IsBusy()) {
    m_speaker.Speak(Cp("Postalar yükleniyor"));
    return;
  }
  const std::optional<MailAccount> account = ReadMailAccount();
  if (!account || !ReaderSettingsComplete(*account)) {
    m_speaker.Speak(Cp("Pop 3 ayarlarınızı giriniz bitince entır a basınız"));
    RunMailSettingsDialog(m_speaker, this);
    return;
  }
  m_speaker.SpeakAndWait(Cp("Bağlantı açılıyor"));
  m_pClient->Fetch(*account);
}

void ReceiveMail::Connected() { m_speaker.SpeakAndWait(Cp("Bağlanıyor")); }

void ReceiveMail::Protected(bool encrypted) {
  m_speaker.SpeakAndWait(Cp(encrypted ? "Bağlantı şifreli" : "Bağlantı şifresiz"));
}

void ReceiveMail::MessageArrived(int index) {
  if (index == 0) ClearMails();
  const MailMessage& message = m_pClient->GetMessage(index);
  m_mails.resize(static_cast<std::size_t>(index) + 1);
  Mail& mail = m_mails.back();
  mail.headers = ParseMailHeaders(Bytes(message.text));
  // Every message gets its own entry, whatever its sender and subject.
  auto* item = MakeOwnedByParent<QListWidgetItem>(mail.headers.from + QLatin1Char(' ') +
                                                      mail.headers.subject, m_list);
  item->setData(Qt::UserRole, index);
  const int done = index + 1;
  const int total = m_pClient->AnnouncedCount();
  if (done % 10 == 0 && done < total) {
    m_speaker.Speak(std::to_string(done) + " / " + std::to_string(total));
  }
}

void ReceiveMail::Finished(const FetchEnd& end) {
  const int fetched = m_pClient->FetchedCount();
  if (end.outcome == FetchOutcome::Complete) {
    m_speaker.StopSpeaking();
    m_speaker.Speak(Cp("Tüm postalar yüklendi ") + std::to_string(fetched) + Cp(" posta"));
    return;
  }
  if (end.outcome == FetchOutcome::Empty) {
    ClearMails();
    m_speaker.Speak(Cp("Posta kutunuz boş"));
    return;
  }
  SpeechText sentence = OutcomeSentence(end);
  if (fetched > 0) sentence += Cp(", ") + std::to_string(fetched) + Cp(" posta yüklendi");
  m_speaker.Speak(sentence);
}

void ReceiveMail::ClearMails() {
  m_mails.clear();
  m_strMailText.clear();
  m_list->clear();
}

int ReceiveMail::SelectedIndex() const {
  const QListWidgetItem* item = m_list->currentItem();
  if (item == nullptr) return -1;
  const int index = item->data(Qt::UserRole).toInt();
  return index >= 0 && index < static_cast<int>(m_mails.size()) ? index : -1;
}

ReceiveMail::Mail& ReceiveMail::Prepare(int index) {
  Mail& mail = m_mails[static_cast<std::size_t>(index)];
  if (mail.parsed) return mail;
  ++m_nParses;
  mail.parsed = ParseMail(Bytes(m_pClient->GetMessage(index).text));
  const ShownMail shown = PresentMail(*mail.parsed);
  mail.pageHtml = shown.pageHtml;
  mail.speech = shown.speech;
  mail.attachmentNotice = SaveAttachments(*mail.parsed);
  return mail;
}

// Each attachment is saved once, when its message is first shown, and the
// data is dropped afterwards: the file holds it.
SpeechText ReceiveMail::SaveAttachments(ParsedMail& parsed) {
  SpeechText notice;
  for (MailAttachment& attachment : parsed.attachments) {
    const QString safe = SafeAttachmentName(attachment.name);
    notice += Cp(" Meilde ek var dosya ismi ") + Plain(safe);
    if (!AcceptedAttachment(safe)) {
      notice += Cp(" Bilinmeyen dosya uzantısı ek kaydedilmedi");
    } else if (const std::optional<QString> saved =
                   SaveAttachment(MailFolderPath(), safe, attachment.data)) {
      if (*saved != safe) notice += Cp(" kaydedilen isim ") + Plain(*saved);
    } else {
      notice += Cp(" ek kaydedilemedi");
    }
    attachment.name = safe;
    attachment.data = QByteArray();
  }
  return notice;
}

void ReceiveMail::ShowSelectedMail() {
  const int index = SelectedIndex();
  if (index < 0) return;
  Mail& mail = Prepare(index);
  SpeechText sentence = Cp("Seçili posta Gönderen ") + Plain(mail.headers.from) +
                        Cp(" Konu ") + Plain(mail.headers.subject);
  if (!mail.headers.date.isEmpty()) {
    sentence += Cp(" Tarih ") + Plain(SpokenMailDate(mail.headers.date));
  }
  if (!mail.announced) {
    mail.announced = true;
    sentence += mail.attachmentNotice;
  }
  m_speaker.Speak(sentence);
  m_strMailText = mail.speech;
  QDir().mkpath(MailFolderPath());
  const QString path = QDir(MailFolderPath()).absoluteFilePath(QStringLiteral("tmp.html"));
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(mail.pageHtml.toUtf8()) >= 0 && file.commit()) {
    // A new address each time, so that the same file is loaded afresh.
    QUrl url = QUrl::fromLocalFile(path);
    url.setQuery(QStringLiteral("posta=%1").arg(++m_nShown));
    Browser().Show(url);
  }
}

void ReceiveMail::ReadMail() {
  if (m_strMailText.isEmpty()) return;
  // Line breaks become blanks, as in the editor's reading, so that the
  // last word of a line and the first of the next are not run together.
  QString text = m_strMailText;
  text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
  // Speak, not SpeakAndWait: a long mail must never hold the window.
  m_speaker.Speak(Plain(text));
}

void ReceiveMail::ShowDetails() {
  const int index = SelectedIndex();
  if (index < 0) return;
  const Mail& mail = Prepare(index);
  const MailHeaders& h = mail.headers;
  SpeechText summary = Cp("Gönderen ") + Plain(h.from) + Cp(" Alıcı ") +
                       Plain(h.to);
  if (!h.cc.isEmpty()) summary += Cp(" Bilgi ") + Plain(h.cc);
  if (!h.date.isEmpty()) summary += Cp(" Tarih ") + Plain(SpokenMailDate(h.date));
  if (mail.parsed->attachments.empty()) {
    summary += Cp(" Ek yok");
  } else {
    summary += Cp(" Ekler");
    for (const MailAttachment& attachment : mail.parsed->attachments) {
      summary += std::string(" ") + Plain(attachment.name);
    }
  }
  m_speaker.Speak(summary);
  CDetailedMailDialog dialog(m_speaker, DecodeCharset(Bytes(m_pClient->GetMessage(index).text), {}),
                             this);
  dialog.exec();
}

void ReceiveMail::Answer(bool reply) {
  const int index = SelectedIndex();
  if (index < 0) {
    m_speaker.Speak(Cp("Seçili posta yok"));
    return;
  }
  const Mail& mail = Prepare(index);
  const OriginalMail original = ReadOriginal(Bytes(m_pClient->GetMessage(index).text), mail.speech);
  auto* composer = qobject_cast<SendMail*>(m_host.OpenTool(kComposerTemplate));
  if (composer == nullptr) return;
  if (reply) {
    composer->LoadDraft(ReplyDraft(original), SendMail::DraftKind::Reply);
  } else {
    composer->LoadDraft(ForwardDraft(original), SendMail::DraftKind::Forward);
  }
}

void ReceiveMail::PrintMail() {
  if (m_strMailText.isEmpty() || QPrinterInfo::defaultPrinter().isNull()) {
    m_speaker.Speak(Cp("Yazdırma işlemi tanımlı değil"));
    return;
  }
  m_pPrinter = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter());
  Browser().print(m_pPrinter.get());
  m_speaker.Speak(Cp("Yazdırma işlemi yapılıyor"));
}

}  // namespace lirvan
