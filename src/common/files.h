#pragma once
// Files written whole: the new content goes to a file beside the target, which
// is renamed over it only when complete, so the target is always either the old
// file or the new one.
#include <QByteArray>
#include <QString>

bool WriteWholeFile(const QString& path, const QByteArray& bytes);
