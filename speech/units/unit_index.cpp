#include "speech/units/unit_index.h"

#include <array>
#include <charconv>
#include <limits>
#include <string>

#include "platform/mapped_file.h"

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
// never overflows; a field that is no number reads as -1 (absent). Digits
// are read up to the first byte that is none, after one optional sign.
std::int32_t ToInt32(std::string_view field) {
  const bool negative = !field.empty() && field.front() == '-';
  if (!field.empty() && (field.front() == '-' || field.front() == '+')) field.remove_prefix(1);
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), magnitude);
  if (end == field.data()) return -1;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  if (error == std::errc::result_out_of_range || magnitude > kMax) {
    return negative ? std::numeric_limits<std::int32_t>::min() : std::numeric_limits<std::int32_t>::max();
  }
  return negative ? -static_cast<std::int32_t>(magnitude) : static_cast<std::int32_t>(magnitude);
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The fields of a text, as `>>` would read them: runs of bytes between
// blanks; an empty field once the text is used up.
class Fields {
 public:
  explicit Fields(std::string_view text) : rest_(text) {}
  std::string_view Next() {
    std::size_t at = 0;
    while (at < rest_.size() && IsBlank(rest_[at])) ++at;
    std::size_t end = at;
    while (end < rest_.size() && !IsBlank(rest_[end])) ++end;
    const std::string_view field = rest_.substr(at, end - at);
    rest_.remove_prefix(end);
    return field;
  }

 private:
  std::string_view rest_;
};

struct Record {
  std::string_view name;
  std::int32_t offset = -1;
  std::int32_t size = -1;
};

// Calls take(record) for each record of an index file, mapped whole: four
// fields, the first read and not used; reading stops where no first field
// is left. False when the file cannot be read.
template <typename Take>
bool ForEachRecord(const std::filesystem::path& indexPath, Take&& take) {
  MappedFile::Error error{};
  const auto file = MappedFile::Open(indexPath.string(), error);
  if (!file) return false;
  const auto bytes = file->bytes();
  Fields fields(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  while (!fields.Next().empty()) {
    Record record;
    record.name = fields.Next();
    record.offset = ToInt32(fields.Next());
    record.size = ToInt32(fields.Next());
    take(record);
  }
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

UnitIndex::UnitIndex() : table_(kUnitEntryCount * sizeof(Slot)) {}

UnitIndex::UnitIndex(const std::filesystem::path& indexPath) : UnitIndex() { Load(indexPath); }

void UnitIndex::Load(const std::filesystem::path& indexPath) {
  // Names longer than the slot the format allows are never units.
  ForEachRecord(indexPath, [&](const Record& record) {
    if (record.name.size() <= 255) Store(record.name, record.offset, record.size);
  });
}

void UnitIndex::Store(std::string_view name, std::int32_t offset, std::int32_t size) {
  if (auto n = EntryNumber(name)) {
    entrySlots()[*n] = Slot{~static_cast<std::uint32_t>(offset), ~static_cast<std::uint32_t>(size)};
  }
}

std::optional<UnitEntry> UnitIndex::Find(std::string_view name) const {
  const auto n = EntryNumber(name);
  if (!n) return std::nullopt;
  const Slot slot = entrySlots()[*n];
  return UnitEntry{static_cast<std::int32_t>(~slot.notOffset), static_cast<std::int32_t>(~slot.notSize)};
}

std::optional<std::int64_t> SmallestIndexOffset(const std::filesystem::path& indexPath) {
  std::optional<std::int64_t> smallest;
  ForEachRecord(indexPath, [&](const Record& record) {
    if (record.offset >= 0 && (!smallest || record.offset < *smallest)) smallest = record.offset;
  });
  return smallest;
}

}  // namespace lirvan
