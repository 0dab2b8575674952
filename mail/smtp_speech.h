#pragma once
// What the mail tools say of a server: its own words, and why a send
// failed, as a sentence the composer speaks.
#include <chrono>
#include <string>

#include "shell/speech_text.h"

namespace lirvan {

class CSmtpClient;

// A server's reply text (any charset) as outside text.
SpeechText ServerWords(const std::string& reason);

// "Posta gönderilemedi ..." with the reason: the server's words where it
// gave any, the address it refused, or what went wrong on the way.
SpeechText SendFailureSentence(const CSmtpClient& client, std::chrono::milliseconds timeout);

}  // namespace lirvan
