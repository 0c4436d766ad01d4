#pragma once
// The table window: the menu, the six seats with their card places, the score
// sheet and the bid choices, and the whole game played on them. All game state
// lives here, in `stare`; the procedures below share it and the controls.

#include "common/tablou.h"
#include "platform/controale.h"
#include "platform/runtime.h"
#include "common/setari.h"
#include "table/stare_joc.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>

class QAction;
class QMenu;

namespace dovek {

class FormaMasa : public QMainWindow {
    Q_OBJECT
public:
    FormaMasa();
    ~FormaMasa() override;

    // ---- game state ------------------------------------------------------------
    StareJoc stare;

    // ---- menu ------------------------------------------------------------------
    QMenu* mjoc = nullptr;
    QMenu* mjocnou = nullptr;
    Tablou<QAction*, 3, 6> mjucatori{};
    QAction* moptiuni = nullptr;
    QAction* miesire = nullptr;

    // ---- controls of the table -----------------------------------------------------
    QWidget* suprafata = nullptr; // the client area
    Tablou<rt::Label*, 1, 6> label_jucator{};
    Tablou<rt::Image*, 1, 6> image_rand{};
    Tablou<rt::Image*, 1, 48> image_carti_jucatori{};
    Tablou<rt::Image*, 1, 6> image_carti_decartate{};
    rt::Image* image_carti_atu = nullptr;
    rt::Label* label_atu = nullptr;
    Tablou<rt::Label*, 0, 8> label_licitare_joc{};
    rt::Timer* Timer1 = nullptr;

    // ---- the score sheet ---------------------------------------------------------
    Tablou<rt::Label*, 0, 6> label_nume_jucator{};
    Tablou<rt::Label*, 1, 18> label_cap_tabel{};
    Tablou<rt::Label*, 1, 30> label_joc{};
    Tablou<rt::Label*, 1, 180> label_licitare{};
    Tablou<rt::Label*, 1, 180> label_facute{};
    Tablou<rt::Label*, 1, 180> label_scor{};
    Tablou<rt::Line*, 0, 19> linie_verticala{};
    Tablou<rt::Line*, 0, 32> linie_orizontala{};

    // ---- the table's procedures ---------------------------------------------------------
    void prelucrare_tabel();
    void impartire_carti();
    void licitare();
    void decartare();
    void cine_le_ia();
    void calculare_punctaj();
    void asteptare();

    // ---- event handlers -------------------------------------------------------------
    void Form_Load();
    void Form_Unload();
    void Form_MouseMove();
    void mjucatori_Click(int index);
    void moptiuni_Click();
    void miesire_Click();
    void image_carti_jucatori_Click(int index);
    void label_licitare_joc_Click(int index);
    void label_licitare_joc_MouseMove(int index);
    void Timer1_Timer();

    // True while a game runs (between its menu choice and its last scored hand).
    bool joc_in_desfasurare() const { return joc_activ_; }

    // What the start-up load found wrong with the settings file, shown once the
    // window is up.
    std::optional<QString> mesaj_dupa_afisare;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void construieste_meniul();
    void construieste_masa();
    void construieste_foaia();
    void inchide_programul();
    void joaca_jocul(int n);
    void curata_masa_dupa_abandon();

    bool joc_activ_ = false;
    int joc_in_asteptare_ = 0; // a "Joc nou" chosen while a game ran
    bool se_inchide_ = false;
    bool afisata_ = false;
};

// The one table window (the start-up window), or null before it exists.
FormaMasa* forma_masa();

} // namespace dovek
