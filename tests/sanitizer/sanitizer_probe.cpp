// What the sanitizer build reports, and that a report fails the run. The solvers
// divide by zero and overflow to infinity on purpose, so IEEE arithmetic must pass
// unreported; undefined behaviour and leaks must end the program with an error.
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Opaque to the optimiser, so every operation happens at run time.
volatile double zero = 0.0;
volatile double largest = 1e308;
volatile int largestInt = INT_MAX;

int FloatingPoint() {
    const double quotient = 1.0 / zero;
    const double notANumber = zero / zero;
    const double overflow = largest * 10;
    const double root = std::sqrt(-1.0 + zero);
    const bool asExpected = std::isinf(quotient) && std::isnan(notANumber) && std::isinf(overflow) && std::isnan(root);
    std::printf("floating point: %s\n", asExpected ? "infinities and NaN, unreported" : "unexpected results");
    return asExpected ? 0 : 1;
}

int SignedOverflow() {
    const int sum = largestInt + 1;
    std::printf("signed overflow went unreported: %d\n", sum);
    return 0;
}

int Leak() {
    int* lost = new int[4];
    lost[0] = largestInt;
    std::printf("leaked %d\n", lost[0]);
    lost = nullptr;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "floating-point") == 0) return FloatingPoint();
    if (argc == 2 && std::strcmp(argv[1], "signed-overflow") == 0) return SignedOverflow();
    if (argc == 2 && std::strcmp(argv[1], "leak") == 0) return Leak();
    std::fprintf(stderr, "usage: sanitizer_probe floating-point|signed-overflow|leak\n");
    return 2;
}
