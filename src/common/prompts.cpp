#include "common/prompts.h"

#include <QFileInfo>

QString WithDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || extension.isEmpty()) return path;
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    QString ext = extension;
    if (!ext.startsWith(QLatin1Char('.'))) ext.prepend(QLatin1Char('.'));
    return path + ext;
}
