#include "shell/Forms.h"

#include "common/Form.h"
#include "link/Czekajrs.h"
#include "link/Ustawieniatransmisji.h"
#include "shell/Nowabaza.h"
#include "shell/Oprogramie.h"

void FormRegistry::Add(TForm* form) {
    order_.append(form);
    byName_.insert(form->objectName(), form);
}

void CreateForms(Services& s, FormRegistry& forms, QWidget* main) {
    // The program's creation order; a window may rely only on those before it.
    forms.Add(new TUstawieniaTrans(s, main));
    forms.Add(new TOProgramie(s, main));
    forms.Add(new TNowaBazaD(s, main));
    forms.Add(new TCzekajNaRS(s, main));
}
