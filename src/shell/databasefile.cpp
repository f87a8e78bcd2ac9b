#include "shell/databasefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "image/layout.h"
#include "image/workimage.h"

using namespace layout;

QByteArray ConvertVersion1(const QByteArray& file) {
    // A zero byte (the goods unit) after each of the 2000 goods records of 67
    // bytes; everything behind the goods table moves up by 2000 bytes. What moves
    // past 204999 holds no table and is dropped.
    QByteArray out;
    out.reserve(kDatabaseFileSize + 2000);
    out.append(file.left(kGoods.First()));
    for (int n = 0; n < kGoods.count; ++n) {
        out.append(file.mid(kGoods.First() + 67 * n, 67));
        out.append('\0');
    }
    out.append(file.mid(kGoods.First() + 67 * kGoods.count, kDatabaseFileSize));
    out.truncate(kDatabaseFileSize);
    return out;
}

LoadedDatabase ReadDatabaseFile(const QString& path, QString* error) {
    LoadedDatabase db;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Nie mogę odczytać pliku ") + path + QStringLiteral(".");
        return db;
    }
    const QByteArray bytes = f.read(kDatabaseFileSize);
    if (f.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Nie mogę odczytać pliku ") + path + QStringLiteral(".");
        return db;
    }
    if (bytes.size() < kDatabaseFileSize) {
        *error = QStringLiteral("Plik ") + path +
                 QStringLiteral(" nie jest plikiem bazy danych Zelk Tuvo: ma %1 bajtów zamiast %2.")
                     .arg(bytes.size())
                     .arg(kDatabaseFileSize);
        return db;
    }
    error->clear();
    db.version1 = bytes.startsWith(kMagicV1);
    db.image = db.version1 ? ConvertVersion1(bytes) : bytes;
    db.service = db.image.startsWith(kServiceDatabaseTag);
    return db;
}

bool ReplaceWorkingImage(WorkImage& image, const QString& path, const QByteArray& head) {
    QByteArray tail;
    QFile old(path);
    if (old.open(QIODevice::ReadOnly) && old.size() > head.size()) {
        old.seek(head.size());
        tail = old.readAll();
    }
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(head) != head.size() || f.write(tail) != tail.size() || !f.commit()) return false;
    return image.Open(path);
}

SaveResult WriteDatabaseFile(WorkImage& image, const QString& path) {
    QByteArray content(kMagicV2, kMagicSize);
    content.append(image.ReadBytesAt(kMagicSize, kDatabaseFileSize - kMagicSize));
    image.Seek(0);
    QByteArray tail;
    QFile old(path);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly)) return SaveResult::TargetUnusable;
        if (old.size() > kDatabaseFileSize) {
            old.seek(kDatabaseFileSize);
            tail = old.readAll();
        }
    }
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) return SaveResult::TargetUnusable;
    if (f.write(content) != content.size() || f.write(tail) != tail.size()) {
        f.cancelWriting();
        return SaveResult::WriteFailed;
    }
    return f.commit() ? SaveResult::Saved : SaveResult::WriteFailed;
}
