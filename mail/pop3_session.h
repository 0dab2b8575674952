#pragma once
// The POP3 conversation without a socket: bytes from the server go in,
// the lines to send and what happened come out. A reply is read only when
// its line is whole, however the bytes were cut into chunks; a message ends
// at its terminating "." line (never by counting octets), and its
// dot-stuffed lines are un-stuffed. No Qt.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lirvan {

// One retrieved message: the text as sent (headers, blank line, body)
// without the status line and the final "." line.
struct MailMessage {
  std::string text;
  long long size = 0;      // the octet count announced by RETR
  long long received = 0;  // bytes of text stored
};

enum class Pop3Result {
  Complete,        // every message retrieved
  Empty,           // STAT said no messages
  AuthRefused,     // -ERR to user or pass
  Refused,         // -ERR to the greeting, stat or retr
  TlsUnsupported,  // -ERR to STLS: no credentials were sent
  Malformed,       // a reply that is not POP3, or a message beyond all bounds
};

struct Pop3End {
  Pop3Result result;
  std::string reason;  // the server's words after -ERR, as sent
};

struct Pop3Step {
  std::string send;              // to send now, CR LF included; may be empty
  bool startTls = false;         // start the TLS handshake now
  bool credentialsSent = false;  // "user" is in send
  std::vector<int> completed;    // indexes of messages finished by this chunk
  std::optional<Pop3End> end;    // the exchange is over ("quit" is in send)
};

class Pop3Session {
 public:
  enum class State { Greeting, StartTls, User, Pass, Stat, Retrieve, Ended };

  Pop3Session(std::string user, std::string password, bool startTls);

  Pop3Step Feed(std::string_view bytes);
  // The TLS handshake that STLS asked for is done: credentials may go.
  Pop3Step TlsEstablished();

  State state() const { return state_; }
  int messageCount() const { return count_; }
  const std::vector<MailMessage>& messages() const { return messages_; }
  std::vector<MailMessage>& messages() { return messages_; }

  // Bounds against a hostile server: a status line, and one message.
  static constexpr std::size_t kMaxLine = 64 * 1024;
  static constexpr long long kMaxMessage = 256LL * 1024 * 1024;

 private:
  void OnStatusLine(std::string_view line, Pop3Step& step);
  void OnMessageLine(std::string_view line, Pop3Step& step);
  void SendUser(Pop3Step& step);
  void Retrieve(int number, Pop3Step& step);
  void End(Pop3Result result, std::string reason, Pop3Step& step);

  std::string user_;
  std::string password_;
  bool startTls_;
  State state_ = State::Greeting;
  std::string buffer_;  // bytes not yet read as whole lines
  int count_ = 0;
  int current_ = 0;  // from 1
  bool inMessage_ = false;  // the +OK of retr has been read
  std::vector<MailMessage> messages_;
};

}  // namespace lirvan
