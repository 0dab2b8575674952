#pragma once
// The directly addressed table of recorded units: a name of one to four
// letters maps to its (offset, size) in the sound data area.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/zero_pages.h"

namespace lirvan {

inline constexpr int kAlphabetSize = 35;
inline constexpr std::size_t kUnitEntryCount = 35 + 35 * 35 + 35 * 35 * 35 + 35 * 35 * 35 * 35;

// Position of a byte in the unit alphabet (a-z, ç ğ ı ö ş ü â î û), or -1.
int LetterIndex(unsigned char byte);

struct UnitEntry {
  std::int32_t offset = -1;
  std::int32_t size = -1;
  bool Present() const { return size >= 1 && offset >= 0; }
};

// Entry number of a name, or nothing for names of length 0, more than four
// letters, or with a byte outside the alphabet.
std::optional<std::size_t> EntryNumber(std::string_view name);

class UnitIndex {
 public:
  // Every entry absent. The table is reserved, not written: an entry reads
  // as absent until it is stored, and only the pages holding stored
  // entries become resident.
  UnitIndex();
  // Reads an index file; a missing file leaves every entry absent.
  explicit UnitIndex(const std::filesystem::path& indexPath);

  void Store(std::string_view name, std::int32_t offset, std::int32_t size);
  std::optional<UnitEntry> Find(std::string_view name) const;
  bool Has(std::string_view name) const {
    auto entry = Find(name);
    return entry && entry->size > 0;
  }

 private:
  // An entry as kept: each field's bitwise complement, so the zeros of an
  // untouched page read as (-1, -1), absent.
  struct Slot {
    std::uint32_t notOffset;
    std::uint32_t notSize;
  };
  static_assert(sizeof(Slot) == sizeof(UnitEntry));

  void Load(const std::filesystem::path& indexPath);
  Slot* entrySlots() const { return static_cast<Slot*>(table_.data()); }
  ZeroPages table_;
};

// The smallest offset any record of an index file gives: no unit lies
// before it, so the sound data up to it is the pause. Records in any order
// give the same pause. Nothing when the file is missing or has no record
// with an offset.
std::optional<std::int64_t> SmallestIndexOffset(const std::filesystem::path& indexPath);

// The voice's two files, relative to a home folder (an empty home: the
// working directory).
inline constexpr const char* kIndexPath = "veriler/index.dat";
inline constexpr const char* kSoundPath = "veriler/sesler.dat";
inline std::filesystem::path IndexFile(const std::filesystem::path& home) { return home / kIndexPath; }
inline std::filesystem::path SoundFile(const std::filesystem::path& home) { return home / kSoundPath; }

}  // namespace lirvan
