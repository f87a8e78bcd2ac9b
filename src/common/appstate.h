#pragma once
// Application-wide state that the main window owns and every window reads.
#include <QString>
#include <QStringList>

enum WorkModeValue : int {
    ModeNone = 0,          // no database, no register
    ModeOffline = 1,       // database image loaded
    ModeRegisterOnly = 2,  // COM port open, no database
    ModeOnline = 3,        // both
};

struct AppState {
    int workMode = ModeNone;
    bool databaseModified = false;
    QString databaseName;
    QString recordCurrencySymbol = QStringLiteral("PLN");
    QString startDirectory;
    // Where the sales history's settings and its SQLite file are: the start
    // folder unless set.
    QString historyDirectory;
    QString HistoryDirectory() const { return historyDirectory.isEmpty() ? startDirectory : historyDirectory; }
    // Moves on whenever the image is saved, opened or made anew: what was kept
    // to take back a deletion belongs to one generation only.
    int imageGeneration = 0;
    // Names of the register's goods units 1-3, as last read from or sent to it.
    QStringList goodsUnits;
    // Record writes without the fixed waits (every window that writes records
    // shares the choice).
    bool fastSending = false;
    // Fast sending is offered once per run, before the first long send without it.
    bool fastSendingOffered = false;

    bool DatabaseLoaded() const { return workMode == ModeOffline || workMode == ModeOnline; }
    bool PortOpen() const { return workMode == ModeRegisterOnly || workMode == ModeOnline; }
    // The mode moves with the database or the port while the other half stays.
    void DatabaseCreated() { workMode = workMode == ModeRegisterOnly || workMode == ModeOnline ? ModeOnline : ModeOffline; }
    void DatabaseLost() { workMode = PortOpen() ? ModeRegisterOnly : ModeNone; }
    void PortOpened() { workMode = DatabaseLoaded() ? ModeOnline : ModeRegisterOnly; }
    void PortClosed() { workMode = DatabaseLoaded() ? ModeOffline : ModeNone; }
};
