#include "exchange/Eksportbazy.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/files.h"
#include "common/prompts.h"
#include "exchange/csvtables.h"

namespace {
FileDialogSpec CsvDialog(const QString& title) {
    FileDialogSpec d;
    d.title = title;
    d.filter = QStringLiteral("Pliki CSV (*.csv)|*.csv");
    d.defaultExtension = QStringLiteral(".csv");
    return d;
}
}  // namespace

TEksportBazy::TEksportBazy(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TEksportBazy"));
    setWindowTitle(QStringLiteral("Eksport bazy danych"));
    auto* outer = new QVBoxLayout(this);
    Label3 = Named(HeadingLabel(QStringLiteral("Eksport bazy do pliku CSV")), "Label3");
    outer->addWidget(Label3);

    Panel1 = Named(new QFrame(this), "Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* exportBox = new QVBoxLayout(Panel1);
    ComboBox1 = Named(new QComboBox(Panel1), "ComboBox1");
    for (const CsvTableInfo& t : CsvTables()) ComboBox1->addItem(t.item);
    exportBox->addWidget(Caption(QStringLiteral("Wybierz bazę, którą chcesz wyeksportować:"), ComboBox1, "Label1"));
    exportBox->addWidget(ComboBox1);
    // Windows-1250 as the register's own programs write it, or UTF-8 for today's
    // spreadsheets; import reads both.
    ComboBox2 = Named(new QComboBox(Panel1), "ComboBox2");
    ComboBox2->addItems({QStringLiteral("Windows-1250"), QStringLiteral("UTF-8")});
    auto* encoding = new QHBoxLayout;
    encoding->addWidget(Caption(QStringLiteral("Kodowanie:"), ComboBox2, "Label6"));
    encoding->addWidget(ComboBox2);
    encoding->addStretch();
    exportBox->addLayout(encoding);
    Button1 = Named(new QPushButton(QStringLiteral("&Eksportuj bazę"), Panel1), "Button1");
    Label5 = Named(new QLabel(Panel1), "Label5");
    auto* exportRow = new QHBoxLayout;
    exportRow->addWidget(Button1);
    exportRow->addWidget(Label5, 1);
    exportBox->addLayout(exportRow);
    outer->addWidget(Panel1);

    Panel2 = Named(new QFrame(this), "Panel2");
    Panel2->setFrameShape(QFrame::StyledPanel);
    auto* importRow = new QHBoxLayout(Panel2);
    BitBtn1 = Named(new QPushButton(QStringLiteral("&Importuj bazę"), Panel2), "BitBtn1");
    Label2 = Named(new QLabel(Panel2), "Label2");
    importRow->addWidget(BitBtn1);
    importRow->addWidget(Label2, 1);
    outer->addWidget(Panel2);
    for (QLabel* l : {Label5, Label2}) l->setMinimumWidth(l->fontMetrics().horizontalAdvance(
                                            QStringLiteral("Wyeksportowano bazę rabatów/narzutów")));

    connect(Button1, &QPushButton::clicked, this, &TEksportBazy::ExportTableToCsv);
    connect(BitBtn1, &QPushButton::clicked, this, &TEksportBazy::ImportTableFromCsv);
}

void TEksportBazy::FormShow() {
    Label5->clear();
    Label2->clear();
}

void TEksportBazy::ExportTableToCsv() {
    Label5->clear();
    Label2->clear();
    const CsvTableInfo& table = CsvTables().value(qMax(ComboBox1->currentIndex(), 0));
    FileDialogSpec dialog = CsvDialog(QStringLiteral("Eksportuj bazę"));
    dialog.fileName = DefaultExportName(s_.app.databaseName, table.id);
    const QString path = s_.prompts.SaveFileName(dialog);
    if (path.isEmpty()) return;
    if (!ReplaceConfirmed(s_.prompts, QFileInfo(path).absoluteFilePath())) return;
    // The new file replaces the old one whole, or the old one stays as it was.
    const QByteArray text =
        ComboBox2->currentIndex() == 1 ? ExportCsvUtf8(s_.image, table.id) : ExportCsv(s_.image, table.id);
    if (!WriteWholeFile(path, text)) {
        s_.prompts.Message(QStringLiteral("Wystąpił błąd zapisu"));
        return;
    }
    Label5->setText(table.exportDone);
}

void TEksportBazy::ImportTableFromCsv() {
    Label5->clear();
    Label2->clear();
    const QString path = s_.prompts.OpenFileName(CsvDialog(QStringLiteral("Importuj bazę")));
    if (path.isEmpty()) return;
    QByteArray bytes;
    {
        QFile file(path);  // closed here, whatever the import finds
        if (!file.open(QIODevice::ReadOnly)) {
            s_.prompts.Message(QStringLiteral("Nie mogę otworzyć pliku ") + path + QStringLiteral("."));
            return;
        }
        bytes = file.readAll();
    }
    const ImportOutcome out = ImportCsv(s_.image, bytes);
    if (!out.table) return;  // not one of our tables: nothing done
    if (!out.error.isEmpty()) {
        s_.prompts.Message(out.error);
        return;
    }
    if (out.written > 0) s_.app.databaseModified = true;
    Label2->setText(CsvTableInfoOf(*out.table).importDone);
}
