#pragma once
// TSynchronizacjaBazyWalut: foreign currencies, PC and register side by side.
#include "sync/Synchtabeli.h"

class TSynchronizacjaBazyWalut : public TSynchronizacjaTabeli {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyWalut(Services& services, QWidget* parent = nullptr);

protected:
    QString RowTail(const QByteArray& record, bool registerSide) override;
};

// The rate as the rows show it: at least one digit before the comma, "," before
// the last `places` digits (5 with 2 places: "0,05"; 125 with 1: "12,5").
QString SyncRateText(uint32_t mantissa, int places);
