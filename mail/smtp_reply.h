#pragma once
// SMTP replies read whole: "250-first", "250-second", "250 last" is one
// reply with three lines. Bytes go in as they arrive; a reply comes out
// once its last line is there. Bounded, so a hostile server cannot make
// the client hold an endless reply.
#include <string>
#include <string_view>
#include <vector>

namespace lirvan {

struct SmtpReply {
  int code = 0;
  std::vector<std::string> lines;  // the text after each code, as sent

  // The lines joined by blanks: what a failure is spoken with.
  std::string Text() const;
  // The first word of each line after the first, upper case: what EHLO
  // offers ("STARTTLS", "AUTH" ...), and the rest of an offer's line.
  bool Offers(std::string_view keyword) const;
  std::vector<std::string> OfferParameters(std::string_view keyword) const;
};

class SmtpReplyReader {
 public:
  enum class Status { NeedMore, Complete, Malformed, TooLong };

  static constexpr std::size_t kMaxLine = 4096;
  static constexpr std::size_t kMaxLines = 200;

  // Adds received bytes. Complete once a whole reply is there (Take it);
  // Malformed or TooLong end the conversation.
  Status Feed(std::string_view bytes);
  Status status() const { return status_; }
  SmtpReply Take();
  // Drops what was received and not yet taken (the plain text that must
  // not survive the start of TLS).
  void Reset();

 private:
  Status ParseLines();

  std::string pending_;
  SmtpReply reply_;
  Status status_ = Status::NeedMore;
};

}  // namespace lirvan
