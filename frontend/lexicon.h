#pragma once
// Abbreviation and exception words, looked up by a token's spoken text.
#include <filesystem>
#include <string>
#include <string_view>

#include "frontend/hash_trie.h"

namespace lirvan {

class Lexicon {
 public:
  // The value stored for the key, or the empty string.
  std::string Lookup(std::string_view key) const;
  void Insert(std::string_view key, std::string_view value);

 private:
  TTSHashTrie trie_;
};

// Read veriler/kisaltmalar.txt and veriler/istisnalar.txt under the home
// folder (empty: the working directory) into the lexicon.
void LoadAbbreviations(Lexicon& lexicon, const std::filesystem::path& home = {});
void LoadExceptions(Lexicon& lexicon, const std::filesystem::path& home = {});

}  // namespace lirvan
