// Main window: its menus and toolbar, load and unload, and where the window
// sits on the screen. The commands themselves are in frmMain_commands.cpp.
#include "app/frmMain.h"

#include "app/Child_windows.h"
#include "app/First_start.h"
#include "app/General.h"
#include "app/Verified_database.h"
#include "app/Pictures.h"
#include "app/frmWelcome.h"
#include "distances/Distances.h"
#include "lookup/Lookup_box.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "platform/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>
#include <QScrollBar>
#include <QTimer>

namespace vexo {

namespace {

const QString kSection = QStringLiteral("Settings");

double Setting_twips(const QString& key, double default_value)
{
    bool ok = false;
    const double value =
        platform::Get_setting(kSection, key, QString::number(default_value)).trimmed().toFloat(&ok);
    return ok ? value : default_value;
}

// The pictures of both image lists, in index order from 1.
const char* const kImages[] = {
    "open",      "print",   "cut",      "copy",    "paste",   "find",    "id",
    "material",  "guide",   "distances", "water",  "contents", "placard", "summary",
    "help",      "welcome", "exit",     "chemical", "trailer", "rail",    "about",
};

Image_list Make_image_list(int side)
{
    Image_list list;
    list.size = QSize(side, side);
    // Drawn from their vector sources, so they are sharp at every size and
    // on every screen, when first shown.
    for (const char* name : kImages)
        list.images << Icon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
    return list;
}

struct Toolbar_button {
    const char* key; // nullptr: a separator
    int image;
    const char* design_tip;
};

const Toolbar_button kButtons[] = {
    {nullptr, 0, nullptr},
    {"Cut", 3, "Cut"},
    {"Copy", 4, "Copy"},
    {"Paste", 5, "Paste"},
    {nullptr, 0, nullptr},
    {"Find", 6, "Find"},
    {nullptr, 0, nullptr},
    {"ID", 7, "ID Number Index"},
    {"Material", 8, "Material Name Index"},
    {"Guide", 9, "Emergency Response Guides"},
    {nullptr, 0, nullptr},
    {"Placards", 13, "Placards"},
    {"Road", 19, "Road Trailer ID Chart"},
    {"Rail", 20, "Rail Car ID Chart"},
    {"TIIPAD", 10, "Table of Initial Isolation and Protective Action Distances"},
    {"LDWRM", 11, "List of Dangerous Water Reactive Materials"},
    {"Chemical", 18, "Chemical and/or Biological Agents"},
    {nullptr, 0, nullptr},
    {"Contents", 12, "Table of Contents"},
    {"Summary", 14, "Summary"},
    {nullptr, 0, nullptr},
    {"Welcome", 16, "Welcome Page"},
};

} // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
    , imlIcons(Make_image_list(16))
    , imlIconsL(Make_image_list(32))
    , mdiArea(new QMdiArea(this))
    , tbToolBar(new QToolBar(this))
{
    setCentralWidget(mdiArea);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setBackground(QColor(128, 128, 128));
    // A child larger than the work area (the welcome page on a small main
    // window) can still be reached.
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWindowIcon(Icon(QStringLiteral(":/pictures/splash.svg")));

    Build_menus();
    Build_toolbar();
    Install_built_windows(openers);
    Connect_commands();
    Enable_built_commands();
}

void frmMain::Build_menus()
{
    // Design captions; Insert_Text_Language puts the Spanish ones on all but
    // four View items, whose design captions stay.
    auto item = [this](QMenu* menu, const char* name, const char* caption, const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* action = menu->addSeparator();
        action->setObjectName(QLatin1String(name));
        return action;
    };

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileExit = item(mnuFile, "mnuFileExit", "E&xit");
    mnuFileBar1 = separator(mnuFile, "mnuFileBar1");
    mnuFilePrintSummary = item(mnuFile, "mnuFilePrintSummary", "&Print Summary");
    mnuFileSaveSummary = item(mnuFile, "mnuFileSaveSummary", "Save as P&DF");

    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEditCut = item(mnuEdit, "mnuEditCut", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuEditCopy = item(mnuEdit, "mnuEditCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuEditPaste = item(mnuEdit, "mnuEditPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuEditBar9 = separator(mnuEdit, "mnuEditBar9");
    mnuEditFind = item(mnuEdit, "mnuEditFind", "&Find", QKeySequence(Qt::CTRL | Qt::Key_F));

    mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuViewToolbar = item(mnuView, "mnuViewToolbar", "&Toolbar");
    mnuViewToolbarL = item(mnuView, "mnuViewToolbarL", "Toolbar (&large)");
    mnuViewToolbar->setCheckable(true);
    mnuViewToolbarL->setCheckable(true);
    mnuViewBar8 = separator(mnuView, "mnuViewBar8");
    mnuViewID = item(mnuView, "mnuViewID", "&ID Number Index");
    mnuViewMaterial = item(mnuView, "mnuViewMaterial", "&Material Name Index");
    mnuViewGuide = item(mnuView, "mnuViewGuide", "&Guides");
    mnuViewBar9 = separator(mnuView, "mnuViewBar9");
    mnuViewPlacard = item(mnuView, "mnuViewPlacard", "&Placards");
    mnuViewTrailer = item(mnuView, "mnuViewTrailer", "R&oad Trailer ID Chart");
    mnuViewTanks = item(mnuView, "mnuViewTanks", "&Rail Car ID Chart");
    mnuViewTIIPAD = item(mnuView, "mnuViewTIIPAD", "&Table of Initial Isolation and Protective Action Distances");
    mnuViewLDWRM = item(mnuView, "mnuViewLDWRM", "&List of Dangerous Water Reactive Materials");
    mnuViewChemWeap = item(mnuView, "mnuViewChemWeap", "Chemical and/or &Biological Agents");
    mnuViewbar10 = separator(mnuView, "mnuViewbar10");
    mnuViewContent = item(mnuView, "mnuViewContent", "T&able of Contents");
    mnuViewSummary = item(mnuView, "mnuViewSummary", "&Summary");
    mnuViewBar11 = separator(mnuView, "mnuViewBar11");
    mnuViewWelcome = item(mnuView, "mnuViewWelcome", "&Welcome Page");
    mnuViewTable3 = item(mnuView, "mnuViewTable3", "Table &3");

    mnuWindow = menuBar()->addMenu(QStringLiteral("&Window"));
    mnuWindow->setObjectName(QStringLiteral("mnuWindow"));
    mnuWindowCascade = item(mnuWindow, "mnuWindowCascade", "&Cascade");
    mnuWindowTileHorizontal = item(mnuWindow, "mnuWindowTileHorizontal", "Tile &Horizontal");
    mnuWindowTileVertical = item(mnuWindow, "mnuWindowTileVertical", "Tile &Vertical");
    mnuWindowArrangeIcons = item(mnuWindow, "mnuWindowArrangeIcons", "&Arrange Icons");

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", "&About MARDOVI VEXO...");
}

void frmMain::Build_toolbar()
{
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The View menu says whether the toolbar is small or large; it is not
    // hidden from a context menu.
    tbToolBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(tbToolBar);
    for (const Toolbar_button& b : kButtons) {
        QAction* button = b.key ? tbToolBar->addAction(QString::fromLatin1(b.design_tip)) : tbToolBar->addSeparator();
        if (b.key) {
            button->setData(QString::fromLatin1(b.key));
            button->setObjectName(QStringLiteral("tb") + QString::fromLatin1(b.key));
            button->setToolTip(QString::fromLatin1(b.design_tip));
            button->setProperty("image", b.image);
        }
        tbButtons << button;
    }
    // The search box follows the buttons and is reached from any window.
    auto* lookup = new Lookup_box(this);
    tbToolBar->addWidget(lookup);
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F3)})
        connect(new QShortcut(keys, this), &QShortcut::activated, lookup, [lookup] {
            lookup->setFocus(Qt::ShortcutFocusReason);
            lookup->selectAll();
        });
    Apply_image_list(imlIcons);
}

void frmMain::Apply_image_list(const Image_list& list)
{
    tbToolBar->setIconSize(list.size);
    for (QAction* button : std::as_const(tbButtons))
        if (!button->isSeparator())
            button->setIcon(list.image(button->property("image").toInt()));
}

QAction* frmMain::Button(const QString& key) const
{
    for (QAction* button : tbButtons)
        if (!button->isSeparator() && button->data().toString() == key)
            return button;
    return nullptr;
}

void frmMain::Insert_Text_Language()
{
    mnuFile->setTitle(QStringLiteral("&Archivo"));
    mnuFileExit->setText(QStringLiteral("&Salir"));
    mnuFilePrintSummary->setText(QStringLiteral("Im&primir resumen"));
    mnuFileSaveSummary->setText(QStringLiteral("&Guardar como PDF"));
    mnuEdit->setTitle(QStringLiteral("&Editar"));
    mnuEditCut->setText(QStringLiteral("&Cortar"));
    mnuEditCopy->setText(QStringLiteral("C&opiar"));
    mnuEditPaste->setText(QStringLiteral("&Pegar"));
    mnuEditFind->setText(QStringLiteral("&Buscar"));
    mnuView->setTitle(QStringLiteral("&Ver"));
    mnuViewToolbar->setText(QStringLiteral("&Barra de herramientas"));
    mnuViewID->setText(QStringLiteral("&Indice numérico"));
    mnuViewMaterial->setText(QStringLiteral("Indice a&lfabético"));
    mnuViewGuide->setText(QStringLiteral("&Guías"));
    mnuViewPlacard->setText(QStringLiteral("&Carteles"));
    mnuViewTIIPAD->setText(QStringLiteral("&Tabla de distancias de aislamiento inicial y acción protectora"));
    mnuViewLDWRM->setText(QStringLiteral("&Lista de materiales peligrosos reactivos al agua\""));
    mnuViewContent->setText(QStringLiteral("T&abla de Contenido"));
    mnuViewSummary->setText(QStringLiteral("&Resúmen"));
    mnuViewWelcome->setText(QStringLiteral("&Página de Bienvenida"));
    mnuViewTable3->setText(QStringLiteral("Tabla &3"));
    mnuWindow->setTitle(QStringLiteral("Ve&ntana"));
    mnuWindowCascade->setText(QStringLiteral("Cascada"));
    mnuWindowTileHorizontal->setText(QStringLiteral("Mosaico &horizontal"));
    mnuWindowTileVertical->setText(QStringLiteral("Mosaico &vertical"));
    mnuWindowArrangeIcons->setText(QStringLiteral("Arreglar &iconos"));
    mnuHelp->setTitle(QStringLiteral("A&yuda"));
    mnuHelpAbout->setText(QStringLiteral("A&cerca de MARDOVI VEXO"));

    // The tip is also the button's name in the overflow menu of a narrow window.
    auto tip = [this](int button, const QString& text) {
        tbButtons.at(button - 1)->setToolTip(text);
        tbButtons.at(button - 1)->setText(text);
    };
    tip(2, QStringLiteral("Cortar (Ctrl-X)"));
    tip(3, QStringLiteral("Copiar (Ctrl-C)"));
    tip(4, QStringLiteral("Pegar (Ctrl-V)"));
    tip(6, QStringLiteral("Buscar (Ctrl-F)"));
    tip(8, QStringLiteral("Indice numérico"));
    tip(9, QStringLiteral("Indice alfabético"));
    tip(10, QStringLiteral("Guias de Repuesta a Emergencias"));
    tip(12, QStringLiteral("Carteles"));
    tip(13, QStringLiteral("Tabla de remolques"));
    tip(14, QStringLiteral("Tabla de carros tanque"));
    tip(15, QStringLiteral("Tabla de distancias de aislamiento inicial y acción protectora"));
    tip(16, QStringLiteral("Lista de materiales peligrosos reactivos al agua que producen gases toxicos"));
    tip(17, QStringLiteral("Agentes Q/B"));
    tip(19, QStringLiteral("Tabla de Contenido"));
    tip(20, QStringLiteral("Resumen"));
    tip(22, QStringLiteral("Página de Bienvenida"));
}

frmMain::~frmMain()
{
    // The work area outlives this part of the window while the base class
    // closes the child windows; their activations must not reach a main
    // window that is already gone.
    disconnect(mdiArea, nullptr, this, nullptr);
}

void frmMain::Load()
{
    const bool first_start = First_start();
    Restore_placement();
    Initialize_globals();
    Insert_Text_Language();
    setWindowTitle(QStringLiteral("MARDOVI VEXO"));
    Load_from_ini_file();
    Load_database();
    while (!valid_database()) {
        if (!Open_database_manual())
            platform::End_program();
    }
    Toolbar_small();
    Enable_built_commands();
    QMdiSubWindow* welcome = Open_welcome();
    if (first_start && screen()) {
        // The distances box, the widest window of a first lookup, fits whole too.
        const int frame = welcome->width() - welcome->widget()->width();
        Fit_first_start(*this, welcome->size().expandedTo(QSize(Distances_box_width() + frame, 0)),
                        screen()->availableGeometry());
    }
}

void frmMain::Restore_placement()
{
    const QRect placed = Stored_placement();
    move(placed.topLeft());
    resize(placed.size());
}

QRect Stored_placement()
{
    const double left = Setting_twips(QStringLiteral("MainLeft"), 1000);
    const double top = Setting_twips(QStringLiteral("MainTop"), 1000);
    const double width = Setting_twips(QStringLiteral("MainWidth"), 6500);
    const double height = Setting_twips(QStringLiteral("MainHeight"), 6500);
    QRect placed(twips(left), twips(top), std::max(twips(width), 200), std::max(twips(height), 150));
    // A placement saved on a screen that is no longer attached would put the
    // window out of reach: bring it back to the default corner.
    bool visible = false;
    for (const QScreen* screen : QGuiApplication::screens())
        visible = visible || screen->availableGeometry().intersects(placed);
    if (!visible && !QGuiApplication::screens().isEmpty())
        placed.moveTopLeft(QPoint(twips(1000), twips(1000)));
    return placed;
}

void frmMain::Save_placement()
{
    platform::Save_setting(kSection, QStringLiteral("MainLeft"), QString::number(static_cast<float>(to_twips(x()))));
    platform::Save_setting(kSection, QStringLiteral("MainTop"), QString::number(static_cast<float>(to_twips(y()))));
    platform::Save_setting(kSection, QStringLiteral("MainWidth"),
                           QString::number(static_cast<float>(to_twips(width()))));
    platform::Save_setting(kSection, QStringLiteral("MainHeight"),
                           QString::number(static_cast<float>(to_twips(height()))));
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The welcome page was placed while the work area had no size yet; once
    // the window has its size on screen the view goes to the page's top. In a
    // main window narrower than the page (the first run's size) the view
    // shows the page's right side, where its buttons are, rather than the logo.
    if (!event->spontaneous())
        QTimer::singleShot(0, this, [this] {
            if (QMdiSubWindow* welcome = Child_frame<frmWelcome>(); welcome && !welcome->isMaximized())
                welcome->move(std::max(welcome->x(), 0), std::max(welcome->y(), 0));
            mdiArea->verticalScrollBar()->setValue(0);
            mdiArea->horizontalScrollBar()->setValue(mdiArea->horizontalScrollBar()->maximum());
            // A number read off a placard can be typed at once.
            if (auto* lookup = findChild<Lookup_box*>())
                lookup->setFocus(Qt::OtherFocusReason);
        });
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Saved before the question, so the placement survives even a No.
    if (!isMinimized())
        Save_placement();
    if (Confirm_exit()) {
        // The same check as at a start; a file this session's writes left
        // unsound is not remembered, and the next start refuses it.
        (void)Validate_main_database();
        platform::End_program();
    }
    event->ignore();
}

} // namespace vexo
