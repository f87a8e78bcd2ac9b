#include "common/Qtprompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QString Title(const QString& title) { return title.isEmpty() ? QStringLiteral("Zelk Tuvo") : title; }

QMessageBox::Icon BoxIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information: return QMessageBox::Information;
        case PromptIcon::Warning: return QMessageBox::Warning;
        case PromptIcon::Error: return QMessageBox::Critical;
        case PromptIcon::Question: return QMessageBox::Question;
        case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString StartDirectory(const FileDialogSpec& request) {
    const QString dir = request.directory.isEmpty() ? QDir::currentPath() : request.directory;
    return request.fileName.isEmpty() ? dir : dir + QLatin1Char('/') + request.fileName;
}

// A box is never taller than the screen: a long text shows its first lines, and
// the whole of it is under "Show Details...".
constexpr int kBoxLines = 24;
void SetBoxText(QMessageBox& box, const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() <= kBoxLines) {
        box.setText(text);
        return;
    }
    box.setText(lines.mid(0, kBoxLines - 1).join(QLatin1Char('\n')) +
                QStringLiteral("\n… (jeszcze %1 wierszy)").arg(lines.size() - kBoxLines + 1));
    box.setDetailedText(text);
}

}  // namespace

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren >= 0) name = name.left(paren);
        // Patterns in both cases: the file system here tells them apart.
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'))) patterns << p.toLower() << p.toUpper();
        patterns.removeDuplicates();
        out << QStringLiteral("%1 (%2)").arg(name.trimmed(), patterns.join(QLatin1Char(' ')));
    }
    return out.join(QStringLiteral(";;"));
}

void QtPrompts::Message(const QString& text, const QString& title, PromptIcon icon) {
    QMessageBox box(BoxIcon(icon), Title(title), QString(), QMessageBox::Ok, QApplication::activeWindow());
    SetBoxText(box, text);
    box.exec();
}

PromptAnswer QtPrompts::Ask(const QString& text, PromptButtons buttons, PromptIcon icon, const QString& title) {
    QMessageBox::StandardButtons b = QMessageBox::Ok;
    if (buttons == PromptButtons::YesNo) b = QMessageBox::Yes | QMessageBox::No;
    if (buttons == PromptButtons::YesNoCancel) b = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(BoxIcon(icon), Title(title), QString(), b, QApplication::activeWindow());
    SetBoxText(box, text);
    switch (box.exec()) {
        case QMessageBox::Yes: return PromptAnswer::Yes;
        case QMessageBox::No: return PromptAnswer::No;
        case QMessageBox::Cancel: return PromptAnswer::Cancel;
        case QMessageBox::Ok: return PromptAnswer::Ok;
        default: return buttons == PromptButtons::YesNoCancel ? PromptAnswer::Cancel : PromptAnswer::No;
    }
}

QString QtPrompts::OpenFileName(const FileDialogSpec& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, StartDirectory(request), QtFileFilter(request.filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    QString ext = request.defaultExtension;
    if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    dialog.setDefaultSuffix(ext);  // a name typed without it finds the file with it
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtPrompts::SaveFileName(const FileDialogSpec& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, StartDirectory(request), QtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks about overwriting itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QString ext = request.defaultExtension;
    if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    dialog.setDefaultSuffix(ext);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return WithDefaultExtension(dialog.selectedFiles().constFirst(), request.defaultExtension);
}

bool QtPrompts::ChoosePrinter(QPrinter* printer) {
    // The file last printed into is offered again for the rest of the run.
    if (!lastOutputFile_.isEmpty()) printer->setOutputFileName(lastOutputFile_);
    QPrintDialog request(printer, QApplication::activeWindow());
    if (request.exec() != QDialog::Accepted) return false;
    if (!printer->outputFileName().isEmpty()) lastOutputFile_ = printer->outputFileName();
    return true;
}

bool QtPrompts::ChooseColour(unsigned& rgb) {
    const QColor c = QColorDialog::getColor(QColor::fromRgb(rgb), QApplication::activeWindow());
    if (!c.isValid()) return false;
    rgb = c.rgb() & 0xFFFFFF;
    return true;
}
