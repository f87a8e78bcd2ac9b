#include "shell/databasedocument.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "common/appstate.h"
#include "common/files.h"
#include "common/prompts.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "shell/databasefile.h"

bool DatabaseDocument::AskToSaveChanges() {
    if (!s_.app.DatabaseLoaded() || !s_.app.databaseModified) return true;
    const PromptAnswer a =
        s_.prompts.Ask(QStringLiteral("Czy chcesz zapisać zmiany w aktualnie edytowanej bazie?"),
                       PromptButtons::YesNoCancel, PromptIcon::Question, QStringLiteral("Zelk Tuvo"));
    if (a == PromptAnswer::Cancel) return false;
    // A save the user cancelled or that failed must not drop the changes.
    if (a == PromptAnswer::Yes) return Save();
    return true;
}

bool DatabaseDocument::Save() {
    FileDialogSpec request;
    request.title = QStringLiteral("Zapisz bazę danych do pliku");
    request.filter = QStringLiteral("Baza danych Zelk Tuvo (*.zkf)|*.zkf");
    request.defaultExtension = QStringLiteral(".zkf");
    request.fileName = s_.app.databaseName;
    const QString path = s_.prompts.SaveFileName(request);
    if (path.isEmpty()) return false;
    if (!ReplaceConfirmed(s_.prompts, path)) return false;
    if (!s_.image.Usable()) {
        s_.prompts.Message(QStringLiteral("Plik z bazą nie jest otwarty."));
        s_.app.DatabaseLost();
        return false;
    }
    switch (WriteDatabaseFile(s_.image, path)) {
        case SaveResult::TargetUnusable:
            s_.prompts.Message(QStringLiteral("Nie mogę otworzyć pliku docelowego"));
            return false;
        case SaveResult::WriteFailed:
            s_.prompts.Message(QStringLiteral("Wystąpił błąd zapisu"));
            return false;
        case SaveResult::Saved: break;
    }
    s_.prompts.Message(QStringLiteral("Zapisano plik ") + path);
    s_.app.databaseName = QFileInfo(path).fileName();
    s_.app.databaseModified = false;
    ++s_.app.imageGeneration;
    return true;
}

bool DatabaseDocument::Open(bool* service) {
    FileDialogSpec request;
    request.filter = QStringLiteral("Plik bazy danych (*.zkf)|*.zkf");
    request.defaultExtension = QStringLiteral(".zkf");
    const QString path = s_.prompts.OpenFileName(request);
    if (path.isEmpty()) return false;
    // The whole file is read and checked before the image is touched.
    QString error;
    const LoadedDatabase db = ReadDatabaseFile(path, &error);
    if (!error.isEmpty()) {
        s_.prompts.Message(error);
        return false;
    }
    if (!ReplaceWorkingImage(s_.image, WorkingImagePath(), db.image)) {
        // The file was fine: the working folder could not take it.
        const QString folder = TemporaryDirectory();
        s_.prompts.Message(QStringLiteral("Nie mogę zapisać roboczej bazy danych w ") + QDir::toNativeSeparators(folder) +
                           QStringLiteral(": ") + WriteProblem(folder, db.image.size(), QString()) +
                           QStringLiteral(". Plik bazy nie został otwarty."));
        if (!s_.image.IsOpen()) s_.image.Open(WorkingImagePath());
        return false;
    }
    s_.app.databaseName = QFileInfo(path).fileName();
    ++s_.app.imageGeneration;
    s_.app.DatabaseCreated();
    s_.app.databaseModified = false;
    const QByteArray symbol = db.image.mid(layout::kRecordCurrency, 3);
    if (std::all_of(symbol.begin(), symbol.end(), [](char c) { return uint8_t(c) >= 0x20 && c != 0x7F; }))
        s_.app.recordCurrencySymbol = QString::fromLatin1(symbol);
    if (service) *service = db.service;
    return true;
}

bool DatabaseDocument::CreateNew(const QString& name, const QString& currencySymbol) {
    QString error;
    if (CreateDatabaseImage(s_.image, 1, currencySymbol, &error) != 0) {
        // The database open before stays open.
        s_.prompts.Message(QStringLiteral("Nie udało się utworzyć nowej bazy\n") + error);
        return false;
    }
    s_.app.recordCurrencySymbol = currencySymbol;
    s_.app.databaseName = name;
    ++s_.app.imageGeneration;
    s_.app.DatabaseCreated();
    s_.app.databaseModified = true;
    return true;
}
