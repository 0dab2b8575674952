// The composer's send command: the fields checked, the account read, the
// mail built and handed to the SMTP client, and every step and failure
// said. Nothing typed is ever cleared by a failure.
#include <QLineEdit>
#include <charconv>

#include "editor/rich_text.h"
#include "mail/mail_account.h"
#include "mail/mailsetting.h"
#include "mail/sendmail.h"
#include "mail/smtp_message.h"
#include "mail/smtp_speech.h"
#include "shell/settings.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

namespace {

constexpr std::array<std::pair<int, RecipientType>, 3> kAddressFields{{
    {SendMail::kTo, RecipientType::To},
    {SendMail::kCc, RecipientType::Cc},
    {SendMail::kBcc, RecipientType::Bcc},
}};

}  // namespace

std::chrono::milliseconds SendMail::ReplyTimeout() const {
  const std::optional<std::string> value = ReadSettings().Later(kReplyTimeoutSetting);
  int seconds = 0;
  if (value) std::from_chars(value->data(), value->data() + value->size(), seconds);
  if (seconds < 1 || seconds > 600) return CSmtpClient::kReplyTimeout;
  return std::chrono::seconds(seconds);
}

bool SendMail::Send() {
  CSmtpMessage message;
  MailAccount account;
  if (!FieldsComplete() || !BuildMessage(message, account)) return false;
  // Said whole before the exchange holds the window.
  m_speaker.SpeakAndWait(Cp("Posta gönderiliyor"));
  const bool sent = Deliver(message, account);
  if (sent) {
    MarkSent();
    m_speaker.Speak(Cp("Posta başarı ile gönderildi"));
  }
  return sent;
}

// The recipient and the subject must be given.
bool SendMail::FieldsComplete() {
  for (int index : {kTo, kSubject}) {
    if (IsMissing(ToCp1254(field(index)->text()))) {
      Focus(index);
      m_speaker.Speak(Cp("Bilgiler tam olarak girilmemiş"));
      return false;
    }
  }
  return true;
}

bool SendMail::BuildMessage(CSmtpMessage& message, MailAccount& account) {
  for (const auto& [index, type] : kAddressFields) {
    const ParsedAddresses parsed = ParseAddressList(field(index)->text());
    if (!parsed.refused.isEmpty() || (index == kTo && parsed.addresses.empty())) {
      Focus(index);
      m_speaker.Speak(Cp("Adres anlaşılmadı ") + Plain(parsed.refused));
      return false;
    }
    for (const CSmtpAddress& address : parsed.addresses) message.AddRecipient(address, type);
  }
  const std::optional<MailAccount> stored = ReadMailAccount();
  if (!stored || !ComposerSettingsComplete(*stored)) {
    m_speaker.Speak(Cp("Herhangi bir eposta ayarı yok ayarlarınızı giriniz bitince entır a basınız"));
    RunMailSettingsDialog(m_speaker, this);
    return false;
  }
  account = *stored;
  const std::optional<QString> sender = NormalizedAddress(FromCp1254(account.address).trimmed());
  if (!sender) {
    m_speaker.Speak(Cp("Posta ayarlarındaki posta adresi anlaşılmadı ") + Plain(account.address));
    return false;
  }
  message.m_From = {FromCp1254(account.displayName).trimmed(), *sender};
  message.m_sSubject = field(kSubject)->text();
  message.SetBody(m_body->toPlainText());
  return true;
}

bool SendMail::Deliver(const CSmtpMessage& message, const MailAccount& account) {
  const std::chrono::milliseconds timeout = ReplyTimeout();
  m_smtp.SetReplyTimeout(timeout);
  bool sent = false;
  if (m_smtp.Connect(SmtpServer::FromAccount(account))) {
    m_speaker.SpeakAndWait(Cp(m_smtp.IsEncrypted() ? "Bağlantı şifreli" : "Bağlantı şifresiz"));
    sent = m_smtp.SendMessage(message);
  }
  if (!sent) m_speaker.Speak(SendFailureSentence(m_smtp, timeout));
  m_smtp.Disconnect();
  return sent;
}

}  // namespace lirvan
