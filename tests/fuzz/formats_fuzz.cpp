// libFuzzer entry: arbitrary bytes through the companion command's reader, as a whole input and
// as a command-line argument, and every problem read through every writer and back. Any broken
// invariant aborts with its description, so that the fuzzer keeps the input that caused it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tests/fuzz/formats_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const varnel::fuzz::FormatsRun run =
        varnel::fuzz::formatsFuzzInput(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!run.violation.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", run.violation.c_str());
        std::abort();
    }
    return 0;
}
