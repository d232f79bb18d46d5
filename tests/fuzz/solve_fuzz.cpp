// libFuzzer entry: arbitrary bytes through the problem reader and the solver, as solve mode
// takes a file. Any broken invariant aborts with its description, so that the fuzzer keeps the
// input that caused it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tests/fuzz/solve_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const varnel::fuzz::FuzzRun run =
        varnel::fuzz::solveFuzzInput(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!run.violation.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", run.violation.c_str());
        std::abort();
    }
    return 0;
}
