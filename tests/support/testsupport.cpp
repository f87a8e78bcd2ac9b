#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "image/imagestore.h"

void ScriptedPrompts::Message(const QString& text, const QString& title, PromptIcon icon) {
    Shown s{QStringLiteral("message"), text, title, PromptButtons::Ok, icon};
    shown.append(s);
    if (onShow) onShow(s);
}

PromptAnswer ScriptedPrompts::Ask(const QString& text, PromptButtons buttons, PromptIcon icon,
                                  const QString& title) {
    Shown s{QStringLiteral("ask"), text, title, buttons, icon};
    shown.append(s);
    if (onShow) onShow(s);
    if (answers.empty()) return defaultAnswer;
    const PromptAnswer a = answers.front();
    answers.pop_front();
    return a;
}

QString ScriptedPrompts::OpenFileName(const FileDialogSpec& dialog) {
    shown.append({QStringLiteral("open"), dialog.title, QString()});
    dialogs.append(dialog);
    if (fileNames.empty()) return QString();
    const QString f = fileNames.front();
    fileNames.pop_front();
    return f;
}

QString ScriptedPrompts::SaveFileName(const FileDialogSpec& dialog) {
    shown.append({QStringLiteral("save"), dialog.title, QString()});
    dialogs.append(dialog);
    if (fileNames.empty()) return QString();
    const QString f = fileNames.front();
    fileNames.pop_front();
    return WithDefaultExtension(f, dialog.defaultExtension);
}

bool ScriptedPrompts::ChoosePrinter(QPrinter* printer) {
    shown.append({QStringLiteral("print"), QString(), QString()});
    return printerSetup ? printerSetup(printer) : false;
}

bool ScriptedPrompts::ChooseColour(unsigned& rgb) {
    shown.append({QStringLiteral("colour"), QString(), QString()});
    if (colours.empty()) return false;
    rgb = colours.front();
    colours.pop_front();
    return true;
}

QStringList ScriptedPrompts::Texts() const {
    QStringList out;
    for (const Shown& s : shown)
        if (s.kind == QLatin1String("message") || s.kind == QLatin1String("ask")) out << s.text;
    return out;
}

VirtualClock::VirtualClock() : start(QDate(2026, 12, 10), QTime(12, 0, 0)) {}

void VirtualClock::Sleep(int ms) {
    pauses.append(ms);
    slept += ms;
    if (onSleep) onSleep(ms);
}

QDateTime VirtualClock::Now() const { return start.addMSecs(slept); }

TempEnvironment::TempEnvironment() : oldTemp_(qgetenv("TEMP")), hadTemp_(qEnvironmentVariableIsSet("TEMP")) {
    qputenv("TEMP", QFile::encodeName(dir_.path()));
}

TempEnvironment::~TempEnvironment() {
    if (hadTemp_) qputenv("TEMP", oldTemp_);
    else qunsetenv("TEMP");
}

QByteArray ReadFileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes) == bytes.size();
}

QByteArray Hex(const char* spaced) { return QByteArray::fromHex(QByteArray(spaced).replace(' ', "")); }

TestServices::TestServices() {
    FollowLink(link, app);
    CreateDatabaseImage(image, 1, app.recordCurrencySymbol);
    app.workMode = ModeOffline;
    app.databaseName = QStringLiteral("Bez nazwy");
    app.startDirectory = QDir::currentPath();
    app.historyDirectory = work.path();
}

TestServices::~TestServices() {
    link.ClosePort();
    image.Close();
}

int PdfPages(const QString& path) {
    auto it = QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")).globalMatch(QString::fromLatin1(ReadFileBytes(path)));
    int n = 0;
    while (it.hasNext()) it.next(), ++n;
    return n;
}

bool SendOver(RegisterLink& link, const std::optional<Frame>& frame) { return frame && link.Send(*frame); }

bool SendStored(RegisterLink& link, WorkImage& image, RecordTable table, uint16_t number, int record, uint8_t confirm) {
    return SendOver(link, RecordFrame(table, number, record, StoredRecord(image, table, record), confirm));
}
