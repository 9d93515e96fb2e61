// The menu cursor's pulse: up past 1.5, down below 1.0, and a pause away from the hot area.
#include "app/cursor_pulse.hpp"

#include <algorithm>

#include <gtest/gtest.h>

TEST(CursorPulse, SwingsBetweenOneAndOneAndAHalfAndWaitsAwayFromTheHotArea) {
    CursorPulse pulse;
    float highest = 0, lowest_after_peak = 10;
    bool peaked = false;
    for (int frame = 0; frame < 30; ++frame) {
        const float s = pulse.next(true);
        if (frame < 3) {
            EXPECT_NEAR(s, 1.0f + 0.05f * static_cast<float>(frame), 1e-5f);
        }
        highest = std::max(highest, s);
        if (s > 1.5f) peaked = true;
        if (peaked) lowest_after_peak = std::min(lowest_after_peak, s);
    }
    EXPECT_TRUE(peaked);
    EXPECT_NEAR(highest, 1.55f, 1e-4f);  // the first value above 1.5 is still shown
    // and, on the way down, the first value below 1.0 (float steps land just under it)
    EXPECT_LT(lowest_after_peak, 1.0f);
    EXPECT_GT(lowest_after_peak, 0.94f);

    const float stored = pulse.scale;
    EXPECT_EQ(pulse.next(false), 1.0f);  // away: plain at once
    EXPECT_EQ(pulse.scale, stored);      // back: resumes where it was
    EXPECT_EQ(pulse.next(true), stored);
}
