// sd_lirvan: Lirvan's Turkish voice as a speech-dispatcher output module.
// Started by the server as "sd_lirvan CONFIG_FILE"; with no argument it
// uses the voice it was built with, to be tried by hand.
#include <csignal>
#include <cstdio>
#include <exception>

#include "sd/module.h"
#include "sd/module_config.h"

int main(int argc, char** argv) {
  // A server that goes away is seen as a failed write, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  if (argc > 2) {
    std::fprintf(stderr, "usage: sd_lirvan [CONFIG_FILE]\n");
    return 2;
  }
  try {
    lirvan::sd::ModuleConfig config = argc == 2 ? lirvan::sd::ReadModuleConfig(argv[1], LIRVAN_DEFAULT_HOME)
                                                : lirvan::sd::ModuleConfig{LIRVAN_DEFAULT_HOME, {}};
    if (!config.error.empty()) std::fprintf(stderr, "sd_lirvan: %s\n", config.error.c_str());
    lirvan::sd::Module module(std::move(config), 0, 1);
    return module.Run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "sd_lirvan: %s\n", e.what());
    return 1;
  }
}
