// The main window's commands: which window each menu item and toolbar button
// opens, with the globals it sets first, the clipboard commands and the
// arrangement of the child windows.
#include "app/frmMain.h"

#include "app/Child_windows.h"
#include "app/Commands.h"
#include "app/General.h"
#include "app/Guarded.h"
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
#include "platform/Busy_pointer.h"
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

#include <optional>

namespace vexo {

namespace {

const QString kPages = QStringLiteral("frmPages");

const Command kCommands[] = {
    {"mnuEditCut", "Cut", nullptr, &frmMain::Cut, 0},
    {"mnuEditCopy", "Copy", nullptr, &frmMain::Copy, 0},
    {"mnuEditPaste", "Paste", nullptr, &frmMain::Paste, 0},
    {"mnuEditFind", "Find", nullptr, Section::Find, 0},
    {"mnuViewID", "ID", "cmdIDNumber", Section::Index_by_number, From_everywhere},
    {"mnuViewMaterial", "Material", "cmdMaterial", Section::Index_by_name, From_everywhere},
    {"mnuViewGuide", "Guide", "cmdGuide", Section::Guides, From_everywhere},
    {"mnuViewPlacard", "Placards", "cmdPlacards", Section::Placards, From_everywhere},
    // The charts and the agents show no busy pointer from the toolbar.
    {"mnuViewTrailer", "Road", "cmdTrailer", Section::Road_trailers, From_menu | From_page},
    {"mnuViewTanks", "Rail", "cmdTanks", Section::Rail_cars, From_menu | From_page},
    {"mnuViewTIIPAD", "TIIPAD", "cmdDistances", Section::Distances_table, From_everywhere},
    {"mnuViewLDWRM", "LDWRM", "cmdWater", Section::Water_list, From_everywhere},
    {"mnuViewChemWeap", "Chemical", "cmdChemWeap", Section::Chemical_agents, From_menu | From_page},
    // The welcome page stays enabled while the contents open.
    {"mnuViewContent", "Contents", "cmdContents", Section::Contents, From_menu | From_toolbar},
    // The button stays enabled; with nothing collected it does nothing.
    {"mnuViewSummary", "Summary", "cmdSummary", Section::Summary, From_everywhere},
    {"mnuViewWelcome", "Welcome", nullptr, Section::Welcome, From_menu | From_toolbar},
    {"mnuViewTable3", nullptr, nullptr, Section::Table3, From_menu},
    {"mnuFilePrintSummary", nullptr, nullptr, &frmMain::Print_summary, 0},
    {"mnuFileSaveSummary", nullptr, nullptr, &frmMain::Save_summary, 0},
};

const Command* Command_for(Section section)
{
    for (const Command& command : kCommands)
        if (const Section* opens = std::get_if<Section>(&command.does); opens && *opens == section)
            return &command;
    return nullptr;
}

QMdiSubWindow* Frame_named(QMdiArea* area, const QString& name)
{
    for (QMdiSubWindow* sub : area->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == name)
            return sub;
    return nullptr;
}

constexpr Section kSections[] = {
    Section::Index_by_number, Section::Index_by_name, Section::Chemical_agents, Section::Guides,
    Section::Placards,        Section::Road_trailers, Section::Rail_cars,       Section::Distances_table,
    Section::Water_list,      Section::Contents,      Section::Summary,         Section::Find,
    Section::Welcome,         Section::Table3,
};

} // namespace

std::span<const Command> Commands()
{
    return kCommands;
}

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
    case Section::Find: return openers.find && openers.pages;
    case Section::Welcome:
    case Section::Table3: return true;
    }
    return false;
}

QList<Section> frmMain::Built_sections() const
{
    QList<Section> built;
    for (Section section : kSections)
        if (Section_built(section))
            built << section;
    return built;
}

void frmMain::Enable_built_commands()
{
    for (const Command& command : kCommands) {
        const Section* opens = std::get_if<Section>(&command.does);
        if (!opens)
            continue;
        const bool built = Section_built(*opens);
        if (command.item)
            findChild<QAction*>(QLatin1String(command.item))->setEnabled(built);
        if (command.key)
            Button(QLatin1String(command.key))->setEnabled(built);
    }
    mnuView_Click();
    mnuFile_Click();
    if (frmWelcome* welcome = Find_child<frmWelcome>())
        welcome->Enable_built_buttons(Built_sections());
}

void frmMain::Connect_commands()
{
    for (const Command& command : kCommands)
        if (command.item)
            connect(findChild<QAction*>(QLatin1String(command.item)), &QAction::triggered, this,
                    Guarded([this, &command] { Run(command, From_menu); }));
    connect(tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction* button) { Run_guarded([&] { tbToolBar_ButtonClick(button); }); });
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuFile, &QMenu::aboutToShow, this, &frmMain::mnuFile_Click);
    connect(mnuViewToolbar, &QAction::triggered, this, &frmMain::Toolbar_small);
    connect(mnuViewToolbarL, &QAction::triggered, this, &frmMain::Toolbar_large);
    connect(mnuView, &QMenu::aboutToShow, this, &frmMain::mnuView_Click);
    connect(mnuWindow, &QMenu::aboutToShow, this, &frmMain::mnuWindow_Click);
    connect(mnuWindowCascade, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    connect(mnuWindowTileHorizontal, &QAction::triggered, this, &frmMain::Tile_horizontally);
    connect(mnuWindowTileVertical, &QAction::triggered, this, &frmMain::Tile_vertically);
    connect(mnuWindowArrangeIcons, &QAction::triggered, this, &frmMain::Arrange_icons);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::Child_activated);
}

void frmMain::Run(const Command& command, unsigned from, QWidget* opener)
{
    const Section* opens = std::get_if<Section>(&command.does);
    // A command that can do nothing now does not show the pointer either.
    if (opens && (!Section_built(*opens) || (*opens == Section::Summary && Summary_empty)))
        return;
    std::optional<platform::Busy_pointer> busy;
    if (command.busy & from)
        busy.emplace(from == From_page ? opener : nullptr);
    if (opens)
        Open_section(*opens);
    else
        (this->*std::get<void (frmMain::*)()>(command.does))();
}

void frmMain::tbToolBar_ButtonClick(QAction* button)
{
    const QString key = button->data().toString();
    for (const Command& command : kCommands)
        if (command.key && key == QLatin1String(command.key))
            return Run(command, From_toolbar);
}

void frmMain::Open_section(Section section)
{
    if (!Section_built(section))
        return;
    switch (section) {
    case Section::Index_by_number:
        Choose_index(Index_kind::By_number);
        openers.pages();
        break;
    case Section::Index_by_name:
        Choose_index(Index_kind::By_name);
        openers.pages();
        break;
    case Section::Chemical_agents:
        Choose_index(Index_kind::Chemical_agents);
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
    case Section::Contents:
        openers.content();
        Hook_contents();
        break;
    case Section::Summary:
        if (!Summary_empty)
            openers.summary();
        break;
    case Section::Find: Find(); break;
    case Section::Welcome: Show_welcome(); break;
    case Section::Table3: Open_table3(QString()); break;
    }
}

void frmMain::Hook_contents()
{
    auto* contents = Find_child<frmContent>();
    if (!contents)
        return;
    contents->Enable_entries(Built_sections());
    // Once per window, however often the section is asked for.
    disconnect(contents, &frmContent::Section_requested, this, nullptr);
    connect(contents, &frmContent::Section_requested, this,
            [this](Section section) { Run_guarded([&] { Open_section(section); }); });
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

void frmMain::Print_summary()
{
    if (!Summary_empty)
        Print_summary_report();
}

void frmMain::Save_summary()
{
    if (!Summary_empty)
        Save_summary_report();
}

void frmMain::Find()
{
    if (!Section_built(Section::Find))
        return;
    QMdiSubWindow* active = mdiArea->currentSubWindow();
    if (Pages_inactive) {
        if (QMdiSubWindow* pages = Frame_named(mdiArea, kPages))
            mdiArea->setActiveSubWindow(pages);
    } else if (!active || !active->widget() || active->widget()->objectName() != kPages) {
        platform::Busy_pointer busy;
        Open_section(Section::Index_by_number);
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
        frame = Open_welcome();
    if (frame->isMinimized())
        frame->showNormal();
    mdiArea->setActiveSubWindow(frame);
    frame->widget()->setFocus();
}

QMdiSubWindow* frmMain::Open_welcome()
{
    auto* page = new frmWelcome;
    connect(page, &frmWelcome::Section_requested, this, [this, page](Section section) {
        if (const Command* command = Command_for(section))
            Run_guarded([&] { Run(*command, From_page, page); });
    });
    // Closing the home page is leaving the program.
    connect(page, &frmWelcome::Leaving, this, &QWidget::close);
    page->Enable_built_buttons(Built_sections());
    return Show_child(page);
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
