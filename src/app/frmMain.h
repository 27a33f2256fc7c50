// The main frame window: it holds every other window of the program, finds
// and validates the database while it loads, routes the user's commands to
// the child windows and asks before the program ends.
#pragma once

#include "app/Section.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QSize>

#include <functional>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace vexo {

struct Command;

// The pictures of the toolbar at one size; indices start at 1, and both
// lists hold the same pictures at the same indices.
struct Image_list {
    QSize size;
    QList<QIcon> images;
    QIcon image(int index) const { return images.value(index - 1); }
};

// How each window behind a section is (re)built once the globals are set.
// A window that is not part of the program yet has no opener, and every
// command that leads to it stays disabled.
struct Window_openers {
    std::function<void()> pages;     // frmPages, from Index_mode and Chemical_agents_only
    std::function<void()> find;      // frmFind, over the index pages
    std::function<void()> guide;     // frmGuide, from Guide_records
    std::function<void()> green;     // frmGreen, from Green_SQL
    std::function<void()> water;     // frmWater, from Water_SQL
    std::function<void()> summary;   // frmSummary
    std::function<void()> content;   // frmContent
    std::function<void()> placards;  // Load_placards
    std::function<void()> road_trailers; // Load_road_trailers
    std::function<void()> rail_cars; // Load_rail_cars
};

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The load sequence: placement, globals, texts, database, toolbar, welcome page.
    void Load();

    // Locating, opening and validating the database.
    void Load_from_ini_file();
    void Write_in_ini_file();
    void Load_database();
    bool Open_database_manual();
    bool valid_database();

    // Placement in twips, as kept in the settings store.
    void Restore_placement();
    void Save_placement();

    // Spanish captions of the menus and tool tips of the toolbar.
    void Insert_Text_Language();

    // Enables each command whose window exists; see Window_openers.
    void Enable_built_commands();
    bool Section_built(Section section) const;
    QList<Section> Built_sections() const;
    // Sets the globals the section's window reads and rebuilds the window.
    void Open_section(Section section);

    // Find routing: the index pages first, then the find dialog.
    void Find();
    void Cut();
    void Copy();
    void Paste();
    // The summary printed or saved, when it holds products.
    void Print_summary();
    void Save_summary();
    void Toolbar_small();
    void Toolbar_large();
    void Show_welcome();
    void Tile_horizontally();
    void Tile_vertically();
    void Arrange_icons();

    // A toolbar button by its key, or nullptr.
    QAction* Button(const QString& key) const;
    // Where the child windows live.
    QMdiArea* Work_area() const { return mdiArea; }

    Image_list imlIcons;
    Image_list imlIconsL;
    Window_openers openers;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Build_menus();
    void Build_toolbar();
    void Connect_commands();
    void Apply_image_list(const Image_list& list);
    // A command of the table, with the busy pointer where its row asks for
    // it; `opener` is the welcome page when one of its buttons was pressed.
    void Run(const Command& command, unsigned from, QWidget* opener = nullptr);
    // The welcome page, built and hooked to the commands.
    QMdiSubWindow* Open_welcome();
    // The table of contents asks for its sections through the frame.
    void Hook_contents();
    void tbToolBar_ButtonClick(QAction* button);
    void mnuView_Click();
    // The summary can be printed or saved only while it holds products.
    void mnuFile_Click();
    void mnuWindow_Click();
    void mnuHelpAbout_Click();
    void Child_activated(QMdiSubWindow* window);
    QList<QMdiSubWindow*> Arranged_windows() const;

    QList<QAction*> window_list_; // the Window menu's entries for the open child windows

    QMdiArea* mdiArea;
    QToolBar* tbToolBar;
    QList<QAction*> tbButtons; // the toolbar's 22 buttons, separators included

    QMenu* mnuFile;
    QAction* mnuFileExit;
    QAction* mnuFileBar1;
    QAction* mnuFilePrintSummary;
    QAction* mnuFileSaveSummary;
    QMenu* mnuEdit;
    QAction* mnuEditCut;
    QAction* mnuEditCopy;
    QAction* mnuEditPaste;
    QAction* mnuEditBar9;
    QAction* mnuEditFind;
    QMenu* mnuView;
    QAction* mnuViewToolbar;
    QAction* mnuViewToolbarL;
    QAction* mnuViewBar8;
    QAction* mnuViewID;
    QAction* mnuViewMaterial;
    QAction* mnuViewGuide;
    QAction* mnuViewBar9;
    QAction* mnuViewPlacard;
    QAction* mnuViewTrailer;
    QAction* mnuViewTanks;
    QAction* mnuViewTIIPAD;
    QAction* mnuViewLDWRM;
    QAction* mnuViewChemWeap;
    QAction* mnuViewbar10;
    QAction* mnuViewContent;
    QAction* mnuViewSummary;
    QAction* mnuViewBar11;
    QAction* mnuViewWelcome;
    QAction* mnuViewTable3;  // shown only over a database that has Table 3
    QMenu* mnuWindow;
    QAction* mnuWindowCascade;
    QAction* mnuWindowTileHorizontal;
    QAction* mnuWindowTileVertical;
    QAction* mnuWindowArrangeIcons;
    QMenu* mnuHelp;
    QAction* mnuHelpAbout;
};

// Installs the openers of the windows the program has; the one list to
// extend when a window lands.
void Install_built_windows(Window_openers& openers);

// Where the main window opens when a placement of it is stored: that one,
// brought back to the default corner when no screen shows it.
QRect Stored_placement();

} // namespace vexo
