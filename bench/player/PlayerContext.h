#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// What the player chart's actions do to the outside world. Besides a tally per action id
// and the position, it folds every call into a running hash, so two machines that agree on
// the hash made the same calls in the same order, not just the same number of them.
class PlayerContext {
public:
    static constexpr std::size_t idCount = 32;

    void count(int id) {
        // An id outside the table is still hashed; it only has no tally of its own.
        if (id >= 0 && static_cast<std::size_t>(id) < idCount)
            ++counts_[static_cast<std::size_t>(id)];
        mix(static_cast<std::uint64_t>(id));
    }
    int pos() const { return pos_; }
    void advance(int n) {
        pos_ += n;
        mix(0x100u + static_cast<std::uint64_t>(n));
    }
    void back(int n) {
        pos_ -= n;
        mix(0x200u + static_cast<std::uint64_t>(n));
    }
    void rewind() {
        pos_ = 0;
        mix(0x300u);
    }

    const std::array<std::uint64_t, idCount>& counts() const { return counts_; }
    std::uint64_t hash() const { return hash_; }

    friend bool operator==(const PlayerContext&, const PlayerContext&) = default;

private:
    void mix(std::uint64_t v) { hash_ = (hash_ ^ v) * 0x100000001b3u; }

    std::array<std::uint64_t, idCount> counts_{};
    std::uint64_t hash_ = 0xcbf29ce484222325u;
    int pos_ = 0;
};

// The same actions as plain increments: nothing for the machine's own cost to hide behind.
// The tallies and the position still show that two machines did the same work.
class PlayerLightContext {
public:
    static constexpr std::size_t idCount = PlayerContext::idCount;

    void count(int id) {
        if (id >= 0 && static_cast<std::size_t>(id) < idCount)
            ++counts_[static_cast<std::size_t>(id)];
    }
    int pos() const { return pos_; }
    void advance(int n) { pos_ += n; }
    void back(int n) { pos_ -= n; }
    void rewind() { pos_ = 0; }

    const std::array<std::uint64_t, idCount>& counts() const { return counts_; }

    friend bool operator==(const PlayerLightContext&, const PlayerLightContext&) = default;

private:
    std::array<std::uint64_t, idCount> counts_{};
    int pos_ = 0;
};
