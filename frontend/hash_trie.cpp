#include "frontend/hash_trie.h"

#include <utility>

namespace lirvan {
namespace {

using Node = TTSHashTrie::Node;
using Entry = TTSHashTrie::Entry;

std::string_view Prefix(std::string_view s, std::size_t n) { return s.substr(0, n); }

bool GoesRight(const Node& node, std::string_view key) {
  return TrieCompare(Prefix(key, node.prefixLength), node.separator) > 0;
}

// Destroys a subtree without recursion: a trie filled from a sorted file
// grows one level per few keys, so its depth follows the file's length.
void DestroyTree(std::unique_ptr<Node> root) {
  std::vector<std::unique_ptr<Node>> pending;
  if (root) pending.push_back(std::move(root));
  while (!pending.empty()) {
    std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    if (node->left) pending.push_back(std::move(node->left));
    if (node->right) pending.push_back(std::move(node->right));
  }
}

// Distributes the leaf's entries by the prefix of entries[pivot], one byte
// longer per pass until something goes right. The caller has checked that
// an entry greater than the pivot exists, so the passes end at the latest
// when the prefix outgrows the pivot key by one byte.
void SplitAt(Node& node, std::size_t pivot) {
  std::unique_ptr<Node> left;
  std::unique_ptr<Node> right;
  do {
    ++node.prefixLength;
    node.separator = std::string(Prefix(node.entries[pivot].key, node.prefixLength));
    left = std::make_unique<Node>();
    right.reset();
    for (const Entry& e : node.entries) {
      if (GoesRight(node, e.key)) {
        if (!right) right = std::make_unique<Node>();
        right->entries.push_back(e);
      } else {
        left->entries.push_back(e);
      }
    }
  } while (!right);
  node.left = std::move(left);
  node.right = std::move(right);
  node.entries.clear();
  node.entries.shrink_to_fit();
  node.inner = true;
}

void SplitIfFull(Node& leaf) {
  auto& e = leaf.entries;
  if (e.size() <= TTSHashTrie::kLeafCapacity) return;
  if (e[2].key != e.back().key) {
    // The usual case: the middle key's prefix separates.
    SplitAt(leaf, 2);
  } else {
    // Slots 2 onwards hold one key inserted again and again; no prefix of it
    // can part them. Cut in front of that run instead so it stays whole in
    // one leaf (newest first), or keep the leaf over-full if the run is all.
    std::size_t runStart = 2;
    while (runStart > 0 && e[runStart - 1].key == e[2].key) --runStart;
    if (runStart == 0) return;
    SplitAt(leaf, runStart - 1);
  }
  // A child of an over-full leaf may itself be over-full; each is smaller
  // than its parent, so this ends.
  SplitIfFull(*leaf.left);
  SplitIfFull(*leaf.right);
}

}  // namespace

int TrieCompare(std::string_view a, std::string_view b) {
  // char_traits<char> compares as unsigned char, so CP1254 letters above
  // 0x7F sort after ASCII.
  const int r = a.compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

TTSHashTrie::TTSHashTrie() : root_(std::make_unique<Node>()) {}

TTSHashTrie::~TTSHashTrie() { DestroyTree(std::move(root_)); }

TTSHashTrie& TTSHashTrie::operator=(TTSHashTrie&& other) noexcept {
  if (this != &other) {
    DestroyTree(std::move(root_));
    root_ = std::move(other.root_);
  }
  return *this;
}

void TTSHashTrie::Insert(std::string_view key, std::string_view value) {
  if (!root_) root_ = std::make_unique<Node>();
  Node* node = root_.get();
  while (node->inner) node = GoesRight(*node, key) ? node->right.get() : node->left.get();

  // Insertion from the end: an equal key lands before its older equals.
  auto& entries = node->entries;
  std::size_t i = entries.size();
  while (i > 0 && TrieCompare(key, entries[i - 1].key) != 1) --i;
  entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(i),
                 Entry{std::string(key), std::string(value)});
  SplitIfFull(*node);
}

const TTSHashTrie::Node& TTSHashTrie::Root() const {
  static const Node kEmpty;
  return root_ ? *root_ : kEmpty;
}

std::string_view TTSHashTrie::Lookup(std::string_view key) const {
  if (!root_) return {};
  const Node* node = root_.get();
  while (node->inner) node = GoesRight(*node, key) ? node->right.get() : node->left.get();
  for (const Entry& e : node->entries) {
    if (e.key == key) return e.value;
  }
  return {};
}

}  // namespace lirvan
