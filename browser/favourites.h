#pragma once
// The favourites: two parallel files under veriler/, appended to as byte
// text (CP1254). Each favourite appends LF, the text and one NUL byte, so
// the first line of a file the program wrote is empty; line n of the
// addresses belongs to line n of the names.
#include <string>
#include <vector>

namespace lirvan {

inline constexpr const char* kAddressesPath = "veriler/adresler.txt";
inline constexpr const char* kNamesPath = "veriler/kisayollar.txt";

// Lines are read whole up to this many bytes (a longer one is cut, and the
// next line still starts after its LF), and this many lines at most.
inline constexpr std::size_t kFavouriteLineLimit = 64 * 1024;
inline constexpr std::size_t kFavouriteCountLimit = 100000;

struct FavouriteLines {
  bool opened = false;
  std::vector<std::string> lines;  // each up to its LF; a NUL ends its text
};

FavouriteLines ReadFavouriteLines(const std::string& path);

struct Favourites {
  std::vector<std::string> names;      // what the list shows, in order
  std::vector<std::string> addresses;  // the address of each name, by index
  bool complete = true;                // false when either file could not be opened
  // The address of the entry; empty when there is none.
  std::string AddressAt(int index) const;
};

Favourites ReadFavourites(const std::string& addressesPath = kAddressesPath,
                          const std::string& namesPath = kNamesPath);

// Appends the address record, then the name record. When the second append
// fails the first is undone, so the files never fall out of step; false
// then, and when the first fails.
bool AddFavourite(const std::string& address, const std::string& name,
                  const std::string& addressesPath = kAddressesPath,
                  const std::string& namesPath = kNamesPath);

}  // namespace lirvan
