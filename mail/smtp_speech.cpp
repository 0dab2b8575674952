#include "mail/smtp_speech.h"

#include <QByteArrayView>

#include "mail/csmtpclient.h"
#include "mail/mime_text.h"
#include "shell/text.h"

namespace lirvan {

SpeechText ServerWords(const std::string& reason) {
  const QByteArrayView bytes(reason.data(), static_cast<qsizetype>(reason.size()));
  return Plain(DecodeCharset(bytes, {}).simplified());
}

namespace {

// What went wrong before the server took part in the exchange, or when it
// stopped taking part.
std::string ConnectionSentence(SmtpFailure failure, std::chrono::milliseconds timeout) {
  switch (failure) {
    case SmtpFailure::HostNotFound:
    case SmtpFailure::ConnectFailed:
      return Cp("Posta sunucusuna bağlanamıyor Lütfen ayarlarınızı kontrol edin");
    case SmtpFailure::CertificateRejected:
      return Cp("Posta gönderilemedi, sunucunun güvenlik sertifikası doğrulanamadı, bağlantı reddedildi");
    case SmtpFailure::TlsUnsupported:
      return Cp("Posta gönderilemedi, sunucu şifreli bağlantı sunmuyor, hesap bilgileri gönderilmedi");
    case SmtpFailure::AuthUnsupported:
      return Cp("Posta gönderilemedi, sunucu bilinen bir kimlik doğrulama yöntemi sunmuyor");
    case SmtpFailure::NoRecipient:
      return Cp("Posta gönderilemedi, alıcı yok");
    case SmtpFailure::TimedOut:
      return Cp("Posta gönderilemedi, sunucu ") +
             std::to_string(std::chrono::duration_cast<std::chrono::seconds>(timeout).count()) +
             Cp(" saniyedir yanıt vermiyor, bağlantı kesildi");
    case SmtpFailure::ConnectionLost:
      return Cp("Posta gönderilemedi, sunucu bağlantıyı kesti");
    case SmtpFailure::Malformed:
      return Cp("Posta gönderilemedi, sunucunun yanıtı anlaşılmadı");
    default:
      return {};
  }
}

// The start of the sentence for a refusal the server explained.
std::string RefusalSentence(SmtpFailure failure) {
  switch (failure) {
    case SmtpFailure::TlsFailed:
      return Cp("Posta gönderilemedi, şifreli bağlantı kurulamadı ");
    case SmtpFailure::GreetingRefused:
    case SmtpFailure::HelloRefused:
      return Cp("Posta gönderilemedi, sunucu bağlantıyı reddetti ");
    case SmtpFailure::AuthRefused:
      return Cp("Posta gönderilemedi, sunucu hesabı reddetti ");
    case SmtpFailure::SenderRefused:
      return Cp("Posta gönderilemedi, sunucu gönderen adresini reddetti ");
    default:
      return Cp("Posta gönderilemedi, sunucu postayı reddetti ");
  }
}

}  // namespace

SpeechText SendFailureSentence(const CSmtpClient& client, std::chrono::milliseconds timeout) {
  const SmtpFailure failure = client.GetLastFailure();
  const std::string connection = ConnectionSentence(failure, timeout);
  if (!connection.empty()) return connection;
  if (failure == SmtpFailure::RecipientRefused) {
    return Cp("Posta gönderilemedi, sunucu ") + Plain(client.GetRefusedRecipient()) +
           Cp(" adresini reddetti ") + ServerWords(client.GetLastCommandResponse());
  }
  return RefusalSentence(failure) + ServerWords(client.GetLastCommandResponse());
}

}  // namespace lirvan
