#include <gtest/gtest.h>
#include "combat/geometry.hpp"
TEST(Geometry, Placeholder) { EXPECT_EQ(to_int(-0.4f), 0); }
