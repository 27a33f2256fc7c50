// The main window's menus and toolbar as the user sees them, and what each
// command does from the menu, the toolbar and the welcome page: the window it
// builds, the globals it sets, the busy pointer, the clipboard, the find
// routing, the summary rule, a failed query and leaving the program.
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

// A stand-in for the windows of other sections, named as the frame finds it.
class Fake_window : public QWidget {
    Q_OBJECT
public:
    Fake_window()
    {
        setObjectName(QStringLiteral("frmOther"));
        setWindowTitle(QStringLiteral("Otra ventana"));
        resize(300, 200);
        text_box->setGeometry(10, 10, 200, 24);
        viewer->setGeometry(10, 40, 200, 80);
        viewer->setPlainText(QStringLiteral("Documento de consulta"));
        button->setGeometry(10, 130, 100, 24);
    }
    QLineEdit* text_box = new QLineEdit(this);
    QTextBrowser* viewer = new QTextBrowser(this);
    QPushButton* button = new QPushButton(QStringLiteral("Botón"), this);
};

// Not a Fake_window: reopening one of those must leave the index pages be.
class Fake_pages : public QWidget {
    Q_OBJECT
public:
    Fake_pages()
    {
        setObjectName(QStringLiteral("frmPages"));
        resize(300, 200);
    }
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

    void commands_open_their_section_data();
    void commands_open_their_section();
    void guides_open_the_guide_list();
    void commands_without_their_window_are_disabled_data();
    void commands_without_their_window_are_disabled();
    void unknown_toolbar_key_does_nothing();
    void a_failed_query_is_reported_and_the_opener_given_back_data();
    void a_failed_query_is_reported_and_the_opener_given_back();

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
    // A menu item, a toolbar button ("tb" and its key) or a welcome page button.
    void Run(const QString& control);
    template <class T = QAction>
    T* Named(const QString& name) const { return main_->findChild<T*>(name); }
    QAction* Button(const char* key) const { return main_->Button(QLatin1String(key)); }
    QMdiArea* Area() const { return main_->Work_area(); }
    QList<QAction*> Toolbar() const { return Named<QToolBar>(QStringLiteral("tbToolBar"))->actions().mid(0, 22); }

    QTemporaryDir template_; // the fixture database, made once and copied for each test
    std::unique_ptr<test::Loaded_program> program_;
    test::Scripted_platform* ui_ = nullptr;
    frmMain* main_ = nullptr;
    QStringList built_; // the windows built, in order
    QString busy_;      // "busy", "busy, page disabled" or "" while the last window was built
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
    QCOMPARE(QApplication::overrideCursor(), nullptr); // no command leaves the pointer busy
}

void tst_frmMain_commands::Install_fakes()
{
    auto record = [this](const char* name) {
        return [this, name] {
            built_ << QLatin1String(name);
            const bool busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
            const frmWelcome* page = Find_child<frmWelcome>();
            busy_ = !busy ? QString()
                  : page && !page->isEnabled() ? QStringLiteral("busy, page disabled")
                                               : QStringLiteral("busy");
        };
    };
    Window_openers& o = main_->openers;
    o.pages = [record] {
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

void tst_frmMain_commands::Run(const QString& control)
{
    if (control.startsWith(QLatin1String("cmd"))) {
        auto* button = Find_child<frmWelcome>()->findChild<QPushButton*>(control);
        QVERIFY(button && button->isEnabled());
        button->click();
    } else {
        QAction* action = Named(control);
        QVERIFY(action && action->isEnabled());
        action->trigger();
    }
}

// --- what the user reads ---------------------------------------------------------

void tst_frmMain_commands::menu_items_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    auto row = [](const char* item, const char* caption, const char* shortcut = "") {
        QTest::newRow(item) << QString::fromUtf8(caption) << QString::fromLatin1(shortcut);
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
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QAction* action = Named(QString::fromLatin1(QTest::currentDataTag()));
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

    auto names = [this](const char* menu) {
        QStringList out;
        for (QAction* a : Named<QMenu>(QLatin1String(menu))->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return out.join(u' ');
    };
    QCOMPARE(names("mnuFile"), QStringLiteral("mnuFileExit - mnuFilePrintSummary mnuFileSaveSummary"));
    QCOMPARE(names("mnuEdit"), QStringLiteral("mnuEditCut mnuEditCopy mnuEditPaste - mnuEditFind"));
    QCOMPARE(names("mnuView"), QStringLiteral("mnuViewToolbar mnuViewToolbarL - mnuViewID mnuViewMaterial mnuViewGuide - "
                                              "mnuViewPlacard mnuViewTrailer mnuViewTanks mnuViewTIIPAD mnuViewLDWRM "
                                              "mnuViewChemWeap - mnuViewContent mnuViewSummary - mnuViewWelcome "
                                              "mnuViewTable3"));
    QCOMPARE(names("mnuHelp"), QStringLiteral("mnuHelpAbout"));
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
    QAction* button = Toolbar().at(position - 1);
    QCOMPARE(button->isSeparator(), key.isEmpty());
    if (key.isEmpty())
        return;
    QCOMPARE(button->data().toString(), key);
    QCOMPARE(main_->Button(key), button);
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
        QVERIFY2(!small.isNull(), qPrintable(QStringLiteral("image %1 does not draw").arg(i)));
        QCOMPARE(small, main_->imlIconsL.image(i).pixmap(QSize(32, 32)).toImage());
        QVERIFY(!main_->imlIcons.image(i).pixmap(QSize(16, 16)).isNull());
        distinct.insert(QByteArray(reinterpret_cast<const char*>(small.constBits()), small.sizeInBytes()));
    }
    QCOMPARE(distinct.size(), main_->imlIcons.images.size()); // no picture stands for two images
}

void tst_frmMain_commands::toolbar_size_switch_keeps_pictures_and_tips()
{
    QAction* small = Named(QStringLiteral("mnuViewToolbar"));
    QAction* large = Named(QStringLiteral("mnuViewToolbarL"));
    auto state = [&](const Image_list& list) {
        QStringList out{QStringLiteral("%1 %2 %3").arg(small->isChecked()).arg(large->isChecked()).arg(
            Named<QToolBar>(QStringLiteral("tbToolBar"))->iconSize().width())};
        for (QAction* b : Toolbar())
            if (!b->isSeparator())
                out << b->toolTip()
                           + (b->icon().cacheKey() == list.image(b->property("image").toInt()).cacheKey() ? "" : " ?");
        return out;
    };
    const QStringList at_start = state(main_->imlIcons);
    QCOMPARE(at_start.first(), QStringLiteral("1 0 16"));
    large->trigger();
    QStringList now = state(main_->imlIconsL);
    QCOMPARE(now.takeFirst(), QStringLiteral("0 1 32"));
    QCOMPARE(now, at_start.mid(1));
    small->trigger();
    QCOMPARE(state(main_->imlIcons), at_start);
}

// --- sections ------------------------------------------------------------------

void tst_frmMain_commands::commands_open_their_section_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("busy");
    QTest::addColumn<int>("index_mode"); // -1: not an index
    QTest::addColumn<bool>("agents_only");
    // From the menu and the toolbar the busy pointer shows over the main
    // window; from the welcome page the page is also disabled meanwhile.
    auto rows = [](const char* item, const char* key, const char* button, const char* window, const char* toolbar_busy,
                   const char* page_busy, int mode = -1, bool agents = false) {
        auto row = [&](const char* control, const char* busy) {
            QTest::newRow(control) << QString::fromLatin1(window) << QString::fromLatin1(busy) << mode << agents;
        };
        row(item, "busy");
        row(key, toolbar_busy);
        row(button, page_busy);
    };
    const char* both = "busy, page disabled";
    rows("mnuViewID", "tbID", "cmdIDNumber", "frmPages", "busy", both, 0, false);
    rows("mnuViewMaterial", "tbMaterial", "cmdMaterial", "frmPages", "busy", both, 1, false);
    rows("mnuViewChemWeap", "tbChemical", "cmdChemWeap", "frmPages", "", both, 0, true);
    rows("mnuViewPlacard", "tbPlacards", "cmdPlacards", "Load_placards", "busy", both);
    rows("mnuViewTrailer", "tbRoad", "cmdTrailer", "Load_road_trailers", "", both);
    rows("mnuViewTanks", "tbRail", "cmdTanks", "Load_rail_cars", "", both);
    rows("mnuViewTIIPAD", "tbTIIPAD", "cmdDistances", "frmGreen", "busy", both);
    rows("mnuViewLDWRM", "tbLDWRM", "cmdWater", "frmWater", "busy", both);
    rows("mnuViewContent", "tbContents", "cmdContents", "frmContent", "busy", "");
    rows("mnuViewSummary", "tbSummary", "cmdSummary", "frmSummary", "busy", both);
}

void tst_frmMain_commands::commands_open_their_section()
{
    QFETCH(QString, window);
    QFETCH(QString, busy);
    QFETCH(int, index_mode);
    QFETCH(bool, agents_only);
    Summary_empty = false;
    Install_fakes();
    Find_child<frmWelcome>()->Form_Activate();
    Index_mode = 7;
    Chemical_agents_only = !agents_only;
    Green_SQL.clear();
    Water_SQL.clear();

    Run(QString::fromLatin1(QTest::currentDataTag()));

    QCOMPARE(built_, QStringList{window});
    QCOMPARE(busy_, busy);
    QVERIFY(Find_child<frmWelcome>()->isEnabled()); // given back when done
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
    Run(QStringLiteral("mnuViewGuide"));
    QCOMPARE(Guide_SQL, QStringLiteral("SELECT DISTINCT Guides_pages.Key, Guides_pages.Guide_page, Sentences.Sentences "
                                       "FROM Guides_pages LEFT JOIN Sentences ON Guides_pages.Sentences_key = "
                                       "Sentences.Key WHERE Sentences.Code = 2 ORDER BY Guides_pages.Guide_page"));
    QCOMPARE(rows_seen, 2); // guides 124 and 128 of the fixture, one title each
    Guide_records.reset();
    Run(QStringLiteral("tbGuide"));
    QCOMPARE(Guide_records->RecordCount(), 2);
}

void tst_frmMain_commands::commands_without_their_window_are_disabled_data()
{
    QTest::addColumn<QString>("controls"); // menu items, toolbar buttons, welcome buttons
    QTest::newRow("pages") << "mnuViewID tbID cmdIDNumber mnuViewMaterial tbMaterial cmdMaterial mnuViewChemWeap "
                              "tbChemical cmdChemWeap mnuEditFind tbFind";
    QTest::newRow("find") << "mnuEditFind tbFind";
    QTest::newRow("guide") << "mnuViewGuide tbGuide cmdGuide";
    QTest::newRow("green") << "mnuViewTIIPAD tbTIIPAD cmdDistances";
    QTest::newRow("water") << "mnuViewLDWRM tbLDWRM cmdWater";
    QTest::newRow("content") << "mnuViewContent tbContents cmdContents";
    QTest::newRow("summary") << "mnuViewSummary tbSummary cmdSummary";
    QTest::newRow("placards") << "mnuViewPlacard tbPlacards cmdPlacards";
    QTest::newRow("road_trailers") << "mnuViewTrailer tbRoad cmdTrailer";
    QTest::newRow("rail_cars") << "mnuViewTanks tbRail cmdTanks";
}

void tst_frmMain_commands::commands_without_their_window_are_disabled()
{
    QFETCH(QString, controls);
    Summary_empty = false;
    Install_fakes();
    Window_openers& o = main_->openers;
    const std::map<QString, std::function<void()>*> openers{
        {"pages", &o.pages},     {"find", &o.find},       {"guide", &o.guide},
        {"green", &o.green},     {"water", &o.water},     {"content", &o.content},
        {"summary", &o.summary}, {"placards", &o.placards}, {"road_trailers", &o.road_trailers},
        {"rail_cars", &o.rail_cars}};
    std::function<void()>* removed = openers.at(QString::fromLatin1(QTest::currentDataTag()));
    auto enabled = [this, &controls] {
        Find_child<frmWelcome>()->Form_Activate();
        QStringList out;
        for (const QString& control : controls.split(u' '))
            if (control.startsWith(QLatin1String("cmd")) ? Find_child<frmWelcome>()->findChild<QPushButton*>(control)->isEnabled()
                                                         : Named(control)->isEnabled())
                out << control;
        return out.join(u' ');
    };
    QCOMPARE(enabled(), controls);

    const std::function<void()> kept = std::exchange(*removed, nullptr);
    main_->Enable_built_commands();
    QCOMPARE(enabled(), QString());

    *removed = kept;
    main_->Enable_built_commands();
    QCOMPARE(enabled(), controls);
}

void tst_frmMain_commands::unknown_toolbar_key_does_nothing()
{
    Install_fakes();
    QAction* stray = Named<QToolBar>(QStringLiteral("tbToolBar"))->addAction(QStringLiteral("?"));
    stray->setData(QStringLiteral("Print"));
    stray->trigger();
    QVERIFY(built_.isEmpty());
    QVERIFY(ui_->shown.isEmpty());
}

void tst_frmMain_commands::a_failed_query_is_reported_and_the_opener_given_back_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("menu item") << "mnuViewTIIPAD";
    QTest::newRow("toolbar button") << "tbLDWRM";
    QTest::newRow("welcome page button") << "cmdGuide";
    QTest::newRow("table of contents entry") << "Número de guía";
    QTest::newRow("index pages' summary button") << "cmdReport";
}

void tst_frmMain_commands::a_failed_query_is_reported_and_the_opener_given_back()
{
    QFETCH(QString, control);
    // The fixture's database loses the tables the commands read, once the
    // index is open.
    QWidget* opener = Find_child<frmWelcome>();
    if (control == QLatin1String("cmdReport"))
        Run(QStringLiteral("mnuViewID"));
    Main_database->Execute_native(QStringLiteral("DROP TABLE Green; DROP TABLE Water; DROP TABLE Summary;"
                                                 "DROP TABLE Guides_pages;"));
    if (control == QLatin1String("cmdReport")) {
        opener = Area()->currentSubWindow()->widget();
        QCOMPARE(opener->objectName(), QStringLiteral("frmPages"));
        Summary_empty = false; // a product was collected before the table went
        for (QPushButton* button : opener->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("&Resúmen")) {
                button->setEnabled(true);
                button->click();
            }
    } else if (!control.startsWith(QLatin1String("cmd")) && control.contains(u' ')) {
        Run(QStringLiteral("mnuViewContent"));
        opener = Area()->currentSubWindow()->widget();
        for (QLabel* entry : opener->findChildren<QLabel*>())
            if (entry->text() == control)
                QTest::mouseClick(entry, Qt::LeftButton);
    } else {
        Run(control);
    }

    QCOMPARE(ui_->texts().size(), 1);
    QVERIFY2(ui_->texts().first().startsWith(QLatin1String("No se pudo completar la consulta en la base de datos (error ")),
             qPrintable(ui_->texts().first()));
    QVERIFY(ui_->texts().first().endsWith(QStringLiteral("\n\nCompruebe que la base de datos es válida.")));
    QCOMPARE(ui_->shown.first().icon, platform::Icon::Exclamation);
    QVERIFY(opener->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
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
    QWidget* pages = nullptr;
    if (before != QLatin1String("none")) {
        pages = Reopen_child<Fake_pages>();
        if (before == QLatin1String("behind")) {
            Reopen_child<Fake_window>();
            Pages_inactive = true; // the index pages keep this up to date themselves
        }
    }

    Run(QStringLiteral("mnuEditFind"));

    QCOMPARE(built_, built);
    QWidget* front = Area()->currentSubWindow()->widget();
    QCOMPARE(front->objectName(), QStringLiteral("frmPages"));
    if (pages)
        QCOMPARE(front, pages); // not rebuilt
    else
        QCOMPARE(Index_mode, 0);
    Pages_inactive = false;

    built_.clear();
    Run(QStringLiteral("tbFind"));
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
    Q_EMIT Named<QMenu>(QStringLiteral("mnuView"))->aboutToShow();
    Q_EMIT Named<QMenu>(QStringLiteral("mnuFile"))->aboutToShow();
    for (const char* item : {"mnuViewSummary", "mnuFilePrintSummary", "mnuFileSaveSummary"})
        QCOMPARE(Named(QLatin1String(item))->isEnabled(), !empty);
    QVERIFY(Button("Summary")->isEnabled()); // the button stays enabled

    Button("Summary")->trigger();
    Named(QStringLiteral("mnuViewSummary"))->trigger();
    QCOMPARE(built_, empty ? QStringList() : (QStringList{"frmSummary", "frmSummary"}));
    QVERIFY(ui_->shown.isEmpty());

    // Printing and saving the summary speak up only when there is one (the
    // printer and the file are cancelled).
    platform::Install_printer_chooser([](const QString&) { return nullptr; });
    Named(QStringLiteral("mnuFilePrintSummary"))->trigger();
    Named(QStringLiteral("mnuFileSaveSummary"))->trigger();
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
    QAction* item = Named(QStringLiteral("mnuEdit") + command);
    item->trigger();
    if (command == QLatin1String("Copy") || focus == QLatin1String("name")) {
        main_->Button(command)->trigger();
        QTest::keySequence(focused, item->shortcut());
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
    QCOMPARE(Area()->currentSubWindow()->widget(), welcome);
    for (const char* control : {"tbWelcome", "mnuViewWelcome"}) {
        Reopen_child<Fake_window>();
        QVERIFY(Area()->currentSubWindow()->widget() != welcome);
        Run(QLatin1String(control));
        QCOMPARE(Area()->currentSubWindow()->widget(), welcome);
    }
    QCOMPARE(Find_child<frmWelcome>(), welcome); // the same page, not a new one
}

void tst_frmMain_commands::window_menu_lists_the_open_windows()
{
    Reopen_child<Fake_window>();
    auto* menu = Named<QMenu>(QStringLiteral("mnuWindow"));
    Q_EMIT menu->aboutToShow();
    QStringList entries;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            entries << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
    QCOMPARE(entries, (QStringList{"Cascada", "Mosaico &horizontal", "Mosaico &vertical", "Arreglar &iconos",
                                   "&1 Bienvenido", "&2 Otra ventana *"}));
    // Choosing an entry brings its window forward; reopening the menu lists
    // the windows again, not twice.
    menu->actions().at(5)->trigger();
    QCOMPARE(Area()->currentSubWindow()->widget(), Find_child<frmWelcome>());
    Q_EMIT menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 7);
}

void tst_frmMain_commands::tiling_divides_the_work_area()
{
    Find_child<frmWelcome>()->setMinimumSize(0, 0); // the page keeps a minimum the test does not need
    Reopen_child<Fake_window>();
    const QRect area = Area()->viewport()->rect();
    auto frames = [this](const char* item) {
        Named(QLatin1String(item))->trigger();
        QList<QRect> out;
        for (QMdiSubWindow* sub : Area()->subWindowList())
            out << sub->geometry();
        return out;
    };
    const int half_height = area.height() / 2;
    const int half_width = area.width() / 2;
    QCOMPARE(frames("mnuWindowTileHorizontal"),
             (QList<QRect>{QRect(0, 0, area.width(), half_height), QRect(0, half_height, area.width(), half_height)}));
    QCOMPARE(frames("mnuWindowTileVertical"),
             (QList<QRect>{QRect(0, 0, half_width, area.height()), QRect(half_width, 0, half_width, area.height())}));
    QList<QRect> tiles = frames("mnuWindowCascade");
    QVERIFY(tiles[0].topLeft() != tiles[1].topLeft());

    for (QMdiSubWindow* sub : Area()->subWindowList())
        sub->showMinimized();
    tiles = frames("mnuWindowArrangeIcons");
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
        box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    Named(QStringLiteral("mnuHelpAbout"))->trigger();
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
            Named(QStringLiteral("mnuFileExit"))->trigger();
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
