// The laser phase: every particle's step, spread over workers, with the same
// outcome as stepping the particles one after another in index order.
//
// Workers step their ranges against the switch states and timers as they
// were when the phase began, plot as they go, and write nothing shared but
// pixels: hits are recorded per worker, and so is every particle whose path
// read a gate or blue mirror (which colours) or that would flip a switch,
// together with its state before the step. After the workers are joined the
// main thread walks the records in particle order: hits are applied there
// (sparks draw their random numbers in that order), and a particle is stepped
// again, from its saved state, when it would flip a switch or when its path
// read a colour that an earlier particle flipped. Flips are applied as that
// walk meets them, exactly where the serial order would. A colour flips at
// most once per phase (its timer then reads 60), so such re-steps are rare
// and few; when a re-step ends elsewhere than the first try, the pixel
// buffer is cleared and replotted.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "combat/laser_rules.hpp"
#include "combat/laser_targets.hpp"

// What one particle did in its update, beyond its own fields.
struct ParticleOutcome {
    HitKind hit = HitKind::none;
    int32_t enemy = -1;
    float hit_x = 0, hit_y = 0, hit_angle = 0;
    uint8_t reads = 0;    // colours whose state decided a cell it met
    uint8_t touched = 0;  // colours of the switches it touched
};

class LaserPhase {
public:
    // Takes the phase's fixed inputs and indexes enemies and switches; `workers` >= 1 slots.
    void begin(int32_t workers, uint32_t* pixels);
    // Worker body: steps and plots particles [first, last) into slot `slot`'s records.
    void run(int32_t first, int32_t last, size_t slot);
    // Main thread, after the workers: applies hits and flips in particle order.
    void finish();
    // Ends a phase whose workers failed, without applying what they recorded.
    void abandon() { active_ = false; }

    bool active() const { return active_; }
    // Re-steps of the last phase (particles whose path changed with a flip, or that flipped).
    int64_t last_restep_count() const { return resteps_; }

    // The sine and cosine of the last direction seen: the particles of one
    // shot share theirs, so most particles need no trigonometry of their own.
    struct Heading {
        float angle = 0, dx = 1, dy = 0;
        void aim(float a) {
            if (a == angle) return;
            angle = a;
            dx = std::cos(a);
            dy = std::sin(a);
        }
    };
    // One particle's whole update under the given switch rules (does not plot).
    ParticleOutcome step(Laser& p, const LaserRules& rules, Heading& heading) const;
    ParticleOutcome step(Laser& p, const LaserRules& rules) const {
        Heading h;
        h.aim(p.angle);
        return step(p, rules, h);
    }

private:
    struct Record {
        int32_t particle;
        uint8_t reads;
        bool would_flip;
        Laser before;
    };
    struct alignas(64) WorkerLog {  // one cache line apart: workers append to their own
        std::vector<LaserHit> hits;
        std::vector<Record> records;
        bool any_flip = false;
    };
    void prepare(uint32_t* pixels);
    void prefetch_cell(const Laser& p) const;
    void replot_all() const;

    bool active_ = false;
    LaserFrame frame_;
    LaserRules rules_;
    uint8_t ready_ = 0;  // colours whose timer allowed a flip when the phase began
    LaserTargets targets_;
    std::vector<WorkerLog> logs_;
    int64_t resteps_ = 0;
};
