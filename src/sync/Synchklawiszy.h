#pragma once
// TSynchronizacjaBazyKlawiszySzybkich: the quick keys, PC and register side by
// side per cashier and key. The register has no command that deletes a key, so
// the window has no delete; an emptied key is sent as an empty key.
#include "sync/Synchtabeli.h"

class TSynchronizacjaBazyKlawiszySzybkich : public TSynchronizacjaTabeli {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyKlawiszySzybkich(Services& services, QWidget* parent = nullptr);

protected:
    QString PcRow(int n) override;
    QString RegisterRow(const QByteArray& record) override;
};
