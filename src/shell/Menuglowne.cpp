#include "shell/Menuglowne.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/Form.h"
#include "common/Keypreview.h"
#include "common/appstate.h"
#include "common/options.h"
#include "common/prompts.h"
#include "copy/Kopiowaniekasy.h"
#include "image/imagestore.h"
#include "image/workimage.h"
#include "link/portpath.h"
#include "link/portscan.h"
#include "link/registerlink.h"
#include "link/transmissionsettings.h"
#include "shell/Artwork.h"
#include "shell/Forms.h"
#include "shell/tasks.h"

namespace {

const QString kCaption = QStringLiteral("Zelk Tuvo Vex v. 1.50");

QFont ArialPx(int px, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QToolButton* GlyphButton(QWidget* parent, const char* name, const QIcon& icon, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(icon);
    b->setIconSize(QSize(30, 30));
    b->setFixedSize(41, 41);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setAutoRaise(true);
    return b;
}

QFrame* Panel(QWidget* parent, const char* name) {
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

}  // namespace

TMenuGlowne::TMenuGlowne(Services& services, FormRegistry& forms)
    : s_(services), forms_(forms), document_(services), keys_(new KeyPreview(this, [this](int key) { return FormKeyDown(key); })) {
    setObjectName(QStringLiteral("TMenuGlowne"));
    setWindowTitle(kCaption);
    setWindowIcon(ApplicationIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(10, 8, 10, 4);
    columns->setSpacing(12);
    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    columns->addLayout(left);

    auto* tools = new QHBoxLayout;
    SpeedButton3 = GlyphButton(central, "SpeedButton3", NewDatabaseIcon(), QStringLiteral("Nowa baza danych"));
    SpeedButton4 = GlyphButton(central, "SpeedButton4", OpenDatabaseIcon(), QStringLiteral("Otwórz bazę danych"));
    SpeedButton5 = GlyphButton(central, "SpeedButton5", SaveDatabaseIcon(), QStringLiteral("Zapisz"));
    tools->addWidget(SpeedButton3);
    tools->addWidget(SpeedButton4);
    tools->addWidget(SpeedButton5);
    tools->addStretch();
    left->addLayout(tools);

    Label5 = new QLabel(QStringLiteral("Nazwa pliku bazy:"), central);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label17 = new QLabel(central);
    Label17->setObjectName(QStringLiteral("Label17"));
    Label17->setFont(ArialPx(16, true));
    Label17->setStyleSheet(QStringLiteral("color: navy"));
    Label17->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label5->setBuddy(Label17);
    left->addWidget(Label5);
    left->addWidget(Label17);

    Panel1 = Panel(central, "Panel1");
    auto* status = new QGridLayout(Panel1);
    Label2 = new QLabel(QStringLiteral("Status:"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label9 = new QLabel(QStringLiteral("BRAK"), Panel1);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label3 = new QLabel(QStringLiteral("ONLINE"), Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setStyleSheet(QStringLiteral("color: green"));
    Label4 = new QLabel(QStringLiteral("OFFLINE"), Panel1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setStyleSheet(QStringLiteral("color: navy"));
    for (QLabel* l : {Label2, Label9, Label3, Label4}) l->setFont(ArialPx(12, true));
    Image2 = new QLabel(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(OnlinePixmap(22));
    Image2->setToolTip(QStringLiteral("Baza danych i kasa połączone"));
    Image2->setFixedSize(22, 22);
    QSizePolicy keep = Image2->sizePolicy();
    keep.setRetainSizeWhenHidden(true);  // the panel keeps its height in every mode
    Image2->setSizePolicy(keep);
    status->addWidget(Label2, 0, 0);
    status->addWidget(Label9, 0, 1);  // shows through when neither mode label is shown
    status->addWidget(Label3, 0, 1);
    status->addWidget(Label4, 0, 1);
    status->addWidget(Image2, 0, 2);
    status->setColumnStretch(1, 1);
    left->addWidget(Panel1);

    Panel2 = Panel(central, "Panel2");
    auto* currency = new QHBoxLayout(Panel2);
    Label7 = new QLabel(QStringLiteral("Waluta ewidencyjna:"), Panel2);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label8 = new QLabel(Panel2);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setFont(ArialPx(12, true));
    Label7->setBuddy(Label8);
    currency->addWidget(Label7);
    currency->addWidget(Label8, 1);
    left->addWidget(Panel2);

    SpeedButton2 = new QToolButton(central);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("&Automatyczne połączenie z kasą    "));
    SpeedButton2->setIcon(ConnectIcon());
    SpeedButton2->setIconSize(QSize(24, 24));
    SpeedButton2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton2->setFont(ArialPx(12, false));
    SpeedButton2->setMinimumSize(225, 33);
    left->addWidget(SpeedButton2);

    Button11 = new QPushButton(QStringLiteral("Programowanie towarow"), central);
    Button11->setObjectName(QStringLiteral("Button11"));
    Button11->setFixedSize(321, 81);
    Button11->setFont(ArialPx(16, true));
    left->addWidget(Button11);

    Button3 = new QPushButton(QStringLiteral("Programowanie nowego pakietu"), central);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setMinimumHeight(40);
    Button3->hide();
    left->addWidget(Button3);
    left->addStretch();
    Image4 = new QLabel(central);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->setPixmap(LogoPixmap(64));
    left->addWidget(Image4, 0, Qt::AlignLeft | Qt::AlignBottom);

    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFont(ArialPx(13, false));
    columns->addWidget(PageControl1, 1);
    BuildTrees();

    Panel4 = new QFrame(central);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFrameShape(QFrame::Box);
    Panel4->setStyleSheet(QStringLiteral("#Panel4 { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, "
                                         "stop:0 #1F3A68, stop:1 #2E8B57); border: 2px solid #15294a; }"));
    auto* notice = new QVBoxLayout(Panel4);
    Label1 = new QLabel(QStringLiteral("Trwa wyszukiwanie kas ZELK TUVO podłączonych do tego komputera..."), Panel4);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setStyleSheet(QStringLiteral("color: white"));
    Label1->setFont(ArialPx(14, true));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    notice->addWidget(Label1);
    Panel4->setFixedSize(460, 110);
    Panel4->hide();

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);  // the window keeps its size
    setStatusBar(bar);
    for (int width : {70, 120, 50}) {
        auto* panel = new QLabel(bar);
        panel->setFixedWidth(width);
        panel->setAlignment(width == 50 ? Qt::AlignLeft : Qt::AlignCenter);
        bar->addWidget(panel);
        StatusBar1.append(panel);
    }
    BuildMenus();
    setFixedSize(912, 590 + menuBar()->sizeHint().height() + bar->sizeHint().height());

    connect(SpeedButton3, &QToolButton::clicked, Nowabazadanych1, &QAction::trigger);
    connect(SpeedButton4, &QToolButton::clicked, Otwrzplikbazydanych1, &QAction::trigger);
    connect(SpeedButton5, &QToolButton::clicked, Zapiszbazdanychdopliku1, &QAction::trigger);
    connect(SpeedButton2, &QToolButton::clicked, this, &TMenuGlowne::AutoConnect);
    connect(Button11, &QPushButton::clicked, this, &TMenuGlowne::Button11Click);
    connect(Button3, &QPushButton::clicked, this, [this] { ShowForm(QStringLiteral("TProgramowanieNowegoPakietu"), false); });
    for (QTreeWidget* tree : {ProgramowanieBazyTree, WykonywanieRaportowTree, TreeView3})
        connect(tree, &QTreeWidget::itemDoubleClicked, this, &TMenuGlowne::OpenSelectedTask);

    FormCreate();
}

void TMenuGlowne::BuildMenus() {
    auto* menu = menuBar();
    menu->setObjectName(QStringLiteral("Menu1"));
    auto action = [this](QMenu* m, const char* name, const QString& text, auto slot) {
        QAction* a = m->addAction(text);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    // Alt and the underlined letter open a menu; the file operations have the
    // shortcuts every desktop program has.
    Plik2 = menu->addMenu(QStringLiteral("&Plik"));
    Plik2->setObjectName(QStringLiteral("Plik2"));
    Nowabazadanych1 = action(Plik2, "Nowabazadanych1", QStringLiteral("Nowa baza danych"), &TMenuGlowne::NewDatabase);
    Otwrzplikbazydanych1 = action(Plik2, "Otwrzplikbazydanych1", QStringLiteral("Otwórz plik bazy danych"),
                                  &TMenuGlowne::OpenDatabaseFile);
    Zapiszbazdanychdopliku1 = action(Plik2, "Zapiszbazdanychdopliku1", QStringLiteral("Zapisz bazę danych do pliku"),
                                     &TMenuGlowne::SaveDatabaseFile);
    Plik2->addSeparator();
    Historiasprzedazy1 = action(Plik2, "Historiasprzedazy1", QStringLiteral("Historia sprzedaży"),
                                [this] { ShowForm(QStringLiteral("THistoriaSprzedazy"), false); });
    Plik2->addSeparator();
    Koniec1 = action(Plik2, "Koniec1", QStringLiteral("Koniec"), &QWidget::close);
    Nowabazadanych1->setShortcut(QKeySequence::New);
    Otwrzplikbazydanych1->setShortcut(QKeySequence::Open);
    Zapiszbazdanychdopliku1->setShortcut(QKeySequence::Save);
    Komunikacja1 = menu->addMenu(QStringLiteral("&Komunikacja"));
    Komunikacja1->setObjectName(QStringLiteral("Komunikacja1"));
    Parametrytransmisji1 = action(Komunikacja1, "Parametrytransmisji1", QStringLiteral("Parametry transmisji"),
                                  [this] { ShowForm(QStringLiteral("TUstawieniaTrans"), true); });
    Wyszukiwaniepo1 = action(Komunikacja1, "Wyszukiwaniepo1", QStringLiteral("Wyszukiwanie podłączonych kas"),
                             [this] { ShowForm(QStringLiteral("TWyszukiwanieKasyRS"), true); });
    Po1 = action(Komunikacja1, "Po1", QStringLiteral("Połącz z kasą używając ostatnich ustawień"),
                 &TMenuGlowne::ConnectWithLastSettings);
    Dziennik1 = action(Komunikacja1, "Dziennik1", QStringLiteral("Dziennik transmisji"),
                       [this] { ShowForm(QStringLiteral("TDziennikTransmisji"), false); });
    Pomoc1 = menu->addMenu(QStringLiteral("Pomo&c"));
    Pomoc1->setObjectName(QStringLiteral("Pomoc1"));
    Podrecznik1 = action(Pomoc1, "Podrecznik1", QStringLiteral("Podręcznik użytkownika"),
                         [this] { ShowForm(QStringLiteral("TPomoc"), false); });
    Podrecznik1->setShortcut(QKeySequence::HelpContents);
    Oprogramie1 = action(Pomoc1, "Oprogramie1", QStringLiteral("O programie"),
                         [this] { ShowForm(QStringLiteral("TOProgramie"), false); });
}

void TMenuGlowne::BuildTrees() {
    struct Sheet {
        QWidget** sheet;
        QTreeWidget** tree;
        const char* sheetName;
        const char* treeName;
        QString caption;
    };
    const Sheet sheets[3] = {
        {&TabSheet1, &ProgramowanieBazyTree, "TabSheet1", "ProgramowanieBazyTree", QStringLiteral("&Edycja bazy")},
        {&TabSheet2, &WykonywanieRaportowTree, "TabSheet2", "WykonywanieRaportowTree",
         QStringLiteral("Wykonywanie &raportów")},
        {&TabSheet3, &TreeView3, "TabSheet3", "TreeView3", QStringLiteral("Ko&munikacja z kasą")}};
    for (int page = 0; page < 3; ++page) {
        const Sheet& s = sheets[page];
        *s.sheet = new QWidget(PageControl1);
        (*s.sheet)->setObjectName(QLatin1String(s.sheetName));
        auto* layout = new QVBoxLayout(*s.sheet);
        layout->setContentsMargins(4, 4, 4, 4);
        auto* tree = new QTreeWidget(*s.sheet);
        tree->setObjectName(QLatin1String(s.treeName));
        tree->setHeaderHidden(true);
        tree->setRootIsDecorated(false);
        tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tree->setFont(ArialPx(13, false));
        tree->setAccessibleName(QString(s.caption).remove(QLatin1Char('&')));
        for (int i = 0; i < kTaskPages[page].count; ++i)
            new QTreeWidgetItem(tree, QStringList{QString::fromUtf8(kTaskPages[page].tasks[i].item)});
        layout->addWidget(tree);
        *s.tree = tree;
        PageControl1->addTab(*s.sheet, s.caption);
    }
    PageControl1->setCurrentWidget(TabSheet2);
}

QTreeWidget* TMenuGlowne::Tree(int page) const {
    return page == 0 ? ProgramowanieBazyTree : page == 1 ? WykonywanieRaportowTree : TreeView3;
}

void TMenuGlowne::FormsCreated() {
    // An item whose window this program does not have yet is shown greyed.
    for (int page = 0; page < 3; ++page) {
        QTreeWidget* tree = Tree(page);
        for (int i = 0; i < kTaskPages[page].count; ++i) {
            QTreeWidgetItem* item = tree->topLevelItem(i);
            const bool present = forms_.Has(QString::fromLatin1(kTaskPages[page].tasks[i].form));
            item->setFlags(present ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
        }
    }
    Wyszukiwaniepo1->setEnabled(forms_.Has(QStringLiteral("TWyszukiwanieKasyRS")));
    forms_.WhenMade(QStringLiteral("TKopiowanieKasy"), [this](TForm* form) {
        if (auto* copy = qobject_cast<TKopiowanieKasy*>(form)) copy->saveDatabase = [this] {
            const bool saved = document_.Save();
            RefreshStatusPanel();
            return saved;
        };
    });
    Button11->setEnabled(forms_.Has(QStringLiteral("TProgramowanieTowarow")));
}

TMenuGlowne::~TMenuGlowne() {
    if (s_.link.Log() == log_.get()) s_.link.SetLog(nullptr);
}

void TMenuGlowne::FormCreate() {
    s_.app.startDirectory = QDir::currentPath();
    s_.app.databaseModified = false;
    bool damaged = false;
    s_.link.UseSettings(LoadTransmissionSettings(s_.app.startDirectory, &damaged));
    // A damaged file would make every connection fail for reasons nobody sees.
    if (damaged)
        s_.prompts.Message(QStringLiteral("Plik ustawień transmisji ") +
                           QDir::toNativeSeparators(s_.app.startDirectory + QStringLiteral("/ustaw.cfg")) +
                           QStringLiteral(" jest uszkodzony. Użyto ustawień domyślnych."));
    LoadOptions(s_.app, s_.app.startDirectory);
    // Every exchange with the register is noted in the work folder's log.
    log_ = std::make_unique<TransferLog>(s_.app.startDirectory + QStringLiteral("/dziennik"));
    s_.link.SetLog(log_.get());
    s_.app.workMode = ModeNone;
    // The mode follows the link (FollowLink); the panel shows it at once, a
    // register that went away too.
    connect(&s_.link, &RegisterLink::opened, this, &TMenuGlowne::RefreshStatusPanel);
    connect(&s_.link, &RegisterLink::closed, this, &TMenuGlowne::RefreshStatusPanel);
    connect(&s_.link, &RegisterLink::lost, this, &TMenuGlowne::RefreshStatusPanel);
    QString error;
    if (CreateDatabaseImage(s_.image, 1, s_.app.recordCurrencySymbol, &error) == 0) {
        s_.app.databaseName = QStringLiteral("Bez nazwy");
        s_.app.DatabaseCreated();
    } else {
        // The program runs without a database rather than on a half-made one.
        s_.prompts.Message(error, QString(), PromptIcon::Error);
    }
    RefreshStatusPanel();
}

void TMenuGlowne::RefreshStatusPanel() {
    // Where the program talks to the register: the port and the address in use.
    const bool open = s_.link.IsOpen();
    StatusBar1[0]->setText(open ? ComPortName(s_.link.Port()) : QStringLiteral("Brak portu"));
    StatusBar1[1]->setText(QStringLiteral("Adres kasy: %1").arg(s_.link.Address()));
    StatusBar1[0]->setAccessibleName(QStringLiteral("Port: ") + StatusBar1[0]->text());
    StatusBar1[1]->setAccessibleName(StatusBar1[1]->text());
    const int mode = s_.app.workMode;
    Label3->setVisible(mode == ModeRegisterOnly || mode == ModeOnline);
    Label4->setVisible(mode == ModeOffline);
    Label9->setVisible(Label3->isHidden() && Label4->isHidden());
    Image2->setVisible(mode == ModeOnline);
    if (s_.app.DatabaseLoaded()) {
        Label17->setText(s_.app.databaseName);
        Label17->show();
        Label8->setText(s_.app.recordCurrencySymbol);
    } else {
        Label17->hide();
    }
}

void TMenuGlowne::showEvent(QShowEvent* event) {
    keys_->Install();
    QMainWindow::showEvent(event);
    RefreshStatusPanel();
}

void TMenuGlowne::hideEvent(QHideEvent* event) {
    keys_->Remove();
    QMainWindow::hideEvent(event);
}

void TMenuGlowne::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) RefreshStatusPanel();
    QMainWindow::changeEvent(event);
}

bool TMenuGlowne::FormKeyDown(int key) {
    if (key == Qt::Key_Return) {
        OpenSelectedTask();
        return true;
    }
    if (key == Qt::Key_Escape) {
        if (s_.prompts.Ask(QStringLiteral("Czy na pewno chcesz opuścić program?"), PromptButtons::YesNo,
                           PromptIcon::Question, kCaption) == PromptAnswer::Yes)
            close();
        return true;
    }
    return false;
}

void TMenuGlowne::ShowForm(const QString& className, bool refreshAfter) {
    if (TForm* form = forms_.Find(className)) form->ShowModal();
    if (refreshAfter) RefreshStatusPanel();
}

void TMenuGlowne::OpenSelectedTask() {
    const int page = PageControl1->currentIndex();
    if (page < 0 || page > 2) return;
    QTreeWidget* tree = Tree(page);
    QTreeWidgetItem* item = tree->currentItem();
    if (!item || !item->isSelected()) return;
    const int index = tree->indexOfTopLevelItem(item);
    if (index < 0 || index >= kTaskPages[page].count) return;
    const Task& task = kTaskPages[page].tasks[index];
    if (!Passes(task.test, s_.app.workMode)) {
        if (page == 0)
            s_.prompts.Message(QStringLiteral(
                "Stwórz lub wczytaj z pliku bazę danych którą chcesz edytować, albo połącz się z kasą"));
        else  // the item says nothing else, so the status bar says why
            statusBar()->showMessage(task.test == ModeTest::Online
                                         ? QStringLiteral("Otwórz bazę danych i połącz się z kasą, aby otworzyć to okno.")
                                         : QStringLiteral("Połącz się z kasą, aby otworzyć to okno."),
                                     5000);
        return;
    }
    ShowForm(QString::fromLatin1(task.form), task.refreshAfter);
}

void TMenuGlowne::Button11Click() { ShowForm(QStringLiteral("TProgramowanieTowarow"), false); }

void TMenuGlowne::AutoConnect() {
    Panel4->move((centralWidget()->width() - Panel4->width()) / 2, (centralWidget()->height() - Panel4->height()) / 2);
    Panel4->raise();
    Panel4->show();
    Panel4->repaint();  // the loop below keeps the window from painting
    if (ConnectFirstRegister(s_.link)) {
        Panel4->hide();
        return;
    }
    s_.prompts.Message(QStringLiteral("Nie wykryto żadnej kasy podłączonej do tego komputera."));
    Panel4->hide();
    RefreshStatusPanel();
}

void TMenuGlowne::ConnectWithLastSettings() {
    RegisterLink& link = s_.link;
    if (link.Port() == kNoPort) {
        s_.prompts.Message(QStringLiteral("Nie wybrano portu"));
        RefreshStatusPanel();
        return;
    }
    if (link.IsOpen()) return;
    link.OpenRegisterPort(true);  // the mode follows the link
    RefreshStatusPanel();
}

void TMenuGlowne::NewDatabase() {
    if (!document_.AskToSaveChanges()) return;
    ShowForm(QStringLiteral("TNowaBazaD"), true);
}

void TMenuGlowne::OpenDatabaseFile() {
    if (!document_.AskToSaveChanges()) return;
    bool service = false;
    if (document_.Open(&service)) {
        Button3->setVisible(service);
        if (service) Button3->setFocus();
    }
    RefreshStatusPanel();
}

void TMenuGlowne::SaveDatabaseFile() {
    document_.Save();
    RefreshStatusPanel();
}

void TMenuGlowne::closeEvent(QCloseEvent* event) {
    // A transfer still running is stopped after the record in hand and closing
    // waits for it, so the port never closes under it.
    for (TForm* form : forms_.Made()) {
        if (!form->TransferRunning()) continue;
        s_.link.RequestCancel();
        if (!closeWhenIdle_) {
            closeWhenIdle_ = true;
            connect(form, &TForm::TransferEnded, this, [this] { QTimer::singleShot(0, this, &QWidget::close); },
                    Qt::SingleShotConnection);
        }
        event->ignore();
        return;
    }
    closeWhenIdle_ = false;
    if (!document_.AskToSaveChanges()) {
        RefreshStatusPanel();
        event->ignore();
        return;
    }
    QDir::setCurrent(s_.app.startDirectory);
    s_.link.ClosePort();
    SaveTransmissionSettings(s_.link.Settings(), s_.app.startDirectory);
    SaveOptions(s_.app, s_.app.startDirectory);
    event->accept();
}
