#include "common/files.h"

#include <QFileInfo>
#include <QSaveFile>

#include "common/prompts.h"

bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool ReplaceConfirmed(Prompts& prompts, const QString& path) {
    return !QFileInfo::exists(path) ||
           prompts.Ask(QStringLiteral("Plik ") + path + QStringLiteral(" już istnieje. Kontynuować? "),
                       PromptButtons::YesNo, PromptIcon::Warning) == PromptAnswer::Yes;
}
