#include "image/workimage.h"

#include <QStorageInfo>

#include "image/fields.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/text.h"
#include "image/layout.h"

namespace {
// Writes never reach past what a database file can hold; a stray offset is
// refused instead of growing the working file.
constexpr qint64 kWriteLimit = layout::kDatabaseFileSize + 2000;
}  // namespace

WorkImage::~WorkImage() { Close(); }

bool WorkImage::Open(const QString& path) {
    Close();
    path_ = path;
    pos_ = 0;
    failed_ = false;
    const QByteArray native = QFile::encodeName(path);
    fd_ = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        failed_ = true;
        return false;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        Close();
        failed_ = true;
        return false;
    }
    data_.resize(st.st_size);
    qint64 done = 0;
    while (done < st.st_size) {
        const ssize_t r = ::pread(fd_, data_.data() + done, st.st_size - done, done);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            Close();
            failed_ = true;
            return false;
        }
        done += r;
    }
    return true;
}

void WorkImage::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    data_.clear();
}

uint8_t WorkImage::ReadByteAt(qint64 offset) {
    pos_ = offset;
    return ReadNextByte();
}

uint8_t WorkImage::ReadNextByte() {
    const uint8_t v = (pos_ >= 0 && pos_ < data_.size()) ? uint8_t(data_[pos_]) : 0;
    ++pos_;
    return v;
}

QByteArray WorkImage::ReadBytesAt(qint64 offset, int n) {
    pos_ = offset;
    return ReadNextBytes(n);
}

QByteArray WorkImage::ReadNextBytes(int n) {
    QByteArray out(qMax(n, 0), '\0');
    for (int i = 0; i < n; ++i) {
        const qint64 at = pos_ + i;
        if (at >= 0 && at < data_.size()) out[i] = data_[at];
    }
    pos_ += qMax(n, 0);
    return out;
}

QString WorkImage::ReadTextAt(qint64 offset, int n) {
    pos_ = offset;
    return ReadNextText(n);
}

QString WorkImage::ReadNextText(int n) {
    const QByteArray raw = ReadNextBytes(n);
    return FromCp1250Field(raw.constData(), raw.size());
}

uint16_t WorkImage::ReadWordAt(qint64 offset) {
    const QByteArray b = ReadBytesAt(offset, 2);
    return Word(b.constData());
}

uint32_t WorkImage::ReadLongAt(qint64 offset) {
    const QByteArray b = ReadBytesAt(offset, 4);
    return Long(b.constData());
}

bool WorkImage::Write(qint64 offset, const char* bytes, qint64 n) {
    pos_ = offset + n;
    if (!Usable()) return false;
    if (offset < 0 || offset + n > kWriteLimit) return false;
    if (n == 0) return true;
    qint64 done = 0;
    while (done < n) {
        const ssize_t w = ::pwrite(fd_, bytes + done, n - done, offset + done);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            failed_ = true;
            return false;
        }
        done += w;
    }
    if (offset + n > data_.size()) data_.resize(offset + n, '\0');
    std::memcpy(data_.data() + offset, bytes, n);
    return true;
}

bool WorkImage::WriteByteAt(qint64 offset, uint8_t value) {
    const char c = char(value);
    return Write(offset, &c, 1);
}

bool WorkImage::WriteNextByte(uint8_t value) { return WriteByteAt(pos_, value); }

bool WorkImage::WriteBytesAt(qint64 offset, const QByteArray& bytes) {
    return Write(offset, bytes.constData(), bytes.size());
}

bool WorkImage::WriteNextBytes(const QByteArray& bytes) { return WriteBytesAt(pos_, bytes); }

bool WorkImage::WriteWordAt(qint64 offset, uint16_t value) {
    const char b[2] = {char(value & 0xFF), char(value >> 8)};
    return Write(offset, b, 2);
}

bool WorkImage::WriteLongAt(qint64 offset, uint32_t value) {
    const char b[4] = {char(value & 0xFF), char((value >> 8) & 0xFF), char((value >> 16) & 0xFF),
                       char(value >> 24)};
    return Write(offset, b, 4);
}

bool WorkImage::WriteTextAt(qint64 offset, const QString& text, int limit) {
    QByteArray bytes = ToCp1250(text);
    if (limit >= 0 && bytes.size() > limit) bytes.truncate(limit);
    return WriteBytesAt(offset, bytes);
}

bool WorkImage::WritePaddedTextAt(qint64 offset, const QString& text, uint8_t pad, int width) {
    QByteArray bytes = ToCp1250(text);
    if (bytes.size() > width) bytes.truncate(width);
    if (bytes.size() < width) bytes.append(width - bytes.size(), char(pad));
    return WriteBytesAt(offset, bytes);
}

bool WorkImage::WritePaddedText(const QString& text, uint8_t pad, int width) {
    return WritePaddedTextAt(pos_, text, pad, width);
}

bool WorkImage::ClearBytes(qint64 offset, int count) {
    return WriteBytesAt(offset, QByteArray(qMax(count, 0), '\0'));
}

QString TemporaryDirectory() {
    const QByteArray temp = qgetenv("TEMP");
    if (!temp.isEmpty()) {
        const QString dir = QFile::decodeName(temp);
        if (QFileInfo(dir).isDir()) return QDir::cleanPath(dir);
    }
    const QString fallback = QDir::homePath() + QStringLiteral("/Tuvo_Tmp");
    QDir().mkpath(fallback);
    return fallback;
}

QString WorkingImagePath() { return TemporaryDirectory() + QStringLiteral("/BDTemp.bdt"); }

QString WriteProblem(const QString& directory, qint64 needed, const QString& systemReason) {
    const QStorageInfo disk(directory);
    if (disk.isValid() && disk.bytesAvailable() < needed) return QStringLiteral("brak miejsca na dysku");
    if (!QFileInfo(directory).isWritable()) return QStringLiteral("brak uprawnień do zapisu w tym folderze");
    // Qt's "unknown error" says nothing about where to look.
    if (systemReason.isEmpty() || systemReason.contains(QStringLiteral("Unknown"), Qt::CaseInsensitive) ||
        systemReason.contains(QStringLiteral("Nieznany"), Qt::CaseInsensitive))
        return QStringLiteral("nie można zapisać pliku w tym folderze");
    return systemReason;
}
