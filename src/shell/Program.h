#pragma once
// The program's start: one instance, the splash, the translations, every window
// created once in the program's order, then the message loop.
#include <memory>

#include "common/appstate.h"
#include "common/services.h"
#include "image/workimage.h"
#include "link/registerlink.h"
#include "shell/Forms.h"
#include "shell/instancelock.h"

class TMenuGlowne;

class Program {
public:
    Program(Prompts& prompts, Clock& clock);
    ~Program();
    // False when another instance runs (the user has been told); no window exists then.
    bool Start(const QString& lockPath = InstanceLock::DefaultPath());
    int Exec();

    WorkImage image;
    RegisterLink link;
    AppState app;
    Services services;
    FormRegistry forms;
    std::unique_ptr<TMenuGlowne> mainWindow;

private:
    InstanceLock lock_;
};
