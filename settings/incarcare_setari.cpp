#include "settings/incarcare_setari.h"

#include "platform/runtime.h"
#include "settings/fisier_setari.h"
#include "settings/forma_optiuni.h"
#include "table/forma_masa.h"

#include <QDir>
#include <QLineEdit>

namespace dovek {

namespace {

QString mesaj_fisier_gresit(const QString& cale, const RezultatCitire& r) {
    const QString fisier = QDir::toNativeSeparators(cale);
    const QString ce = r.linie > 0
                           ? QStringLiteral("Fisierul de setari \"%1\" nu poate fi folosit: "
                                            "linia %2 %3.")
                                 .arg(fisier)
                                 .arg(r.linie)
                                 .arg(r.motiv)
                           : QStringLiteral("Fisierul de setari \"%1\" %2.").arg(fisier, r.motiv);
    return ce + QStringLiteral("\nJocul porneste cu setarile implicite; fisierul a ramas "
                               "neschimbat. \"Salvare\" din \"Optiuni...\" il rescrie.");
}

} // namespace

void incarcare_la_pornire(FormaMasa& masa) {
    const QString cale = cale_fisier_setari();
    // All twelve lines are read and checked before anything is applied: a bad
    // line late in the file must not leave half of it in force.
    const RezultatCitire citit = incarca_setari(cale);

    FormaOptiuni& optiuni = forma_optiuni();
    if (citit.ok())
        optiuni.aplica(citit.setari);
    else if (citit.stare == RezultatCitire::Stare::gresit)
        masa.mesaj_dupa_afisare = mesaj_fisier_gresit(cale, citit);

    for (int i = 1; i <= 6; ++i) {
        const QString nume = optiuni.text_nume_jucatori[i]->text();
        masa.label_nume_jucator[i]->setCaption(nume);
        masa.label_jucator[i]->setCaption(nume);
    }

    rt::randomizeaza();
}

} // namespace dovek
