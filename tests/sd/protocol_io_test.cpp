#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "sd/line_reader.h"

namespace lirvan::sd {
namespace {

// A reader over a pipe holding exactly the bytes given, then its end.
class PipeReader {
 public:
  explicit PipeReader(std::string bytes) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    read_ = fds[0];
    writer_ = std::thread([fd = fds[1], b = std::move(bytes)] {
      std::size_t done = 0;
      while (done < b.size()) {
        const ssize_t put = write(fd, b.data() + done, b.size() - done);
        if (put <= 0) break;
        done += static_cast<std::size_t>(put);
      }
      close(fd);
    });
  }
  ~PipeReader() {
    writer_.join();
    close(read_);
  }
  int fd() const { return read_; }

 private:
  int read_ = -1;
  std::thread writer_;
};

TEST(LineReader, SplitsLinesDropsCarriageReturnsAndKeepsALastUnendedLine) {
  PipeReader pipe("INIT\r\nSET\n\nson");
  LineReader reader(pipe.fd());
  std::vector<std::string> lines;
  while (auto line = reader.Next()) lines.push_back(*line);
  EXPECT_EQ(lines, (std::vector<std::string>{"INIT", "SET", "", "son"}));
}

TEST(LineReader, BlocksEndAtTheDotAndUnescapeALoneDot) {
  PipeReader pipe("bir\n..\n..iki\n.\nSONRA\n");
  LineReader reader(pipe.fd());
  const Block block = reader.ReadBlock();
  EXPECT_TRUE(block.complete);
  EXPECT_FALSE(block.truncated);
  EXPECT_EQ(block.lines, (std::vector<std::string>{"bir", ".", "..iki"}));
  EXPECT_EQ(reader.Next(), "SONRA");
}

TEST(LineReader, ABlockCutByTheEndOfInputIsIncomplete) {
  PipeReader pipe("bir\niki");
  LineReader reader(pipe.fd());
  const Block block = reader.ReadBlock();
  EXPECT_FALSE(block.complete);
  EXPECT_EQ(reader.Next(), std::nullopt);
}

TEST(LineReader, HugeLinesAndBlocksAreBoundedAndTheStreamStaysInStep) {
  const std::string huge(kMaxLineBytes * 3, 'x');
  PipeReader pipe(huge + "\nQUIT\n");
  LineReader reader(pipe.fd());
  EXPECT_EQ(reader.Next()->size(), kMaxLineBytes);
  EXPECT_EQ(reader.Next(), "QUIT");

  std::string many;
  for (std::size_t i = 0; i < kMaxBlockBytes / 1000 + 100; ++i) many += std::string(999, 'y') + '\n';
  PipeReader blockPipe(many + ".\nQUIT\n");
  LineReader blockReader(blockPipe.fd());
  const Block block = blockReader.ReadBlock();
  EXPECT_TRUE(block.complete);
  EXPECT_TRUE(block.truncated);
  EXPECT_LE(block.lines.size() * 1000, kMaxBlockBytes);
  EXPECT_EQ(blockReader.Next(), "QUIT");
}

}  // namespace
}  // namespace lirvan::sd
