#pragma once
// How long a long test runs: at least a number of rounds, and more while its
// time lasts. Both come from the environment, where the build puts them beside
// the test's time budget; with no time, exactly the minimum runs. Bounded so,
// a slow or busy machine runs fewer rounds instead of failing on time.

#include <QElapsedTimer>
#include <QtGlobal>

namespace test {

struct Durata {
    int minim = 1;
    int secunde = 0;

    static Durata din_mediu(const char* var_minim, int minim, const char* var_secunde, int secunde) {
        Durata d{minim, secunde};
        if (qEnvironmentVariableIsSet(var_minim)) d.minim = qEnvironmentVariableIntValue(var_minim);
        if (qEnvironmentVariableIsSet(var_secunde))
            d.secunde = qEnvironmentVariableIntValue(var_secunde);
        return d;
    }

    bool continua(int facute, const QElapsedTimer& ceas) const {
        return facute < minim || ceas.elapsed() < qint64(secunde) * 1000;
    }
};

} // namespace test
