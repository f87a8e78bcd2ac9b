#include "support/pgserver.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <pwd.h>
#include <unistd.h>

PgServer::PgServer() {
    // Debian keeps the server's programs per version.
    const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& v : versions)
        if (QFile::exists(QStringLiteral("/usr/lib/postgresql/%1/bin/initdb").arg(v)))
            bin_ = QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(v);
    if (bin_.isEmpty()) {
        error_ = QStringLiteral("no PostgreSQL server installed (Debian package postgresql-15)");
        return;
    }
    if (!dir_.isValid()) {
        error_ = dir_.errorString();
        return;
    }
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    data_ = dir_.filePath(QStringLiteral("data"));
    QDir().mkpath(data_);
    if (getuid() == 0) {
        const passwd* pg = getpwnam("postgres");
        if (!pg) {
            error_ = QStringLiteral("no postgres user to run the server as");
            return;
        }
        if (chown(dir_.path().toLocal8Bit().constData(), pg->pw_uid, pg->pw_gid) != 0 ||
            chown(data_.toLocal8Bit().constData(), pg->pw_uid, pg->pw_gid) != 0) {
            error_ = QStringLiteral("cannot give the server's folder to postgres");
            return;
        }
        user_ = QStringLiteral("postgres");
    } else {
        user_ = QString::fromLocal8Bit(getpwuid(getuid())->pw_name);
    }
    if (!Run(bin_ + QStringLiteral("initdb"), {QStringLiteral("-D"), data_, QStringLiteral("--auth=trust"),
                                              QStringLiteral("-U"), user_, QStringLiteral("--no-sync"),
                                              QStringLiteral("-E"), QStringLiteral("UTF8")}))
        return;
    running_ = Run(bin_ + QStringLiteral("pg_ctl"),
                   {QStringLiteral("-D"), data_, QStringLiteral("-l"), dir_.filePath(QStringLiteral("server.log")),
                    QStringLiteral("-o"),
                    QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off").arg(dir_.path()), QStringLiteral("-w"),
                    QStringLiteral("start")});
}

PgServer::~PgServer() {
    if (running_)
        Run(bin_ + QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), data_, QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
             QStringLiteral("stop")});
}

bool PgServer::Run(const QString& program, const QStringList& arguments) {
    QProcess p;
    if (getuid() == 0) {
        p.setProgram(QStringLiteral("runuser"));
        p.setArguments(QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), program} +
                       arguments);
    } else {
        p.setProgram(program);
        p.setArguments(arguments);
    }
    p.setWorkingDirectory(dir_.path());
    p.start();
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error_ = program + QStringLiteral(": ") + QString::fromLocal8Bit(p.readAllStandardError() + p.readAllStandardOutput());
        return false;
    }
    return true;
}

QString PgServer::NewDatabase() {
    const QString name = QStringLiteral("test%1").arg(++databases_);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("pgserver-admin"));
        db.setHostName(dir_.path());
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(user_);
        if (!db.open() || !QSqlQuery(db).exec(QStringLiteral("CREATE DATABASE ") + name)) error_ = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pgserver-admin"));
    return QStringLiteral("postgresql://%1@/%2?host=%3").arg(user_, name, dir_.path());
}
