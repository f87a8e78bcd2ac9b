#pragma once
// What every window test starts from: the process-wide objects with scripted
// prompts and a virtual clock, a simulated register that can be attached as a
// COM port, and a window's controls found by their names.
#include <QWidget>
#include <memory>
#include <stdexcept>

#include "support/simharness.h"
#include "support/testsupport.h"

class GuiFixture {
public:
    TestServices t;

    // A simulated register on COMn with the port opened on it; the mode becomes
    // online (register-only without a database). The register lives as long as
    // the fixture.
    SimHarness& Connect(int port = 1);
    SimHarness& Register() { return *sim_; }

    // The window's control of that name; a missing one fails the test.
    template <class T = QWidget>
    static T* Control(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QLatin1String(name));
        if (!found) throw std::runtime_error(std::string("no control named ") + name);
        return found;
    }

    // With TUVO_SHOTS_DIR set, a picture of the window as it is now, to look at.
    static void KeepShot(QWidget* window, const QString& name);

private:
    std::unique_ptr<SimHarness> sim_;
};
