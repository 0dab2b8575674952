// lirvan-mail-timing [RUNS]: the mail reader against a private dovecot on
// loopback. (1) F5 to the end of the fetch of 200 mails of 20 KB each,
// listed, over TLS and over a plain connection; (2) moving to a mail with a
// 5 MB attachment (after a first small one): the parse, the saved file and
// the spoken line, then the page laid out. Prints the median and the worst of the runs.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "dovecot_server.h"
#include "fake_host.h"
#include "mail/receivemail.h"

namespace {

using lirvan::test::DovecotServer;
using lirvan::test::MailFile;

std::string Sentence(int i) {
  return "Toplantıda konuşulan " + std::to_string(i) +
         ". konu: bütçe, takvim ve ekip çalışması üzerine görüşler paylaşıldı.";
}

// multipart/alternative: quoted-printable text and base64 HTML, 20 KB.
std::string TwentyKilobyteMail(int n) {
  std::string text;
  for (int i = 0; text.size() < 7000; ++i) text += Sentence(i) + "\n";
  std::string qp;
  for (unsigned char ch : text) {
    static const char* hex = "0123456789ABCDEF";
    if (ch >= 128 || ch == '=') {
      qp += '=';
      qp += hex[ch >> 4];
      qp += hex[ch & 15];
    } else {
      qp += static_cast<char>(ch);
    }
  }
  std::string html = "<html><body>";
  for (int i = 0; html.size() < 6500; ++i) html += "<p>" + Sentence(i) + "</p>";
  html += "</body></html>";
  const QByteArray b64 = QByteArray::fromStdString(html).toBase64();
  std::string b64Lines;
  for (qsizetype i = 0; i < b64.size(); i += 76) b64Lines += b64.mid(i, 76).toStdString() + "\n";
  std::string mail = "From: =?UTF-8?Q?G=C3=B6nderen_" + std::to_string(n) +
                     "?= <kisi" + std::to_string(n) + "@ornek.tr>\nTo: lirvan@ornek.tr\n"
                     "Subject: =?UTF-8?B?" + QByteArray("Haftalık rapor").toBase64().toStdString() +
                     "?= " + std::to_string(n) + "\nDate: Mon, 11 Mar 2024 14:05:00 +0300\n"
                     "MIME-Version: 1.0\nContent-Type: multipart/alternative; boundary=s\n\n"
                     "--s\nContent-Type: text/plain; charset=utf-8\n"
                     "Content-Transfer-Encoding: quoted-printable\n\n" + qp +
                     "\n--s\nContent-Type: text/html; charset=utf-8\nContent-Transfer-Encoding: base64\n\n" +
                     b64Lines + "--s--\n";
  while (mail.size() < 20 * 1024) mail.insert(mail.find("\n\n"), "\nX-Dolgu: " + std::string(70, 'x'));
  return mail;
}

std::string FiveMegabyteAttachmentMail() {
  std::string data(5 * 1024 * 1024, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 2654435761u) >> 13);
  const QByteArray b64 = QByteArray::fromStdString(data).toBase64();
  std::string lines;
  for (qsizetype i = 0; i < b64.size(); i += 76) lines += b64.mid(i, 76).toStdString() + "\n";
  return "From: Arşiv <arsiv@ornek.tr>\nTo: lirvan@ornek.tr\nSubject: Büyük ek\n"
         "Date: Mon, 11 Mar 2024 14:05:00 +0300\nMIME-Version: 1.0\n"
         "Content-Type: multipart/mixed; boundary=s\n\n--s\nContent-Type: text/plain; charset=utf-8\n\n"
         "Arşiv ektedir.\n--s\nContent-Type: application/pdf\n"
         "Content-Disposition: attachment; filename=\"arsiv.pdf\"\nContent-Transfer-Encoding: base64\n\n" +
         lines + "--s--\n";
}

void WriteAccount(const std::string& security, int port) {
  QDir().mkpath(QStringLiteral("posta"));
  std::ofstream("posta/PostaAyarlari.dat")
      << "Lirvan\nlirvan@ornek.tr\n" << DovecotServer::kUser << "\n" << DovecotServer::kPassword
      << "\nsmtp\nlocalhost\n" << security << "\n" << port << "\nstarttls\n587\n";
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds = 60000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-58s median %8.1f ms  worst %8.1f ms  (%zu runs)\n", what, ms[ms.size() / 2],
              ms.back(), ms.size());
}

double TimeFetch(const std::string& security, int port, int expected) {
  WriteAccount(security, port);
  lirvan::test::FakeHost host;
  lirvan::ReceiveMail reader(host);
  QElapsedTimer timer;
  timer.start();
  reader.OnCommand(lirvan::Command::FetchMail);
  const bool done = WaitUntil([&] { return !reader.client().IsBusy(); });
  const double ms = double(timer.nsecsElapsed()) / 1e6;
  if (!done || reader.mailList()->count() != expected) {
    std::fprintf(stderr, "fetch failed: %d listed\n", reader.mailList()->count());
    std::exit(1);
  }
  return ms;
}

void TimeOpen(int port, std::vector<double>& spoken, std::vector<double>& shown) {
  WriteAccount("tls", port);
  QDir(QStringLiteral("Mail")).removeRecursively();
  lirvan::test::FakeHost host;
  lirvan::ReceiveMail reader(host);
  reader.OnCommand(lirvan::Command::FetchMail);
  WaitUntil([&] { return !reader.client().IsBusy(); });
  bool laidOut = false;
  QObject::connect(&reader, &lirvan::ReceiveMail::mailShown, [&] { laidOut = true; });
  // A small mail first: the reader's web view has started its renderer, as
  // it has after the first mail a user opens.
  reader.mailList()->setCurrentRow(0);
  WaitUntil([&] { return laidOut; });
  laidOut = false;
  QElapsedTimer timer;
  timer.start();
  reader.mailList()->setCurrentRow(1);
  spoken.push_back(double(timer.nsecsElapsed()) / 1e6);
  WaitUntil([&] { return laidOut; });
  shown.push_back(double(timer.nsecsElapsed()) / 1e6);
  if (QFileInfo(QStringLiteral("Mail/arsiv.pdf")).size() != 5 * 1024 * 1024) {
    std::fprintf(stderr, "the attachment was not saved whole\n");
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  QTemporaryDir home;
  QDir::setCurrent(home.path());

  std::vector<MailFile> mailbox;
  for (int i = 0; i < 200; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d", i);
    mailbox.push_back({name, TwentyKilobyteMail(i)});
  }
  DovecotServer twoHundred(mailbox);
  DovecotServer large({{"001", "From: a@ornek.tr\nSubject: kisa\n\nkisa posta\n"},
                       {"002", FiveMegabyteAttachmentMail()}});
  lirvan::test::TrustTestAuthority(twoHundred.authority());
  std::vector<double> tls, plain, spoken, shown;
  TimeFetch("tls", twoHundred.tlsPort(), 200);  // warm-up: the server's indexes
  for (int i = 0; i < runs; ++i) tls.push_back(TimeFetch("tls", twoHundred.tlsPort(), 200));
  for (int i = 0; i < runs; ++i) plain.push_back(TimeFetch("yok", twoHundred.plainPort(), 200));
  lirvan::test::TrustTestAuthority(large.authority());
  for (int i = 0; i < runs; ++i) TimeOpen(large.tlsPort(), spoken, shown);
  Report("fetch and list 200 mails of 20 KB, TLS", tls);
  Report("fetch and list 200 mails of 20 KB, plain", plain);
  Report("open a mail with a 5 MB attachment: parsed, saved, said", spoken);
  Report("open a mail with a 5 MB attachment: page laid out", shown);
  return 0;
}
