#pragma once
// TSynchronizacjaBazyFormPlatnosci: payment forms, PC and register side by side.
#include "sync/Synchtabeli.h"

class TSynchronizacjaBazyFormPlatnosci : public TSynchronizacjaTabeli {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyFormPlatnosci(Services& services, QWidget* parent = nullptr);

protected:
    QString RowTail(const QByteArray& record, bool registerSide) override;
};
