#pragma once
// The spoken mail account dialog, shared by the reader and the composer:
// six fields as the tools have always had them, then the connection
// security and port of POP3 and of SMTP. Each field says its prompt when it
// takes the focus and echoes every typed character, except the password,
// which says "yıldız" for each one: it is never spoken. Enter closes it as
// OK would. Closing, by OK or Cancel, writes posta/PostaAyarlari.dat (with
// the values it was opened with after Cancel) and makes the folder Mail.
#include <QDialog>
#include <array>

#include "mail/mail_account.h"

class QComboBox;
class QLineEdit;

namespace lirvan {

class Speaker;

class CMailSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  CMailSettingsDialog(Speaker& speaker, QWidget* parent = nullptr);

  enum Field { kName, kAddress, kUser, kPassword, kSmtpServer, kPop3Server, kPop3Port, kSmtpPort };
  QLineEdit* field(Field which) const { return fields_[which]; }
  QComboBox* pop3Security() const { return pop3Security_; }
  QComboBox* smtpSecurity() const { return smtpSecurity_; }
  // The values as the fields hold them now.
  MailAccount Values() const;

  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLineEdit* AddField(Field which, const char* label, const char* prompt, const std::string& value);
  QComboBox* AddSecurity(const char* label, const char* prompt, MailSecurity value,
                         MailProtocol protocol, Field portField);
  void Echo(Field which, const QString& text);

  Speaker& speaker_;
  MailAccount opened_;  // what Cancel writes back
  std::array<QLineEdit*, 8> fields_{};
  QComboBox* pop3Security_ = nullptr;
  QComboBox* smtpSecurity_ = nullptr;
};

// The dialog run modally, as the mail tools' settings command does.
void RunMailSettingsDialog(Speaker& speaker, QWidget* parent);

}  // namespace lirvan
