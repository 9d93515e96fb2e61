// A coarse bucket grid over the map, rebuilt at the start of every laser
// phase, that tells a particle which enemies and switches can touch it and
// whether it is near the exit, so most sub-steps look at one byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct LaserTarget {
    int32_t x = 0, y = 0;  // centre, px
    int32_t index = 0;     // into world.enemies; for a switch, its colour bit
};

class LaserTargets {
public:
    static constexpr int32_t bucket_shift = 5;  // 32 x 32 px buckets
    static constexpr uint8_t has_enemies = 1, has_switches = 2, near_exit = 4;

    // Indexes the hittable enemies (every kind but turrets, box +-12 px), the
    // switches (box +-13 px) and the exit's pull disc, from the world as it is.
    void build();

    // Flags of the bucket holding an in-grid cell.
    uint8_t flags(int32_t ix, int32_t iy) const { return flags_[bucket(ix, iy)]; }

    // The first enemy (lowest index) whose box holds (ix, iy), or -1.
    int32_t enemy_at(int32_t ix, int32_t iy) const;
    // Whether any switch box holds (ix, iy); `colours` gets the bits of all of them.
    bool switches_at(int32_t ix, int32_t iy, uint8_t& colours) const;

private:
    std::size_t bucket(int32_t ix, int32_t iy) const {
        return static_cast<std::size_t>(iy >> bucket_shift) * columns_ + static_cast<std::size_t>(ix >> bucket_shift);
    }
    // Buckets of each target, in target order, as offsets into a flat list.
    static void index_boxes(const std::vector<LaserTarget>& targets, int32_t reach, std::size_t columns,
                            std::size_t rows, std::vector<uint32_t>& begin, std::vector<LaserTarget>& flat);

    std::size_t columns_ = 0, rows_ = 0;
    std::vector<uint8_t> flags_;
    std::vector<uint32_t> enemy_begin_, switch_begin_;  // per bucket, size buckets + 1
    std::vector<LaserTarget> enemy_list_, switch_list_;
    std::vector<LaserTarget> scratch_;
};
