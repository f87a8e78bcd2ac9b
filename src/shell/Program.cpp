#include "shell/Program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "common/prompts.h"
#include "link/Czekajrs.h"
#include "shell/Artwork.h"
#include "shell/Menuglowne.h"
#include "shell/Uruchamianie.h"

Program::Program(Prompts& prompts, Clock& clock)
    : link(prompts, clock), services{image, link, app, prompts, clock} {
    FollowLink(link, app);
}

Program::~Program() {
    mainWindow.reset();
    link.ClosePort();
}

bool Program::Start(const QString& lockPath) {
    if (!lock_.Acquire(lockPath)) {
        services.prompts.Message(QStringLiteral("Błąd! Próbujesz uruchomić program, który już działa. "));
        return false;
    }
    auto splash = std::make_unique<TUruchamianie>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    QApplication::setApplicationName(QStringLiteral("Zelk Tuvo"));
    QApplication::setWindowIcon(ApplicationIcon());
    // Qt's own dialogs and buttons in Polish.
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    mainWindow = std::make_unique<TMenuGlowne>(services, forms);
    CreateForms(services, forms, mainWindow.get());
    mainWindow->FormsCreated();
    // A write held up by the line waits in the wait dialog.
    link.SetLineWait([this] {
        auto* wait = forms.Get<TCzekajNaRS>(QStringLiteral("TCzekajNaRS"));
        return wait && wait->exec() == QDialog::Accepted;
    });
    splash.reset();
    return true;
}

int Program::Exec() {
    mainWindow->show();
    return QApplication::exec();
}
