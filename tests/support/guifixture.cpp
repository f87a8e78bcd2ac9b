#include "support/guifixture.h"

#include <QtTest>

SimHarness& GuiFixture::Connect(int port) {
    sim_ = std::make_unique<SimHarness>(port);
    Choose(t.link, [&](PortSettings& s) { s.port = port; });
    if (t.link.OpenRegisterPort(true) != 0) throw std::runtime_error("the simulated register's port does not open");
    t.app.PortOpened();
    return *sim_;
}

void GuiFixture::KeepShot(QWidget* window, const QString& name) {
    const QString shots = qEnvironmentVariable("TUVO_SHOTS_DIR");
    if (!shots.isEmpty()) QCoreApplication::processEvents();
    if (!shots.isEmpty()) window->grab().save(shots + QLatin1Char('/') + name + QStringLiteral(".png"));
}
