// lirvan-smtp-timing [RUNS]: the SMTP client against a private postfix on
// loopback: one send (connect, greeting, EHLO, TLS and AUTH as the account
// says, MAIL, four RCPT, DATA of a 2 KB Turkish mail, QUIT) with STARTTLS
// on the submission port, with TLS from the first byte and in plain text;
// then one 1 MB mail with STARTTLS. The composer's window is held for this
// long. Prints the median and the worst of the runs.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "mail/csmtpclient.h"
#include "mail/smtp_message.h"
#include "postfix_server.h"
#include "server_support.h"

namespace {

using lirvan::CSmtpClient;
using lirvan::CSmtpMessage;
using lirvan::MailSecurity;
using lirvan::RecipientType;
using lirvan::test::PostfixServer;

CSmtpMessage Mail(int bodyBytes) {
  CSmtpMessage message;
  message.m_From = {QStringLiteral("Lirvan Kullanıcısı"), QStringLiteral("lirvan@ornek.tr")};
  message.m_sSubject = QStringLiteral("Haftalık toplantı notları");
  message.AddRecipient({QStringLiteral("Ali Öztürk"), QStringLiteral("ali@ornek.tr")});
  message.AddRecipient({{}, QStringLiteral("veli@ornek.tr")});
  message.AddRecipient({{}, QStringLiteral("ayse@ornek.tr")}, RecipientType::Cc);
  message.AddRecipient({{}, QStringLiteral("gizli@ornek.tr")}, RecipientType::Bcc);
  QString body;
  for (qsizetype i = 0, bytes = 0; bytes < bodyBytes; ++i) {
    const QString line = QStringLiteral("%1. Toplantıda bütçe, takvim ve ekip çalışması konuşuldu.\n").arg(i);
    body += line;
    bytes += line.toUtf8().size();
  }
  message.SetBody(body);
  return message;
}

// Milliseconds of each run of one send.
std::vector<double> Time(PostfixServer& postfix, MailSecurity security, int port,
                         const CSmtpMessage& message, int runs) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer timer;
    timer.start();
    CSmtpClient client;
    const bool sent = client.Connect({QStringLiteral("localhost"), port, security,
                                      QString::fromUtf8(PostfixServer::kUser),
                                      QString::fromUtf8(PostfixServer::kPassword)}) &&
                      client.SendMessage(message);
    client.Disconnect();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    if (!sent) {
      std::fprintf(stderr, "send failed: %s\n%s\n", client.GetLastCommandResponse().c_str(),
                   postfix.Log().c_str());
      std::exit(1);
    }
  }
  return times;
}

void Print(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-34s median %8.1f ms   worst %8.1f ms   (%zu runs)\n", name, times[times.size() / 2],
              times.back(), times.size());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  PostfixServer postfix;
  lirvan::test::TrustTestAuthority(postfix.authority());
  const CSmtpMessage small = Mail(2 * 1024);
  Print("send 2 KB, STARTTLS (587 kind)", Time(postfix, MailSecurity::StartTls, postfix.submissionPort(), small, runs));
  Print("send 2 KB, TLS (465 kind)", Time(postfix, MailSecurity::Tls, postfix.tlsPort(), small, runs));
  Print("send 2 KB, plain (25 kind)", Time(postfix, MailSecurity::None, postfix.plainPort(), small, runs));
  Print("send 1 MB, STARTTLS", Time(postfix, MailSecurity::StartTls, postfix.submissionPort(),
                                    Mail(1024 * 1024), std::max(1, runs / 3)));
  return 0;
}
