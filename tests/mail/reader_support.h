#pragma once
// The mail reader on the real desktop against the private servers: an
// account file in the desktop's home, the reader opened with Ctrl+4 and
// driven by its keys, what it said read back from the speech log.
#include <QTcpServer>
#include <functional>
#include <memory>
#include <string>

#include "dovecot_server.h"
#include "gui_support.h"
#include "mail/receivemail.h"

namespace lirvan::test {

// One dovecot for the whole test program, holding the test mailbox and a
// mail whose pictures and frames point at a listening "tracker".
struct SharedServers {
  QTcpServer tracker;
  int trackerConnections = 0;
  std::unique_ptr<DovecotServer> dovecot;
};
SharedServers& Servers();

// The account file, UTF-8 values written as CP1254.
void WriteAccount(const std::string& home, const std::string& password,
                  const std::string& security, int port, const std::string& host = "localhost");

bool WaitUntil(const std::function<bool()>& done, int milliseconds = 20000);

class ReaderDesktop {
 public:
  ReaderDesktop();
  Desktop& desktop() { return desktop_; }
  const Desktop& desktop() const { return desktop_; }
  ReceiveMail& reader() { return *reader_; }

  // F5, then waits for the sentence that ends a fetch.
  void Fetch();
  // Down or Up until the row is current; waits until the page is shown.
  void GoToRow(int row);
  // The lines since the last Mark whose text starts with the prefix.
  bool Said(const std::string& operation, const std::string& prefix) const;
  bool SaidAnywhere(const std::string& fragment) const;
  std::string LastSpoken() const;
  int shown() const { return shown_; }

 private:
  Desktop desktop_;
  ReceiveMail* reader_ = nullptr;
  int shown_ = 0;
};

}  // namespace lirvan::test
