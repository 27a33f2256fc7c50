// The main window's commands: which window each menu item and toolbar button
// opens, with the globals it sets first, the clipboard commands and the
// arrangement of the child windows.
#include "app/frmMain.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/frmAbout.h"
#include "app/frmWelcome.h"
#include "charts/frmPlacard.h"
#include "contents/frmContent.h"
#include "data/Queries.h"
#include "distances/Distances.h"
#include "distances/Large_spills.h"
#include "distances/frmGreen.h"
#include "distances/frmWater.h"
#include "guides/frmGuide.h"
#include "lookup/frmFind.h"
#include "lookup/frmPages.h"
#include "printing/Guide_page_print.h"
#include "printing/Summary_print.h"
#include "summary/frmSummary.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QToolBar>

namespace vexo {

namespace {

const QString kPages = QStringLiteral("frmPages");

// The busy pointer over a window while a command builds a child window; it
// goes back even when the command fails.
class Hourglass {
public:
    explicit Hourglass(QWidget* window) : window_(window) { window_->setCursor(Qt::BusyCursor); }
    ~Hourglass() { window_->unsetCursor(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    QWidget* window_;
};

QMdiSubWindow* Frame_named(QMdiArea* area, const QString& name)
{
    for (QMdiSubWindow* sub : area->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == name)
            return sub;
    return nullptr;
}

} // namespace

void Install_built_windows(Window_openers& openers)
{
    // The commands set the globals a window reads (Index_mode, Guide_records,
    // Green_SQL, Water_SQL); the openers only rebuild the window from them.
    openers.pages = &Open_pages;
    openers.find = [] { Open_find(); };
    openers.guide = [] { Reopen_child<frmGuide>(); };
    openers.green = [] { Reopen_child<frmGreen>(); };
    openers.water = [] { Reopen_child<frmWater>(); };
    openers.summary = &Open_summary;
    openers.content = [] { Reopen_child<frmContent>(); };
    openers.placards = &Load_placards;
    openers.road_trailers = &Load_road_trailers;
    openers.rail_cars = &Load_rail_cars;
    // The guide page's distances and print buttons work once their units
    // are installed.
    Install_distances_box();
    Install_page_printing();
}

bool frmMain::Section_built(Section section) const
{
    switch (section) {
    case Section::Index_by_number:
    case Section::Index_by_name:
    case Section::Chemical_agents: return bool(openers.pages);
    case Section::Guides: return bool(openers.guide);
    case Section::Placards: return bool(openers.placards);
    case Section::Road_trailers: return bool(openers.road_trailers);
    case Section::Rail_cars: return bool(openers.rail_cars);
    case Section::Distances_table: return bool(openers.green);
    case Section::Water_list: return bool(openers.water);
    case Section::Contents: return bool(openers.content);
    case Section::Summary: return bool(openers.summary);
    }
    return false;
}

void frmMain::Enable_built_commands()
{
    const struct {
        QAction* item;
        const char* key;
        Section section;
    } commands[] = {
        {mnuViewID, "ID", Section::Index_by_number},
        {mnuViewMaterial, "Material", Section::Index_by_name},
        {mnuViewGuide, "Guide", Section::Guides},
        {mnuViewPlacard, "Placards", Section::Placards},
        {mnuViewTrailer, "Road", Section::Road_trailers},
        {mnuViewTanks, "Rail", Section::Rail_cars},
        {mnuViewTIIPAD, "TIIPAD", Section::Distances_table},
        {mnuViewLDWRM, "LDWRM", Section::Water_list},
        {mnuViewChemWeap, "Chemical", Section::Chemical_agents},
        {mnuViewContent, "Contents", Section::Contents},
        {mnuViewSummary, "Summary", Section::Summary},
    };
    for (const auto& command : commands) {
        command.item->setEnabled(Section_built(command.section));
        Button(QLatin1String(command.key))->setEnabled(Section_built(command.section));
    }
    const bool find_built = openers.find && openers.pages;
    mnuEditFind->setEnabled(find_built);
    Button(QStringLiteral("Find"))->setEnabled(find_built);
    mnuView_Click();
    mnuFile_Click();
    if (frmWelcome* welcome = Find_child<frmWelcome>())
        welcome->Enable_built_buttons();
}

void frmMain::Connect_commands()
{
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuFilePrintSummary, &QAction::triggered, this, [] {
        if (!Summary_empty)
            Print_summary_report();
    });
    connect(mnuFileSaveSummary, &QAction::triggered, this, [] {
        if (!Summary_empty)
            Save_summary_report();
    });
    connect(mnuFile, &QMenu::aboutToShow, this, &frmMain::mnuFile_Click);
    connect(mnuEditCut, &QAction::triggered, this, &frmMain::Cut);
    connect(mnuEditCopy, &QAction::triggered, this, &frmMain::Copy);
    connect(mnuEditPaste, &QAction::triggered, this, &frmMain::Paste);
    connect(mnuEditFind, &QAction::triggered, this, &frmMain::Find);
    connect(mnuViewToolbar, &QAction::triggered, this, &frmMain::Toolbar_small);
    connect(mnuViewToolbarL, &QAction::triggered, this, &frmMain::Toolbar_large);
    const std::pair<QAction*, Section> sections[] = {
        {mnuViewID, Section::Index_by_number},       {mnuViewMaterial, Section::Index_by_name},
        {mnuViewGuide, Section::Guides},             {mnuViewPlacard, Section::Placards},
        {mnuViewTrailer, Section::Road_trailers},    {mnuViewTanks, Section::Rail_cars},
        {mnuViewTIIPAD, Section::Distances_table},   {mnuViewLDWRM, Section::Water_list},
        {mnuViewChemWeap, Section::Chemical_agents}, {mnuViewContent, Section::Contents},
    };
    for (const auto& [item, section] : sections)
        connect(item, &QAction::triggered, this, [this, s = section] { Open_with_hourglass(s); });
    connect(mnuViewSummary, &QAction::triggered, this, [this] {
        if (!Summary_empty)
            Open_with_hourglass(Section::Summary);
    });
    connect(mnuViewWelcome, &QAction::triggered, this, [this] {
        Hourglass busy(this);
        Show_welcome();
    });
    connect(mnuViewTable3, &QAction::triggered, this, [this] {
        Hourglass busy(this);
        Open_table3(QString());
    });
    connect(mnuView, &QMenu::aboutToShow, this, &frmMain::mnuView_Click);
    connect(mnuWindow, &QMenu::aboutToShow, this, &frmMain::mnuWindow_Click);
    connect(mnuWindowCascade, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    connect(mnuWindowTileHorizontal, &QAction::triggered, this, &frmMain::Tile_horizontally);
    connect(mnuWindowTileVertical, &QAction::triggered, this, &frmMain::Tile_vertically);
    connect(mnuWindowArrangeIcons, &QAction::triggered, this, &frmMain::Arrange_icons);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
    connect(tbToolBar, &QToolBar::actionTriggered, this, &frmMain::tbToolBar_ButtonClick);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::Child_activated);
}

void frmMain::Open_section(Section section)
{
    if (!Section_built(section))
        return;
    switch (section) {
    case Section::Index_by_number:
    case Section::Index_by_name:
    case Section::Chemical_agents:
        Index_mode = section == Section::Index_by_name ? 1 : 0;
        Chemical_agents_only = section == Section::Chemical_agents;
        openers.pages();
        break;
    case Section::Guides:
        Guide_SQL = sql::Guide_list_SQL();
        Guide_records = Main_database->OpenRecordset(Guide_SQL);
        openers.guide();
        break;
    case Section::Placards: openers.placards(); break;
    case Section::Road_trailers: openers.road_trailers(); break;
    case Section::Rail_cars: openers.rail_cars(); break;
    case Section::Distances_table:
        Green_SQL = sql::Distances_table_SQL();
        openers.green();
        break;
    case Section::Water_list:
        Water_SQL = sql::Water_list_SQL();
        openers.water();
        break;
    case Section::Contents: openers.content(); break;
    case Section::Summary: openers.summary(); break;
    }
}

void frmMain::Open_with_hourglass(Section section)
{
    Hourglass busy(this);
    Open_section(section);
}

void frmMain::tbToolBar_ButtonClick(QAction* button)
{
    const QString key = button->data().toString();
    if (key == QLatin1String("Cut"))
        Cut();
    else if (key == QLatin1String("Copy"))
        Copy();
    else if (key == QLatin1String("Paste"))
        Paste();
    else if (key == QLatin1String("Find"))
        Find();
    else if (key == QLatin1String("ID"))
        Open_with_hourglass(Section::Index_by_number);
    else if (key == QLatin1String("Material"))
        Open_with_hourglass(Section::Index_by_name);
    else if (key == QLatin1String("Guide"))
        Open_with_hourglass(Section::Guides);
    else if (key == QLatin1String("Placards"))
        Open_with_hourglass(Section::Placards);
    // The charts and the agents show no hourglass from the toolbar.
    else if (key == QLatin1String("Road"))
        Open_section(Section::Road_trailers);
    else if (key == QLatin1String("Rail"))
        Open_section(Section::Rail_cars);
    else if (key == QLatin1String("Chemical"))
        Open_section(Section::Chemical_agents);
    else if (key == QLatin1String("TIIPAD"))
        Open_with_hourglass(Section::Distances_table);
    else if (key == QLatin1String("LDWRM"))
        Open_with_hourglass(Section::Water_list);
    else if (key == QLatin1String("Contents"))
        Open_with_hourglass(Section::Contents);
    else if (key == QLatin1String("Summary")) {
        // The button stays enabled; with nothing collected it does nothing.
        if (!Summary_empty)
            Open_with_hourglass(Section::Summary);
    } else if (key == QLatin1String("Welcome")) {
        Hourglass busy(this);
        Show_welcome();
    }
}

void frmMain::mnuView_Click()
{
    mnuViewSummary->setEnabled(!Summary_empty && Section_built(Section::Summary));
    mnuViewTable3->setVisible(Large_spills_present());
}

void frmMain::mnuFile_Click()
{
    mnuFilePrintSummary->setEnabled(!Summary_empty);
    mnuFileSaveSummary->setEnabled(!Summary_empty);
}

void frmMain::Find()
{
    if (!openers.find || !openers.pages)
        return;
    QMdiSubWindow* active = mdiArea->currentSubWindow();
    if (Pages_inactive) {
        if (QMdiSubWindow* pages = Frame_named(mdiArea, kPages))
            mdiArea->setActiveSubWindow(pages);
    } else if (!active || !active->widget() || active->widget()->objectName() != kPages) {
        Open_with_hourglass(Section::Index_by_number);
    }
    openers.find();
}

// --- clipboard -------------------------------------------------------------
// Only a text box of the active window takes part; any other control with
// the focus (a label, a button, the document viewer) leaves both alone. Cut
// and Paste change only a box the user can type in: the name boxes of the
// lists show the database and are copied from, never edited.

namespace {

QLineEdit* Focused_text_box(QMdiArea* area)
{
    QMdiSubWindow* active = area->currentSubWindow();
    if (!active || !active->widget())
        return nullptr;
    return qobject_cast<QLineEdit*>(active->widget()->focusWidget());
}

bool Copy_selection(QLineEdit* box)
{
    const QString selected = box->selectedText();
    if (selected.isEmpty())
        return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(selected);
    return true;
}

} // namespace

void frmMain::Copy()
{
    if (QLineEdit* box = Focused_text_box(mdiArea))
        Copy_selection(box);
}

void frmMain::Cut()
{
    if (QLineEdit* box = Focused_text_box(mdiArea); box && !box->isReadOnly() && Copy_selection(box))
        box->insert(QString());
}

void frmMain::Paste()
{
    if (QLineEdit* box = Focused_text_box(mdiArea); box && !box->isReadOnly())
        box->insert(QGuiApplication::clipboard()->text());
}

// --- toolbar size ------------------------------------------------------------

void frmMain::Toolbar_small()
{
    mnuViewToolbar->setChecked(true);
    mnuViewToolbarL->setChecked(false);
    Apply_image_list(imlIcons);
}

void frmMain::Toolbar_large()
{
    mnuViewToolbarL->setChecked(true);
    mnuViewToolbar->setChecked(false);
    Apply_image_list(imlIconsL);
}

// --- child windows -----------------------------------------------------------

void frmMain::Show_welcome()
{
    // The page is never unloaded while the program runs; a page missing here
    // means the load did not get that far, and it is built now.
    QMdiSubWindow* frame = Child_frame<frmWelcome>();
    if (!frame)
        frame = Show_child(new frmWelcome);
    if (frame->isMinimized())
        frame->showNormal();
    mdiArea->setActiveSubWindow(frame);
    frame->widget()->setFocus();
}

void frmMain::Child_activated(QMdiSubWindow* window)
{
    if (window)
        if (auto* welcome = qobject_cast<frmWelcome*>(window->widget()))
            welcome->Form_Activate();
}

QList<QMdiSubWindow*> frmMain::Arranged_windows() const
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea->subWindowList())
        if (sub->isVisible() && !sub->isMinimized())
            windows << sub;
    return windows;
}

void frmMain::Tile_horizontally()
{
    const QList<QMdiSubWindow*> windows = Arranged_windows();
    if (windows.isEmpty())
        return;
    const QRect area = mdiArea->viewport()->rect();
    const int height = area.height() / static_cast<int>(windows.size());
    int top = 0;
    for (QMdiSubWindow* sub : windows) {
        sub->showNormal();
        sub->setGeometry(0, top, area.width(), height);
        top += height;
    }
}

void frmMain::Tile_vertically()
{
    const QList<QMdiSubWindow*> windows = Arranged_windows();
    if (windows.isEmpty())
        return;
    const QRect area = mdiArea->viewport()->rect();
    const int width = area.width() / static_cast<int>(windows.size());
    int left = 0;
    for (QMdiSubWindow* sub : windows) {
        sub->showNormal();
        sub->setGeometry(left, 0, width, area.height());
        left += width;
    }
}

void frmMain::Arrange_icons()
{
    // Minimised windows line up along the bottom edge, left to right, in
    // rows upwards when one row is full.
    const QRect area = mdiArea->viewport()->rect();
    int left = 0;
    int bottom = area.height();
    for (QMdiSubWindow* sub : mdiArea->subWindowList()) {
        if (!sub->isMinimized())
            continue;
        if (left > 0 && left + sub->width() > area.width()) {
            left = 0;
            bottom -= sub->height();
        }
        sub->move(left, bottom - sub->height());
        left += sub->width();
    }
}

void frmMain::mnuWindow_Click()
{
    // The Window menu ends with the list of the open child windows.
    qDeleteAll(window_list_);
    window_list_.clear();
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    window_list_ << mnuWindow->addSeparator();
    int number = 0;
    for (QMdiSubWindow* sub : windows) {
        ++number;
        const QString title = sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
        QAction* entry = mnuWindow->addAction(
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title) : QStringLiteral("%1 %2").arg(number).arg(title));
        entry->setCheckable(true);
        entry->setChecked(sub == mdiArea->currentSubWindow());
        connect(entry, &QAction::triggered, mdiArea, [this, window = QPointer<QMdiSubWindow>(sub)] {
            if (window)
                mdiArea->setActiveSubWindow(window);
        });
        window_list_ << entry;
    }
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout about(this);
    about.exec();
}

} // namespace vexo
