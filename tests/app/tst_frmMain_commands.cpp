// The main window as the user works it: its menus, toolbar and welcome page
// as read, what each command does from each of them, and the keyboard alone.
#include "app/Application.h"
#include "app/Child_windows.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "app/frmWelcome.h"
#include "data/Queries.h"
#include "distances/Distances.h"
#include "distances/frmGreenBox.h"
#include "distances/frmWater.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmPages.h"
#include "platform/Settings.h"
#include "summary/Summary_store.h"
#include "summary/frmSummary.h"
#include "support/Fixture.h"
#include "support/Rows_program.h"
#include "support/Widgets.h"

#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QToolBar>

using namespace vexo;

namespace {

constexpr int kEntries = 40;  // IDs 5001 to 5040, in that order everywhere

// Forty entries of guide 139 in every list, a page long enough to scroll. 5002 is toxic and
// not water-reactive (its guide opens without a question); 5003 is a banner to the water list.
const char* const kRows = R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA 139', 5), (2, 'SUSTANCIAS QUE REACCIONAN CON AGUA', 2);
INSERT INTO Guides_pages VALUES (1, 139, 1), (2, 139, 2);
CREATE TEMP TABLE n AS WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 40)
  SELECT i, CAST(5000 + i AS TEXT) AS id, printf('Material %02d', i) AS name FROM k;
INSERT INTO Sentences SELECT i + 2, 'Frase ' || (i + 2) || ' de la guía, larga como las del libro.', 0 FROM n;
INSERT INTO Guides_pages SELECT i + 2, 139, i + 2 FROM n;
INSERT INTO Yellow SELECT id, name, 139, i, i, IIF(i = 2, 1, NULL), IIF(i = 2, NULL, 'W'), NULL, NULL, NULL FROM n;
INSERT INTO Water SELECT id, 'Gas', '1050', 'Gas', '', '', '', '', '', '' FROM n;
INSERT INTO Green SELECT id, name || IIF(i = 2, ' ', ' (cuando es derramado en el agua)'), IIF(i = 3, '', '30'), '100',
  '0.1', '0.1', '0.2', '0.1', '60', '200', '0.3', '0.2', '1.1', '0.7' FROM n;
INSERT INTO Summary (ID, Name, High_green, Bold) SELECT id, name, 0, 1 FROM n;
)sql";

QWidget* Active_window()
{
    QMdiSubWindow* frame = Work_area()->activeSubWindow();
    return frame ? frame->widget() : nullptr;
}

// The widget of the active window that has the focus when a key is pressed.
QWidget* Place(const QString& place)
{
    QWidget* window = Active_window();
    auto* pages = qobject_cast<frmPages*>(window);
    if (place == "name")
        return pages ? pages->txtMaterial[2] : test::Child(window, "txtMat", 0);
    if (place == "option")
        return pages->optYellow;
    if (place == "guide")
        return pages->cmdGuide[4];
    return window;
}

QString First_id()
{
    auto* pages = qobject_cast<frmPages*>(Active_window());
    return pages ? pages->lblID[0]->text() : test::Child<QLabel>(Active_window(), "lblID", 0)->text();
}

} // namespace

// A stand-in for the windows of other sections, named as the frame finds it.
class Fake_window : public QWidget {
    Q_OBJECT
public:
    Fake_window()
    {
        setObjectName(QStringLiteral("frmOther"));
        setWindowTitle(QStringLiteral("Otra ventana"));
        viewer->setPlainText(QStringLiteral("Documento de consulta"));
    }
    QLineEdit* text_box = new QLineEdit(QStringLiteral("1017 Cloro"), this);
    QTextBrowser* viewer = new QTextBrowser(this);
    QPushButton* button = new QPushButton(QStringLiteral("Botón"), this);
};

// Not a Fake_window: reopening one of those must leave the index pages be.
class Fake_pages : public QWidget {
    Q_OBJECT
public:
    Fake_pages() { setObjectName(QStringLiteral("frmPages")); }
};

class tst_frmMain_commands : public QObject {
    Q_OBJECT
    template <class T = QAction>
    T* Named(const QString& name) const { return main_->findChild<T*>(name); }
    QPushButton* Page_button(const QString& name) const { return Find_child<frmWelcome>()->findChild<QPushButton*>(name); }

    QTemporaryDir template_; // the fixture database, made once and copied for each test
    std::unique_ptr<test::Rows_program> program_;
    test::Scripted_platform* ui_ = nullptr;
    frmMain* main_ = nullptr;
    QStringList built_; // the windows built, in order
    QString busy_;      // "busy", "busy, page disabled" or "" while the last window was built

    void Install_fakes()
    {
        auto record = [this](const char* name) {
            return [this, name] {
                built_ << QLatin1String(name);
                const bool busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
                const frmWelcome* page = Find_child<frmWelcome>();
                busy_ = !busy ? QString() : page && !page->isEnabled() ? QStringLiteral("busy, page disabled") : "busy";
                if (name == QLatin1String("frmPages"))
                    Reopen_child<Fake_pages>();
            };
        };
        using O = Window_openers;
        for (auto [opener, name] : {std::pair{&O::pages, "frmPages"}, {&O::find, "frmFind"}, {&O::guide, "frmGuide"},
                                    {&O::green, "frmGreen"}, {&O::water, "frmWater"}, {&O::summary, "frmSummary"},
                                    {&O::content, "frmContent"}, {&O::placards, "Load_placards"},
                                    {&O::road_trailers, "Load_road_trailers"}, {&O::rail_cars, "Load_rail_cars"}})
            main_->openers.*opener = record(name);
        main_->Enable_built_commands();
    }

    // A menu item, a toolbar button ("tb" and its key) or a welcome page button.
    bool Enabled(const QString& control) const
    {
        return control.startsWith(QLatin1String("cmd")) ? Page_button(control)->isEnabled() : Named(control)->isEnabled();
    }
    void Run(const QString& control)
    {
        QVERIFY2(Enabled(control), qPrintable(control));
        control.startsWith(QLatin1String("cmd")) ? Page_button(control)->click() : Named(control)->trigger();
    }

private Q_SLOTS:
    void initTestCase()
    {
        test::Make_database(template_.filePath(QStringLiteral("guide2ks.mdb")), QString::fromUtf8(kRows));
    }

    void init()
    {
        program_ = test::Rows_program::Loaded(template_.filePath(QStringLiteral("guide2ks.mdb")));
        ui_ = &program_->ui;
        main_ = program_->main();
        main_->resize(1024, 740);
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_));
        built_.clear();
    }

    void cleanup()
    {
        program_.reset();
        QCOMPARE(QApplication::overrideCursor(), nullptr); // no command leaves the pointer busy
    }

    // Each menu's items with their keys ("-" a separator); the welcome page's
    // buttons; the toolbar at both sizes.
    void menus_and_toolbar_read_as_written()
    {
        QStringList menus;
        for (QAction* title : main_->menuBar()->actions()) {
            QStringList items{title->text()};
            if (title->menu()->objectName() != QLatin1String("mnuWindow"))
                for (QAction* a : title->menu()->actions())
                    items << (a->isSeparator() ? QStringLiteral("-")
                                               : (a->text() + u' ' + a->shortcut().toString(QKeySequence::PortableText)).trimmed());
            menus << items.join(QLatin1String(" | "));
        }
        QCOMPARE(menus, (QStringList{
            "&Archivo | &Salir | - | Im&primir resumen | &Guardar como PDF",
            "&Editar | &Cortar Ctrl+X | C&opiar Ctrl+C | &Pegar Ctrl+V | - | &Buscar Ctrl+F",
            "&Ver | &Barra de herramientas | Toolbar (&large) | - | &Indice numérico | Indice a&lfabético | &Guías | - | "
            "&Carteles | R&oad Trailer ID Chart | &Rail Car ID Chart | "
            "&Tabla de distancias de aislamiento inicial y acción protectora | "
            "&Lista de materiales peligrosos reactivos al agua\" | Chemical and/or &Biological Agents | - | "
            "T&abla de Contenido | &Resúmen | - | &Página de Bienvenida | Tabla &3",
            "Ve&ntana", "A&yuda | A&cerca de MARDOVI VEXO"}));
        QStringList seen; // "caption: tip"
        for (QPushButton* b : Find_child<frmWelcome>()->findChildren<QPushButton*>())
            seen << b->text() + QStringLiteral(": ") + b->toolTip();
        QCOMPARE(seen, (QStringList{"&Indice numérico: ", "Indice a&lfabético: ", "Guías: Guias de Repuesta a Emergencias",
                                    "&Carteles: ", "Tabla de remolques: ", "Tabla de carros tanque: ",
                                    "TDAIAP: Tabla de distancias de aislamiento inicial y acción protectora",
                                    "LMPRA: Lista de materiales peligrosos reactivos al agua que producen gases toxicos",
                                    "Agentes Q/B: Agentes Químicos y/o biológicos", "T&abla de Contenido: ", "&Resúmen: "}));

        // The toolbar's 22 buttons before the search box, "key picture: tip";
        // the large pictures replace the small ones at the same indices.
        auto* toolbar = Named<QToolBar>("tbToolBar");
        auto state = [&](const Image_list& list) {
            QStringList out{QStringLiteral("%1 %2 %3").arg(Named("mnuViewToolbar")->isChecked())
                                .arg(Named("mnuViewToolbarL")->isChecked()).arg(toolbar->iconSize().width())};
            for (QAction* b : toolbar->actions().mid(0, 22)) {
                int picture = 0;
                for (int i = 1; i <= list.images.size(); ++i)
                    picture = b->icon().cacheKey() == list.image(i).cacheKey() ? i : picture;
                const QString key = b->data().toString();
                out << (b->isSeparator() ? QStringLiteral("-")
                                         : QStringLiteral("%1 %2: %3%4").arg(key).arg(picture).arg(b->toolTip(),
                                                                              main_->Button(key) == b ? "" : " ?"));
            }
            return out;
        };
        const QStringList buttons{
            "-", "Cut 3: Cortar (Ctrl-X)", "Copy 4: Copiar (Ctrl-C)", "Paste 5: Pegar (Ctrl-V)", "-",
            "Find 6: Buscar (Ctrl-F)", "-", "ID 7: Indice numérico", "Material 8: Indice alfabético",
            "Guide 9: Guias de Repuesta a Emergencias", "-", "Placards 13: Carteles", "Road 19: Tabla de remolques",
            "Rail 20: Tabla de carros tanque", "TIIPAD 10: Tabla de distancias de aislamiento inicial y acción protectora",
            "LDWRM 11: Lista de materiales peligrosos reactivos al agua que producen gases toxicos",
            "Chemical 18: Agentes Q/B", "-", "Contents 12: Tabla de Contenido", "Summary 14: Resumen", "-",
            "Welcome 16: Página de Bienvenida"};
        QCOMPARE(state(main_->imlIcons), QStringList{"1 0 16"} + buttons);
        Named("mnuViewToolbarL")->trigger();
        QCOMPARE(state(main_->imlIconsL), QStringList{"0 1 32"} + buttons);
        Named("mnuViewToolbar")->trigger();
        QCOMPARE(state(main_->imlIcons), QStringList{"1 0 16"} + buttons);
    }

    // Each command from menu, toolbar and welcome page: the window it builds,
    // the globals it reads, the busy pointer (from the page, the page is
    // disabled meanwhile). Without its window a command is disabled. Find needs
    // the index pages: with none it opens the index by number first; one behind
    // is brought forward.
    void commands_open_their_section_data()
    {
        using O = Window_openers;
        QTest::addColumn<std::function<void()> O::*>("opener");
        QTest::addColumn<QStringList>("built");
        QTest::addColumn<QString>("busy");
        QTest::addColumn<QString>("reads"); // the index asked for, or the query the window reads
        auto rows = [](const char* item, const char* key, const char* button, std::function<void()> O::*opener,
                       const char* window, const char* toolbar_busy, const char* page_busy, const QString& reads = {}) {
            for (auto [control, busy] : {std::pair{item, "busy"}, {key, toolbar_busy}, {button, page_busy}})
                QTest::newRow(control) << opener << QStringList{window} << QString(busy) << reads;
        };
        const char* both = "busy, page disabled";
        rows("mnuViewID", "tbID", "cmdIDNumber", &O::pages, "frmPages", "busy", both, "index 0");
        rows("mnuViewMaterial", "tbMaterial", "cmdMaterial", &O::pages, "frmPages", "busy", both, "index 1");
        rows("mnuViewChemWeap", "tbChemical", "cmdChemWeap", &O::pages, "frmPages", "", both, "index 0, agents only");
        rows("mnuViewGuide", "tbGuide", "cmdGuide", &O::guide, "frmGuide", "busy", both, sql::Guide_list_SQL());
        rows("mnuViewPlacard", "tbPlacards", "cmdPlacards", &O::placards, "Load_placards", "busy", both);
        rows("mnuViewTrailer", "tbRoad", "cmdTrailer", &O::road_trailers, "Load_road_trailers", "", both);
        rows("mnuViewTanks", "tbRail", "cmdTanks", &O::rail_cars, "Load_rail_cars", "", both);
        rows("mnuViewTIIPAD", "tbTIIPAD", "cmdDistances", &O::green, "frmGreen", "busy", both, sql::Distances_table_SQL());
        rows("mnuViewLDWRM", "tbLDWRM", "cmdWater", &O::water, "frmWater", "busy", both, sql::Water_list_SQL());
        rows("mnuViewContent", "tbContents", "cmdContents", &O::content, "frmContent", "busy", "");
        rows("mnuViewSummary", "tbSummary", "cmdSummary", &O::summary, "frmSummary", "busy", both);
        QTest::newRow("mnuEditFind, no index: the index by number first") << &O::pages << QStringList{"frmPages", "frmFind"}
                                                                          << "" << "index 0";
        QTest::newRow("tbFind, index behind: brought forward") << &O::pages << QStringList{"frmFind"} << "" << "";
        QTest::newRow("mnuEditFind, index active: only the dialog") << &O::pages << QStringList{"frmFind"} << "" << "";
    }
    void commands_open_their_section()
    {
        QFETCH(std::function<void()> Window_openers::*, opener);
        QFETCH(QStringList, built);
        QFETCH(QString, busy);
        QFETCH(QString, reads);
        Install_fakes();
        Index_mode = 7;
        Chemical_agents_only = !reads.endsWith(QLatin1String("agents only"));
        for (QString* text : {&Green_SQL, &Water_SQL, &Guide_SQL})
            text->clear();
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        const QString control = tag.section(u',', 0, 0);
        QWidget* pages = tag.contains(QLatin1String(", index")) ? Reopen_child<Fake_pages>() : nullptr;
        Pages_inactive = tag.contains(QLatin1String("behind")); // the index pages keep this up to date themselves
        if (Pages_inactive)
            Reopen_child<Fake_window>();

        Run(control);

        QCOMPARE(built_, built);
        QCOMPARE(busy_, busy);
        QVERIFY(Find_child<frmWelcome>()->isEnabled()); // given back when done
        QCOMPARE(!reads.startsWith(QLatin1String("index ")) ? Green_SQL + Water_SQL + Guide_SQL
                 : QStringLiteral("index %1%2").arg(Index_mode).arg(Chemical_agents_only ? ", agents only" : ""), reads);
        if (built.last() == QLatin1String("frmFind")) // over the index pages: the ones there were, if any
            QCOMPARE(Active_window(), pages ? pages : Find_child<Fake_pages>());
        if (pages)
            QCOMPARE(Index_mode, 7); // the index shown stays as it was
        Pages_inactive = false;
        // The fixture's one guide, with its title.
        QCOMPARE(Guide_records ? Guide_records->RecordCount() : 0, built.first() == QLatin1String("frmGuide") ? 1 : 0);
        // With nothing collected the summary's items are disabled and its
        // toolbar button does nothing; the welcome page's button follows the
        // stored products at once, though another window is active (a guide
        // opened from the search box, which added the product).
        if (opener == &Window_openers::summary)
            for (bool empty : {true, false}) {
                Reopen_child<Fake_window>();
                built_.clear();
                QVERIFY(empty ? Clear_summary() : Add_to_summary("Cloro", "1017", "0", "1"));
                Q_EMIT Named<QMenu>("mnuView")->aboutToShow();
                Q_EMIT Named<QMenu>("mnuFile")->aboutToShow();
                for (const char* item : {"cmdSummary", "mnuViewSummary", "mnuFilePrintSummary", "mnuFileSaveSummary"})
                    QCOMPARE(Enabled(item), !empty);
                Run("tbSummary");
                Named("mnuViewSummary")->trigger();
                QCOMPARE(built_, empty ? QStringList() : (QStringList{"frmSummary", "frmSummary"}));
            }
        main_->openers.*opener = nullptr;
        main_->Enable_built_commands();
        QVERIFY(!Enabled(control));
    }

    // An error no command caught is told in Spanish and the program goes on;
    // over a database that lost the tables the commands read, each command
    // tells so and gives back its opener.
    void errors_are_reported_data()
    {
        QTest::addColumn<QString>("control"); // "escaped": an error thrown out of an event
        QTest::addColumn<QString>("told");    // the whole message, or how it starts ("...")
        const QString failed = QStringLiteral("No se pudo completar la consulta en la base de datos (error ...");
        QTest::newRow("a failed query escaped") << "escaped query" << "No se pudo completar la consulta en la base de "
                                                "datos (error 3078).\n\nNo existe la tabla.\n\nCompruebe que la base de datos es válida.";
        QTest::newRow("any other error escaped") << "escaped" << "No se pudo completar la operación.\n\nsin memoria";
        QTest::newRow("menu item") << "mnuViewTIIPAD" << failed;
        QTest::newRow("toolbar button") << "tbLDWRM" << failed;
        QTest::newRow("welcome page button") << "cmdGuide" << failed;
        QTest::newRow("table of contents entry") << "Número de guía" << failed;
    }
    void errors_are_reported()
    {
        QFETCH(QString, control);
        QFETCH(QString, told);
        const bool escaped = control.startsWith(QLatin1String("escaped"));
        if (control.contains(u' ') && !escaped)
            Run("mnuViewContent");
        Main_database->Execute_native(QStringLiteral("DROP TABLE Green; DROP TABLE Water; DROP TABLE Guides_pages;"));
        QWidget* opener = Active_window();
        if (escaped) {
            QTimer::singleShot(0, this, [query = control.contains(QLatin1String("query"))] {
                if (query)
                    throw Db_error(3078, QStringLiteral("No existe la tabla."));
                throw std::runtime_error("sin memoria");
            });
            QCoreApplication::processEvents();
        } else if (control.contains(u' ')) {
            for (QLabel* entry : opener->findChildren<QLabel*>())
                if (entry->text() == control)
                    QTest::mouseClick(entry, Qt::LeftButton);
        } else {
            Run(control);
        }

        QCOMPARE(ui_->texts().size(), 1);
        const QString seen = ui_->texts().first();
        QVERIFY2(told.endsWith(u"...") ? seen.startsWith(told.chopped(3)) : seen == told, qPrintable(seen));
        QCOMPARE(ui_->shown.first().icon, platform::Icon::Exclamation);
        QVERIFY(opener->isEnabled());
    }

    // Menu item, toolbar button and key act alike on the active window's text
    // box; a viewer and a button are left alone. (The index pages' name boxes
    // are only copied from.)
    void clipboard_data()
    {
        QTest::addColumn<QString>("focus"); // text box, viewer, button
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("selection"); // characters selected from position 4
        QTest::addColumn<QString>("after"); // the text box's text|the clipboard's
        // The text box holds "1017 Cloro", the clipboard "1203".
        QTest::newRow("copy a selection") << "box" << "Copy" << 6 << "1017 Cloro| Cloro";
        QTest::newRow("copy nothing selected") << "box" << "Copy" << 0 << "1017 Cloro|1203";
        QTest::newRow("cut a selection") << "box" << "Cut" << 6 << "1017| Cloro";
        QTest::newRow("cut nothing selected") << "box" << "Cut" << 0 << "1017 Cloro|1203";
        QTest::newRow("paste over a selection") << "box" << "Paste" << 6 << "10171203|1203";
        QTest::newRow("paste at the caret") << "box" << "Paste" << 0 << "10171203 Cloro|1203";
        QTest::newRow("copy from the viewer") << "viewer" << "Copy" << 6 << "1017 Cloro|1203";
        QTest::newRow("cut from the viewer") << "viewer" << "Cut" << 6 << "1017 Cloro|1203";
        QTest::newRow("paste on a button") << "button" << "Paste" << 6 << "1017 Cloro|1203";
    }
    void clipboard()
    {
        QFETCH(QString, focus);
        QFETCH(QString, command);
        QFETCH(int, selection);
        QFETCH(QString, after);
        auto* window = Reopen_child<Fake_window>();
        window->text_box->setSelection(4, selection);
        window->viewer->selectAll();
        QWidget* focused = QMap<QString, QWidget*>{{"viewer", window->viewer}, {"button", window->button}}.value(focus,
                                                                                                      window->text_box);
        focused->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("1203"));

        // A second copy finds the same selection, so all land on the same result.
        QAction* item = Named(QStringLiteral("mnuEdit") + command);
        item->trigger();
        if (command == QLatin1String("Copy")) {
            main_->Button(command)->trigger();
            QTest::keySequence(focused, item->shortcut());
        }

        QCOMPARE(window->text_box->text() + u'|' + QGuiApplication::clipboard()->text(), after);
        QCOMPARE(window->viewer->toPlainText(), QStringLiteral("Documento de consulta"));
    }

    // The welcome command brings the same page back, whole when minimised; the
    // Window menu lists the windows and brings the one chosen forward; tiling
    // divides the area, minimised windows line up at the bottom.
    void the_window_menu_and_the_welcome_command()
    {
        auto* welcome = Find_child<frmWelcome>();
        QCOMPARE(Active_window(), welcome);
        for (const char* control : {"tbWelcome", "mnuViewWelcome"}) {
            Reopen_child<Fake_window>();
            Run(QLatin1String(control));
            QCOMPARE(Active_window(), welcome);
            QVERIFY(!Child_frame<frmWelcome>()->isMinimized());
            Child_frame<frmWelcome>()->showMinimized();
        }
        Reopen_child<Fake_window>();
        auto* menu = Named<QMenu>("mnuWindow");
        Q_EMIT menu->aboutToShow();
        QStringList entries;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                entries << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
        QCOMPARE(entries, (QStringList{"Cascada", "Mosaico &horizontal", "Mosaico &vertical", "Arreglar &iconos",
                                       "&1 Bienvenido", "&2 Otra ventana *"}));
        // Reopening the menu lists the windows again, not twice.
        menu->actions().at(5)->trigger();
        QCOMPARE(Active_window(), Find_child<frmWelcome>());
        Q_EMIT menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 7);

        Find_child<frmWelcome>()->setMinimumSize(0, 0); // the page keeps a minimum the test does not need
        Child_frame<frmWelcome>()->showNormal();
        const QRect area = Work_area()->viewport()->rect();
        auto frames = [this](const char* item) {
            Named(item)->trigger();
            QList<QRect> out;
            for (QMdiSubWindow* sub : Work_area()->subWindowList())
                out << sub->geometry();
            return out;
        };
        const int h = area.height() / 2, w = area.width() / 2;
        QCOMPARE(frames("mnuWindowTileHorizontal"), (QList<QRect>{{0, 0, area.width(), h}, {0, h, area.width(), h}}));
        QCOMPARE(frames("mnuWindowTileVertical"), (QList<QRect>{{0, 0, w, area.height()}, {w, 0, w, area.height()}}));
        for (QMdiSubWindow* sub : Work_area()->subWindowList())
            sub->showMinimized();
        const QList<QRect> icons = frames("mnuWindowArrangeIcons");
        QCOMPARE(icons[1].topLeft(), QPoint(icons[0].right() + 1, icons[0].top()));
        QCOMPARE(icons[0].bottomLeft(), QPoint(0, area.bottom()));
        QCOMPARE(frames("mnuWindowTileVertical"), icons); // nothing to tile
    }

    // Exit, closing the welcome page or the main window save the placement (not
    // while minimised), then ask; only Yes ends the program, and the next start
    // puts the window back.
    void leaving_asks_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<bool>("yes");
        for (const char* how : {"exit", "welcome page", "main window"}) {
            QTest::addRow("%s, No", how) << how << false << false;
            QTest::addRow("%s while minimised, No", how) << how << true << false;
            QTest::addRow("%s, Yes", how) << how << false << true;
        }
    }
    void leaving_asks()
    {
        QFETCH(QString, how);
        QFETCH(bool, minimised);
        QFETCH(bool, yes);
        main_->move(200, 120);
        if (minimised)
            main_->showMinimized();
        ui_->answers = {yes ? platform::Answer::Yes : platform::Answer::No};
        const QRect placed(main_->pos(), main_->size());
        QMdiSubWindow* page = Child_frame<frmWelcome>();
        bool ended = false;
        try {
            how == QLatin1String("welcome page") ? void(page->close())
            : how == QLatin1String("main window") ? void(main_->close())
                                                  : Named("mnuFileExit")->trigger();
        } catch (const test::Program_ended&) {
            ended = true;
        }

        QCOMPARE(ui_->texts(), QStringList{"Está seguro que quiere salir de MARDOVI VEXO?"});
        QCOMPARE(ui_->shown.first().icon, platform::Icon::Question);
        QCOMPARE(ui_->shown.first().buttons, platform::Buttons::YesNo);
        QCOMPARE(ended, yes);
        QCOMPARE(platform::Get_setting("Settings", "MainLeft", {}).isEmpty(), minimised);
        if (!minimised) {
            frmMain next;
            next.Restore_placement();
            QCOMPARE(QRect(next.pos(), next.size()), placed);
        }
        // Answered No, the window and its page stay as they were.
        QVERIFY(yes || (!main_->isHidden() && Child_frame<frmWelcome>() == page && (page->isVisible() || minimised)));
    }

    // Each paged window, keys pressed where the focus is, the list's first row
    // after; then Esc closes it.
    void page_keys_move_the_list_data()
    {
        QTest::addColumn<QString>("place"); // the window is named before the tag's colon
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("first_row"); // offset of the page's first row
        using K = QKeySequence;
        const int last = kEntries - 15;
        for (const char* w : {"index pages", "distances table", "water list", "summary"}) {
            QTest::addRow("%s: Page Down past the end", w) << "window" << K(Qt::Key_PageDown, Qt::Key_PageDown) << last;
            QTest::addRow("%s: End, Page Up", w) << "window" << K(Qt::Key_End, Qt::Key_PageUp) << last - 15;
            QTest::addRow("%s: End, Home", w) << "window" << K(Qt::Key_End, Qt::Key_Home) << 0;
            QTest::addRow("%s: Down thrice, Up", w)
                << "window" << K(Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up) << 2;
        }
        // A name box would move its caret, an option button would change the
        // index: the keys still page.
        QTest::newRow("index pages: End in a name") << "name" << K(Qt::Key_End) << last;
        QTest::newRow("index pages: Down on a guide button") << "guide" << K(Qt::Key_Down) << 1;
        QTest::newRow("index pages: Down on an option") << "option" << K(Qt::Key_Down) << 1;
        QTest::newRow("water list: Page Down in a name") << "name" << K(Qt::Key_PageDown) << 15;
        QTest::newRow("summary: End in a name") << "name" << K(Qt::Key_End) << last;
        // With a modifier held a key is not paging.
        QTest::newRow("index pages: Shift+Page Down") << "window" << K(Qt::SHIFT | Qt::Key_PageDown) << 0;
    }
    void page_keys_move_the_list()
    {
        const QString window = QString::fromLatin1(QTest::currentDataTag()).section(u':', 0, 0);
        QFETCH(QString, place);
        QFETCH(QKeySequence, keys);
        QFETCH(int, first_row);
        window == "index pages" ? Open_index_by_number() : window == "distances table" ? Open_distances_table()
            : window == "water list" ? Open_water_list() : Open_summary(); // as its command does
        QCOMPARE(First_id(), "5001");
        QTest::keySequence(Place(place), keys);
        QCOMPARE(First_id(), QString::number(5001 + first_row));
        if (window == QLatin1String("index pages"))
            QVERIFY2(Find_child<frmPages>()->optYellow->isChecked(), "the index stays by number");
        Place(place)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Work_area()->subWindowList().size(), 1);
    }

    // Enter on a row opens its guide; there Tab comes to the distances first,
    // Enter opens them; Esc goes back window by window but never closes the
    // welcome page. A distances banner shows the focus and opens the water
    // list with Space, as a click does; other keys leave it be.
    void enter_escape_and_space()
    {
        Open_index_by_number();
        auto* pages = Find_child<frmPages>();
        QTest::keyClick(pages->txtMaterial[1], Qt::Key_Return);
        auto* page = Find_child<frmGuidePage>();
        QCOMPARE(page->lblNameProduct->text(), "Material 02, Número de identificación 5002");
        page->setFocus();
        QTest::keyClick(page, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), page->cmdIIPAD);
        QTest::keyClick(page->cmdIIPAD, Qt::Key_Return);
        QTRY_COMPARE(Active_window(), Find_child<frmGreenBox>());

        QWidget* welcome = Find_child<frmWelcome>();
        for (QWidget* back : {static_cast<QWidget*>(page), static_cast<QWidget*>(pages), welcome, welcome}) {
            Active_window()->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(Active_window(), back);
        }
        QCOMPARE(Work_area()->subWindowList().size(), 1);
        QVERIFY(ui_->shown.isEmpty());

        Open_distances_table();
        auto* banner = test::Child<QLabel>(Active_window(), "lblDanger", 2);
        QVERIFY(test::Shown(banner));
        const int unfocused = banner->frameStyle();
        banner->setFocus();
        QCOMPARE(banner->frameStyle(), int(QFrame::Box | QFrame::Plain));
        QTest::keyClick(banner, Qt::Key_Space, Qt::ControlModifier);
        QTest::keyClick(banner, Qt::Key_A);
        QVERIFY(!Find_child<frmWater>());
        QTest::keyClick(banner, Qt::Key_Space);
        QCOMPARE(test::Child<QLabel>(Find_child<frmWater>(), "lblID", 0)->text(), "5003");
        QCOMPARE(banner->frameStyle(), unfocused);
    }
};

// Under the program's own application object, as the user runs it.
int main(int argc, char** argv)
{
    Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_frmMain_commands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmMain_commands.moc"
