#pragma once
// The one read/write stream on the working image file BDTemp.bdt. It has a single
// position shared by reads and writes ("next" operations continue where the last
// access ended) and a failed state that writers test before writing.
//
// Reads are served from a copy of the file kept in step with it; every write goes
// to the file at once, so the working file is always current and no operation
// makes a system call per byte.
#include <QByteArray>
#include <QString>
#include <cstdint>

class WorkImage {
public:
    WorkImage() = default;
    ~WorkImage();
    WorkImage(const WorkImage&) = delete;
    WorkImage& operator=(const WorkImage&) = delete;

    // Opens (creating when missing, never truncating) the file; false and the failed
    // state when it cannot be opened.
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // Open and not failed: what the editors test before writing.
    bool Usable() const { return fd_ >= 0 && !failed_; }
    bool Failed() const { return failed_; }
    QString Path() const { return path_; }
    qint64 Size() const { return data_.size(); }
    qint64 Position() const { return pos_; }
    void Seek(qint64 offset) { pos_ = offset; }

    uint8_t ReadByteAt(qint64 offset);
    uint8_t ReadNextByte();
    // n bytes (n <= 252) as text ending at the first 0x00 byte.
    QString ReadTextAt(qint64 offset, int n);
    QString ReadNextText(int n);
    QByteArray ReadBytesAt(qint64 offset, int n);  // raw; zero bytes beyond the end
    QByteArray ReadNextBytes(int n);
    uint16_t ReadWordAt(qint64 offset);   // little-endian
    uint32_t ReadLongAt(qint64 offset);   // little-endian

    bool WriteByteAt(qint64 offset, uint8_t value);
    bool WriteNextByte(uint8_t value);
    // All characters of the text, no padding (cut to `limit` bytes when given).
    bool WriteTextAt(qint64 offset, const QString& text, int limit = -1);
    // The text cut to width, then pad bytes up to width.
    bool WritePaddedTextAt(qint64 offset, const QString& text, uint8_t pad, int width);
    bool WritePaddedText(const QString& text, uint8_t pad, int width);
    bool WriteBytesAt(qint64 offset, const QByteArray& bytes);
    bool WriteNextBytes(const QByteArray& bytes);
    bool WriteWordAt(qint64 offset, uint16_t value);
    bool WriteLongAt(qint64 offset, uint32_t value);
    bool ClearBytes(qint64 offset, int count);

private:
    bool Write(qint64 offset, const char* bytes, qint64 n);

    int fd_ = -1;
    bool failed_ = false;
    qint64 pos_ = 0;
    QString path_;
    QByteArray data_;
};

// Where the working image lives: $TEMP when it names an existing directory,
// otherwise $HOME/Tuvo_Tmp (created with its parents when missing).
QString TemporaryDirectory();
QString WorkingImagePath();
// Why a file of `needed` bytes could not be written in `directory`, in words
// that point at the folder: no room, no permission, or the system's reason.
QString WriteProblem(const QString& directory, qint64 needed, const QString& systemReason);
