// Opening a database file of any version and saving it back. A file is either
// refused with a message and nothing changed, or taken whole; what is saved
// reopens to the same image.
#include <QFile>
#include <cstdint>

#include "fuzzsupport.h"
#include "image/workimage.h"
#include "shell/databasefile.h"

namespace {
struct Files {
    QTemporaryDir dir;
    WorkImage image;
    QString In() const { return dir.path() + QStringLiteral("/in.zkf"); }
    QString Out() const { return dir.path() + QStringLiteral("/out.zkf"); }
    QString Work() const { return dir.path() + QStringLiteral("/BDTemp.bdt"); }
    Files() { Require(image.Open(Work())); }
};

bool Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Files* f = new Files;
    // The first byte steers: with its low bit set the file is the rest of the
    // input repeated to about a database file's size (205000 bytes, give or take
    // 64), so that whole files of every version are reached.
    if (size < 1) return 0;
    QByteArray file(reinterpret_cast<const char*>(data) + 1, int(qMin<size_t>(size - 1, 4096)));
    if ((data[0] & 1) && !file.isEmpty()) {
        const int length = 205000 + (data[0] >> 1) - 64;
        QByteArray whole;
        whole.reserve(length);
        while (whole.size() < length) whole.append(file);
        file = whole.left(length);
    }
    Require(Write(f->In(), file));
    QString error;
    const LoadedDatabase db = ReadDatabaseFile(f->In(), &error);
    if (!error.isEmpty()) return 0;  // refused, and said why
    Require(db.image.size() == 205000);
    Require(ReplaceWorkingImage(f->image, f->Work(), db.image));
    QFile::remove(f->Out());
    Require(WriteDatabaseFile(f->image, f->Out()) == SaveResult::Saved);
    QString again;
    const LoadedDatabase reopened = ReadDatabaseFile(f->Out(), &again);
    Require(again.isEmpty());
    Require(!reopened.version1);
    Require(reopened.image.mid(16) == db.image.mid(16));
    return 0;
}
