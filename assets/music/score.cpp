#include "score.hpp"

#include <algorithm>
#include <cstdlib>

namespace music {

Chord chord(int root, const std::vector<int>& intervals) {
    Chord c;
    for (int i : intervals) c.push_back(root + i);
    return c;
}

std::vector<int> scale_notes(int tonic, const std::vector<int>& steps, int low, int high) {
    std::vector<int> notes;
    for (int octave = -60; octave <= 120; octave += 12)
        for (int s : steps)
            if (tonic + octave + s >= low && tonic + octave + s <= high) notes.push_back(tonic + octave + s);
    std::sort(notes.begin(), notes.end());
    return notes;
}

Chord close_voicing(const Chord& c, int low) {
    Chord voiced;
    for (int n : c) {
        int v = n;
        while (v < low) v += 12;
        while (v >= low + 12) v -= 12;
        voiced.push_back(v);
    }
    std::sort(voiced.begin(), voiced.end());
    voiced.erase(std::unique(voiced.begin(), voiced.end()), voiced.end());
    return voiced;
}

int nearest(const std::vector<int>& notes, int pitch) {
    int best = notes.empty() ? pitch : notes.front();
    for (int n : notes)
        if (std::abs(n - pitch) < std::abs(best - pitch)) best = n;
    return best;
}

std::vector<int> arpeggio_notes(const Chord& c, int low, int length) {
    const Chord voiced = close_voicing(c, low);
    std::vector<int> notes;
    for (int i = 0; i < length; ++i) {
        const auto size = static_cast<int>(voiced.size());
        notes.push_back(voiced[static_cast<std::size_t>(i % size)] + 12 * (i / size));
    }
    return notes;
}

void perform(Mix& mix, const Patch& patch, const Grid& grid, double start, const std::vector<Step>& rhythm,
             const std::vector<int>& pitches, float velocity, Rng& rng) {
    for (std::size_t i = 0; i < rhythm.size() && i < pitches.size(); ++i) {
        // Slight velocity variation so repeated notes breathe like a player's.
        const float v = velocity * (0.88f + 0.12f * static_cast<float>(rng.unit()));
        const Note note{start + rhythm[i].beat * grid.beat(), rhythm[i].length * grid.beat() * 0.95,
                        static_cast<double>(pitches[i]), v};
        play(mix, patch, note);
    }
}

}  // namespace music
