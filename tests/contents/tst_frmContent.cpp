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
#include "support/Rows_program.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QWheelEvent>
#include <QtTest>

using namespace vexo;

namespace {

QLabel* Entry(const frmContent* contents, int index)
{
    return contents->findChild<QLabel*>(QStringLiteral("lblTextLabel_%1").arg(index));
}

void Click(const frmContent* contents, int index)
{
    QLabel* entry = Entry(contents, index);
    QTest::mouseClick(entry, Qt::LeftButton, {}, QPoint(5, entry->height() / 2));
}

// The sections an entry opens through the main window, by the name a test records.
std::array<std::pair<std::function<void()> Window_openers::*, const char*>, 4> Openers()
{
    return {{{&Window_openers::pages, "pages"}, {&Window_openers::water, "water"}, {&Window_openers::guide, "guide"},
             {&Window_openers::green, "green"}}};
}

} // namespace

class tst_frmContent : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rows_program> program_;
    QString content_;
    QStringList opened_;

    // As the main window opens it, so its entries reach the main window's sections.
    frmContent* Open_contents()
    {
        Main_form->Open_section(Section::Contents);
        return Find_child<frmContent>();
    }

private Q_SLOTS:
    void init()
    {
        program_ = std::make_unique<test::Rows_program>(test::Minimal_rows());
        platform::Set_app_path(program_->folder());
        content_ = program_->folder() + QStringLiteral("/Content/espanol");
        QDir().mkpath(content_);
        const QDir ours(QStringLiteral(VEXO_SOURCE_DIR "/resources/content/espanol"));
        for (const QString& name : ours.entryList(QDir::Files))
            QVERIFY(QFile::copy(ours.filePath(name), content_ + u'/' + name));
        // The windows behind the sections, as the main window would open them.
        opened_.clear();
        for (const auto& [opener, name] : Openers())
            Main_form->openers.*opener = [this, name] { opened_ << QLatin1String(name); };
        Index_mode = 5;
        Chemical_agents_only = true;
    }
    void cleanup() { program_.reset(); }

    // Pressed, an entry turns white on black until released, and released
    // outside it nothing opens; a heading neither changes nor opens. A
    // document opens in the viewer; each section is disabled without its window.
    void entries_open_their_windows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("window");  // a section the main window opens, a chart's caption, a heading or a file
        QTest::addColumn<int>("shown");       // the chart's picture that shows; -2 a heading, -3 a document
        QTest::newRow("RECURSOS") << 0 << "RECURSOS" << -2;
        QTest::newRow("IDENTIFICACION") << 8 << "IDENTIFICACION" << -2;
        QTest::newRow("ACCIONES") << 20 << "ACCIONES" << -2;
        QTest::newRow("rail cars") << 12 << "Tabla de identificación de carros tanque" << 37;
        QTest::newRow("road trailers") << 13 << "Tabla de identificación de remolques" << 27;
        QTest::newRow("placards") << 15 << "Placards" << 0;
        QTest::newRow("index by number") << 17 << "pages" << -1;
        QTest::newRow("index by name") << 18 << "pages" << -1;
        QTest::newRow("water list") << 19 << "water" << -1;
        QTest::newRow("guide chooser") << 26 << "guide" << -1;
        QTest::newRow("distances table") << 27 << "green" << -1;
        for (int i = 0; i < kContent_entries; ++i) {
            const Content_entry& entry = Content_entries()[i];
            if (entry.action == Entry_action::Document)
                QTest::addRow("%d %s", i, entry.file) << i << QString::fromLatin1(entry.file) << -3;
        }
    }
    void entries_open_their_windows()
    {
        QFETCH(int, index);
        QFETCH(QString, window);
        QFETCH(int, shown);
        frmContent* contents = Open_contents();
        QLabel* entry = Entry(contents, index);
        QVERIFY(entry->isEnabled());
        const QPalette before = entry->palette();
        QTest::mousePress(entry, Qt::LeftButton, {}, QPoint(5, 5));
        const bool heading = shown == -2;
        QCOMPARE(QList<QColor>({entry->palette().color(QPalette::WindowText), entry->palette().color(QPalette::Window)}),
                 heading ? QList<QColor>({before.color(QPalette::WindowText), before.color(QPalette::Window)})
                         : QList<QColor>({Qt::white, Qt::black}));
        QTest::mouseRelease(entry, Qt::LeftButton, {}, heading ? QPoint(5, 5) : QPoint(-5, -5));
        QCOMPARE(entry->palette(), before);
        QVERIFY(opened_.isEmpty() && Work_area()->subWindowList().size() == 1 && program_->ui.shown.isEmpty());
        if (heading) {
            QCOMPARE(entry->text(), window);
            return;
        }
        Click(contents, index);
        if (shown == -3) {
            QVERIFY(QFile::exists(content_ + u'/' + window));
            auto* viewer = Find_child<frmText1>();
            QVERIFY(viewer);
            const auto* text = viewer->findChild<QTextEdit*>(QStringLiteral("RichTextBox1"));
            QVERIFY(program_->ui.shown.isEmpty());
            // Our documents open at the top, read-only, with the entry's caption
            // (without its leading dash) as their bold heading and, cut past 45
            // characters, as their title.
            QString caption = QString::fromUtf8(Content_entries()[index].caption).remove(QRegularExpression("^- "));
            QCOMPARE(viewer->windowTitle(), caption.size() > 45 ? caption.left(42) + "..." : caption);
            const QTextDocument* document = text->document();
            QCOMPARE(document->firstBlock().text(), caption);
            QVERIFY(document->firstBlock().charFormat().fontWeight() == QFont::Bold
                    || QTextCursor(document->firstBlock()).charFormat().fontWeight() == QFont::Bold);
            QVERIFY(document->blockCount() >= 3 && text->isReadOnly());
            QCOMPARE(text->verticalScrollBar()->value(), 0);
            // One document at a time, and the contents stay.
            Click(contents, index);
            QVERIFY(Work_area()->subWindowList().size() == 2 && Find_child<frmContent>() && Find_child<frmText1>());
            return;
        }
        if (shown >= 0) {
            auto* chart = Find_child<frmPlacard>();
            QVERIFY(chart);
            QCOMPARE(chart->windowTitle(), window);
            QVERIFY(chart->findChild<Svg_picture*>(QStringLiteral("imgSmall_%1").arg(shown))->isVisible());
            return;
        }
        // What each section then reads is the main window's command's own.
        QCOMPARE(opened_, QStringList{window});
        if (window == "pages")
            QVERIFY(Index_mode == (index == 17 ? 0 : 1) && !Chemical_agents_only);

        // Without the section's window the entry is disabled and opens nothing.
        opened_.clear();
        Index_mode = 5;
        for (const auto& [opener, name] : Openers())
            Main_form->openers.*opener = nullptr;
        Close_child<frmContent>();
        contents = Open_contents();
        QVERIFY(!Entry(contents, index)->isEnabled() && Entry(contents, 1)->isEnabled());
        Click(contents, index);
        QVERIFY(opened_.isEmpty() && Index_mode == 5);
    }

    // A document missing, a folder in its place, or one too costly to lay out:
    // its message, no viewer, and the next document still opens.
    void documents_that_cannot_be_shown_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<qint64>("size");  // -2 no file, -1 a folder, 0 the rtf, else a sparse file of this size
        QTest::addColumn<QString>("message");
        const QString missing = QStringLiteral("El archivo \"%1\" no se encuentra o no puede ser accesado.");
        const QString costly = QStringLiteral("El documento \"%1\" no se puede mostrar porque ");
        QTest::newRow("no file") << QByteArray() << qint64(-2) << missing;
        QTest::newRow("a folder of that name") << QByteArray() << qint64(-1) << missing;
        QTest::newRow("50 MB") << QByteArray() << qint64(50) * 1024 * 1024 << costly + "es demasiado grande (50 MB).";
        QTest::newRow("thousands of tabs in a line") << "{\\rtf1 a" + QByteArray("\\tab ").repeated(5000) + "b}"
                                                     << qint64(0) << costly + "tiene una línea con demasiadas tabulaciones.";
        QTest::newRow("a word of 100,000 characters") << "{\\rtf1 " + QByteArray(100000, 'x') + "}" << qint64(0)
                                                      << costly + "tiene una palabra demasiado larga.";
        QTest::newRow("a paragraph of 5,000 bold and plain runs")
            << "{\\rtf1 " + QByteArray("\\b a\\b0 b").repeated(2500) + "}" << qint64(0)
            << costly + "tiene un párrafo con demasiados cambios de formato.";
        QTest::newRow("plain text of 5,000,000 characters") << QByteArray("Texto llano. ").repeated(400000)
                                                            << qint64(0) << costly + "tiene demasiado texto.";
    }
    void documents_that_cannot_be_shown()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(qint64, size);
        QFETCH(QString, message);
        QString path = content_ + QStringLiteral("/Glosario.rtf");
        if (size == -1)
            QVERIFY(QDir().mkdir(path));
        if (size >= 0)
            test::Write_file(path, rtf);
        if (size > 0)
            QVERIFY(QFile::resize(path, size));  // sparse: no real data written
        QString caption = QStringLiteral("Glosario");
        QElapsedTimer timer;
        timer.start();
        Call_frmText1(path, caption);
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(program_->ui.texts(), QStringList{message.arg(path)});
        QCOMPARE(program_->ui.shown.first().icon, size < 0 ? platform::Icon::Critical : platform::Icon::Exclamation);
        QCOMPARE(program_->ui.shown.first().title, QStringLiteral("MARDOVI VEXO"));
        QVERIFY(!Find_child<frmText1>());
        Click(Open_contents(), 3);
        QVERIFY(Find_child<frmText1>());
    }

    void the_entries_scroll_in_a_short_window()
    {
        frmContent* contents = Open_contents();
        auto* bar = contents->findChild<QScrollBar*>(QStringLiteral("vsData"));
        auto* sheet = contents->findChild<QWidget*>(QStringLiteral("frmData"));
        Child_frame<frmContent>()->resize(Child_frame<frmContent>()->width(), 200);
        QVERIFY(bar->isVisible() && bar->maximum() > 0);
        // The wheel over an entry scrolls them, as the bar does.
        QLabel* entry = Entry(contents, 1);
        QWheelEvent wheel(QPointF(5, 5), entry->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(entry, &wheel);
        QVERIFY(bar->value() > 0);
        bar->setValue(bar->maximum());
        QCOMPARE(sheet->y(), -twips(27.0 * bar->maximum()));
        // At the end of the scroll the last entry is in the window.
        QVERIFY(sheet->y() + Entry(contents, kContent_entries - 1)->geometry().bottom() <= contents->height());
        Child_frame<frmContent>()->resize(Child_frame<frmContent>()->width(), 2000);
        QVERIFY(!bar->isVisible());
        QCOMPARE(sheet->y(), 0);
    }
};

QTEST_MAIN(tst_frmContent)
#include "tst_frmContent.moc"
