#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

struct CalcRun {
  std::string out;
  std::string err;
  int status = -1;
};

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return text;
}

// Runs lirvan-calc with the arguments; the outputs are small, so reading
// one pipe after the other cannot block the child.
CalcRun RunCalc(std::vector<std::string> arguments) {
  int out[2];
  int err[2];
  if (pipe(out) != 0 || pipe(err) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    close(out[0]);
    close(err[0]);
    std::vector<char*> argv{const_cast<char*>(LIRVAN_CALC_PATH)};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    execv(LIRVAN_CALC_PATH, argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  CalcRun run;
  run.out = ReadAll(out[0]);
  run.err = ReadAll(err[0]);
  int status = 0;
  waitpid(child, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(CalcTool, PrintsWhatTheCalculatorShows) {
  struct Case {
    std::vector<std::string> arguments;
    std::string out;
    int status;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"3,5+1"}, "4,5\n", 0, ""},
      {{"-2^2"}, "4\n", 0, ""},
      {{"2", "+", "3"}, "5\n", 0, ""},
      {{""}, "nan\n", 0, ""},
      {{"1000000"}, "1e+06\n", 0, ""},
      {{"abc"}, "Tanımsız bir işlem girildi\n", 1, "Undefined variable: abc, at position: 1\n"},
      {{"2+"}, "Tanımsız bir işlem girildi\n", 1, "Unexpected operator near position: 2\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.front());
    const CalcRun run = RunCalc(c.arguments);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
  }
}

TEST(CalcTool, MissingExpressionIsAUsageError) {
  const CalcRun run = RunCalc({});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.empty());
  EXPECT_NE(run.err.find("usage"), std::string::npos);
}

}  // namespace
