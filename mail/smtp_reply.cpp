#include "mail/smtp_reply.h"

#include <algorithm>
#include <cctype>

namespace lirvan {

namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

// "AUTH PLAIN LOGIN" → "AUTH", " PLAIN LOGIN"; "AUTH=LOGIN" counts as AUTH.
std::string_view Keyword(std::string_view line) {
  const std::size_t end = line.find_first_of(" =");
  return line.substr(0, end);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string SmtpReply::Text() const {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += ' ';
    text += line;
  }
  return text;
}

bool SmtpReply::Offers(std::string_view keyword) const {
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (Upper(Keyword(lines[i])) == keyword) return true;
  }
  return false;
}

std::vector<std::string> SmtpReply::OfferParameters(std::string_view keyword) const {
  std::vector<std::string> parameters;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (Upper(Keyword(lines[i])) != keyword) continue;
    std::string rest = Upper(lines[i].substr(std::min(lines[i].size(), keyword.size())));
    std::replace(rest.begin(), rest.end(), '=', ' ');
    std::size_t start = 0;
    while (start < rest.size()) {
      const std::size_t end = std::min(rest.find(' ', start), rest.size());
      if (end > start) parameters.push_back(rest.substr(start, end - start));
      start = end + 1;
    }
  }
  return parameters;
}

SmtpReplyReader::Status SmtpReplyReader::Feed(std::string_view bytes) {
  if (status_ == Status::Malformed || status_ == Status::TooLong) return status_;
  pending_.append(bytes);
  if (status_ == Status::NeedMore) status_ = ParseLines();
  return status_;
}

SmtpReplyReader::Status SmtpReplyReader::ParseLines() {
  for (;;) {
    const std::size_t end = pending_.find('\n');
    if (end == std::string::npos) {
      return pending_.size() > kMaxLine ? Status::TooLong : Status::NeedMore;
    }
    if (end > kMaxLine) return Status::TooLong;
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // "250", "250 text" or "250-text".
    if (line.size() < 3 || !IsDigit(line[0]) || !IsDigit(line[1]) || !IsDigit(line[2]) ||
        (line.size() > 3 && line[3] != ' ' && line[3] != '-')) {
      return Status::Malformed;
    }
    const int code = std::stoi(line.substr(0, 3));
    if (!reply_.lines.empty() && code != reply_.code) return Status::Malformed;
    reply_.code = code;
    reply_.lines.push_back(line.size() > 4 ? line.substr(4) : std::string());
    if (line.size() <= 3 || line[3] == ' ') return Status::Complete;
    if (reply_.lines.size() >= kMaxLines) return Status::TooLong;
  }
}

SmtpReply SmtpReplyReader::Take() {
  SmtpReply reply = std::move(reply_);
  reply_ = {};
  status_ = Status::NeedMore;
  // A second reply may already be waiting.
  if (!pending_.empty()) status_ = ParseLines();
  return reply;
}

void SmtpReplyReader::Reset() {
  pending_.clear();
  reply_ = {};
  status_ = Status::NeedMore;
}

}  // namespace lirvan
