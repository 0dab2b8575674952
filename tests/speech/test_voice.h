#pragma once
// Small voices written by the tests themselves, in a temporary home folder
// that becomes the working directory (the engine reads veriler/ there).
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace lirvan::testing {

struct TestUnit {
  std::string name;  // CP1254
  std::vector<std::uint8_t> bytes;
};

inline std::string Le32(std::uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

inline std::string WaveHeaderBytes(std::uint32_t dataLength, std::uint32_t rate = 22050) {
  std::string h = "RIFF" + Le32(36 + dataLength) + "WAVEfmt " + Le32(16);
  h += std::string("\x01\x00\x01\x00", 4);  // PCM, mono
  h += Le32(rate) + Le32(rate * 2);
  h += std::string("\x02\x00\x10\x00", 4);  // block align 2, 16 bits
  h += "data" + Le32(dataLength);
  return h;
}

// A home folder with veriler/ in a fresh temporary directory; the test's
// working directory while it lives.
class TestHome {
 public:
  TestHome() {
    char pattern[] = "/tmp/lirvan-test-XXXXXX";
    dir_ = mkdtemp(pattern);
    std::filesystem::create_directories(dir_ / "veriler");
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }
  ~TestHome() {
    std::error_code ec;
    std::filesystem::current_path(old_, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  TestHome(const TestHome&) = delete;
  TestHome& operator=(const TestHome&) = delete;

  const std::filesystem::path& dir() const { return dir_; }

  void WriteFile(const std::string& relative, const std::string& bytes) const {
    std::ofstream(dir_ / relative, std::ios::binary | std::ios::trunc) << bytes;
  }

  // A voice whose data area is `pause` bytes of 0x00 (after the 44-byte
  // lead the pause arithmetic needs) followed by the units.
  void WriteVoice(const std::vector<TestUnit>& units, std::size_t pause) const {
    std::string data(44 + pause, '\0');
    std::string index;
    for (const auto& u : units) {
      index += std::to_string(u.name.size()) + " " + u.name + " " + std::to_string(data.size()) +
               " " + std::to_string(u.bytes.size()) + "\n";
      data.append(u.bytes.begin(), u.bytes.end());
    }
    WriteFile("veriler/index.dat", index);
    WriteFile("veriler/sesler.dat", WaveHeaderBytes(static_cast<std::uint32_t>(data.size())) + data);
  }

 private:
  std::filesystem::path dir_;
  std::filesystem::path old_;
};

inline std::vector<std::uint8_t> Bytes(std::size_t n, std::uint8_t value) {
  return std::vector<std::uint8_t>(n, value);
}

// The pieces end to end.
inline std::vector<std::uint8_t> Cat(std::initializer_list<std::vector<std::uint8_t>> pieces) {
  std::vector<std::uint8_t> out;
  for (const auto& piece : pieces) {
    for (std::uint8_t b : piece) out.push_back(b);
  }
  return out;
}

}  // namespace lirvan::testing
