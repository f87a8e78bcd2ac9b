#pragma once
// A PostgreSQL server of the tests' own: a cluster made by initdb in a temporary
// folder, listening only on a Unix socket there, stopped (immediately) when the
// object goes, also after a failed test. Run as the postgres user when the tests
// run as root, as the server refuses root.
#include <QString>
#include <QTemporaryDir>

class PgServer {
public:
    PgServer();
    ~PgServer();
    bool Running() const { return running_; }
    QString Error() const { return error_; }
    // A new, empty database on the server, as a postgresql:// URL.
    QString NewDatabase();

private:
    bool Run(const QString& program, const QStringList& arguments);
    QTemporaryDir dir_;
    QString bin_, data_, user_;
    bool running_ = false;
    int databases_ = 0;
    QString error_;
};
