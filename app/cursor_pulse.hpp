// The drawn cursor's pulse over a menu's hot area: its scale swings between
// 1.0 and a little above 1.5 in steps of 0.05, one step per drawn frame.
#pragma once

struct CursorPulse {
    float scale = 1.0f;  // the stored phase, kept while the pointer is away
    float step = 0.05f;  // +0.05 growing, -0.05 shrinking

    // The cursor's scale for this frame; advances the pulse while over a hot area,
    // otherwise the cursor is plain (1.0) and the phase waits where it was.
    float next(bool over_hot_area) {
        if (!over_hot_area) return 1.0f;
        const float shown = scale;
        scale += step;
        if (scale > 1.5f)
            step = -0.05f;
        else if (scale < 1.0f)
            step = 0.05f;
        return shown;
    }
};
