#include "browser/favourites.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace lirvan {

namespace {

// One record: LF, the text, NUL; written and flushed, or false.
bool AppendRecord(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::app);
  if (!out) return false;
  out.put('\n');
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.put('\0');
  out.flush();
  return static_cast<bool>(out);
}

// The size of a file, or 0 for one that does not exist yet.
std::uintmax_t SizeOf(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

void UndoAppend(const std::string& path, std::uintmax_t previousSize, bool existed) {
  std::error_code error;
  if (existed) {
    std::filesystem::resize_file(path, previousSize, error);
  } else {
    std::filesystem::remove(path, error);
  }
}

}  // namespace

FavouriteLines ReadFavouriteLines(const std::string& path) {
  FavouriteLines result;
  std::ifstream in(path, std::ios::binary);
  if (!in) return result;
  result.opened = true;
  std::string line;
  bool ended = false;    // a NUL ended this line's text
  bool started = false;  // a byte after the last LF: the last line is there
  char c = 0;
  auto finish = [&] {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // a file edited elsewhere
    result.lines.push_back(std::move(line));
    line.clear();
    ended = false;
    started = false;
  };
  while (in.get(c) && result.lines.size() < kFavouriteCountLimit) {
    if (c == '\n') {
      finish();
      continue;
    }
    started = true;
    if (c == '\0') {
      ended = true;
    } else if (!ended && line.size() < kFavouriteLineLimit) {
      line.push_back(c);
    }
  }
  if (started && result.lines.size() < kFavouriteCountLimit) finish();
  return result;
}

std::string Favourites::AddressAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= addresses.size()) return {};
  return addresses[static_cast<std::size_t>(index)];
}

Favourites ReadFavourites(const std::string& addressesPath, const std::string& namesPath) {
  FavouriteLines addresses = ReadFavouriteLines(addressesPath);
  FavouriteLines names = ReadFavouriteLines(namesPath);
  Favourites result;
  result.complete = addresses.opened && names.opened;
  // Without both files the chosen address is always empty.
  if (result.complete) result.addresses = std::move(addresses.lines);
  result.names = std::move(names.lines);
  return result;
}

bool AddFavourite(const std::string& address, const std::string& name,
                  const std::string& addressesPath, const std::string& namesPath) {
  const bool existed = std::filesystem::exists(addressesPath);
  const std::uintmax_t before = SizeOf(addressesPath);
  if (!AppendRecord(addressesPath, address)) {
    UndoAppend(addressesPath, before, existed);
    return false;
  }
  if (!AppendRecord(namesPath, name)) {
    UndoAppend(addressesPath, before, existed);
    return false;
  }
  return true;
}

}  // namespace lirvan
