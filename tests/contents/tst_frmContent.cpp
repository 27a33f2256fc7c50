// The table of contents and the document viewer as the user meets them: every
// entry opens its document or window (or is visibly disabled), the viewer's
// titles, the messages for a missing or unusable document, and scrolling.
#include "app/Child_windows.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "charts/Svg_picture.h"
#include "charts/frmPlacard.h"
#include "contents/frmContent.h"
#include "contents/frmText1.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "support/Fixture.h"
#include "support/Scripted_platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

using namespace vexo;

class tst_frmContent : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void documents_open_with_their_titles_data();
    void documents_open_with_their_titles();
    void headings_do_nothing_and_give_no_feedback_data();
    void headings_do_nothing_and_give_no_feedback();
    void entries_give_feedback_while_pressed();
    void charts_open_from_their_entries_data();
    void charts_open_from_their_entries();
    void sections_open_as_from_the_main_window_data();
    void sections_open_as_from_the_main_window();
    void sections_without_their_window_are_disabled();
    void a_missing_document_is_reported_data();
    void a_missing_document_is_reported();
    void documents_too_costly_to_show_are_refused_data();
    void documents_too_costly_to_show_are_refused();
    void long_titles_are_cut_to_45_characters();
    void the_entries_scroll_in_a_short_window();
    void screenshots();

private:
    frmContent* Open_contents();
    void Click(frmContent* contents, int index);

    QTemporaryDir dir_;
    QString content_;
    std::unique_ptr<test::Scripted_platform> ui_;
    QStringList opened_;
};

void tst_frmContent::initTestCase()
{
    platform::Set_app_path(dir_.path());
    content_ = dir_.filePath(QStringLiteral("Content/espanol"));
    QDir().mkpath(content_);
    const QDir ours(QStringLiteral(VEXO_SOURCE_DIR "/resources/content/espanol"));
    for (const QString& name : ours.entryList(QDir::Files))
        QVERIFY(QFile::copy(ours.filePath(name), content_ + QLatin1Char('/') + name));
    const QString path = dir_.filePath(QStringLiteral("guide2ks.mdb"));
    test::Make_database(path, test::Minimal_rows());
    Main_database = Database::Open(path);
    Main_form = new frmMain;
    Main_form->resize(1000, 800);
    Main_form->show();
}

void tst_frmContent::init()
{
    ui_ = std::make_unique<test::Scripted_platform>();
    opened_.clear();
    // The windows behind the sections, as the main window would open them.
    Main_form->openers.pages = [this] { opened_ << QStringLiteral("pages"); };
    Main_form->openers.water = [this] { opened_ << QStringLiteral("water"); };
    Main_form->openers.guide = [this] { opened_ << QStringLiteral("guide"); };
    Main_form->openers.green = [this] { opened_ << QStringLiteral("green"); };
    Index_mode = 5;
    Chemical_agents_only = true;
    Guide_SQL.clear();
    Green_SQL.clear();
    Water_SQL.clear();
}

void tst_frmContent::cleanup()
{
    Work_area()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui_.reset();
}

frmContent* tst_frmContent::Open_contents()
{
    // As the main window opens it, so its entries reach the main window's sections.
    Main_form->Open_section(Section::Contents);
    return Find_child<frmContent>();
}

void tst_frmContent::Click(frmContent* contents, int index)
{
    QLabel* entry = contents->lblTextLabel[index];
    QTest::mouseClick(entry, Qt::LeftButton, {}, QPoint(5, entry->height() / 2));
}

void tst_frmContent::documents_open_with_their_titles_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    for (int i = 0; i < kContent_entries; ++i) {
        const Content_entry& entry = Content_entries()[i];
        if (entry.action != Entry_action::Document)
            continue;
        QTest::addRow("%d %s", i, entry.file) << i << QString::fromLatin1(entry.file)
                                            << Document_title(QString::fromUtf8(entry.caption));
    }
}

void tst_frmContent::documents_open_with_their_titles()
{
    QFETCH(int, index);
    QFETCH(QString, file);
    QFETCH(QString, title);
    frmContent* contents = Open_contents();
    Click(contents, index);
    auto* viewer = Find_child<frmText1>();
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), title);
    QVERIFY(ui_->shown.isEmpty());
    // Our documents open with the entry's caption as their heading.
    QString heading = QString::fromUtf8(Content_entries()[index].caption);
    if (heading.startsWith(QLatin1String("- ")))
        heading.remove(0, 2);
    const QTextDocument* document = viewer->RichTextBox1->document();
    QCOMPARE(document->firstBlock().text(), heading);
    QVERIFY(document->firstBlock().charFormat().fontWeight() == QFont::Bold
            || QTextCursor(document->firstBlock()).charFormat().fontWeight() == QFont::Bold);
    QVERIFY(document->blockCount() >= 3);
    QVERIFY(viewer->RichTextBox1->isReadOnly());
    QCOMPARE(viewer->RichTextBox1->verticalScrollBar()->value(), 0); // opens at the top
    // One document at a time, and the contents stay.
    Click(contents, index);
    int viewers = 0;
    for (QMdiSubWindow* sub : Work_area()->subWindowList())
        viewers += qobject_cast<frmText1*>(sub->widget()) ? 1 : 0;
    QCOMPARE(viewers, 1);
    QVERIFY(Find_child<frmContent>());
    QVERIFY(QFile::exists(content_ + QLatin1Char('/') + file));
}

void tst_frmContent::headings_do_nothing_and_give_no_feedback_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::newRow("RECURSOS") << 0 << "RECURSOS";
    QTest::newRow("IDENTIFICACION") << 8 << "IDENTIFICACION";
    QTest::newRow("ACCIONES") << 20 << "ACCIONES";
}

void tst_frmContent::headings_do_nothing_and_give_no_feedback()
{
    QFETCH(int, index);
    QFETCH(QString, caption);
    frmContent* contents = Open_contents();
    QLabel* heading = contents->lblTextLabel[index];
    QCOMPARE(heading->text(), caption);
    const QPalette before = heading->palette();
    QTest::mousePress(heading, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(heading->palette().color(QPalette::Window), before.color(QPalette::Window));
    QTest::mouseRelease(heading, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(Work_area()->subWindowList().size(), 1);
    QVERIFY(opened_.isEmpty());
    QVERIFY(ui_->shown.isEmpty());
}

void tst_frmContent::entries_give_feedback_while_pressed()
{
    frmContent* contents = Open_contents();
    QLabel* entry = contents->lblTextLabel[5];
    const QColor fore = entry->palette().color(QPalette::WindowText);
    const QColor back = entry->palette().color(QPalette::Window);
    QTest::mousePress(entry, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(entry->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(entry->palette().color(QPalette::Window), QColor(Qt::black));
    // Released outside the entry: colours back, nothing opens.
    QTest::mouseRelease(entry, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(entry->palette().color(QPalette::WindowText), fore);
    QCOMPARE(entry->palette().color(QPalette::Window), back);
    QVERIFY(!Find_child<frmText1>());
}

void tst_frmContent::charts_open_from_their_entries_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("shown_picture");
    QTest::newRow("rail cars") << 12 << "Tabla de identificación de carros tanque" << 37;
    QTest::newRow("road trailers") << 13 << "Tabla de identificación de remolques" << 27;
    QTest::newRow("placards") << 15 << "Placards" << 0;
}

void tst_frmContent::charts_open_from_their_entries()
{
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(int, shown_picture);
    frmContent* contents = Open_contents();
    Click(contents, index);
    auto* chart = Find_child<frmPlacard>();
    QVERIFY(chart);
    QCOMPARE(chart->windowTitle(), caption);
    QVERIFY(chart->imgSmall[shown_picture]->isVisible());
}

void tst_frmContent::sections_open_as_from_the_main_window_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("window");
    QTest::newRow("index by number") << 17 << "pages";
    QTest::newRow("index by name") << 18 << "pages";
    QTest::newRow("water list") << 19 << "water";
    QTest::newRow("guide chooser") << 26 << "guide";
    QTest::newRow("distances table") << 27 << "green";
}

void tst_frmContent::sections_open_as_from_the_main_window()
{
    QFETCH(int, index);
    QFETCH(QString, window);
    frmContent* contents = Open_contents();
    QVERIFY(contents->lblTextLabel[index]->isEnabled());
    Click(contents, index);
    QCOMPARE(opened_, QStringList{window});
    if (window == QLatin1String("pages")) {
        QCOMPARE(Index_mode, qint16(index == 17 ? 0 : 1));
        QCOMPARE(Chemical_agents_only, false);
    } else if (window == QLatin1String("water")) {
        QVERIFY(Water_SQL.startsWith(QStringLiteral("SELECT DISTINCT Water.*")));
    } else if (window == QLatin1String("guide")) {
        QVERIFY(Guide_SQL.contains(QStringLiteral("Sentences.Code = 2")));
        QVERIFY(Guide_records && Guide_records->RecordCount() > 0);
    } else {
        QCOMPARE(Green_SQL, QStringLiteral("SELECT * FROM Green ORDER BY ID, Name_of_material"));
    }
}

void tst_frmContent::sections_without_their_window_are_disabled()
{
    Main_form->openers.pages = nullptr;
    Main_form->openers.water = nullptr;
    Main_form->openers.guide = nullptr;
    Main_form->openers.green = nullptr;
    frmContent* contents = Open_contents();
    for (int index : {17, 18, 19, 26, 27}) {
        QVERIFY(!contents->lblTextLabel[index]->isEnabled());
        Click(contents, index);
    }
    QVERIFY(opened_.isEmpty());
    QCOMPARE(Index_mode, qint16(5));
    QVERIFY(contents->lblTextLabel[1]->isEnabled());
    QVERIFY(contents->lblTextLabel[12]->isEnabled());
}

void tst_frmContent::a_missing_document_is_reported_data()
{
    QTest::addColumn<bool>("folder_instead");
    QTest::newRow("file removed") << false;
    QTest::newRow("a folder of that name") << true;
}

void tst_frmContent::a_missing_document_is_reported()
{
    QFETCH(bool, folder_instead);
    const QString file = content_ + QStringLiteral("/Glossary.rtf");
    const QString kept = content_ + QStringLiteral("/Glossary.kept");
    QVERIFY(QFile::rename(file, kept));
    if (folder_instead)
        QVERIFY(QDir().mkdir(file));
    frmContent* contents = Open_contents();
    Click(contents, 5);
    if (folder_instead)
        QDir().rmdir(file);
    QVERIFY(QFile::rename(kept, file));

    const QString expected = QStringLiteral("El archivo \"%1\" no se encuentra o no puede ser accesado.")
                                 .arg(Content_folder() + QStringLiteral("Glossary.rtf"));
    QCOMPARE(ui_->texts(), QStringList{expected});
    QCOMPARE(ui_->shown.first().icon, platform::Icon::Critical);
    QCOMPARE(ui_->shown.first().title, QStringLiteral("MARDOVI VEXO"));
    QVERIFY(!Find_child<frmText1>());
    QVERIFY(Find_child<frmContent>());
    // The contents stay usable.
    Click(contents, 3);
    QVERIFY(Find_child<frmText1>());
}

void tst_frmContent::documents_too_costly_to_show_are_refused_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<qint64>("size"); // a sparse file of this size when not 0
    QTest::addColumn<QString>("reason");
    QTest::newRow("50 MB") << QByteArray() << qint64(50) * 1024 * 1024 << "es demasiado grande (50 MB)";
    QTest::newRow("thousands of tabs in a line") << "{\\rtf1 a" + QByteArray("\\tab ").repeated(5000) + "b}" << qint64(0)
                                                 << "tiene una línea con demasiadas tabulaciones";
    QTest::newRow("a word of 100,000 characters") << "{\\rtf1 " + QByteArray(100000, 'x') + "}" << qint64(0)
                                                  << "tiene una palabra demasiado larga";
    QTest::newRow("a paragraph of 5,000 bold and plain runs")
        << "{\\rtf1 " + QByteArray("\\b a\\b0 b").repeated(2500) + "}" << qint64(0)
        << "tiene un párrafo con demasiados cambios de formato";
    QTest::newRow("plain text of 5,000,000 characters") << QByteArray("Texto llano. ").repeated(400000) << qint64(0)
                                                        << "tiene demasiado texto";
}

void tst_frmContent::documents_too_costly_to_show_are_refused()
{
    QFETCH(QByteArray, rtf);
    QFETCH(qint64, size);
    QFETCH(QString, reason);
    QString path = dir_.filePath(QStringLiteral("costly.rtf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(rtf);
    if (size > 0)
        QVERIFY(file.resize(size)); // sparse: no real data written
    file.close();
    QString caption = QStringLiteral("Glosario");
    QElapsedTimer timer;
    timer.start();
    Call_frmText1(path, caption);
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(ui_->texts(),
             QStringList{QStringLiteral("El documento \"%1\" no se puede mostrar porque %2.").arg(path, reason)});
    QCOMPARE(ui_->shown.first().icon, platform::Icon::Exclamation);
    QVERIFY(!Find_child<frmText1>());
    // The program goes on: the next document opens.
    Click(Open_contents(), 3);
    QVERIFY(Find_child<frmText1>());
}

void tst_frmContent::long_titles_are_cut_to_45_characters()
{
    frmContent* contents = Open_contents();
    Click(contents, 6);
    const QString caption = QString::fromUtf8(Content_entries()[6].caption);
    QCOMPARE(Find_child<frmText1>()->windowTitle(), caption.left(42) + QStringLiteral("..."));
    QCOMPARE(Document_title(QStringLiteral("- Introducción")), QStringLiteral("Introducción"));
    QCOMPARE(Document_title(QString(45, QLatin1Char('x'))), QString(45, QLatin1Char('x')));
}

void tst_frmContent::the_entries_scroll_in_a_short_window()
{
    frmContent* contents = Open_contents();
    Child_frame<frmContent>()->resize(Child_frame<frmContent>()->width(), 200);
    QVERIFY(contents->vsData->isVisible());
    QVERIFY(contents->vsData->maximum() > 0);
    contents->vsData->setValue(contents->vsData->maximum());
    QCOMPARE(contents->frmData->y(), -twips(27.0 * contents->vsData->maximum()));
    // At the end of the scroll the last entry is in the window.
    const int bottom = contents->frmData->y() + contents->lblTextLabel.back()->geometry().bottom();
    QVERIFY(bottom <= contents->height());

    Child_frame<frmContent>()->resize(Child_frame<frmContent>()->width(), 2000);
    QVERIFY(!contents->vsData->isVisible());
    QCOMPARE(contents->frmData->y(), 0);
}

// With VEXO_SCREENSHOTS set to a folder, the windows are saved there to look at.
void tst_frmContent::screenshots()
{
    const QString folder = qEnvironmentVariable("VEXO_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("VEXO_SCREENSHOTS not set");
    Main_form->openers.pages = nullptr;
    frmContent* contents = Open_contents();
    contents->grab().save(folder + QStringLiteral("/contents.png"));
    for (int index : {5, 9, 10, 14}) {
        Click(contents, index);
        Find_child<frmText1>()->grab().save(folder + QStringLiteral("/document_%1.png").arg(index));
    }
    Main_form->grab().save(folder + QStringLiteral("/main_with_document.png"));
}

QTEST_MAIN(tst_frmContent)
#include "tst_frmContent.moc"
