#pragma once
// Database files (.zkf): image bytes 0-204999 with the format magic in bytes 0-15.
// Version 1 files have 67-byte goods records; they are converted when read.
#include <QByteArray>
#include <QString>

class WorkImage;

constexpr const char* kServiceDatabaseTag = "BAZA WARSZTATU";

struct LoadedDatabase {
    QByteArray image;  // 205000 bytes for image offsets 0-204999
    bool version1 = false;
    bool service = false;
};

// Reads and checks the whole file before anything is touched. Empty error on
// success; otherwise a message for the user.
LoadedDatabase ReadDatabaseFile(const QString& path, QString* error);
// The 205000 bytes of a version 2 file from a version 1 file's bytes.
QByteArray ConvertVersion1(const QByteArray& file);

enum class SaveResult { Saved, TargetUnusable, WriteFailed };
// Writes the image as a version 2 file: the whole new file beside the target, then
// renamed over it, so the target is either the old file or the new one. Bytes the
// target holds behind offset 204999 are carried over.
SaveResult WriteDatabaseFile(WorkImage& image, const QString& path);

// Replaces the working image file by `head` followed by what the file now holds
// behind head's end, in one rename, and reopens the stream on it.
bool ReplaceWorkingImage(WorkImage& image, const QString& path, const QByteArray& head);
