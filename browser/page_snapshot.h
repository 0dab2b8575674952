#pragma once
// One snapshot of a loaded page: every element inside the body in document
// order, with what the reading modes and the form objects ask of each. It
// is taken by one script in the page and is plain data (CP1254 texts), so
// the reading walk runs, and is tested, without a browser.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lirvan {

// What an element is, as the reading modes test it. An element has one kind.
enum class ElementKind : std::uint8_t {
  Other = 0,
  Table = 1,
  Cell = 2,         // header and data cells alike
  Anchor = 3,       // a link: A with an address, or role "link"
  SelectList = 4,
  Option = 5,       // an option of a selection list
  TextInput = 6,    // an input that takes typed text (text, search, e-mail ...)
  TextArea = 7,
  InputButton = 8,  // input of type button or image
  Button = 9,       // the BUTTON element
  Input = 10,       // any other input: check box, radio, password, submit, hidden ...
  Heading = 11,
};

struct PageElement {
  std::string tag;   // upper case, "A", "TABLE"
  std::string text;  // inner text, line breaks made blanks; empty when not shown
  // A field's label, a button's caption or a link's text alternative (the
  // name attribute when the page gives nothing better).
  std::string name;
  std::string type;  // an input's type, lower case
  ElementKind kind = ElementKind::Other;
  bool checked = false;
  int level = 0;         // a heading's level, 1 to 6
  int parent = -1;       // index of the parent element; -1 for a child of the body
  int firstChild = -1;   // filled in by LinkChildren
  int nextSibling = -1;
  std::uint32_t uid = 0;  // the same element keeps it in every snapshot of one document
};

struct PageSnapshot {
  std::uint32_t generation = 0;  // 0: no snapshot taken
  std::uint32_t changeCount = 0;  // changes the page had seen when it was taken
  bool isHtml = false;
  bool hasBody = false;
  std::string title;
  std::string text;  // the body's text: line breaks made blanks, trimmed, lower-cased
  int formCount = 0;
  std::vector<PageElement> elements;

  int size() const { return static_cast<int>(elements.size()); }
};

// Sets firstChild and nextSibling from the parent indexes.
void LinkChildren(PageSnapshot& snapshot);

// Page text as it is stored: every run of line breaks becomes one blank, so
// "Haberler" and "Spor" on two lines stay two words.
std::string StoredText(std::string_view text);

// White space (blank, tab, line breaks) removed at the start, the end or both.
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
std::string_view Trim(std::string_view text);

}  // namespace lirvan
