// The main window's menus and toolbar as the user sees them, and what each
// command does: the globals it sets, the window it opens, the clipboard, the
// find routing, the summary rule and leaving the program.
#include "app/Child_windows.h"
#include "app/General.h"
#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "app/frmWelcome.h"
#include "data/Queries.h"
#include "platform/Printer_surface.h"
#include "platform/Twips.h"
#include "support/Fixture.h"
#include "support/Loaded_program.h"
#include "support/Scripted_platform.h"

#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolBar>

using namespace vexo;
using test::Program_ended;

// Stand-ins for the windows of other sections: they record their building.
class Fake_pages : public QWidget {
    Q_OBJECT
public:
    Fake_pages()
    {
        setObjectName(QStringLiteral("frmPages"));
        setWindowTitle(QStringLiteral("Indice"));
        resize(300, 200);
    }
};

class Fake_window : public QWidget {
    Q_OBJECT
public:
    Fake_window()
    {
        setObjectName(QStringLiteral("frmOther"));
        setWindowTitle(QStringLiteral("Otra ventana"));
        resize(300, 200);
        text_box = new QLineEdit(this);
        text_box->setGeometry(10, 10, 200, 24);
        viewer = new QTextBrowser(this);
        viewer->setGeometry(10, 40, 200, 80);
        viewer->setPlainText(QStringLiteral("Documento de consulta"));
        button = new QPushButton(QStringLiteral("Botón"), this);
        button->setGeometry(10, 130, 100, 24);
    }
    QLineEdit* text_box;
    QTextBrowser* viewer;
    QPushButton* button;
};

class tst_frmMain_commands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void menu_items_data();
    void menu_items();
    void menus_in_order();
    void toolbar_buttons_data();
    void toolbar_buttons();
    void image_lists_hold_the_same_pictures();
    void toolbar_size_switch_keeps_pictures_and_tips();

    void sections_set_their_globals_data();
    void sections_set_their_globals();
    void guides_open_the_guide_list();
    void commands_without_their_window_are_disabled_data();
    void commands_without_their_window_are_disabled();
    void unknown_toolbar_key_does_nothing();

    void find_routing_data();
    void find_routing();

    void summary_does_nothing_while_empty_data();
    void summary_does_nothing_while_empty();

    void clipboard_data();
    void clipboard();

    void welcome_command_brings_the_page_back();
    void window_menu_lists_the_open_windows();
    void tiling_divides_the_work_area();
    void about_box_is_modal();

    void exit_asks_data();
    void exit_asks();

private:
    void Install_fakes();
    QMdiSubWindow* Frame_of(const QString& name) const;

    QTemporaryDir template_; // the fixture database, made once and copied for each test
    std::unique_ptr<test::Loaded_program> program_;
    test::Scripted_platform* ui_ = nullptr;
    frmMain* main_ = nullptr;
    QStringList built_; // the windows built, in order
    QString cursor_;    // the main window's pointer while the last window was built
};

void tst_frmMain_commands::initTestCase()
{
    test::Make_database(template_.filePath(QStringLiteral("guide2ks.mdb")), test::Minimal_rows());
}

void tst_frmMain_commands::init()
{
    program_ = std::make_unique<test::Loaded_program>(template_.filePath(QStringLiteral("guide2ks.mdb")));
    ui_ = &program_->ui();
    main_ = program_->main();
    main_->resize(900, 760);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_));
    QVERIFY(ui_->shown.isEmpty());
    built_.clear();
}

void tst_frmMain_commands::cleanup()
{
    program_.reset();
}

void tst_frmMain_commands::Install_fakes()
{
    auto record = [this](const char* name) {
        return [this, name] {
            built_ << QLatin1String(name);
            cursor_ = main_->cursor().shape() == Qt::BusyCursor ? QStringLiteral("busy") : QStringLiteral("default");
        };
    };
    Window_openers& o = main_->openers;
    o.pages = [this, record] {
        record("frmPages")();
        Reopen_child<Fake_pages>();
    };
    o.find = record("frmFind");
    o.guide = record("frmGuide");
    o.green = record("frmGreen");
    o.water = record("frmWater");
    o.summary = record("frmSummary");
    o.content = record("frmContent");
    o.placards = record("Load_placards");
    o.road_trailers = record("Load_road_trailers");
    o.rail_cars = record("Load_rail_cars");
    main_->Enable_built_commands();
}

QMdiSubWindow* tst_frmMain_commands::Frame_of(const QString& name) const
{
    for (QMdiSubWindow* sub : main_->mdiArea->subWindowList())
        if (sub->widget()->objectName() == name)
            return sub;
    return nullptr;
}

// --- what the user reads ---------------------------------------------------------

void tst_frmMain_commands::menu_items_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    auto row = [](const char* item, const char* caption, const char* shortcut = "") {
        QTest::newRow(item) << QString::fromLatin1(item) << QString::fromUtf8(caption) << QString::fromLatin1(shortcut);
    };
    row("mnuFileExit", "&Salir");
    row("mnuFilePrintSummary", "Im&primir resumen");
    row("mnuFileSaveSummary", "&Guardar como PDF");
    row("mnuEditCut", "&Cortar", "Ctrl+X");
    row("mnuEditCopy", "C&opiar", "Ctrl+C");
    row("mnuEditPaste", "&Pegar", "Ctrl+V");
    row("mnuEditFind", "&Buscar", "Ctrl+F");
    row("mnuViewToolbar", "&Barra de herramientas");
    row("mnuViewToolbarL", "Toolbar (&large)");
    row("mnuViewID", "&Indice numérico");
    row("mnuViewMaterial", "Indice a&lfabético");
    row("mnuViewGuide", "&Guías");
    row("mnuViewPlacard", "&Carteles");
    row("mnuViewTrailer", "R&oad Trailer ID Chart");
    row("mnuViewTanks", "&Rail Car ID Chart");
    row("mnuViewTIIPAD", "&Tabla de distancias de aislamiento inicial y acción protectora");
    row("mnuViewLDWRM", "&Lista de materiales peligrosos reactivos al agua\"");
    row("mnuViewChemWeap", "Chemical and/or &Biological Agents");
    row("mnuViewContent", "T&abla de Contenido");
    row("mnuViewSummary", "&Resúmen");
    row("mnuViewWelcome", "&Página de Bienvenida");
    row("mnuViewTable3", "Tabla &3");
    row("mnuWindowCascade", "Cascada");
    row("mnuWindowTileHorizontal", "Mosaico &horizontal");
    row("mnuWindowTileVertical", "Mosaico &vertical");
    row("mnuWindowArrangeIcons", "Arreglar &iconos");
    row("mnuHelpAbout", "A&cerca de MARDOVI VEXO");
}

void tst_frmMain_commands::menu_items()
{
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    auto* action = main_->findChild<QAction*>(item);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), shortcut);
}

void tst_frmMain_commands::menus_in_order()
{
    QStringList titles;
    for (QAction* menu : main_->menuBar()->actions())
        titles << menu->text();
    QCOMPARE(titles, (QStringList{"&Archivo", "&Editar", "&Ver", "Ve&ntana", "A&yuda"}));

    auto names = [](QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return out;
    };
    QCOMPARE(names(main_->mnuFile), (QStringList{"mnuFileExit", "-", "mnuFilePrintSummary", "mnuFileSaveSummary"}));
    QCOMPARE(names(main_->mnuEdit), (QStringList{"mnuEditCut", "mnuEditCopy", "mnuEditPaste", "-", "mnuEditFind"}));
    QCOMPARE(names(main_->mnuView),
             (QStringList{"mnuViewToolbar", "mnuViewToolbarL", "-", "mnuViewID", "mnuViewMaterial", "mnuViewGuide", "-",
                          "mnuViewPlacard", "mnuViewTrailer", "mnuViewTanks", "mnuViewTIIPAD", "mnuViewLDWRM",
                          "mnuViewChemWeap", "-", "mnuViewContent", "mnuViewSummary", "-", "mnuViewWelcome",
                          "mnuViewTable3"}));
    QCOMPARE(names(main_->mnuHelp), QStringList{"mnuHelpAbout"});
}

void tst_frmMain_commands::toolbar_buttons_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("key"); // empty: a separator
    QTest::addColumn<QString>("tip");
    QTest::addColumn<int>("image");
    auto row = [](int position, const char* key, const char* tip, int image) {
        QTest::addRow("%d %s", position, key) << position << QString::fromLatin1(key) << QString::fromUtf8(tip) << image;
    };
    row(1, "", "", 0);
    row(2, "Cut", "Cortar (Ctrl-X)", 3);
    row(3, "Copy", "Copiar (Ctrl-C)", 4);
    row(4, "Paste", "Pegar (Ctrl-V)", 5);
    row(5, "", "", 0);
    row(6, "Find", "Buscar (Ctrl-F)", 6);
    row(7, "", "", 0);
    row(8, "ID", "Indice numérico", 7);
    row(9, "Material", "Indice alfabético", 8);
    row(10, "Guide", "Guias de Repuesta a Emergencias", 9);
    row(11, "", "", 0);
    row(12, "Placards", "Carteles", 13);
    row(13, "Road", "Tabla de remolques", 19);
    row(14, "Rail", "Tabla de carros tanque", 20);
    row(15, "TIIPAD", "Tabla de distancias de aislamiento inicial y acción protectora", 10);
    row(16, "LDWRM", "Lista de materiales peligrosos reactivos al agua que producen gases toxicos", 11);
    row(17, "Chemical", "Agentes Q/B", 18);
    row(18, "", "", 0);
    row(19, "Contents", "Tabla de Contenido", 12);
    row(20, "Summary", "Resumen", 14);
    row(21, "", "", 0);
    row(22, "Welcome", "Página de Bienvenida", 16);
}

void tst_frmMain_commands::toolbar_buttons()
{
    QFETCH(int, position);
    QFETCH(QString, key);
    QFETCH(QString, tip);
    QFETCH(int, image);
    // The 22 buttons come first; the search box follows them.
    QCOMPARE(main_->tbButtons.size(), 22);
    QAction* button = main_->tbToolBar->actions().at(position - 1);
    QCOMPARE(button, main_->tbButtons.at(position - 1));
    QCOMPARE(button->isSeparator(), key.isEmpty());
    if (key.isEmpty())
        return;
    QCOMPARE(button->data().toString(), key);
    QCOMPARE(button->toolTip(), tip);
    QCOMPARE(button->icon().cacheKey(), main_->imlIcons.image(image).cacheKey());
}

void tst_frmMain_commands::image_lists_hold_the_same_pictures()
{
    QVERIFY(main_->imlIcons.images.size() >= 20);
    QCOMPARE(main_->imlIconsL.images.size(), main_->imlIcons.images.size());
    QCOMPARE(main_->imlIcons.size, QSize(16, 16));
    QCOMPARE(main_->imlIconsL.size, QSize(32, 32));
    QSet<QByteArray> distinct;
    for (int i = 1; i <= main_->imlIcons.images.size(); ++i) {
        const QImage small = main_->imlIcons.image(i).pixmap(QSize(32, 32)).toImage();
        const QImage large = main_->imlIconsL.image(i).pixmap(QSize(32, 32)).toImage();
        QVERIFY2(!small.isNull(), qPrintable(QStringLiteral("image %1 does not draw").arg(i)));
        QCOMPARE(small, large);
        QVERIFY(!main_->imlIcons.image(i).pixmap(QSize(16, 16)).isNull());
        distinct.insert(QByteArray(reinterpret_cast<const char*>(small.constBits()), small.sizeInBytes()));
    }
    QCOMPARE(distinct.size(), main_->imlIcons.images.size()); // no picture stands for two images
}

void tst_frmMain_commands::toolbar_size_switch_keeps_pictures_and_tips()
{
    QVERIFY(main_->mnuViewToolbar->isChecked());
    QVERIFY(!main_->mnuViewToolbarL->isChecked());
    QCOMPARE(main_->tbToolBar->iconSize(), QSize(16, 16));

    auto keys = [this](const Image_list& list) {
        QList<qint64> out;
        for (QAction* b : main_->tbButtons)
            if (!b->isSeparator())
                out << b->icon().cacheKey() - list.image(b->property("image").toInt()).cacheKey();
        return out;
    };
    QStringList tips_before;
    for (QAction* b : main_->tbToolBar->actions())
        tips_before << b->toolTip();

    main_->mnuViewToolbarL->trigger();
    QVERIFY(main_->mnuViewToolbarL->isChecked());
    QVERIFY(!main_->mnuViewToolbar->isChecked());
    QCOMPARE(main_->tbToolBar->iconSize(), QSize(32, 32));
    QCOMPARE(keys(main_->imlIconsL), QList<qint64>(16, 0));

    main_->mnuViewToolbar->trigger();
    QVERIFY(main_->mnuViewToolbar->isChecked());
    QVERIFY(!main_->mnuViewToolbarL->isChecked());
    QCOMPARE(main_->tbToolBar->iconSize(), QSize(16, 16));
    QCOMPARE(keys(main_->imlIcons), QList<qint64>(16, 0));
    QStringList tips_after;
    for (QAction* b : main_->tbToolBar->actions())
        tips_after << b->toolTip();
    QCOMPARE(tips_after, tips_before);
}

// --- sections ------------------------------------------------------------------

void tst_frmMain_commands::sections_set_their_globals_data()
{
    QTest::addColumn<QString>("item");   // a menu item, or "tb" and a toolbar key
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("index_mode");
    QTest::addColumn<bool>("agents_only");
    QTest::addColumn<QString>("cursor");
    auto row = [](const char* item, const char* window, int mode, bool agents, const char* cursor) {
        QTest::newRow(item) << QString::fromLatin1(item) << QString::fromLatin1(window) << mode << agents
                            << QString::fromLatin1(cursor);
    };
    row("mnuViewID", "frmPages", 0, false, "busy");
    row("tbID", "frmPages", 0, false, "busy");
    row("mnuViewMaterial", "frmPages", 1, false, "busy");
    row("tbMaterial", "frmPages", 1, false, "busy");
    row("mnuViewChemWeap", "frmPages", 0, true, "busy");
    row("tbChemical", "frmPages", 0, true, "default");
    row("mnuViewPlacard", "Load_placards", -1, false, "busy");
    row("tbPlacards", "Load_placards", -1, false, "busy");
    row("mnuViewTrailer", "Load_road_trailers", -1, false, "busy");
    row("tbRoad", "Load_road_trailers", -1, false, "default");
    row("mnuViewTanks", "Load_rail_cars", -1, false, "busy");
    row("tbRail", "Load_rail_cars", -1, false, "default");
    row("mnuViewTIIPAD", "frmGreen", -1, false, "busy");
    row("tbTIIPAD", "frmGreen", -1, false, "busy");
    row("mnuViewLDWRM", "frmWater", -1, false, "busy");
    row("tbLDWRM", "frmWater", -1, false, "busy");
    row("mnuViewContent", "frmContent", -1, false, "busy");
    row("tbContents", "frmContent", -1, false, "busy");
}

void tst_frmMain_commands::sections_set_their_globals()
{
    QFETCH(QString, item);
    QFETCH(QString, window);
    QFETCH(int, index_mode);
    QFETCH(bool, agents_only);
    QFETCH(QString, cursor);
    Install_fakes();
    Index_mode = 7;
    Chemical_agents_only = !agents_only;
    Green_SQL.clear();
    Water_SQL.clear();

    QAction* action = main_->findChild<QAction*>(item);
    QVERIFY(action);
    QVERIFY(action->isEnabled());
    action->trigger();

    QCOMPARE(built_, QStringList{window});
    QCOMPARE(cursor_, cursor);
    QCOMPARE(main_->cursor().shape(), Qt::ArrowCursor); // back when done
    if (index_mode >= 0) {
        QCOMPARE(Index_mode, index_mode);
        QCOMPARE(Chemical_agents_only, agents_only);
    }
    QCOMPARE(Green_SQL, window == QLatin1String("frmGreen") ? QStringLiteral("SELECT * FROM Green ORDER BY ID, Name_of_material")
                                                           : QString());
    QCOMPARE(Water_SQL, window == QLatin1String("frmWater") ? sql::Water_list_SQL() : QString());
}

void tst_frmMain_commands::guides_open_the_guide_list()
{
    Install_fakes();
    int rows_seen = -1;
    main_->openers.guide = [&] { rows_seen = Guide_records ? Guide_records->RecordCount() : -1; };
    main_->mnuViewGuide->trigger();
    QCOMPARE(Guide_SQL, QStringLiteral("SELECT DISTINCT Guides_pages.Key, Guides_pages.Guide_page, Sentences.Sentences "
                                       "FROM Guides_pages LEFT JOIN Sentences ON Guides_pages.Sentences_key = "
                                       "Sentences.Key WHERE Sentences.Code = 2 ORDER BY Guides_pages.Guide_page"));
    QCOMPARE(rows_seen, 2); // guides 124 and 128 of the fixture, one title each
    Guide_records.reset();
    main_->Button(QStringLiteral("Guide"))->trigger();
    QCOMPARE(Guide_records->RecordCount(), 2);
}

void tst_frmMain_commands::commands_without_their_window_are_disabled_data()
{
    QTest::addColumn<QStringList>("controls"); // menu item, toolbar key, welcome button
    QTest::addColumn<QString>("opener");
    QTest::newRow("pages") << QStringList{"mnuViewID", "ID", "cmdIDNumber", "mnuViewMaterial", "Material",
                                          "cmdMaterial", "mnuViewChemWeap", "Chemical", "cmdChemWeap",
                                          "mnuEditFind", "Find"}
                           << "pages";
    QTest::newRow("find") << QStringList{"mnuEditFind", "Find"} << "find";
    QTest::newRow("guide") << QStringList{"mnuViewGuide", "Guide", "cmdGuide"} << "guide";
    QTest::newRow("green") << QStringList{"mnuViewTIIPAD", "TIIPAD", "cmdDistances"} << "green";
    QTest::newRow("water") << QStringList{"mnuViewLDWRM", "LDWRM", "cmdWater"} << "water";
    QTest::newRow("content") << QStringList{"mnuViewContent", "Contents", "cmdContents"} << "content";
    QTest::newRow("summary") << QStringList{"mnuViewSummary", "Summary", "cmdSummary"} << "summary";
    QTest::newRow("placards") << QStringList{"mnuViewPlacard", "Placards", "cmdPlacards"} << "placards";
    QTest::newRow("road") << QStringList{"mnuViewTrailer", "Road", "cmdTrailer"} << "road_trailers";
    QTest::newRow("rail") << QStringList{"mnuViewTanks", "Rail", "cmdTanks"} << "rail_cars";
}

void tst_frmMain_commands::commands_without_their_window_are_disabled()
{
    QFETCH(QStringList, controls);
    QFETCH(QString, opener);
    Summary_empty = false;
    Install_fakes();
    Window_openers& o = main_->openers;
    std::function<void()>* removed = opener == QLatin1String("pages")        ? &o.pages
                                   : opener == QLatin1String("find")         ? &o.find
                                   : opener == QLatin1String("guide")        ? &o.guide
                                   : opener == QLatin1String("green")        ? &o.green
                                   : opener == QLatin1String("water")        ? &o.water
                                   : opener == QLatin1String("content")      ? &o.content
                                   : opener == QLatin1String("summary")      ? &o.summary
                                   : opener == QLatin1String("placards")     ? &o.placards
                                   : opener == QLatin1String("road_trailers") ? &o.road_trailers
                                                                              : &o.rail_cars;
    auto enabled = [this](const QString& control) {
        if (control.startsWith(QLatin1String("cmd")))
            return Find_child<frmWelcome>()->findChild<QPushButton*>(control)->isEnabled();
        if (control.startsWith(QLatin1String("mnu")))
            return main_->findChild<QAction*>(control)->isEnabled();
        return main_->Button(control)->isEnabled();
    };
    for (const QString& control : controls)
        QVERIFY2(enabled(control), qPrintable(control));

    const std::function<void()> kept = *removed;
    *removed = nullptr;
    main_->Enable_built_commands();
    for (const QString& control : controls)
        QVERIFY2(!enabled(control), qPrintable(control + QStringLiteral(" stays enabled without its window")));

    *removed = kept;
    main_->Enable_built_commands();
    for (const QString& control : controls)
        QVERIFY2(enabled(control), qPrintable(control));
}

void tst_frmMain_commands::unknown_toolbar_key_does_nothing()
{
    Install_fakes();
    QAction* stray = main_->tbToolBar->addAction(QStringLiteral("?"));
    stray->setData(QStringLiteral("Print"));
    stray->trigger();
    QVERIFY(built_.isEmpty());
    QVERIFY(ui_->shown.isEmpty());
}

// --- find routing ------------------------------------------------------------------

void tst_frmMain_commands::find_routing_data()
{
    QTest::addColumn<QString>("before"); // none, pages behind another window, pages active
    QTest::addColumn<QStringList>("built");
    QTest::newRow("no index: the index by number first") << "none" << QStringList{"frmPages", "frmFind"};
    QTest::newRow("index behind: brought forward") << "behind" << QStringList{"frmFind"};
    QTest::newRow("index active: only the dialog") << "active" << QStringList{"frmFind"};
}

void tst_frmMain_commands::find_routing()
{
    QFETCH(QString, before);
    QFETCH(QStringList, built);
    Install_fakes();
    Pages_inactive = false;
    Index_mode = 1;
    Fake_pages* pages = nullptr;
    if (before != QLatin1String("none")) {
        pages = Reopen_child<Fake_pages>();
        if (before == QLatin1String("behind")) {
            Reopen_child<Fake_window>();
            Pages_inactive = true; // the index pages keep this up to date themselves
        }
    }
    built_.clear();

    main_->mnuEditFind->trigger();

    QCOMPARE(built_, built);
    QMdiSubWindow* front = main_->mdiArea->currentSubWindow();
    QVERIFY(front);
    QCOMPARE(front->widget()->objectName(), QStringLiteral("frmPages"));
    if (pages)
        QCOMPARE(front->widget(), pages); // not rebuilt
    else
        QCOMPARE(Index_mode, 0);
    Pages_inactive = false;

    built_.clear();
    main_->Button(QStringLiteral("Find"))->trigger();
    QCOMPARE(built_, QStringList{"frmFind"}); // now the index is the active window
}

// --- summary -----------------------------------------------------------------------

void tst_frmMain_commands::summary_does_nothing_while_empty_data()
{
    QTest::addColumn<bool>("empty");
    QTest::newRow("empty") << true;
    QTest::newRow("products collected") << false;
}

void tst_frmMain_commands::summary_does_nothing_while_empty()
{
    QFETCH(bool, empty);
    Install_fakes();
    Summary_empty = empty;
    Q_EMIT main_->mnuView->aboutToShow();
    Q_EMIT main_->mnuFile->aboutToShow();
    QCOMPARE(main_->mnuViewSummary->isEnabled(), !empty);
    QCOMPARE(main_->mnuFilePrintSummary->isEnabled(), !empty);
    QCOMPARE(main_->mnuFileSaveSummary->isEnabled(), !empty);
    QVERIFY(main_->Button(QStringLiteral("Summary"))->isEnabled()); // the button stays enabled

    main_->Button(QStringLiteral("Summary"))->trigger();
    main_->mnuViewSummary->trigger();
    const QStringList expected = empty ? QStringList() : QStringList{"frmSummary", "frmSummary"};
    QCOMPARE(built_, expected);
    QVERIFY(ui_->shown.isEmpty());

    // Printing and saving the summary speak up only when there is one (the
    // printer and the file are cancelled).
    platform::Install_printer_chooser([](const QString&) { return nullptr; });
    main_->mnuFilePrintSummary->trigger();
    main_->mnuFileSaveSummary->trigger();
    platform::Install_printer_chooser({});
    QCOMPARE(ui_->shown.size(), empty ? 0 : 2);
}

// --- clipboard ---------------------------------------------------------------------

void tst_frmMain_commands::clipboard_data()
{
    QTest::addColumn<QString>("focus"); // text box, read-only name box, viewer, button
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("selection"); // characters selected from position 4
    QTest::addColumn<QString>("text_after");
    QTest::addColumn<QString>("clipboard_after");
    // The text box holds "1017 Cloro", the clipboard "1203".
    QTest::newRow("copy a selection") << "box" << "Copy" << 6 << "1017 Cloro" << " Cloro";
    QTest::newRow("copy nothing selected") << "box" << "Copy" << 0 << "1017 Cloro" << "1203";
    QTest::newRow("cut a selection") << "box" << "Cut" << 6 << "1017" << " Cloro";
    QTest::newRow("cut nothing selected") << "box" << "Cut" << 0 << "1017 Cloro" << "1203";
    QTest::newRow("paste over a selection") << "box" << "Paste" << 6 << "10171203" << "1203";
    QTest::newRow("paste at the caret") << "box" << "Paste" << 0 << "10171203 Cloro" << "1203";
    QTest::newRow("copy from a name box") << "name" << "Copy" << 6 << "1017 Cloro" << " Cloro";
    QTest::newRow("cut from a name box") << "name" << "Cut" << 6 << "1017 Cloro" << "1203";
    QTest::newRow("paste into a name box") << "name" << "Paste" << 6 << "1017 Cloro" << "1203";
    QTest::newRow("copy from the viewer") << "viewer" << "Copy" << 6 << "1017 Cloro" << "1203";
    QTest::newRow("cut from the viewer") << "viewer" << "Cut" << 6 << "1017 Cloro" << "1203";
    QTest::newRow("paste into the viewer") << "viewer" << "Paste" << 6 << "1017 Cloro" << "1203";
    QTest::newRow("paste on a button") << "button" << "Paste" << 6 << "1017 Cloro" << "1203";
}

void tst_frmMain_commands::clipboard()
{
    QFETCH(QString, focus);
    QFETCH(QString, command);
    QFETCH(int, selection);
    QFETCH(QString, text_after);
    QFETCH(QString, clipboard_after);
    auto* window = Reopen_child<Fake_window>();
    window->text_box->setText(QStringLiteral("1017 Cloro"));
    window->text_box->setReadOnly(focus == QLatin1String("name"));
    window->text_box->setCursorPosition(4);
    if (selection > 0)
        window->text_box->setSelection(4, selection);
    QTextCursor all(window->viewer->document());
    all.select(QTextCursor::Document);
    window->viewer->setTextCursor(all);
    QWidget* focused = focus == QLatin1String("viewer") ? static_cast<QWidget*>(window->viewer)
                     : focus == QLatin1String("button") ? static_cast<QWidget*>(window->button)
                                                         : static_cast<QWidget*>(window->text_box);
    focused->setFocus();
    QCOMPARE(window->focusWidget(), focused);
    QGuiApplication::clipboard()->setText(QStringLiteral("1203"));
    const QString viewer_text = window->viewer->toPlainText();

    // The menu item, the toolbar button and the key do the same; the second
    // run of a copy finds the same selection, so all land on the same result.
    main_->findChild<QAction*>(QStringLiteral("mnuEdit") + command)->trigger();
    if (command == QLatin1String("Copy") || focus == QLatin1String("name")) {
        main_->Button(command)->trigger();
        QTest::keySequence(focused, main_->findChild<QAction*>(QStringLiteral("mnuEdit") + command)->shortcut());
    }

    QCOMPARE(window->text_box->text(), text_after);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard_after);
    QCOMPARE(window->viewer->toPlainText(), viewer_text);
}

// --- windows -----------------------------------------------------------------------

void tst_frmMain_commands::welcome_command_brings_the_page_back()
{
    auto* welcome = Find_child<frmWelcome>();
    QVERIFY(welcome); // the load ends on the welcome page
    QCOMPARE(main_->mdiArea->currentSubWindow()->widget(), welcome);
    Reopen_child<Fake_window>();
    QVERIFY(main_->mdiArea->currentSubWindow()->widget() != welcome);
    main_->Button(QStringLiteral("Welcome"))->trigger();
    QCOMPARE(main_->mdiArea->currentSubWindow()->widget(), welcome);
    Reopen_child<Fake_window>();
    main_->mnuViewWelcome->trigger();
    QCOMPARE(main_->mdiArea->currentSubWindow()->widget(), welcome);
    QCOMPARE(Find_child<frmWelcome>(), welcome); // the same page, not a new one
}

void tst_frmMain_commands::window_menu_lists_the_open_windows()
{
    Reopen_child<Fake_window>();
    Q_EMIT main_->mnuWindow->aboutToShow();
    QStringList entries;
    for (QAction* a : main_->mnuWindow->actions())
        if (!a->isSeparator())
            entries << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
    QCOMPARE(entries, (QStringList{"Cascada", "Mosaico &horizontal", "Mosaico &vertical", "Arreglar &iconos",
                                   "&1 Bienvenido", "&2 Otra ventana *"}));
    // Choosing an entry brings its window forward; reopening the menu lists
    // the windows again, not twice.
    main_->mnuWindow->actions().at(5)->trigger();
    QCOMPARE(main_->mdiArea->currentSubWindow()->widget(), Find_child<frmWelcome>());
    Q_EMIT main_->mnuWindow->aboutToShow();
    QCOMPARE(main_->mnuWindow->actions().size(), 7);
}

void tst_frmMain_commands::tiling_divides_the_work_area()
{
    Find_child<frmWelcome>()->setMinimumSize(0, 0); // the page keeps a minimum the test does not need
    Reopen_child<Fake_window>();
    const QRect area = main_->mdiArea->viewport()->rect();
    auto frames = [this] {
        QList<QRect> out;
        for (QMdiSubWindow* sub : main_->mdiArea->subWindowList())
            out << sub->geometry();
        return out;
    };
    main_->mnuWindowTileHorizontal->trigger();
    QList<QRect> tiles = frames();
    QCOMPARE(tiles.size(), 2);
    QCOMPARE(tiles[0], QRect(0, 0, area.width(), area.height() / 2));
    QCOMPARE(tiles[1], QRect(0, area.height() / 2, area.width(), area.height() / 2));

    main_->mnuWindowTileVertical->trigger();
    tiles = frames();
    QCOMPARE(tiles[0], QRect(0, 0, area.width() / 2, area.height()));
    QCOMPARE(tiles[1], QRect(area.width() / 2, 0, area.width() / 2, area.height()));

    main_->mnuWindowCascade->trigger();
    tiles = frames();
    QVERIFY(tiles[0].topLeft() != tiles[1].topLeft());

    for (QMdiSubWindow* sub : main_->mdiArea->subWindowList())
        sub->showMinimized();
    main_->mnuWindowArrangeIcons->trigger();
    tiles = frames();
    QCOMPARE(tiles[0].bottom(), area.bottom());
    QCOMPARE(tiles[1].bottom(), area.bottom());
    QCOMPARE(tiles[0].left(), 0);
    QCOMPARE(tiles[1].left(), tiles[0].right() + 1);
}

void tst_frmMain_commands::about_box_is_modal()
{
    QString title;
    bool modal = false;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        if (!box)
            return;
        title = box->windowTitle();
        modal = box->isModal();
        owner = box->parentWidget();
        box->cmdOK->click();
    });
    main_->mnuHelpAbout->trigger();
    QCOMPARE(title, QStringLiteral("Acerca de la MARDOVI VEXO"));
    QVERIFY(modal);
    QCOMPARE(owner, main_);
}

// --- leaving -----------------------------------------------------------------------

void tst_frmMain_commands::exit_asks_data()
{
    QTest::addColumn<bool>("welcome"); // closing the welcome page rather than the exit command
    QTest::addColumn<bool>("minimised");
    QTest::addColumn<bool>("yes");
    QTest::newRow("No keeps everything, placement saved") << false << false << false;
    QTest::newRow("minimised and No: nothing saved") << false << true << false;
    QTest::newRow("Yes ends the program") << false << false << true;
    QTest::newRow("welcome page closed, No: placement saved") << true << false << false;
    QTest::newRow("welcome page closed while minimised") << true << true << false;
    QTest::newRow("welcome page closed, Yes") << true << false << true;
}

void tst_frmMain_commands::exit_asks()
{
    QFETCH(bool, welcome);
    QFETCH(bool, minimised);
    QFETCH(bool, yes);
    main_->move(200, 120);
    if (minimised)
        main_->showMinimized();
    if (yes)
        ui_->answers << platform::Answer::Yes;

    QMdiSubWindow* page = Child_frame<frmWelcome>();
    bool ended = false;
    try {
        if (welcome)
            page->close();
        else
            main_->mnuFileExit->trigger();
    } catch (const Program_ended&) {
        ended = true;
    }

    QCOMPARE(ui_->texts(), QStringList{"Está seguro que quiere salir de MARDOVI VEXO?"});
    QCOMPARE(ui_->shown.first().icon, platform::Icon::Question);
    QCOMPARE(ui_->shown.first().buttons, platform::Buttons::YesNo);
    QCOMPARE(ended, yes);
    const QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("MARDOVI VEXO"),
                          QStringLiteral("MARDOVI VEXO"));
    QCOMPARE(store.contains(QStringLiteral("Settings/MainLeft")), !minimised);
    if (!minimised)
        QCOMPARE(store.value(QStringLiteral("Settings/MainWidth")).toString(),
                 QString::number(static_cast<float>(to_twips(main_->width()))));
    if (!yes) {
        QVERIFY(!main_->isHidden());
        QCOMPARE(Child_frame<frmWelcome>(), page);
        QVERIFY(page->isVisible() || minimised);
    }
}

QTEST_MAIN(tst_frmMain_commands)
#include "tst_frmMain_commands.moc"
