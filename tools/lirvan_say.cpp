// lirvan-say: speaks Turkish text with Lirvan's engine from the command line.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "speech/units/char_class.h"
#include "frontend/speech_text.h"
#include "frontend/text_front_end.h"
#include "platform/cp1254.h"
#include "platform/trace.h"
#include "speech/engine/speech_engine.h"
#include "speech/units/token.h"
#include "speech/units/unit_index.h"
#include "tools/say_options.h"

namespace {

using namespace lirvan;

constexpr const char* kUsage =
    "usage: lirvan-say [--home DIR] [--audio default|null] [--wav FILE] [--trace] "
    "[--no-punctuation] (TEXT... | --units \"u1 u2\" | --tokens [TEXT...] | --syllables WORD... | "
    "--interactive)";

std::string ReadAll(std::istream& in) {
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& w : words) {
    if (!text.empty()) text += ' ';
    text += w;
  }
  return text;
}

std::string UnitNames(const Token& token) {
  std::string names;
  int walked = 0;
  for (const UnitNode* n = token.units.get(); n != nullptr && walked < token.unitCount;
       n = n->next.get(), ++walked) {
    if (walked > 0) names += ' ';
    names += n->name;
  }
  return names;
}

// Prints each token as it is emitted: KIND, SPOKEN, SOURCE, UNITS.
class PrintingSink final : public TokenSink {
 public:
  bool Put(std::unique_ptr<Token> t) override {
    std::string line;
    if (t->kind == TokenKind::Rule) {
      const MarkupRule rule = t->rule.value_or(MarkupRule{});
      line = "5\t\t\trule " + std::to_string(rule.kind) + " " + std::to_string(rule.value);
    } else {
      line = std::to_string(static_cast<int>(t->kind)) + "\t" + Cp1254ToUtf8(t->spoken) + "\t" +
             Cp1254ToUtf8(t->source) + "\t" + Cp1254ToUtf8(UnitNames(*t));
    }
    std::cout << line << '\n';
    return true;
  }
};

int PrintTokens(const std::string& text, bool punctuation) {
  UnitIndex index(kIndexPath);
  PrintingSink sink;
  TextFrontEnd frontEnd(sink, index);
  frontEnd.SetReadPunctuation(punctuation);
  frontEnd.SetText(SpeechTextFromUtf8(text));
  frontEnd.Run();
  std::cout.flush();
  return 0;
}

int PrintSyllables(const std::vector<std::string>& words) {
  UnitIndex index(kIndexPath);
  Syllabifier syllabifier;
  for (const auto& word : words) {
    std::cout << Cp1254ToUtf8(syllabifier.Syllabify(TurkishLower(Utf8ToCp1254(word)), index)) << '\n';
  }
  return 0;
}

// One token whose unit list is exactly the given names.
void SpeakUnits(SpeechEngine& engine, const std::string& names) {
  Token token;
  token.kind = TokenKind::Word;
  std::istringstream in(Utf8ToCp1254(names));
  std::unique_ptr<UnitNode> head;
  UnitNode* tail = nullptr;
  for (std::string name; in >> name;) {
    auto node = std::make_unique<UnitNode>(name);
    UnitNode* raw = node.get();
    (tail == nullptr ? head : tail->next) = std::move(node);
    tail = raw;
    ++token.unitCount;
  }
  if (!head) head = std::make_unique<UnitNode>();  // no names: one empty unit, silent
  token.units = std::move(head);
  engine.synthesizer().SpeakToken(token);
  engine.synthesizer().WaitUntilIdle();
}

void SpeakInteractive(SpeechEngine& engine) {
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) {
      engine.Stop();
    } else {
      engine.Speak(SpeechTextFromUtf8(line));
    }
  }
  engine.WaitUntilDone();
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = ParseSayOptions(std::vector<std::string>(argv + 1, argv + argc),
                                       LIRVAN_DEFAULT_HOME, error);
  if (!options) {
    std::fprintf(stderr, "lirvan-say: %s\n%s\n", error.c_str(), kUsage);
    return 2;
  }
  SetTraceEnabled(options->trace);
  std::error_code ec;
  // Paths on the command line are relative to where the program started.
  const std::string wav = options->wavPath.empty()
                              ? std::string()
                              : std::filesystem::absolute(options->wavPath, ec).string();
  if (chdir(options->home.c_str()) != 0) {
    std::fprintf(stderr, "lirvan-say: cannot enter the home folder %s\n%s\n", options->home.c_str(), kUsage);
    return 2;
  }
  if (options->syllables) return PrintSyllables(options->words);
  const std::string text = options->words.empty() && !options->units && !options->interactive
                               ? ReadAll(std::cin)
                               : Joined(options->words);
  if (options->tokens) return PrintTokens(text, options->punctuation);

  EngineOptions engineOptions;
  engineOptions.audio = options->audio;
  SpeechEngine engine(engineOptions);
  engine.SetPunctuationReading(options->punctuation ? 1 : 0);
  if (options->units) {
    SpeakUnits(engine, *options->units);
  } else if (options->interactive) {
    SpeakInteractive(engine);
  } else {
    engine.SpeakAndWait(SpeechTextFromUtf8(text));
  }
  if (!wav.empty() && !engine.synthesizer().SaveRecording(wav)) {
    std::fprintf(stderr, "lirvan-say: cannot write %s\n", wav.c_str());
    return 1;
  }
  return 0;
}
