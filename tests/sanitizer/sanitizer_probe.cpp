// What the sanitizer build reports, and that a report fails the run. The solvers
// divide by zero and overflow to infinity on purpose, so IEEE arithmetic must pass
// unreported; undefined behaviour and leaks must end the program with an error.
#include <climits>
#include <cmath>
#include <cstdio>
#include <string_view>

// Opaque to the optimiser, so every operation happens at run time.
volatile double zero = 0.0;
volatile int largestInt = INT_MAX;

int main(int argc, char** argv) {
    const std::string_view mode = argc == 2 ? argv[1] : "";
    if (mode == "floating-point") {
        const bool asExpected = std::isinf(1.0 / zero) && std::isnan(zero / zero) && std::isinf((1e308 + zero) * 10) &&
                                std::isnan(std::sqrt(-1.0 + zero));
        std::printf("floating point: %s\n", asExpected ? "infinities and NaN, unreported" : "unexpected results");
        return asExpected ? 0 : 1;
    }
    if (mode == "signed-overflow") return std::printf("signed overflow went unreported: %d\n", largestInt + 1) < 0;
    if (mode == "leak") return std::printf("leaked %d\n", *new int{largestInt}) < 0;
    std::fprintf(stderr, "usage: sanitizer_probe floating-point|signed-overflow|leak\n");
    return 2;
}
