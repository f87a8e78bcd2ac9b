#pragma once
// The database the user works on, as a document: made new, opened from a file,
// saved to one, and the question before unsaved changes would be dropped. The
// main window, closing the program and the register-to-PC copy all go through
// here. No widgets: questions and file dialogs go through Prompts.
#include <QString>

#include "common/services.h"

class DatabaseDocument {
public:
    explicit DatabaseDocument(Services& services) : s_(services) {}

    // Before the open database is dropped: nothing to ask when it has no unsaved
    // changes; otherwise "Tak" saves (and a save that did not happen keeps it),
    // "Nie" drops the changes. False: the caller keeps the database and stops.
    bool AskToSaveChanges();
    // Asks where and writes the file; true only when it was written.
    bool Save();
    // Asks for a file and makes it the working database; true when it was
    // opened. `service` tells a service database.
    bool Open(bool* service = nullptr);
    // A fresh image with the given name and record currency, to be saved.
    bool CreateNew(const QString& name, const QString& currencySymbol);

private:
    Services& s_;
};
