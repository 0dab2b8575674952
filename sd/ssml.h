#pragma once
// The SSML the server sends for SPEAK, walked into what the speaker does in
// order: text to speak, index marks to report, pauses. Elements the voice
// has no use for are dropped and their text kept, so nothing written is
// lost; text that is not SSML at all is spoken as it stands.
#include <string>
#include <string_view>
#include <vector>

namespace lirvan::sd {

struct Piece {
  enum class Kind { Text, Mark, Break, Icon };
  Kind kind = Kind::Text;
  std::string text;  // Text: UTF-8 with entities resolved; Mark, Icon: its name
  int milliseconds = 0;  // Break

  bool operator==(const Piece&) const = default;
};

// A pause longer than this is taken as this long.
inline constexpr int kMaxBreakMilliseconds = 10000;

std::vector<Piece> WalkSsml(std::string_view ssml);

// The value of the attribute in a tag's body ('name="x"' or "name='x'"),
// entities resolved; empty when missing.
std::string SsmlAttribute(std::string_view body, std::string_view name);

// Text with the XML entities (&amp; &#NN; &#xNN; ...) resolved; one not
// understood is kept as written.
std::string ResolveEntities(std::string_view text);

}  // namespace lirvan::sd
