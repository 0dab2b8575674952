#include "speech/units/unit_index.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>

namespace lirvan {
namespace {

constexpr std::array<int, 256> BuildLetterTable() {
  std::array<int, 256> t{};
  for (int& v : t) v = -1;
  for (int c = 'a'; c <= 'z'; ++c) t[static_cast<std::size_t>(c)] = c - 'a';
  t[0xE7] = 26;  // ç
  t[0xF0] = 27;  // ğ
  t[0xFD] = 28;  // ı
  t[0xF6] = 29;  // ö
  t[0xFE] = 30;  // ş
  t[0xFC] = 31;  // ü
  t[0xE2] = 32;  // â
  t[0xEE] = 33;  // î
  t[0xFB] = 34;  // û
  return t;
}
constexpr std::array<int, 256> kLetters = BuildLetterTable();

constexpr std::size_t kLevelStart[] = {0, 35, 1260, 44135};

// A field as the index reads it: decimal, clamped into int32 so garbage
// never overflows; a field that is no number reads as -1 (absent).
std::int32_t ToInt32(const std::string& field) {
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(field.c_str(), &end, 10);
  if (end == field.c_str()) return -1;
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

struct Record {
  std::string name;
  std::int32_t offset = -1;
  std::int32_t size = -1;
};

// Four whitespace-separated fields; false at the end of the file.
bool ReadRecord(std::istream& in, Record& record) {
  std::string count, offset, size;
  if (!(in >> count)) return false;
  in >> record.name >> offset >> size;
  record.offset = ToInt32(offset);
  record.size = ToInt32(size);
  return true;
}

}  // namespace

int LetterIndex(unsigned char byte) { return kLetters[byte]; }

std::optional<std::size_t> EntryNumber(std::string_view name) {
  if (name.empty() || name.size() > 4) return std::nullopt;
  std::size_t within = 0;
  for (char c : name) {
    const int letter = LetterIndex(static_cast<unsigned char>(c));
    if (letter < 0) return std::nullopt;
    within = within * kAlphabetSize + static_cast<std::size_t>(letter);
  }
  return kLevelStart[name.size() - 1] + within;
}

UnitIndex::UnitIndex() : entries_(kUnitEntryCount) {}

UnitIndex::UnitIndex(const std::filesystem::path& indexPath) : UnitIndex() { Load(indexPath); }

void UnitIndex::Load(const std::filesystem::path& indexPath) {
  std::ifstream in(indexPath, std::ios::binary);
  if (!in) return;
  Record record;
  // Names longer than the slot the format allows are never units.
  while (ReadRecord(in, record)) {
    if (record.name.size() <= 255) Store(record.name, record.offset, record.size);
  }
}

void UnitIndex::Store(std::string_view name, std::int32_t offset, std::int32_t size) {
  if (auto n = EntryNumber(name)) entries_[*n] = UnitEntry{offset, size};
}

std::optional<UnitEntry> UnitIndex::Find(std::string_view name) const {
  if (auto n = EntryNumber(name)) return entries_[*n];
  return std::nullopt;
}

std::optional<std::int64_t> SmallestIndexOffset(const std::filesystem::path& indexPath) {
  std::ifstream in(indexPath, std::ios::binary);
  std::optional<std::int64_t> smallest;
  for (Record record; in && ReadRecord(in, record);) {
    if (record.offset >= 0 && (!smallest || record.offset < *smallest)) smallest = record.offset;
  }
  return smallest;
}

}  // namespace lirvan
