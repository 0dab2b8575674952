#include "mail/mailsetting.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>

#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/view_helpers.h"

namespace lirvan {

namespace {

struct SecurityChoice {
  MailSecurity security;
  const char* label;   // shown
  const char* spoken;  // said
};

constexpr std::array<SecurityChoice, 3> kChoices{{
    {MailSecurity::Tls, "TLS", "ti el es"},
    {MailSecurity::StartTls, "STARTTLS", "start ti el es"},
    {MailSecurity::None, "Yok (şifresiz)", "şifresiz"},
}};

MailSecurity ChoiceAt(int index) {
  return kChoices[static_cast<std::size_t>(std::clamp(index, 0, 2))].security;
}

int IndexOf(MailSecurity security) {
  for (std::size_t i = 0; i < kChoices.size(); ++i) {
    if (kChoices[i].security == security) return static_cast<int>(i);
  }
  return 0;
}

std::string Spoken(int index) { return Cp(kChoices[static_cast<std::size_t>(std::clamp(index, 0, 2))].spoken); }

int PortOf(const QLineEdit* edit, int fallback) {
  bool ok = false;
  const int port = edit->text().toInt(&ok);
  return ok && port >= 1 && port <= 65535 ? port : fallback;
}

}  // namespace

CMailSettingsDialog::CMailSettingsDialog(Speaker& speaker, QWidget* parent)
    : QDialog(parent), speaker_(speaker), opened_(ReadMailAccount().value_or(MailAccount::New())) {
  setWindowTitle(QStringLiteral("Ayarlar"));
  MakeOwnedByParent<QFormLayout>(this);
  AddField(kName, "Görünen isim", "isim giriniz", opened_.displayName);
  AddField(kAddress, "Mail adresi", "posta adresinizi giriniz", opened_.address);
  AddField(kUser, "Hesap ismi", "hesap ismini giriniz", opened_.user);
  AddField(kPassword, "Hesap şifresi", "şifre giriniz", opened_.password)
      ->setEchoMode(QLineEdit::Password);
  AddField(kSmtpServer, "smtp sunucusu", "es em ti pi sunucusunu giriniz", opened_.smtpServer);
  AddField(kPop3Server, "Pop3 sunucusu", "pop 3 sunucusunu giriniz", opened_.pop3Server);
  pop3Security_ = AddSecurity("Pop3 bağlantı güvenliği", "pop 3 bağlantı güvenliği ",
                              opened_.pop3Security, MailProtocol::Pop3, kPop3Port);
  AddField(kPop3Port, "Pop3 portu", "pop 3 port numarasını giriniz",
           std::to_string(opened_.pop3Port));
  smtpSecurity_ = AddSecurity("smtp bağlantı güvenliği", "es em ti pi bağlantı güvenliği ",
                              opened_.smtpSecurity, MailProtocol::Smtp, kSmtpPort);
  AddField(kSmtpPort, "smtp portu", "es em ti pi port numarasını giriniz",
           std::to_string(opened_.smtpPort));
  fields_[kName]->setFocus(Qt::OtherFocusReason);
}

QLineEdit* CMailSettingsDialog::AddField(Field which, const char* label, const char* prompt,
                                          const std::string& value) {
  auto* edit = MakeOwnedByParent<QLineEdit>(this);
  edit->setText(FromCp1254(value));  // before the echo is connected
  if (which == kPop3Port || which == kSmtpPort) {
    edit->setValidator(MakeOwnedByParent<QIntValidator>(1, 65535, edit));
  }
  static_cast<QFormLayout*>(layout())->addRow(QString::fromUtf8(label), edit);
  fields_[which] = edit;
  const std::string spokenPrompt = Cp(prompt);
  OnFocusIn(edit, [this, spokenPrompt] { speaker_.Speak(spokenPrompt); });
  connect(edit, &QLineEdit::textChanged, this,
          [this, which](const QString& text) { Echo(which, text); });
  return edit;
}

QComboBox* CMailSettingsDialog::AddSecurity(const char* label, const char* prompt,
                                            MailSecurity value, MailProtocol protocol,
                                            Field portField) {
  auto* box = MakeOwnedByParent<QComboBox>(this);
  for (const SecurityChoice& choice : kChoices) box->addItem(QString::fromUtf8(choice.label));
  box->setCurrentIndex(IndexOf(value));
  static_cast<QFormLayout*>(layout())->addRow(QString::fromUtf8(label), box);
  const std::string spokenPrompt = Cp(prompt);
  OnFocusIn(box, [this, box, spokenPrompt] {
    speaker_.Speak(spokenPrompt + Spoken(box->currentIndex()));
  });
  // A port still at the old choice's usual number follows the new choice.
  auto previous = std::make_shared<int>(box->currentIndex());
  connect(box, &QComboBox::currentIndexChanged, this,
          [this, protocol, portField, previous](int index) {
            QLineEdit* port = fields_[portField];
            const int oldDefault = DefaultPort(protocol, ChoiceAt(*previous));
            if (port != nullptr && PortOf(port, oldDefault) == oldDefault) {
              const QSignalBlocker quiet(port);
              port->setText(QString::number(DefaultPort(protocol, ChoiceAt(index))));
            }
            *previous = index;
            speaker_.Speak(Spoken(index));
          });
  return box;
}

void CMailSettingsDialog::Echo(Field which, const QString& text) {
  if (text.isEmpty()) return;
  if (which == kPassword) {
    speaker_.SpeakVerbatim(Cp("yıldız"));
  } else {
    speaker_.SpeakCharacter(LastCp1254Character(text));
  }
}

MailAccount CMailSettingsDialog::Values() const {
  MailAccount account;
  account.displayName = ToCp1254(fields_[kName]->text());
  account.address = ToCp1254(fields_[kAddress]->text());
  account.user = ToCp1254(fields_[kUser]->text());
  account.password = ToCp1254(fields_[kPassword]->text());
  account.smtpServer = ToCp1254(fields_[kSmtpServer]->text());
  account.pop3Server = ToCp1254(fields_[kPop3Server]->text());
  account.pop3Security = ChoiceAt(pop3Security_->currentIndex());
  account.pop3Port = PortOf(fields_[kPop3Port], DefaultPort(MailProtocol::Pop3, account.pop3Security));
  account.smtpSecurity = ChoiceAt(smtpSecurity_->currentIndex());
  account.smtpPort = PortOf(fields_[kSmtpPort], DefaultPort(MailProtocol::Smtp, account.smtpSecurity));
  return account;
}

void CMailSettingsDialog::done(int result) {
  QDir().mkpath(QString::fromUtf8(kMailFolder));
  // Nothing is said when the file cannot be written, as before; the
  // next fetch asks for the settings again.
  WriteMailAccount(result == QDialog::Accepted ? Values() : opened_);
  QDialog::done(result);
}

void CMailSettingsDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void RunMailSettingsDialog(Speaker& speaker, QWidget* parent) {
  CMailSettingsDialog dialog(speaker, parent);
  dialog.exec();
}

}  // namespace lirvan
