#pragma once
// The options dialog "Optiuni joc". Its controls are the game's settings: there
// is no other copy, the game reads the buttons and boxes themselves whenever it
// needs a setting, so a change is in force the moment it is made. The dialog
// lives hidden from start-up on; only its close box discards it, and the next
// use then builds a fresh one with the design defaults.

#include "common/setari.h"
#include "common/tablou.h"

// The game reads these controls itself, so their classes come with the header.
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace dovek {

class FormaOptiuni : public QDialog {
    Q_OBJECT
public:
    FormaOptiuni();
    ~FormaOptiuni() override;

    // ---- controls --------------------------------------------------------------
    QGroupBox* Frame1 = nullptr; // "Animatie"
    QGroupBox* Frame2 = nullptr; // "Tipul jocului"
    QGroupBox* Frame3 = nullptr; // "Diverse"
    QGroupBox* Frame4 = nullptr; // "Modalitatea de punctare"
    QGroupBox* Frame5 = nullptr; // "Numele jucatorilor"
    Tablou<QRadioButton*, 1, 3> optiune_animatie{};
    Tablou<QRadioButton*, 1, 2> optiune_joc{};
    Tablou<QRadioButton*, 1, 2> optiune_punctare{};
    QCheckBox* optiune_joc_frunte = nullptr;
    QCheckBox* optiune_premiere = nullptr;
    QCheckBox* optiune_repetare = nullptr;
    Tablou<QLabel*, 1, 6> label_nume_jucatori{};
    Tablou<QLineEdit*, 1, 6> text_nume_jucatori{};
    QPushButton* Command3 = nullptr; // "OK"
    QPushButton* Command1 = nullptr; // "Anulare"
    QPushButton* Command2 = nullptr; // "Salvare"

    // The selected element of each option group, kept in step with every
    // selection; "Salvare" writes these, not the buttons.
    qint16 index_animatie = 0;
    qint16 index_joc = 0;
    quint8 index_punctare = 0;

    // ---- event handlers -----------------------------------------------------------
    void Form_Load();
    void Form_Unload();
    void optiune_animatie_Click(int index);
    void optiune_joc_Click(int index);
    void optiune_punctare_Click(int index);
    void Command1_Click(); // "Anulare"
    void Command2_Click(); // "Salvare"
    void Command3_Click(); // "OK"

    // ---- check box values -----------------------------------------------------------
    // 0 not ticked, 1 ticked, 2 grayed (only a settings file puts a 2 there).
    static int Value(const QCheckBox* c);
    static void setValue(QCheckBox* c, int valoare);

    // What the controls hold now, as the settings file would keep it.
    Setari setari() const;
    // Puts settings into the controls in file order; selecting an option button
    // runs its Click handler like a click does.
    void aplica(const Setari& s);

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void construieste();
    void centreaza();
};

// The settings store: the dialog, created hidden with its defaults on first use
// and again after its close box discarded it.
FormaOptiuni& forma_optiuni();
bool forma_optiuni_exista();
// The table's closing: if the dialog exists, its closing steps run and it is
// discarded. Does not create it.
void unload_forma_optiuni();

} // namespace dovek
