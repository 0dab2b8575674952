#include "tools/say_options.h"

#include "platform/sound_file.h"

namespace lirvan {
namespace {

// Whole decimal digits, an optional '%' after them.
bool ParseRate(std::string text, int& rate) {
  if (!text.empty() && text.back() == '%') text.pop_back();
  if (text.empty() || text.size() > 6 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  rate = std::stoi(text);
  return true;
}

}  // namespace

std::optional<SayOptions> ParseSayOptions(const std::vector<std::string>& args,
                                          const std::string& defaultHome, std::string& error) {
  SayOptions o;
  o.home = defaultHome;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--home") {
      if (!value(o.home)) return std::nullopt;
    } else if (a == "--audio") {
      if (!value(v)) return std::nullopt;
      if (!ParseAudioBackend(v, o.audio)) {
        error = "--audio takes default, null or clocked, not '" + v + "'";
        return std::nullopt;
      }
    } else if (a == "--wav") {
      if (!value(o.wavPath)) return std::nullopt;
    } else if (a == "--out") {
      if (!value(o.outPath)) return std::nullopt;
      if (!SoundFileKindOf(o.outPath)) {
        error = "--out takes a .wav, .flac or .ogg file, not '" + o.outPath + "'";
        return std::nullopt;
      }
    } else if (a == "--rate") {
      if (!value(v)) return std::nullopt;
      if (!ParseRate(v, o.rate)) {
        error = "--rate takes a percentage (50 to 400), not '" + v + "'";
        return std::nullopt;
      }
    } else if (a == "--units") {
      if (!value(v)) return std::nullopt;
      o.units = v;
    } else if (a == "--tokens") {
      o.tokens = true;
    } else if (a == "--syllables") {
      o.syllables = true;
    } else if (a == "--no-punctuation") {
      o.punctuation = false;
    } else if (a == "--plain") {
      o.plain = true;
    } else if (a == "--interactive") {
      o.interactive = true;
    } else if (a == "--trace") {
      o.trace = true;
    } else if (a == "--") {
      o.words.insert(o.words.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      error = "unknown option " + a;
      return std::nullopt;
    } else {
      o.words.push_back(a);
    }
  }
  if (o.syllables && o.words.empty()) {
    error = "--syllables needs at least one WORD";
    return std::nullopt;
  }
  if (o.units && (o.tokens || o.syllables || o.interactive || !o.words.empty())) {
    error = "--units takes no TEXT and no other mode";
    return std::nullopt;
  }
  if (o.interactive && (o.tokens || o.syllables || !o.words.empty())) {
    error = "--interactive reads standard input and takes no TEXT";
    return std::nullopt;
  }
  return o;
}

}  // namespace lirvan
