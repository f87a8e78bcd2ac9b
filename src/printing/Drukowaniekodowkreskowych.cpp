#include "printing/Drukowaniekodowkreskowych.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "common/numbers.h"
#include "common/prompts.h"
#include "common/text.h"
#include "goods/goodstable.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "printing/Printer.h"
#include "printing/barcodesheet.h"
#include "common/Checklist.h"

using namespace layout;

TDrukowanieKodowKreskowych::TDrukowanieKodowKreskowych(Services& services, QWidget* parent)
    : TForm(services, parent) {
    setObjectName(QStringLiteral("TDrukowanieKodowKreskowych"));
    setWindowTitle(QStringLiteral("Drukowanie kodów kreskowych"));
    resize(560, 640);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Drukowanie tablicy kodów kreskowych")));
    outer->addWidget(new QLabel(QStringLiteral("Zaznacz towary, dla których chcesz \nwydrukować kody kreskowe"), this));
    CheckListBox1 = CheckList(this, "CheckListBox1", QStringLiteral("Towary"));
    auto* heading = new QLabel(QStringLiteral("%1%2%3").arg(QStringLiteral("Numer"), -6).arg(QStringLiteral("Nazwa"), -22).arg(QStringLiteral("Cena"), 9), this);
    heading->setFont(CheckListBox1->font());
    heading->setContentsMargins(28, 0, 0, 0);
    heading->setBuddy(CheckListBox1);
    outer->addWidget(heading);
    outer->addWidget(CheckListBox1, 1);
    Label6 = Named(new QLabel(this), "Label6");
    outer->addWidget(Label6);
    auto* height = new QHBoxLayout;
    TrackBar1 = Named(new QSlider(Qt::Horizontal, this), "TrackBar1");
    TrackBar1->setRange(5, 70);
    TrackBar1->setSingleStep(5);
    TrackBar1->setPageStep(5);
    TrackBar1->setTickInterval(5);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    Label3 = Named(new QLabel(this), "Label3");
    height->addWidget(Caption(QStringLiteral("Wysokość kodu kreskowego:"), TrackBar1));
    height->addWidget(TrackBar1, 1);
    height->addWidget(Label3);
    outer->addLayout(height);
    auto* buttons = new QHBoxLayout;
    BitBtn2 = Named(new QPushButton(QStringLiteral("&Zaznacz/odznacz wszystko"), this), "BitBtn2");
    BitBtn1 = Named(new QPushButton(QStringLiteral("   &Drukuj tablicę kodów kreskowych"), this), "BitBtn1");
    BitBtn6 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn6");
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn6);
    outer->addLayout(buttons);

    connect(TrackBar1, &QSlider::valueChanged, this, [this](int mm) {
        barHeight = mm;
        rowHeight = mm + 15;
        Label3->setText(QString::number(mm) + QStringLiteral(" mm"));
    });
    connect(CheckListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        Label6->setText(QStringLiteral("Kod towaru: ") +
                        QString::fromLatin1(s_.image.ReadBytesAt(kGoods.Offset(item->data(Qt::UserRole).toInt()) + goods::kBarcode,
                                                                 goods::kBarcodeWidth)));
    });
    connect(CheckListBox1, &QListWidget::itemDoubleClicked, this, [](QListWidgetItem* item) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < CheckListBox1->count(); ++i)
            CheckListBox1->item(i)->setCheckState(tickAll_ ? Qt::Checked : Qt::Unchecked);
        tickAll_ = !tickAll_;
    });
    connect(BitBtn1, &QPushButton::clicked, this, &TDrukowanieKodowKreskowych::BitBtn1Click);
    connect(BitBtn6, &QPushButton::clicked, this, &QDialog::close);
}

void TDrukowanieKodowKreskowych::FormShow() {
    CheckListBox1->setUpdatesEnabled(false);
    CheckListBox1->clear();
    for (const GoodsChoice& g : GoodsChoiceLines(s_.image)) AddChecked(CheckListBox1, g.line, g.number);
    CheckListBox1->setUpdatesEnabled(true);
    Label6->clear();
    tickAll_ = true;
    TrackBar1->setValue(20);
    barHeight = 20;
    rowHeight = 35;
    Label3->setText(QStringLiteral("20 mm"));
}

void TDrukowanieKodowKreskowych::BitBtn1Click() {
    QList<BarcodeItem> items;
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        if (CheckListBox1->item(i)->checkState() != Qt::Checked) continue;
        const int n = RowRecord(CheckListBox1, i);
        const QByteArray rec = s_.image.ReadBytesAt(kGoods.Offset(n), kGoods.recordSize);
        items << BarcodeItem{rec.mid(goods::kBarcode, goods::kBarcodeWidth),
                             FromCp1250Field(rec.constData() + goods::kName, goods::kNameWidth)};
    }
    if (items.isEmpty()) {
        s_.prompts.Message(QStringLiteral("Brak zaznaczonych towarów do wydrukowania"));
        return;
    }
    const int height = barHeight;
    PrintListPages(s_.prompts, ListFont::Regular,
                   [items, height](const PageMetrics& m) { return LayoutBarcodeSheet(items, height, m); });
}
