#pragma once

// A test that runs threads is declared with these instead of TEST / TEST_F:
// ctest labels it "<kind>-concurrency", and ThreadSanitizer runs it. The label
// comes from this declaration (tests/CMakeLists.txt reads it from the
// source), so renaming the test keeps it.

#include <gtest/gtest.h>

#define CONCURRENCY_TEST(suite, name) TEST(suite, name)
#define CONCURRENCY_TEST_F(suite, name) TEST_F(suite, name)
