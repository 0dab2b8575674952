// The two favourites files, byte for byte, and how they are read back.
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "browser/favourites.h"

namespace lirvan::test {
namespace {

using namespace std::string_literals;

class FavouritesFiles : public ::testing::Test {
 protected:
  std::string Addresses() const { return dir_.path().toStdString() + "/adresler.txt"; }
  std::string Names() const { return dir_.path().toStdString() + "/kisayollar.txt"; }
  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void Write(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }
  bool Add(const std::string& address, const std::string& name) const {
    return AddFavourite(address, name, Addresses(), Names());
  }
  Favourites Read() const { return ReadFavourites(Addresses(), Names()); }

  QTemporaryDir dir_;
};

TEST_F(FavouritesFiles, EachFavouriteAppendsLineFeedTextAndNul) {
  ASSERT_TRUE(Add("file:///ev/sayfa.html", "Sayfa"));
  ASSERT_TRUE(Add("https://www.ornek.com.tr/", "\xD6rnek"));  // "Örnek" in CP1254
  EXPECT_EQ(Content(Addresses()), "\nfile:///ev/sayfa.html\0\nhttps://www.ornek.com.tr/\0"s);
  EXPECT_EQ(Content(Names()), "\nSayfa\0\n\xD6rnek\0"s);
}

TEST_F(FavouritesFiles, TwoFavouritesReadAsThreeLinesWithAnEmptyFirst) {
  Add("a", "Bir");
  Add("b", "İki");
  const Favourites favourites = Read();
  EXPECT_EQ(favourites.names, (std::vector<std::string>{"", "Bir", "İki"}));
  EXPECT_EQ(favourites.AddressAt(2), "b");
  EXPECT_EQ(favourites.AddressAt(0), "");
  EXPECT_EQ(favourites.AddressAt(3), "");
  EXPECT_TRUE(favourites.complete);
}

TEST_F(FavouritesFiles, LongAddressesAndNamesAreReadWhole) {
  const std::string address = "https://ornek.com.tr/" + std::string(5000, 'x');
  const std::string name(300, 'n');
  Add(address, name);
  Add("kısa", "Kısa");
  const Favourites favourites = Read();
  ASSERT_EQ(favourites.names.size(), 3u);
  EXPECT_EQ(favourites.AddressAt(1), address);
  EXPECT_EQ(favourites.names[1], name);
  EXPECT_EQ(favourites.AddressAt(2), "kısa") << "the next line is not shifted";
}

TEST_F(FavouritesFiles, AFailedSecondAppendUndoesTheFirstAndReportsIt) {
  Add("a", "Bir");
  const std::string before = Content(Addresses());
  // A folder where the names file should be: it cannot be appended to.
  std::filesystem::remove(Names());
  std::filesystem::create_directory(Names());
  EXPECT_FALSE(Add("b", "İki"));
  EXPECT_EQ(Content(Addresses()), before);
}

TEST_F(FavouritesFiles, AFailedFirstAppendChangesNothing) {
  std::filesystem::create_directory(Addresses());
  EXPECT_FALSE(Add("a", "Bir"));
  EXPECT_FALSE(std::filesystem::exists(Names()));
}

TEST_F(FavouritesFiles, AFailedSecondAppendLeavesNoAddressFileItCreated) {
  std::filesystem::create_directory(Names());
  EXPECT_FALSE(Add("a", "Bir"));
  EXPECT_FALSE(std::filesystem::exists(Addresses()));
}

TEST_F(FavouritesFiles, ReadingStopsEachLineAtItsNulAndToleratesOtherEditors) {
  Write(Addresses(), "\na\0gizli\r\nb\n\0\nc"s);
  Write(Names(), "\nBir\0\r\nİki\0\n\0\nDört"s);
  const Favourites favourites = Read();
  EXPECT_EQ(favourites.names, (std::vector<std::string>{"", "Bir", "İki", "", "Dört"}));
  EXPECT_EQ(favourites.AddressAt(1), "a");
  EXPECT_EQ(favourites.AddressAt(2), "b");
  EXPECT_EQ(favourites.AddressAt(3), "") << "an empty record keeps its line";
  EXPECT_EQ(favourites.AddressAt(4), "c");
}

TEST_F(FavouritesFiles, AMissingFileLeavesTheNamesButNoAddress) {
  Write(Names(), "\nBir\0"s);
  const Favourites favourites = Read();
  EXPECT_FALSE(favourites.complete);
  EXPECT_EQ(favourites.names, (std::vector<std::string>{"", "Bir"}));
  EXPECT_EQ(favourites.AddressAt(1), "");
}

TEST_F(FavouritesFiles, HugeLinesAreCutAtTheBoundWithoutShiftingTheRest) {
  Write(Names(), "\n" + std::string(kFavouriteLineLimit + 10, 'x') + "\nSon");
  const FavouriteLines lines = ReadFavouriteLines(Names());
  ASSERT_EQ(lines.lines.size(), 3u);
  EXPECT_EQ(lines.lines[1].size(), kFavouriteLineLimit);
  EXPECT_EQ(lines.lines[2], "Son");
}

}  // namespace
}  // namespace lirvan::test
