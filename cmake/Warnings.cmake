# Strict warnings for the project's own targets only (third-party headers are SYSTEM).
# -Wrestrict is off: GCC 12 reports false positives inside std::string at -O2.
function(lirvan_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wformat=2 -Wno-restrict -Werror)
endfunction()
