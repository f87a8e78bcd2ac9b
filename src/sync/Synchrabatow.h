#pragma once
// TSynchronizacjaBazyRabatow: discounts and surcharges, PC and register side by side.
#include "sync/Synchtabeli.h"

class TSynchronizacjaBazyRabatow : public TSynchronizacjaTabeli {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyRabatow(Services& services, QWidget* parent = nullptr);

protected:
    QString RowTail(const QByteArray& record, bool registerSide) override;
};
