#pragma once
// The ordered string-to-string store behind the lexicons: leaves hold up to
// four sorted entries, an inner node routes by comparing a key prefix with
// its separator. Filled once at start-up, read-only afterwards.
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
    // Leaf: sorted; an equal key sits before the older entries equal to it.
    // Normally at most four; only a run of equal keys that no prefix can
    // separate makes a leaf hold more.
    std::vector<Entry> entries;
    std::unique_ptr<Node> left;
    std::unique_ptr<Node> right;
    std::size_t prefixLength = 0;
  };

  static constexpr std::size_t kLeafCapacity = 4;

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
