#pragma once
// Where the game's random numbers come from: uniform 0 <= r < 1 in single
// precision. The rules take one of these so tests can feed exact sequences.

namespace dovek {

class SursaAleatoare {
public:
    virtual ~SursaAleatoare() = default;
    virtual float urmator() = 0;
};

} // namespace dovek
