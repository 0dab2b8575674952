#include "mail/pop3_session.h"

#include <charconv>

namespace lirvan {

namespace {

// "+OK 2 320" -> the first two numbers after the status word.
bool ReadNumbers(std::string_view line, long long& first, long long* second) {
  std::size_t pos = line.find(' ');
  if (pos == std::string_view::npos) return false;
  auto number = [&](long long& out) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    const auto [end, error] = std::from_chars(line.data() + pos, line.data() + line.size(), out);
    if (error != std::errc() || out < 0) return false;
    pos = static_cast<std::size_t>(end - line.data());
    return true;
  };
  return number(first) && (second == nullptr || number(*second));
}

std::string_view Reason(std::string_view line) {
  line.remove_prefix(std::min<std::size_t>(4, line.size()));
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  return line;
}

std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

Pop3Session::Pop3Session(std::string user, std::string password, bool startTls)
    : user_(std::move(user)), password_(std::move(password)), startTls_(startTls) {}

Pop3Step Pop3Session::Feed(std::string_view bytes) {
  Pop3Step step;
  if (state_ == State::Ended) return step;
  buffer_.append(bytes);
  std::size_t pos = 0;
  while (state_ != State::Ended) {
    const std::size_t newline = buffer_.find('\n', pos);
    if (newline == std::string::npos) break;
    const std::string_view line(buffer_.data() + pos, newline + 1 - pos);
    pos = newline + 1;
    if (inMessage_) {
      OnMessageLine(line, step);
    } else {
      OnStatusLine(WithoutLineEnd(line), step);
    }
    // During STLS nothing more is read in clear: what follows is TLS.
    if (state_ == State::StartTls && step.startTls) break;
  }
  buffer_.erase(0, pos);
  if (state_ != State::Ended && !inMessage_ && buffer_.size() > kMaxLine) {
    End(Pop3Result::Malformed, {}, step);
  }
  return step;
}

Pop3Step Pop3Session::TlsEstablished() {
  Pop3Step step;
  buffer_.clear();  // nothing sent before the handshake may be trusted
  if (state_ == State::StartTls) SendUser(step);
  return step;
}

void Pop3Session::OnStatusLine(std::string_view line, Pop3Step& step) {
  const bool ok = line.starts_with("+OK");
  if (!ok && !line.starts_with("-ERR")) return End(Pop3Result::Malformed, std::string(line), step);
  if (!ok) {
    const bool auth = state_ == State::User || state_ == State::Pass;
    const Pop3Result result = state_ == State::StartTls ? Pop3Result::TlsUnsupported
                              : auth                    ? Pop3Result::AuthRefused
                                                        : Pop3Result::Refused;
    return End(result, std::string(Reason(line)), step);
  }
  switch (state_) {
    case State::Greeting:
      if (startTls_) {
        step.send += "STLS\r\n";
        state_ = State::StartTls;
      } else {
        SendUser(step);
      }
      return;
    case State::StartTls:
      step.startTls = true;
      return;
    case State::User:
      step.send += "pass " + password_ + "\r\n";
      state_ = State::Pass;
      return;
    case State::Pass:
      step.send += "stat\r\n";
      state_ = State::Stat;
      return;
    case State::Stat: {
      long long count = 0;
      long long size = 0;
      if (!ReadNumbers(line, count, &size) || count > 1000000) {
        return End(Pop3Result::Malformed, std::string(line), step);
      }
      count_ = static_cast<int>(count);
      if (count_ == 0) return End(Pop3Result::Empty, {}, step);
      messages_.reserve(static_cast<std::size_t>(count_));
      return Retrieve(1, step);
    }
    case State::Retrieve: {
      MailMessage& message = messages_.back();
      long long size = 0;
      if (ReadNumbers(line, size, nullptr)) message.size = size;
      if (message.size > 0) message.text.reserve(static_cast<std::size_t>(std::min(message.size, kMaxMessage)));
      inMessage_ = true;
      return;
    }
    case State::Ended:
      return;
  }
}

void Pop3Session::OnMessageLine(std::string_view line, Pop3Step& step) {
  MailMessage& message = messages_.back();
  if (WithoutLineEnd(line) == ".") {
    inMessage_ = false;
    step.completed.push_back(current_ - 1);
    if (current_ < count_) return Retrieve(current_ + 1, step);
    return End(Pop3Result::Complete, {}, step);
  }
  if (line.front() == '.') line.remove_prefix(1);
  message.text.append(line);
  message.received += static_cast<long long>(line.size());
  if (message.received > kMaxMessage) End(Pop3Result::Malformed, {}, step);
}

void Pop3Session::SendUser(Pop3Step& step) {
  step.send += "user " + user_ + "\r\n";
  step.credentialsSent = true;
  state_ = State::User;
}

void Pop3Session::Retrieve(int number, Pop3Step& step) {
  current_ = number;
  messages_.emplace_back();
  step.send += "retr " + std::to_string(number) + "\r\n";
  state_ = State::Retrieve;
}

void Pop3Session::End(Pop3Result result, std::string reason, Pop3Step& step) {
  step.send += "quit\r\n";
  step.end = Pop3End{result, std::move(reason)};
  state_ = State::Ended;
  inMessage_ = false;
}

}  // namespace lirvan
