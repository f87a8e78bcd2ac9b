#pragma once
// TSynchronizacjaBazyKasjerow: cashiers, PC and register side by side, with the
// register's takings, rights, log-ins and password of the selected cashier.
#include "sync/Synchtabeli.h"

class TSynchronizacjaBazyKasjerow : public TSynchronizacjaTabeli {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyKasjerow(Services& services, QWidget* parent = nullptr);

    QList<QLabel*> Rights;   // "TAK" / "NIE" per right
    QLabel* LastLogIn;
    QLabel* LastLogOut;
    QLabel* LoggedIn;        // "KASJER ZALOGOWANY!"
    QLabel* Password;
    QPushButton* Button6;    // show / hide the password

    void Button6Click();

protected:
    void ShowRegisterDetails(const QByteArray& record) override;
    void ShowPcDetails(const QByteArray& record) override;
    void ClearDetails() override;

private:
    void ShowRights(const QByteArray& flags);
};

// "2024-7-15  08:05": year, month, day, hour and minute as the register keeps them.
QString SyncDateText(const char* sixBytes);
