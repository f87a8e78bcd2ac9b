#include "keys/Klawiszeszybkie.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/prompts.h"
#include "goods/goodstable.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "keys/keysend.h"
#include "keys/quickkeys.h"
#include "link/frames.h"
#include "link/registerlink.h"

using namespace layout;

QString TProgramowanieKlawiszySzybkich2::GoodsMime() { return QStringLiteral("application/x-zelk-tuvo-goods"); }
QString TProgramowanieKlawiszySzybkich2::EntryMime() { return QStringLiteral("application/x-zelk-tuvo-quickkey"); }

QuickKeyList::QuickKeyList(TProgramowanieKlawiszySzybkich2* board, int k, QWidget* parent)
    : QListWidget(parent), key(k), board_(board) {
    setAcceptDrops(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    viewport()->setAcceptDrops(true);
}

void QuickKeyList::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(TProgramowanieKlawiszySzybkich2::GoodsMime())) event->acceptProposedAction();
    else event->ignore();
}

void QuickKeyList::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(TProgramowanieKlawiszySzybkich2::GoodsMime())) event->acceptProposedAction();
    else event->ignore();
}

void QuickKeyList::dropEvent(QDropEvent* event) {
    const QByteArray goods = event->mimeData()->data(TProgramowanieKlawiszySzybkich2::GoodsMime());
    if (goods.isEmpty()) return event->ignore();
    event->acceptProposedAction();
    board_->GoodsDropped(goods.toInt(), key);
}

void QuickKeyList::startDrag(Qt::DropActions) {
    QListWidgetItem* item = currentItem();
    if (!item) return;
    auto* mime = new QMimeData;
    mime->setData(TProgramowanieKlawiszySzybkich2::EntryMime(),
                  QByteArray::number(key) + ',' + QByteArray::number(item->data(Qt::UserRole).toInt()));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction);
}

GoodsDragList::GoodsDragList(TProgramowanieKlawiszySzybkich2* board, QWidget* parent)
    : QListWidget(parent), board_(board) {
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
}

void GoodsDragList::startDrag(Qt::DropActions) {
    QListWidgetItem* item = currentItem();
    if (!item) return;
    auto* mime = new QMimeData;
    mime->setData(TProgramowanieKlawiszySzybkich2::GoodsMime(), QByteArray::number(item->data(Qt::UserRole).toInt()));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    // Dropped on no key: the quantity field is still put right.
    if (drag->exec(Qt::CopyAction) == Qt::IgnoreAction) board_->GoodsDropped(0, 0);
}

QuickKeyBin::QuickKeyBin(TProgramowanieKlawiszySzybkich2* board, QWidget* parent) : QLabel(parent), board_(board) {
    setAcceptDrops(true);
    setPixmap(style()->standardIcon(QStyle::SP_TrashIcon).pixmap(48, 48));
    setAccessibleName(QStringLiteral("Kosz"));
}

void QuickKeyBin::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(TProgramowanieKlawiszySzybkich2::EntryMime())) event->acceptProposedAction();
    else event->ignore();
}

void QuickKeyBin::dropEvent(QDropEvent* event) {
    const QList<QByteArray> parts = event->mimeData()->data(TProgramowanieKlawiszySzybkich2::EntryMime()).split(',');
    if (parts.size() != 2) return event->ignore();
    event->acceptProposedAction();
    board_->EntryBinned(parts[0].toInt(), parts[1].toInt());
}

TProgramowanieKlawiszySzybkich2::TProgramowanieKlawiszySzybkich2(Services& services, QWidget* parent)
    : TForm(services, parent) {
    setObjectName(QStringLiteral("TProgramowanieKlawiszySzybkich2"));
    setWindowTitle(QStringLiteral("Programowanie klawiszy szybkich"));
    auto* outer = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    outer->addLayout(left);
    ListBox1 = new GoodsDragList(this, this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    QFont fixed(QStringLiteral("Courier New"), 9);
    fixed.setStyleHint(QFont::TypeWriter);
    ListBox1->setFont(fixed);
    ListBox1->setAccessibleName(QStringLiteral("Baza towarowa PC"));
    auto* title = new QLabel(QStringLiteral("Baza towarowa PC"), this);
    title->setBuddy(ListBox1);
    auto* columns = new QLabel(QStringLiteral("%1%2%3").arg(QStringLiteral("Numer"), -6).arg(QStringLiteral("Nazwa"), -22).arg(QStringLiteral("Cena"), 9), this);
    columns->setFont(ListBox1->font());
    left->addWidget(title);
    left->addWidget(columns);
    left->addWidget(ListBox1, 1);
    ListBox1->setMinimumWidth(QFontMetrics(ListBox1->font()).horizontalAdvance(QString(42, QLatin1Char('W'))));

    auto* right = new QVBoxLayout;
    outer->addLayout(right, 1);
    auto* top = new QHBoxLayout;
    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    Edit1 = Named(new QLineEdit(QStringLiteral("1,0000"), this), "Edit1");
    Edit1->setMaxLength(9);
    Edit1->setMaximumWidth(90);
    top->addWidget(Caption(QStringLiteral("Kasjer:"), ComboBox1));
    top->addWidget(ComboBox1, 1);
    top->addWidget(Caption(QStringLiteral("Dodawana ilość:"), Edit1));
    top->addWidget(Edit1);
    right->addLayout(top);
    auto* grid = new QGridLayout;
    KeyMenu = new QMenu(this);
    KeyMenu->setObjectName(QStringLiteral("KeyMenu"));
    QAction* sendOne = KeyMenu->addAction(QStringLiteral("Wyślij do kasy"));
    for (int k = 1; k <= 10; ++k) {
        auto* list = new QuickKeyList(this, k, this);
        list->setObjectName(QStringLiteral("ListBoxF%1").arg(k));
        list->setAccessibleName(QStringLiteral("F%1").arg(k));
        list->setFont(ListBox1->font());
        list->setMinimumHeight(QFontMetrics(list->font()).lineSpacing() * 5 + 8);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, k, list](const QPoint& at) {
            menuKey_ = k;
            KeyMenu->popup(list->mapToGlobal(at));
        });
        auto* ends = new QCheckBox(QStringLiteral("Kończenie paragonu"), this);
        ends->setObjectName(QStringLiteral("KonczenieParagonuF%1").arg(k));
        ends->setAccessibleName(QStringLiteral("Kończenie paragonu F%1").arg(k));
        connect(ends, &QCheckBox::clicked, this, [this, k](bool on) {
            s_.image.WriteBytesAt(QuickKeyOffset(Cashier(), k) + quickkey::kEndsReceipt, QByteArray(1, on ? 1 : 0));
            s_.app.databaseModified = true;
        });
        auto* cell = new QVBoxLayout;
        auto* head = new QHBoxLayout;
        head->addWidget(Caption(QStringLiteral("F%1").arg(k), list));
        head->addStretch();
        head->addWidget(ends);
        cell->addLayout(head);
        cell->addWidget(list);
        grid->addLayout(cell, (k - 1) / 2, (k - 1) % 2);
        Keys << list;
        EndsReceipt << ends;
    }
    right->addLayout(grid, 1);
    auto* bottom = new QHBoxLayout;
    auto* help = new QLabel(QStringLiteral("Aby dodać towar do klawisza szybkiego przeciągnij\ngo z listy towarów, do wybranego klawisza."), this);
    auto* helpBin = new QLabel(QStringLiteral("Aby usunąć przypisanie towaru do\nklawisza szybkiego, przeciągnij\nwybrany towar na ikonę kosza"), this);
    Image1 = new QuickKeyBin(this, this);
    Image1->setObjectName(QStringLiteral("Image1"));
    bottom->addWidget(help);
    bottom->addStretch();
    bottom->addWidget(helpBin);
    bottom->addWidget(Image1);
    right->addLayout(bottom);
    BitBtn1 = Named(new QPushButton(QStringLiteral("&Wyślij do kasy wszystkie klawisze"), this), "BitBtn1");
    // Everything the board does by dragging, the form-based editor does from the keyboard.
    Button2 = Named(new QPushButton(QStringLiteral("Edycja &formularzem..."), this), "Button2");
    auto* boardButtons = new QHBoxLayout;
    boardButtons->addWidget(Button2);
    boardButtons->addStretch();
    boardButtons->addWidget(BitBtn1);
    right->addLayout(boardButtons);

    Panel7 = WaitPanel("Panel7");

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { LoadKeys(); });
    connect(sendOne, &QAction::triggered, this, [this] { SendKey(menuKey_); });
    connect(BitBtn1, &QPushButton::clicked, this, &TProgramowanieKlawiszySzybkich2::SendAllKeys);
    connect(Button2, &QPushButton::clicked, this, [this] {
        if (!openKeyEditor) return;
        openKeyEditor();
        LoadKeys();  // what the editor saved shows on the board
    });
}

int TProgramowanieKlawiszySzybkich2::Cashier() const { return qMax(ComboBox1->currentIndex(), 0) + 1; }

void TProgramowanieKlawiszySzybkich2::FormShow() {
    ListBox1->setUpdatesEnabled(false);
    ListBox1->clear();
    for (const GoodsChoice& g : GoodsChoiceLines(s_.image))
        (new QListWidgetItem(g.line, ListBox1))->setData(Qt::UserRole, g.number);
    ListBox1->setUpdatesEnabled(true);
    ComboBox1->blockSignals(true);
    ComboBox1->clear();
    ComboBox1->addItems(CashierEntries(s_.image));
    ComboBox1->setCurrentIndex(0);
    ComboBox1->blockSignals(false);
    LoadKeys();
}

void TProgramowanieKlawiszySzybkich2::LoadKeys() {
    const int cashier = Cashier();
    if (QuickKeysDamaged(s_.image, cashier)) {
        ClearQuickKeys(s_.image);
        s_.app.databaseModified = true;
        s_.prompts.Message(QStringLiteral(
            "Wykryto błąd bazy klawiszy szybkich! Klawisze szybkie zostały skasowane, a baza danych naprawiona."));
    }
    for (int k = 1; k <= 10; ++k) {
        QListWidget* list = Keys[k - 1];
        list->clear();
        const QuickKeyRecord r = ReadQuickKey(s_.image, cashier, k);
        for (int i = 0; i < int(r.entries.size()); ++i) {
            const QuickKeyEntry& e = r.entries[i];
            if (e.goods == 0) continue;
            const QString name = s_.image.ReadTextAt(kGoods.Offset(e.goods) + goods::kName, goods::kNameWidth);
            auto* item = new QListWidgetItem(QuickKeyLine(name, e.quantity), list);
            item->setData(Qt::UserRole, i);
        }
        EndsReceipt[k - 1]->setChecked(r.endsReceipt);
    }
}

void TProgramowanieKlawiszySzybkich2::GoodsDropped(int goods, int key) {
    QString field = Edit1->text();
    const std::optional<int32_t> quantity = QuickKeyQuantity(field);
    Edit1->setText(field);
    if (!quantity) {
        Edit1->setFocus();
        return;
    }
    if (goods > 0 && key >= 1 && key <= 10) {
        AddToQuickKey(s_.image, Cashier(), key, goods, *quantity, EndsReceipt[key - 1]->isChecked());
        s_.app.databaseModified = true;
    }
    LoadKeys();
}

void TProgramowanieKlawiszySzybkich2::EntryBinned(int key, int entry) {
    if (key < 1 || key > 10) return;
    RemoveQuickKeyEntry(s_.image, Cashier(), key, entry);
    s_.app.databaseModified = true;
    LoadKeys();
}

void TProgramowanieKlawiszySzybkich2::SendKey(int key) {
    if (key < 1 || key > 10) return;
    TransferRun run(this, nullptr, Panel7);
    if (!run) return;
    s_.link.FlushPort();
    TellOutcome(ProgramQuickKey(s_.link, s_.image, 0x8001, Cashier(), key),
                QStringLiteral("Klawisz %1 kasjera %2 zapisano w kasie.").arg(key).arg(Cashier()));
}

void TProgramowanieKlawiszySzybkich2::SendAllKeys() {
    TransferRun run(this, nullptr, Panel7);
    if (!run) return;
    s_.link.FlushPort();
    for (int k = 1; k <= 10; ++k) {
        run.Progress();
        const Answer a = ProgramQuickKey(s_.link, s_.image, uint16_t(k == 10 ? 0x800A : k), Cashier(), k);
        s_.clock.Sleep(300);
        // The first key the register refuses ends the run.
        if (!TellOutcome(a, QStringLiteral("Klawisz %1 kasjera %2 zapisano w kasie.").arg(k).arg(Cashier()))) return;
    }
    StatusLine()->setText(QStringLiteral("Klawisze kasjera %1 zapisano w kasie.").arg(Cashier()));
}
