// Closeness of the stand-in world's vectors.
#pragma once

#include <gtest/gtest.h>

#include "sim/world/vec3.h"

namespace kalvo::test {

// Within `relative` times the length of the expected vector.
inline ::testing::AssertionResult NearVector(const sim::Vec3& actual, const sim::Vec3& expected, double relative) {
    if (Length(actual - expected) <= relative * Length(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ", " << actual.z
                                         << ") is not within " << relative << " (relative) of (" << expected.x << ", "
                                         << expected.y << ", " << expected.z << ")";
}

}  // namespace kalvo::test
