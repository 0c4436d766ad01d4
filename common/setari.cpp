#include "common/setari.h"

namespace dovek {

const std::array<QString, 6>& nume_implicite() {
    static const std::array<QString, 6> nume = {
        QStringLiteral("ZEFU"), QStringLiteral("VEKA"),  QStringLiteral("BUZNEL"),
        QStringLiteral("IRO"),  QStringLiteral("PELOT"), QStringLiteral("TOLMER"),
    };
    return nume;
}

Setari::Setari() : nume(nume_implicite()) {}

} // namespace dovek
