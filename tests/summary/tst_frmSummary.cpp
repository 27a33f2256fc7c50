// The summary report over a small index: what each collected product looks
// like, paging, deleting and clearing, and a database that cannot be written,
// where nothing is lost and the user is told why for each change refused. (Its
// guide buttons are met with the index pages' buttons that fill it.)
#include "lookup/Lookup_fixture.h"
#include "support/Widgets.h"

#include "app/Child_windows.h"
#include "app/Row_cells.h"
#include "platform/Printer_surface.h"
#include "platform/Twips.h"
#include "summary/Summary_store.h"
#include "summary/frmSummary.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;
using namespace Qt::StringLiterals;
using test::Child;

namespace {

// "name|guide|marks|bold|green" of each row shown.
QStringList Rows(const frmSummary* summary)
{
    const auto shown_text = [summary](const char* name, int i) {
        const QLabel* label = Child<QLabel>(summary, name, i);
        return label->isHidden() ? QString() : label->text();
    };
    QStringList rows;
    for (int i = 0; i < frmSummary::kRows; ++i) {
        const QLineEdit* name = Child<QLineEdit>(summary, "txtMat", i);
        if (name->isHidden())
            continue;
        rows << QStringList{name->text(), Child<QPushButton>(summary, "cmdGuide", i)->text(),
                            (shown_text("lblDWRM", i) + u' ' + shown_text("lblTIH", i)).trimmed(),
                            name->font().bold() ? "bold" : "regular",
                            Background(Child<QLabel>(summary, "lblID", i)) == Green_highlight ? "green" : "white"}
                    .join(u'|');
    }
    return rows;
}

void Click(const frmSummary* summary, const char* button, int row = -1)
{
    (row < 0 ? Child<QAbstractButton>(summary, button) : Child<QAbstractButton>(summary, button, row))->click();
}

frmSummary* Open()
{
    Open_summary();
    return Find_child<frmSummary>();
}

void Collect(int count)
{
    for (int i = 0; i < count; ++i)
        Add_to_summary(i % 2 ? "Toluene" : "Methanol", i % 2 ? "1294" : "1230", "0", "1");
}

} // namespace

class tst_frmSummary : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rows_program> world_;

private Q_SLOTS:
    void init() { world_ = test::Lookup_program(); }
    void cleanup() { world_.reset(); }

    void each_product_with_its_guide_marks_and_type()
    {
        // Chlorine as 1050 has no index entry; the orphan's guide has no title.
        for (const auto& [name, id, water, bold] :
             {std::array{"Chlorosulfonic acid", "1754", "1", "1"}, {"Hydrogen chloride, anhydrous", "1050", "1", "0"},
              {"Chlorine", "1017", "0", "1"}, {"Chlorine", "1050", "0", "1"}, {"Orphan material", "9999", "0", "1"},
              {"formaldehyde SOLUTION", "2209", "0", "1"}, {"Sarin", "2810", "0", "1"}})
            Add_to_summary(name, id, water, bold);
        frmSummary* summary = Open();
        QVERIFY(summary);
        QCOMPARE(Rows(summary), (QStringList{"Chlorosulfonic acid|139|MRA RIT|bold|green",
                                             "Hydrogen chloride, anhydrous|124|RIT|regular|green",
                                             "Chlorine|124|RIT|bold|white", "formaldehyde SOLUTION|128P||bold|white",
                                             "Sarin|153|Q/B RIT|bold|white"}));
        QCOMPARE(Child<QPushButton>(summary, "cmdGuide", 0)->toolTip(), u"SUSTANCIAS QUE REACCIONAN CON AGUA"_s);

        // On paper: both buttons ask about the guide pages, then for the
        // printer or the file (both cancelled here).
        int printers_asked = 0;
        platform::Install_printer_chooser([&](const QString&) {
            ++printers_asked;
            return nullptr;
        });
        Click(summary, "cmdPrintSummary");
        Click(summary, "cmdSavePdf");
        platform::Install_printer_chooser({});
        QCOMPARE(QList<qsizetype>({world_->ui.shown.size(), printers_asked, world_->ui.proposed.size()}),
                 QList<qsizetype>({2, 1, 1}));

        for (const auto& [button, title] : {std::pair{"cmdChemWeap", "Indice de Arma Quimica"},
                                            {"cmdMaterial", "Indice alfabético"}, {"cmdIDNumber", "Indice numérico"}}) {
            Click(summary, button);
            QCOMPARE(Find_child<frmPages>()->windowTitle(), QString::fromUtf8(title));
        }
        QVERIFY(Find_child<frmSummary>());
    }

    // Paging follows the store as it is now; a tick goes with its row when the
    // rows move under it, scrolled or read again on coming back, and never
    // moves to another product.
    void paging_follows_the_store_and_a_tick_never_moves()
    {
        Collect(3);
        frmSummary* summary = Open();
        const QFrame* data = Child<QFrame>(summary, "frmData");
        QScrollBar* bar = Child<QScrollBar>(summary, "vscData");
        QVERIFY(bar->isHidden());
        const int short_height = data->height();
        QCOMPARE(Child<QFrame>(summary, "frmDelete")->y(), data->geometry().bottom() + 1 + twips(15));
        // A full page needs no scroll bar yet: the rows' frame grows to hold it.
        Collect(12);
        summary->Form_Activate();
        QCOMPARE(Rows(summary).size(), 15);
        QVERIFY(bar->isHidden() && data->height() > short_height);
        // Past a page: scrolled away, then back to the window, it starts at the top.
        Collect(1);
        summary->Form_Activate();
        QVERIFY(!bar->isHidden());
        bar->setValue(1);
        Add_to_summary("Xylenes", "1307", "0", "1");
        summary->Form_Activate();
        QCOMPARE(bar->value(), 0);
        QCOMPARE(bar->maximum(), 2);
        QCOMPARE(Rows(summary).first(), u"Methanol|128||bold|white"_s);
        for (const bool come_back : {false, true}) {
            bar->setValue(2);
            QCOMPARE(Rows(summary).last(), u"Xylenes|128||bold|white"_s);
            Click(summary, "chkDelete", 14);
            QVERIFY(Child<QPushButton>(summary, "cmdDeleteItem")->isEnabled());
            come_back ? summary->Form_Activate() : bar->setValue(1);  // a guide page opened in between
            for (const QCheckBox* box : summary->findChildren<QCheckBox*>())
                QVERIFY(!box->isChecked());
            QVERIFY(!Child<QPushButton>(summary, "cmdDeleteItem")->isEnabled());
            Click(summary, "cmdDeleteItem");
            QCOMPARE(test::Summary_rows().size(), 17);
        }
    }

    void deleting_and_clearing_data()
    {
        QTest::addColumn<QList<int>>("ticks");  // rows clicked in turn; "clear" when empty
        QTest::addColumn<bool>("yes");          // the answer to the clearing question
        QTest::addColumn<QStringList>("left");  // empty: the window closes, the summary is empty
        const QStringList all{"Chlorine|124|RIT|bold|white", "O'Brien's mix|128||bold|white",
                              "Shell 5\" caliber|128||bold|white"};
        QTest::newRow("ticked rows, one ticked twice") << QList<int>{1, 2, 2, 2} << false << all.mid(0, 1);
        QTest::newRow("every row") << QList<int>{0, 1, 2} << false << QStringList();
        QTest::newRow("clearing answered No") << QList<int>{} << false << all;
        QTest::newRow("clearing answered Yes") << QList<int>{} << true << QStringList();
    }

    void deleting_and_clearing()
    {
        QFETCH(QList<int>, ticks);
        QFETCH(bool, yes);
        QFETCH(QStringList, left);
        Add_to_summary("Chlorine", "1017", "0", "1");
        Add_to_summary("O'Brien's mix", "1111", "0", "1");
        Add_to_summary("Shell 5\" caliber", "2222", "0", "1");
        frmSummary* summary = Open();
        for (int row : ticks)
            Click(summary, "chkDelete", row);
        QCOMPARE(Child<QPushButton>(summary, "cmdDeleteItem")->isEnabled(), !ticks.isEmpty());
        world_->ui.answers = {yes ? platform::Answer::Yes : platform::Answer::No};
        Click(summary, ticks.isEmpty() ? "cmdClearSum" : "cmdDeleteItem");
        const QStringList asked{"Estas seguro que quieres borrar todos los productos del Resúmen?"};
        QCOMPARE(world_->ui.texts(), ticks.isEmpty() ? asked : QStringList()); // only clearing asks
        QVERIFY(!ticks.isEmpty() || world_->ui.shown.first().buttons == platform::Buttons::YesNo);
        QCOMPARE(test::Summary_rows().size(), left.size());
        QCOMPARE(Summary_empty, left.isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Find_child<frmSummary>() == nullptr, left.isEmpty());
        if (!left.isEmpty()) {
            QCOMPARE(Rows(summary), left);
            QVERIFY(!Child<QCheckBox>(summary, "chkDelete", 0)->isChecked());
        }
    }

    void a_database_that_cannot_be_written_says_why_data()
    {
        QTest::addColumn<bool>("folder_read_only");
        QTest::addColumn<QString>("why"); // %1: the file, %2: its folder
        QTest::newRow("read-only file") << false << "el archivo \"%1\" es de solo lectura";
        QTest::newRow("read-only folder") << true << "la carpeta \"%2\" donde está es de solo lectura";
    }

    void a_database_that_cannot_be_written_says_why()
    {
        QFETCH(bool, folder_read_only);
        QFETCH(QString, why);
        QTemporaryDir dir;
        const QString folder = dir.filePath("datos"), path = folder + "/s.mdb";
        QVERIFY(QDir().mkpath(folder));
        test::Make_database(path, test::Minimal_rows()
                                      + "INSERT INTO Summary (ID, Name, High_green, Bold) VALUES ('1017', 'Chlorine', 0, 1);");
        test::Open_to_everyone(dir.path());
        QFile::setPermissions(folder, QFileDevice::Permissions(folder_read_only ? 0x5555 : 0x7777));
        QFile::setPermissions(path, QFileDevice::Permissions(folder_read_only ? 0x6666 : 0x4444));
        {
            test::Without_root ordinary_user;
            Main_database = Database::Open(path);
            Summary_empty = false;
            QVERIFY(!Add_to_summary("Gasoline", "1203", "0", "1"));
            QVERIFY(!Delete_from_summary(test::Rows_of("SELECT Key FROM Summary", {"Key"}).value(0)));
            QVERIFY(!Clear_summary());
            // Nothing already there is lost, and the summary is not taken for empty.
            QCOMPARE(test::Summary_rows(), QStringList{"Chlorine|1017|0|1"});
            QVERIFY(!Summary_empty);
            Main_database.reset();
        }
        QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
        const QString reason = QString(why).replace("%1", path).replace("%2", folder);
        const QString cannot = " porque la base de datos no se puede escribir: " + reason + ".";
        const QString unchanged = "El Resúmen no se cambió" + cannot;
        QCOMPARE(world_->ui.texts(), QStringList({"El producto no se agregó al Resúmen" + cannot, unchanged, unchanged}));
        QCOMPARE(world_->ui.shown.first().icon, platform::Icon::Exclamation);
    }
};

QTEST_MAIN(tst_frmSummary)
#include "tst_frmSummary.moc"
