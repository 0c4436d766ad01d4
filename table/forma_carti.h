#pragma once
// The card picture set: 56 pictures indexed by card code (1..52 faces, 53 and
// 54 jokers, 55 the blue back, 56 the red back). Loaded on first use, never
// shown, kept for the whole run.

#include "common/tablou.h"

#include <QPixmap>

namespace dovek {

class FormaCarti {
public:
    FormaCarti();
    Tablou<QPixmap, 1, 56> image_carti;
};

constexpr int SPATE_ALBASTRU = 55;

// The picture set, created on its first use.
FormaCarti& forma_carti();
bool forma_carti_incarcata();
void unload_forma_carti();

} // namespace dovek
