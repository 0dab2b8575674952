#pragma once
// One piece of a text handed to the engine. The program's own words may
// carry markup; a plain piece came from outside the program (a page, a
// mail, a document, what the user typed) and is read as written, its
// brackets as the characters they are.
#include <string>
#include <vector>

namespace lirvan {

struct TextSegment {
  std::string text;  // CP1254
  bool plain = false;
};

using SegmentedText = std::vector<TextSegment>;

}  // namespace lirvan
