#pragma once
// Fixed arrays addressed by the game's own index ranges (seats 1..6, slots 1..8,
// suits 0..3, score-sheet cells 1..180 ...). Out-of-range indexes abort in
// checked builds instead of reading a neighbour's data.

#include <array>
#include <cstdio>
#include <cstdlib>

#if defined(DOVEK_CHECKED) || !defined(NDEBUG)
#define DOVEK_INDEX_CHECK(i, lo, hi)                                                               \
    do {                                                                                           \
        if ((i) < (lo) || (i) > (hi)) {                                                            \
            std::fprintf(stderr, "index %d outside %d..%d\n", int(i), int(lo), int(hi));           \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
#else
#define DOVEK_INDEX_CHECK(i, lo, hi) ((void)0)
#endif

template <class T, int Lo, int Hi> struct Tablou {
    static_assert(Hi >= Lo);
    static constexpr int primul = Lo;
    static constexpr int ultimul = Hi;
    std::array<T, Hi - Lo + 1> v{};

    constexpr T& operator[](int i) {
        DOVEK_INDEX_CHECK(i, Lo, Hi);
        return v[static_cast<std::size_t>(i - Lo)];
    }
    constexpr const T& operator[](int i) const {
        DOVEK_INDEX_CHECK(i, Lo, Hi);
        return v[static_cast<std::size_t>(i - Lo)];
    }
    constexpr void umple(const T& x) { v.fill(x); }
    constexpr auto begin() { return v.begin(); }
    constexpr auto end() { return v.end(); }
    constexpr auto begin() const { return v.begin(); }
    constexpr auto end() const { return v.end(); }
    friend constexpr bool operator==(const Tablou&, const Tablou&) = default;
};
