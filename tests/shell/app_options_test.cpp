// The program's own command-line options.
#include <gtest/gtest.h>

#include "shell/app_options.h"

namespace lirvan {
namespace {

TEST(AppOptions, DefaultsAndPathsRelativeToTheStartFolder) {
  const ParsedOptions none = ParseAppOptions({}, "/opt/lirvan", "/home/ali");
  ASSERT_TRUE(none.options);
  EXPECT_EQ(none.options->home, "/opt/lirvan");
  EXPECT_EQ(none.options->audio, AudioBackendKind::Default);
  EXPECT_EQ(none.options->speechLogPath, "");

  const ParsedOptions all = ParseAppOptions(
      {"--home", "ev", "--audio", "null", "--speech-log", "../log/konusma.txt"}, "/opt/lirvan",
      "/home/ali");
  ASSERT_TRUE(all.options);
  EXPECT_EQ(all.options->home, "/home/ali/ev");
  EXPECT_EQ(all.options->audio, AudioBackendKind::Null);
  EXPECT_EQ(all.options->speechLogPath, "/home/log/konusma.txt");
}

TEST(AppOptions, BadArgumentsAreRefusedWithAReason) {
  const std::vector<std::vector<std::string>> cases = {
      {"--audio", "loud"}, {"--home"}, {"--speech-log", ""}, {"belge.txt"}, {"--trace"}};
  for (const auto& args : cases) {
    SCOPED_TRACE(args.front());
    const ParsedOptions parsed = ParseAppOptions(args, "/opt/lirvan", "/home/ali");
    EXPECT_FALSE(parsed.options);
    EXPECT_FALSE(parsed.error.empty());
  }
}

}  // namespace
}  // namespace lirvan
