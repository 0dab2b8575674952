#pragma once
// The mail reader's view: the list of fetched messages above the shown
// message. F5 fetches the mailbox, each move in the list says the sender,
// subject and date and shows the message, Ctrl+A reads it (any key or
// Ctrl+D cuts the reading off), F3 says a summary and opens the raw text,
// F4 the account settings. One at a time.
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mail/cpop3client.h"
#include "mail/mime_message.h"
#include "shell/speech_text.h"
#include "shell/tool_view.h"

class QListWidget;
class QPrinter;

namespace lirvan {

class MailView;
class Speaker;
class ToolHost;

class ReceiveMail : public CToolView, public Pop3Listener {
  Q_OBJECT

 public:
  explicit ReceiveMail(ToolHost& host);
  ~ReceiveMail() override;

  bool OnCommand(Command command) override;

  QListWidget* mailList() const { return m_list; }
  // The view of the shown mail; null until a mail has been shown.
  MailView* browser() const { return m_browser; }
  CPop3Client& client() { return *m_pClient; }
  // The text Ctrl+A reads: the shown message's.
  const QString& mailText() const { return m_strMailText; }
  // The parses made so far (each message is parsed once per fetch).
  int ParseCount() const { return m_nParses; }

  // Pop3Listener.
  void Connected() override;
  void Protected(bool encrypted) override;
  void MessageArrived(int index) override;
  void Finished(const FetchEnd& end) override;

 signals:
  // The shown message has been laid out by the browser.
  void mailShown();

 private:
  // One fetched message as the reader keeps it.
  struct Mail {
    MailHeaders headers;
    std::optional<ParsedMail> parsed;  // on its first showing
    QString pageHtml;
    QString speech;
    SpeechText attachmentNotice;  // said with the first showing only
    bool announced = false;
  };

  void FetchMail();
  void ShowSelectedMail();
  Mail& Prepare(int index);
  SpeechText SaveAttachments(ParsedMail& parsed);
  void ShowDetails();
  void ReadMail();
  void PrintMail();
  // Ctrl+Shift+R and Ctrl+Shift+F: the composer with the selected mail.
  void Answer(bool reply);
  void ClearMails();
  int SelectedIndex() const;
  MailView& Browser();

  ToolHost& m_host;
  Speaker& m_speaker;
  QListWidget* m_list = nullptr;  // one entry per fetched message, in arrival order
  MailView* m_browser = nullptr;
  std::unique_ptr<CPop3Client> m_pClient;
  std::vector<Mail> m_mails;  // index = message number - 1
  QString m_strMailText;
  std::unique_ptr<QPrinter> m_pPrinter;
  int m_nParses = 0;
  int m_nShown = 0;
};

}  // namespace lirvan
