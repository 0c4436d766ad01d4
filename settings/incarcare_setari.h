#pragma once
// The start-up load: the settings file into the options dialog, the names onto
// the table, and the random generator seeded, before the table is first shown.

namespace dovek {

class FormaMasa;

// Reads dovek.ini from the current directory. A missing file, or a current
// directory that no longer exists, leaves the defaults without a word; a file
// that cannot be used leaves them too, is not touched, and what is wrong with
// it goes into masa.mesaj_dupa_afisare.
void incarcare_la_pornire(FormaMasa& masa);

} // namespace dovek
