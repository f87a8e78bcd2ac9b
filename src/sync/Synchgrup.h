#pragma once
// TSynchronizacjaBazyGrupTowarowych: goods groups, PC and register side by side.
#include "sync/Synchtabeli.h"

class TSynchronizacjaBazyGrupTowarowych : public TSynchronizacjaTabeli {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyGrupTowarowych(Services& services, QWidget* parent = nullptr);
};
