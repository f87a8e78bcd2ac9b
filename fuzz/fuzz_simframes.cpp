// The simulator's frame parser on any byte stream from the PC: it never reads
// past what it was given and its tables keep their shape.
#include <QByteArray>
#include <cstdint>

#include "fuzzsupport.h"
#include "simulator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static RegisterSimulator* sim = new RegisterSimulator;
    sim->Feed(QByteArray(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, 4096))));
    sim->WithState([](SimState& s) {
        for (const SimTable* t : {&s.goods, &s.discounts, &s.cashiers, &s.paymentForms, &s.currencies, &s.groups,
                                  &s.packagings, &s.quickKeys})
            Require(t->data.size() == t->recordSize * t->count);
        Require(s.vat.size() == 21);
    });
    return 0;
}
