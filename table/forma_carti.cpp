#include "table/forma_carti.h"

#include <memory>

namespace dovek {

namespace {
std::unique_ptr<FormaCarti>& instanta() {
    static std::unique_ptr<FormaCarti> f;
    return f;
}
} // namespace

FormaCarti::FormaCarti() {
    for (int i = 1; i <= 56; ++i)
        image_carti[i] = QPixmap(QStringLiteral(":/carti/%1.png").arg(i, 2, 10, QLatin1Char('0')));
}

FormaCarti& forma_carti() {
    auto& f = instanta();
    if (!f) f = std::make_unique<FormaCarti>();
    return *f;
}

bool forma_carti_incarcata() { return instanta() != nullptr; }

void unload_forma_carti() { instanta().reset(); }

} // namespace dovek
