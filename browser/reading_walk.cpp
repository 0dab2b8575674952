#include "browser/reading_walk.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "browser/form_objects.h"
#include "shell/text.h"

namespace lirvan {

namespace {

enum class Step { Continue, Stop };

const PageElement& At(const PageSnapshot& snapshot, int index) {
  return snapshot.elements[static_cast<std::size_t>(index)];
}

// The small-section step: an element's own text up to its first child that
// has text. "Bir <b>iki</b> üç" says "Bir", then the B element says "iki";
// "üç", after a child, is never said in this mode.
bool ReadSmallSection(const PageSnapshot& snapshot, int index, WalkEvents& out) {
  const PageElement& element = At(snapshot, index);
  const std::string& t = element.text;
  std::size_t cut = std::string::npos;
  for (int child = element.firstChild; child >= 0; child = At(snapshot, child).nextSibling) {
    const std::string_view ct = TrimLeft(At(snapshot, child).text);
    if (ct.empty()) continue;
    const std::string_view word = ct.substr(0, ct.find(' '));
    const std::size_t p = t.find(word);
    if (p != std::string::npos) {
      cut = p;
      break;
    }
  }
  const std::string s(cut == std::string::npos ? TrimLeft(t) : Trim(std::string_view(t).substr(0, cut)));
  if (s.empty()) return false;
  out.Speak(element.tag == "A" ? Cp("Bağlantı ") + Plain(s) : Plain(s));
  return true;
}

// Tables and cells: the element's text with leading blanks removed, when
// there is any.
Step ReadWholeText(const PageSnapshot& snapshot, int index, ElementKind kind, WalkEvents& out) {
  const PageElement& element = At(snapshot, index);
  if (element.kind != kind) return Step::Continue;
  const std::string_view text = TrimLeft(element.text);
  if (text.empty()) return Step::Continue;
  out.Speak(Plain(std::string(text)));
  return Step::Stop;
}

Step ReadLink(const PageSnapshot& snapshot, int index, bool withWord, WalkEvents& out) {
  const PageElement& element = At(snapshot, index);
  if (element.kind != ElementKind::Anchor) return Step::Continue;
  out.Act(PageActionKind::Focus, index);
  const std::string text = LinkText(element);
  out.Speak(withWord ? Cp("Bağlantı ") + Plain(text) : Plain(text));
  return Step::Stop;
}

Step ReadHeading(const PageSnapshot& snapshot, int index, WalkEvents& out) {
  const PageElement& element = At(snapshot, index);
  if (element.kind != ElementKind::Heading) return Step::Continue;
  const std::string_view text = Trim(element.text);
  if (text.empty()) return Step::Continue;
  out.Speak(Cp("Başlık ") + std::to_string(element.level) + " " + Plain(std::string(text)));
  return Step::Stop;
}

Step ReadSmart(const PageSnapshot& snapshot, int index, ReadingState& state, WalkEvents& out) {
  switch (ReadFormObject(snapshot, index, FormVariant::Smart, state, out)) {
    case FormResult::Spoke:
      return Step::Stop;
    case FormResult::Silent:
      return Step::Continue;
    case FormResult::NotFormObject:
      break;
  }
  if (At(snapshot, index).kind == ElementKind::Anchor) return ReadLink(snapshot, index, true, out);
  return ReadSmallSection(snapshot, index, out) ? Step::Stop : Step::Continue;
}

// The mode's test on one element.
Step Examine(const PageSnapshot& snapshot, int index, ReadingState& state, WalkEvents& out) {
  switch (static_cast<ReadingMode>(state.m_nReadingMode)) {
    case ReadingMode::Tables:
      return ReadWholeText(snapshot, index, ElementKind::Table, out);
    case ReadingMode::Cells:
      return ReadWholeText(snapshot, index, ElementKind::Cell, out);
    case ReadingMode::Sections:
      return ReadSmallSection(snapshot, index, out) ? Step::Stop : Step::Continue;
    case ReadingMode::Links:
      return ReadLink(snapshot, index, false, out);
    case ReadingMode::Forms:
      return ReadFormObject(snapshot, index, FormVariant::Forms, state, out) == FormResult::Spoke
                 ? Step::Stop
                 : Step::Continue;
    case ReadingMode::Smart:
      return ReadSmart(snapshot, index, state, out);
    case ReadingMode::Headings:
      return ReadHeading(snapshot, index, out);
    case ReadingMode::All:
      break;
  }
  return Step::Stop;
}

constexpr std::array kModes{
    ModeRow{Command::ModeAll, ReadingMode::All, "okuma biçimi tümü"},
    ModeRow{Command::ModeTables, ReadingMode::Tables, "okuma biçimi tablolar"},
    ModeRow{Command::ModeCells, ReadingMode::Cells, "okuma biçimi tablo hücreleri"},
    ModeRow{Command::ModeSections, ReadingMode::Sections, "okuma biçimi küçük bölümler"},
    ModeRow{Command::ModeLinks, ReadingMode::Links, "okuma biçimi bağlantılar"},
    ModeRow{Command::ModeForms, ReadingMode::Forms, "okuma biçimi form nesneleri"},
    ModeRow{Command::ModeSmart, ReadingMode::Smart, "okuma biçimi akıllı okuma"},
    ModeRow{Command::ModeHeadings, ReadingMode::Headings, "okuma biçimi başlıklar"},
};

// The elements of a snapshot by their uid.
class UidIndex {
 public:
  explicit UidIndex(const PageSnapshot& snapshot) {
    for (int i = 0; i < snapshot.size(); ++i) index_.emplace(At(snapshot, i).uid, i);
  }
  int Find(std::uint32_t uid) const {
    const auto found = index_.find(uid);
    return found == index_.end() ? -1 : found->second;
  }

 private:
  std::unordered_map<std::uint32_t, int> index_;
};

// Where a position of the older snapshot (the index of the next element to
// examine) stands in the newer one: after the element read last if it is
// still there, else on the first later element that is; the newer size
// when nothing after it is left, and its top when nothing at all is.
int Follow(const PageSnapshot& older, const PageSnapshot& newer, const UidIndex& inNewer,
           int position) {
  if (position <= 0) return 0;
  const int last = inNewer.Find(At(older, position - 1).uid);
  if (last >= 0) return last + 1;
  for (int i = position; i < older.size(); ++i) {
    const int found = inNewer.Find(At(older, i).uid);
    if (found >= 0) return found;
  }
  // Nothing of the older page is left at all: a new page, read from its top.
  for (int i = 0; i < position - 1; ++i) {
    if (inNewer.Find(At(older, i).uid) >= 0) return newer.size();
  }
  return 0;
}

}  // namespace

std::span<const ModeRow> ReadingModes() { return kModes; }

const ModeRow* ModeForCommand(Command command) {
  for (const ModeRow& row : kModes) {
    if (row.command == command) return &row;
  }
  return nullptr;
}

std::string LinkText(const PageElement& element) {
  const std::string_view text = Trim(element.text);
  return std::string(text.empty() ? Trim(element.name) : text);
}

WalkEvents SetReadingMode(ReadingState& state, ReadingMode mode) {
  state.m_nReadingMode = static_cast<int>(mode);
  state.m_nCursor = 0;
  state.m_bAtEnd = false;
  WalkEvents out;
  out.SpeakAndWait(Cp(kModes[static_cast<std::size_t>(mode)].sentence));
  return out;
}

WalkEvents ReadNext(const PageSnapshot& snapshot, ReadingState& state) {
  WalkEvents out;
  if (state.m_nReadingMode == static_cast<int>(ReadingMode::All)) {
    out.Speak(Plain(snapshot.text));
    return out;
  }
  state.m_nPendingList = -1;
  const int count = snapshot.size();
  if (state.m_bAtEnd || state.m_nCursor >= count) {
    state.m_bAtEnd = false;
    state.m_nCursor = 0;
    out.Speak(Cp("Sayfanın sonu"));
    return out;
  }
  bool spoke = false;
  for (int i = state.m_nCursor; i < count && !spoke; ++i) {
    state.m_nCursor = i + 1;
    spoke = Examine(snapshot, i, state, out) == Step::Stop;
  }
  if (state.m_nCursor >= count) {
    state.m_nCursor = 0;
    if (spoke) {
      state.m_bAtEnd = true;
    } else {
      out.Speak(Cp("Sayfanın sonu"));
    }
  }
  return out;
}

void CarryOver(const PageSnapshot& older, const PageSnapshot& newer, ReadingState& state) {
  const UidIndex inNewer(newer);
  // After the page's last piece the position is the end of the older list,
  // so content added behind it is read next.
  const int position = state.m_bAtEnd ? older.size() : std::min(state.m_nCursor, older.size());
  if (position > 0) {
    const int followed = Follow(older, newer, inNewer, position);
    state.m_bAtEnd = followed >= newer.size();
    state.m_nCursor = state.m_bAtEnd ? 0 : followed;
  }
  auto same = [&](int index) {
    return index >= 0 && index < older.size() ? inNewer.Find(At(older, index).uid) : -1;
  };
  state.m_nChoiceField = same(state.m_nChoiceField);
  state.m_bChoiceFieldHeld = state.m_bChoiceFieldHeld && state.m_nChoiceField >= 0;
  state.m_nPendingList = same(state.m_nPendingList);
}

}  // namespace lirvan
