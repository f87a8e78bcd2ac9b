#pragma once
// TSynchronizacjaBazyOpakowan: returnable packagings, PC and register side by side.
#include "sync/Synchtabeli.h"

class TSynchronizacjaBazyOpakowan : public TSynchronizacjaTabeli {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyOpakowan(Services& services, QWidget* parent = nullptr);

protected:
    QString RowTail(const QByteArray& record, bool registerSide) override;
};
