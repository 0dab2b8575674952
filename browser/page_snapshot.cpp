#include "browser/page_snapshot.h"

namespace lirvan {

namespace {

// The no-break space (0xA0) of &nbsp; counts as white space, as the code
// page's classification has it.
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == '\xA0';
}

}  // namespace

void LinkChildren(PageSnapshot& snapshot) {
  std::vector<int> lastChild(snapshot.elements.size(), -1);
  int lastTopLevel = -1;
  for (int i = 0; i < snapshot.size(); ++i) {
    PageElement& element = snapshot.elements[static_cast<std::size_t>(i)];
    element.firstChild = -1;
    element.nextSibling = -1;
    const int parent = element.parent;
    // A parent always comes before its children in document order; anything
    // else is treated as a child of the body.
    int* last = &lastTopLevel;
    if (parent >= 0 && parent < i) {
      last = &lastChild[static_cast<std::size_t>(parent)];
      if (*last < 0) snapshot.elements[static_cast<std::size_t>(parent)].firstChild = i;
    } else {
      element.parent = -1;
    }
    if (*last >= 0) snapshot.elements[static_cast<std::size_t>(*last)].nextSibling = i;
    *last = i;
  }
}

std::string StoredText(std::string_view text) {
  std::string stored;
  stored.reserve(text.size());
  bool inBreak = false;
  for (const char c : text) {
    if (c == '\n' || c == '\r') {
      if (!inBreak) stored.push_back(' ');
      inBreak = true;
    } else {
      stored.push_back(c);
      inBreak = false;
    }
  }
  return stored;
}

std::string_view TrimLeft(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsSpace(text[start])) ++start;
  return text.substr(start);
}

std::string_view TrimRight(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsSpace(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

}  // namespace lirvan
