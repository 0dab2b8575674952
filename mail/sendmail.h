#pragma once
// The mail composer's view: recipient, Cc, Bcc and subject fields above
// the body. Every field announces itself when it takes the focus and the
// field index follows the focus however it moved, so Ctrl+A reads the
// field the user is in; Tab moves round the five. The body types, reads,
// finds and replaces as the editor does. Alt+S sends through the SMTP
// client with the account's server and security; a failed send keeps
// everything as typed and says why. Closing with an unsent mail asks first.
// One at a time.
#include <QStringList>
#include <array>
#include <memory>

#include "mail/csmtpclient.h"
#include "mail/mail_account.h"
#include "mail/mail_draft.h"
#include "shell/tool_view.h"

class QLineEdit;

namespace lirvan {

class CRichText;
class CSmtpMessage;
class Speaker;
class TextReading;
class ToolHost;
class TypingSpeech;

class SendMail : public CToolView {
  Q_OBJECT

 public:
  enum FieldIndex { kTo = 0, kCc = 1, kBcc = 2, kSubject = 3, kBody = 4 };

  explicit SendMail(ToolHost& host);
  ~SendMail() override;

  bool OnCommand(Command command) override;
  // An unsent mail: asks, spoken, whether to send it first.
  bool QueryClose() override;

  QLineEdit* field(int index) const { return m_fields[static_cast<std::size_t>(index)]; }
  CRichText* body() const { return m_body; }
  int currentField() const { return m_nField; }
  CSmtpClient& client() { return m_smtp; }
  // Something typed and not sent (nor loaded as it is from a draft).
  bool HasUnsentMail() const;

  enum class DraftKind { Reply, Forward };
  // Fills the fields and the body with a reply or forward; false (and
  // said) when an unsent mail is in the way, which is kept.
  bool LoadDraft(const MailDraft& draft, DraftKind kind);

  // The later line of veriler/ayarlar.dat that shortens the wait for a
  // server's reply (seconds); tests use it.
  static constexpr const char* kReplyTimeoutSetting = "smtpbekleme";

 private:
  void OnFieldFocus(int index);
  void NoteFocusLeft();
  void AnnounceField(int index);
  void MoveToNextField();
  void Focus(int index);
  void ReadCurrentField();
  QStringList Contents() const;
  void MarkSent() { m_sentContents = Contents(); }

  // Sending (sendmail_send.cpp).
  bool Send();
  bool FieldsComplete();
  bool BuildMessage(CSmtpMessage& message, MailAccount& account);
  bool Deliver(const CSmtpMessage& message, const MailAccount& account);
  std::chrono::milliseconds ReplyTimeout() const;

  ToolHost& m_host;
  Speaker& m_speaker;
  std::array<QLineEdit*, 4> m_fields{};  // recipient, Cc, Bcc, subject
  CRichText* m_body = nullptr;
  int m_nField = kTo;
  // The focus coming back from a dialog is not announced, nor a move the
  // view speaks of itself.
  bool m_bBackFromDialog = false;
  bool m_bQuietFocus = false;
  std::unique_ptr<TypingSpeech> typing_;
  std::unique_ptr<TextReading> reading_;
  CSmtpClient m_smtp;  // one for the life of the window
  // The fields and the body as last sent or loaded.
  QStringList m_sentContents;
};

}  // namespace lirvan
