#include "common/options.h"

#include <QSettings>

#include "common/appstate.h"

namespace {
QString OptionsPath(const QString& directory) { return directory + QStringLiteral("/opcje.ini"); }
const QString kFastSending = QStringLiteral("Transmisja/SzybkieWysylanie");
}  // namespace

void LoadOptions(AppState& app, const QString& directory) {
    const QSettings ini(OptionsPath(directory), QSettings::IniFormat);
    app.fastSending = ini.value(kFastSending, false).toBool();
}

bool SaveOptions(const AppState& app, const QString& directory) {
    QSettings ini(OptionsPath(directory), QSettings::IniFormat);
    ini.setValue(kFastSending, app.fastSending);
    ini.sync();
    return ini.status() == QSettings::NoError;
}
