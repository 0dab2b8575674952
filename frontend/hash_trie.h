#pragma once
// The ordered string-to-string store behind the lexicons: leaves hold up to
// four sorted entries, an inner node routes by comparing a key prefix with
// its separator. Filled once at start-up, read-only afterwards.
//
// Every inner node cuts the key order in two (left: the keys up to a point),
// so the tree is a search tree over those cuts and is kept balanced by
// rotations: a lexicon written in sorted order must not grow one level per
// few keys, or loading it would take time in the square of its length.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lirvan {

class TTSHashTrie {
 public:
  struct Entry {
    std::string key;
    std::string value;
  };

  struct Node {
    bool inner = false;
    // Inner node: keys whose prefix compares <= separator go left.
    std::string separator = std::string(1, '\0');
    // Leaf: sorted; an equal key sits before the older entry equal to it.
    std::vector<Entry> entries;
    std::unique_ptr<Node> left;
    std::unique_ptr<Node> right;
    std::size_t prefixLength = 0;
    int height = 0;  // 0 for a leaf; an inner node one more than its taller child
  };

  static constexpr std::size_t kLeafCapacity = 4;
  // Copies of one key a leaf keeps: only the newest is ever found, and with
  // no more than two a full leaf can always be split.
  static constexpr std::size_t kEqualKeysKept = 2;

  TTSHashTrie();
  ~TTSHashTrie();
  TTSHashTrie(const TTSHashTrie&) = delete;
  TTSHashTrie& operator=(const TTSHashTrie&) = delete;
  TTSHashTrie(TTSHashTrie&&) noexcept = default;
  TTSHashTrie& operator=(TTSHashTrie&&) noexcept;

  // Never rejects; an equal key is stored again and hides the older one.
  void Insert(std::string_view key, std::string_view value);

  // The value of the most recently inserted entry equal to key, or empty.
  // The view stays valid until the next Insert.
  std::string_view Lookup(std::string_view key) const;

  // For inspection in tests.
  const Node& Root() const;

 private:
  std::unique_ptr<Node> root_;
};

// Byte-wise order with bytes as unsigned values; a proper prefix is the
// smaller string. Returns -1, 0 or 1.
int TrieCompare(std::string_view a, std::string_view b);

}  // namespace lirvan
