// The fuzzers' invariant check: a broken invariant names itself, and the text at fault if given,
// then aborts so that libFuzzer keeps the input.
#ifndef TARNWICK_TESTS_FUZZ_FUZZ_CHECK_H
#define TARNWICK_TESTS_FUZZ_FUZZ_CHECK_H

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tarnwick {

inline void Check(bool holds, const char* what = "", std::string_view text = {}) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s [%.*s]\n", what, static_cast<int>(text.size()),
               text.data());
  std::abort();
}

}  // namespace tarnwick

#endif
