#include "reader_support.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "platform/cp1254.h"
#include "shell/childfrm.h"
#include "shell/mainfrm.h"

namespace lirvan::test {

namespace {

MailFile TrackerMail(int port) {
  const std::string base = "http://127.0.0.1:" + std::to_string(port);
  return {"98-tracker",
          "From: Reklam <reklam@ornek.tr>\nTo: lirvan@ornek.tr\nSubject: Kampanya\n"
          "Date: Wed, 20 Mar 2024 10:00:00 +0300\nMIME-Version: 1.0\n"
          "Content-Type: text/html; charset=utf-8\n\n"
          "<html><head><link rel=\"stylesheet\" href=\"" + base + "/stil.css\">"
          "<script src=\"" + base + "/betik.js\"></script></head><body>"
          "<p>Kampanya metni</p><img src=\"" + base + "/izleme.gif\">"
          "<iframe src=\"" + base + "/cerceve.html\"></iframe>"
          "<a id=\"bag\" href=\"" + base + "/tikla\">tikla</a></body></html>\n"};
}

}  // namespace

SharedServers& Servers() {
  static std::unique_ptr<SharedServers> servers;
  static bool made = false;
  if (!made) {
    made = true;
    servers = std::make_unique<SharedServers>();
    if (!servers->tracker.listen(QHostAddress::LocalHost, 0)) throw std::runtime_error("no tracker");
    SharedServers* raw = servers.get();
    QObject::connect(&servers->tracker, &QTcpServer::newConnection, [raw] {
      ++raw->trackerConnections;
      while (QTcpSocket* socket = raw->tracker.nextPendingConnection()) socket->abort();
    });
    std::vector<MailFile> mailbox = TestMailbox();
    mailbox.insert(mailbox.end() - 1, TrackerMail(servers->tracker.serverPort()));
    servers->dovecot = std::make_unique<DovecotServer>(mailbox);
  }
  if (!servers) throw std::runtime_error("the servers were stopped");
  return *servers;
}

void WriteAccount(const std::string& home, const std::string& password,
                  const std::string& security, int port, const std::string& host) {
  std::filesystem::create_directories(home + "/posta");
  std::ofstream(home + "/posta/PostaAyarlari.dat", std::ios::binary)
      << "Lirvan\nlirvan@ornek.tr\n" << DovecotServer::kUser << "\n" << Utf8ToCp1254(password)
      << "\nsmtp.ornek.tr\n" << host << "\n" << security << "\n" << port << "\nstarttls\n587\n";
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QTest::qWait(5);
  }
  return done();
}

ReaderDesktop::ReaderDesktop() : desktop_("0 0 1") {
  // The dates are said in Turkish time.
  qputenv("TZ", "Europe/Istanbul");
  ::tzset();
  desktop_.Start();
  Press(Qt::Key_4, Qt::ControlModifier);
  CMdiChild* child = desktop_.frame().ActiveChild();
  if (child != nullptr) reader_ = qobject_cast<ReceiveMail*>(child->view());
  if (reader_ == nullptr) throw std::runtime_error("the mail reader did not open");
  QObject::connect(reader_, &ReceiveMail::mailShown, [this] { ++shown_; });
}

void ReaderDesktop::Fetch() {
  desktop_.Mark();
  Press(Qt::Key_F5);
  const bool ended = WaitUntil([this] { return !reader_->client().IsBusy(); });
  EXPECT_TRUE(ended) << "the fetch did not end";
  ProcessEvents();
}

void ReaderDesktop::GoToRow(int row) {
  QListWidget* list = reader_->mailList();
  ASSERT_EQ(QApplication::focusWidget(), list);
  for (int guard = 0; list->currentRow() != row && guard < 100; ++guard) {
    const int before = shown_;
    Press(list->currentRow() < row ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_TRUE(WaitUntil([&] { return shown_ > before; })) << "the page never loaded";
  }
  ASSERT_EQ(list->currentRow(), row);
}

bool ReaderDesktop::Said(const std::string& operation, const std::string& prefix) const {
  for (const LogLine& line : desktop_.Since()) {
    if (line.operation == operation && line.text.starts_with(prefix)) return true;
  }
  return false;
}

bool ReaderDesktop::SaidAnywhere(const std::string& fragment) const {
  for (const LogLine& line : desktop_.Log()) {
    if (line.text.find(fragment) != std::string::npos) return true;
  }
  return false;
}

std::string ReaderDesktop::LastSpoken() const {
  const std::vector<LogLine> lines = desktop_.Since();
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (it->operation == "Speak") return it->text;
  }
  return {};
}

}  // namespace lirvan::test
