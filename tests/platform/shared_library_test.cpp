// Libraries loaded when first needed: a function is found, and a missing
// library or function is told, never called.
#include "platform/shared_library.h"

#include <gtest/gtest.h>

namespace lirvan {
namespace {

using Cosine = double(double);

TEST(SharedLibrary, FindsFunctionsAndTellsWhatIsMissing) {
  SharedLibrary math("libm.so.6");
  ASSERT_TRUE(math.Loaded());
  Cosine* cosine = nullptr;
  ASSERT_TRUE(math.Bind(cosine, "cos"));
  EXPECT_EQ(cosine(0.0), 1.0);

  Cosine* none = nullptr;
  EXPECT_FALSE(math.Bind(none, "lirvan_no_such_function"));
  EXPECT_EQ(none, nullptr);
  EXPECT_FALSE(math.Loaded()) << "a library without a function it needs counts as missing";

  SharedLibrary missing("liblirvan-no-such-library.so.9");
  EXPECT_FALSE(missing.Loaded());
  EXPECT_FALSE(missing.Bind(cosine, "cos"));
  EXPECT_EQ(cosine, nullptr);
}

}  // namespace
}  // namespace lirvan
