#include "frontend/hash_trie.h"

#include <algorithm>
#include <utility>

namespace lirvan {
namespace {

using Node = TTSHashTrie::Node;
using Entry = TTSHashTrie::Entry;
using Slot = std::unique_ptr<Node>;

std::string_view Prefix(std::string_view s, std::size_t n) { return s.substr(0, n); }

bool GoesRight(const Node& node, std::string_view key) {
  return TrieCompare(Prefix(key, node.prefixLength), node.separator) > 0;
}

// Destroys a subtree without recursion, whatever its depth.
void DestroyTree(Slot root) {
  std::vector<Slot> pending;
  if (root) pending.push_back(std::move(root));
  while (!pending.empty()) {
    Slot node = std::move(pending.back());
    pending.pop_back();
    if (node->left) pending.push_back(std::move(node->left));
    if (node->right) pending.push_back(std::move(node->right));
  }
}

// Stores the pair in the leaf, before the entries equal to it. Past the
// copies a leaf keeps, the older values move down one place instead and the
// oldest is dropped; false then, as the leaf has not grown.
bool StoreInLeaf(Node& leaf, std::string_view key, std::string_view value) {
  auto& e = leaf.entries;
  std::size_t i = e.size();
  while (i > 0 && TrieCompare(key, e[i - 1].key) != 1) --i;
  std::size_t equal = i;
  while (equal < e.size() && e[equal].key == key) ++equal;
  if (equal - i >= TTSHashTrie::kEqualKeysKept) {
    for (std::size_t k = equal - 1; k > i; --k) e[k].value = std::move(e[k - 1].value);
    e[i].value.assign(value);
    return false;
  }
  e.insert(e.begin() + static_cast<std::ptrdiff_t>(i), Entry{std::string(key), std::string(value)});
  return true;
}

// The split of a full leaf by the prefix of its middle key, lengthened one
// byte at a time until an entry goes right. The largest entry is the first
// to go right, one byte past where it and the middle key part, so that
// length is taken at once: keys sharing a long prefix cost one pass, not
// one pass per shared byte.
void Split(Node& node) {
  auto& e = node.entries;
  const std::string& middle = e[2].key;
  const std::string& largest = e.back().key;  // greater: at most two copies are kept
  const auto parted = std::mismatch(middle.begin(), middle.end(), largest.begin(), largest.end());
  const auto shared = static_cast<std::size_t>(parted.first - middle.begin());
  node.prefixLength = std::max(node.prefixLength + 1, shared + 1);
  node.separator = std::string(Prefix(middle, node.prefixLength));
  node.left = std::make_unique<Node>();
  node.right = std::make_unique<Node>();
  for (Entry& entry : e) {
    Node& child = GoesRight(node, entry.key) ? *node.right : *node.left;
    child.entries.push_back(std::move(entry));
  }
  e.clear();
  e.shrink_to_fit();
  node.inner = true;
  node.height = 1;
}

int Height(const Slot& node) { return node ? node->height : -1; }

void UpdateHeight(Node& node) {
  node.height = 1 + std::max(Height(node.left), Height(node.right));
}

// The inner child on the given side takes the node's place.
void Rotate(Slot& slot, bool childOnLeft) {
  Slot node = std::move(slot);
  Slot& childSlot = childOnLeft ? node->left : node->right;
  Slot child = std::move(childSlot);
  childSlot = std::move(childOnLeft ? child->right : child->left);
  UpdateHeight(*node);
  (childOnLeft ? child->right : child->left) = std::move(node);
  UpdateHeight(*child);
  slot = std::move(child);
}

// Restores heights and balance on the way up from a split leaf.
void Rebalance(const std::vector<Slot*>& path) {
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    Slot& slot = **it;
    UpdateHeight(*slot);
    const int balance = Height(slot->left) - Height(slot->right);
    if (balance > 1) {
      if (Height(slot->left->left) < Height(slot->left->right)) Rotate(slot->left, false);
      Rotate(slot, true);
    } else if (balance < -1) {
      if (Height(slot->right->right) < Height(slot->right->left)) Rotate(slot->right, true);
      Rotate(slot, false);
    }
  }
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
  std::vector<Slot*> path;  // the inner nodes passed, root first
  Slot* slot = &root_;
  while ((*slot)->inner) {
    path.push_back(slot);
    slot = GoesRight(**slot, key) ? &(*slot)->right : &(*slot)->left;
  }
  Node& leaf = **slot;
  if (!StoreInLeaf(leaf, key, value) || leaf.entries.size() <= kLeafCapacity) return;
  Split(leaf);
  Rebalance(path);
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
