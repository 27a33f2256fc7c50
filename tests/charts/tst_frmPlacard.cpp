// The chart window as a responder uses it: every picture drawn, named, enlarged
// inside the window on the right button and leading to its guide by click or
// key; the three charts in one window.
#include "app/Child_windows.h"
#include "app/frmMain.h"
#include "app/General.h"
#include "charts/Chart_pictures.h"
#include "charts/Svg_picture.h"
#include "charts/frmPlacard.h"
#include "guides/Guide_rows.h"
#include "guides/frmGuidePage.h"
#include "platform/Twips.h"
#include "support/Fixture.h"
#include "support/Rows_program.h"

#include <QLabel>
#include <QMdiArea>
#include <QSet>
#include <QtTest>

using namespace vexo;

namespace {

frmPlacard* Chart()
{
    return Find_child<frmPlacard>();
}

Svg_picture* Picture(int index)
{
    return Chart()->findChild<Svg_picture*>(QStringLiteral("imgSmall_%1").arg(index));
}

// The pixels of `area` a reader sees as ink.
int Ink(const QImage& image, const QRect& area)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += image.pixelColor(x, y).alpha() > 128 && image.pixelColor(x, y).lightness() < 100;
    return ink;
}

// "blank", or whether ink is in the lower right corner a placard leaves to its
// guide number, "number" or "plain".
QString Drawn(Svg_picture* picture)
{
    const QImage drawn = picture->grab().toImage();
    const int w = drawn.width(), h = drawn.height();
    if (Ink(drawn, drawn.rect()) == 0)
        return QStringLiteral("blank");
    return Ink(drawn, QRect(w * 86 / 100, h * 86 / 100, w / 10, h / 10)) ? QStringLiteral("number") : QStringLiteral("plain");
}

QLabel* Label(const char* name)
{
    return Chart()->findChild<QLabel*>(QLatin1String(name));
}

void Load(int chart)
{
    void (*routines[])() = {Load_placards, Load_road_trailers, Load_rail_cars};
    routines[chart]();
}

} // namespace

class tst_frmPlacard : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rows_program> program_;

private Q_SLOTS:
    // Guides 111 to 171: every one a chart leads to.
    void initTestCase() { program_ = std::make_unique<test::Rows_program>(test::Guide_rows(61)); }
    void cleanupTestCase() { program_.reset(); }
    void init()
    {
        Main_form->resize(1100, 800);
        Main_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Main_form));
        program_->ui.shown.clear();
    }
    void cleanup()
    {
        Work_area()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void each_picture_is_drawn_named_and_opens_its_guide_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("tool_tip");
        QTest::addColumn<QString>("guide");
        QTest::newRow("mixed loads") << 0 << "Cargas mixtas" << "111";
        QTest::newRow("explosives 1.1") << 1 << "Clase 1 - Explosivos, División 1.1 (riesgo de explosión masiva), 1.2 (riesgo de proyección) o 1.3 (riesgo de incendio); Typo A o B" << "112";
        QTest::newRow("explosives 1.4") << 4 << "Clase 1 - Explosivos - División 1.4 (no presentan ningún riesgo considerable; Typo C" << "114";
        QTest::newRow("non-flammable gas") << 6 << "Clase 2.2 - Canada: Gases no Inflamables, no Tóxicos, no Corrosivos; E.U.: Gases no Inflamables, no Tóxicos" << "121";
        QTest::newRow("oxygen") << 7 << "Oxígeno" << "122";
        QTest::newRow("diesel") << 11 << "Clase 3 - Combustible diesel (Solo E.U.)" << "128";
        QTest::newRow("harmful") << 18 << "Clase 6.1, G E/E III - Substancias Dañinas" << "151";
        QTest::newRow("corrosive") << 21 << "Clase 8 - Substancias Corrosivas" << "153";
        QTest::newRow("class 9") << 22 << "Canada: Clase 9.1- Materiales Peligrosos varios, 9.3 - Residuos Peligrosos; E.U.: Clase 9 - Materiales Peligrosos varios" << "171";
        QTest::newRow("marine pollutant") << 23 << "Contaminante marino" << "";
        QTest::newRow("inhalation hazard") << 24 << "Peligro de Inhalación" << "";
        QTest::newRow("fumigated") << 25 << "Fumigado" << "";
        QTest::newRow("SCT307") << 29 << "SCT307 Autotaque para químicos de baja presión" << "137";
        QTest::newRow("tube trailer") << 30 << "Remolques para cilindros de Gas comprimido" << "117";
        QTest::newRow("van") << 34 << "Cargas Mixtas" << "111";
        QTest::newRow("hopper car") << 35 << "Carrotanque tolva a granel para cargas secas" << "140";
        QTest::newRow("pressure car") << 37 << "Carrotanque presurizado.  Gases licuados comprimidos" << "117";
        QTest::newRow("markings") << 39 << "Marcas" << "";
        // Every other picture: drawn, named, and its guide (or none) opens.
        const QSet<int> listed{0, 1, 4, 6, 7, 11, 18, 21, 22, 23, 24, 25, 29, 30, 34, 35, 37, 39};
        for (int i = kFirst_picture; i <= kLast_picture; ++i)
            if (i != kUnused_picture && !listed.contains(i))
                QTest::addRow("picture %d", i) << i << QString() << QString::fromLatin1(Chart_pictures()[i].tag);
    }
    void each_picture_is_drawn_named_and_opens_its_guide()
    {
        QFETCH(int, index);
        QFETCH(QString, tool_tip);
        QFETCH(QString, guide);
        Load(index <= kPlacards_range.last ? 0 : index <= kRoad_range.last ? 1 : 2);
        Svg_picture* picture = Picture(index);
        QVERIFY(picture->valid() && picture->isVisible() && !picture->toolTip().isEmpty());
        QCOMPARE(tool_tip.isEmpty() ? QString() : picture->toolTip(), tool_tip);
        // The number printed on the picture is the guide its click opens; a
        // vehicle carries its caption in its drawing.
        QCOMPARE(picture->guide(), guide);
        const bool placard = index <= kPlacards_range.last;
        const QString drawn = Drawn(picture);
        QVERIFY2(placard ? drawn == (guide.isEmpty() ? "plain" : "number") : drawn != "blank", qPrintable(drawn));
        QVERIFY2(placard || test::Read_file(picture->file()).contains("</text>"), qPrintable(picture->file()));

        // Held, the right button shows it enlarged with its number, inside the
        // window wherever pressed; opens nothing.
        auto* zoom = Chart()->findChild<Svg_picture*>(QStringLiteral("imgZoom"));
        const QPoint near_corner(picture->width() - 2, picture->height() - 2);
        QTest::mousePress(picture, Qt::RightButton, {}, near_corner);
        QVERIFY(zoom->isVisible() && zoom->width() > 2 * picture->width());
        QCOMPARE(zoom->file(), Chart_picture_file(index));
        QCOMPARE(zoom->guide(), guide);
        if (placard)
            QCOMPARE(Drawn(zoom), guide.isEmpty() ? "plain" : "number");
        QVERIFY(Chart()->rect().contains(zoom->geometry()));
        QTest::mouseRelease(picture, Qt::RightButton, {}, near_corner);
        QVERIFY(!zoom->isVisible());
        QTest::mouseClick(picture, Qt::MiddleButton);
        QVERIFY(!Find_child<frmGuidePage>());

        // A click, or Enter or space on the picture reached with Tab (boxed in
        // the highlight colour), opens its guide.
        picture->setFocus();
        QTRY_VERIFY(picture->hasFocus());
        QCOMPARE(picture->grab().toImage().pixelColor(1, 1), picture->palette().color(QPalette::Highlight));
        for (const int key : {0, int(Qt::Key_Return), int(Qt::Key_Space)}) {
            Close_child<frmGuidePage>();
            if (key)
                QTest::keyClick(picture, Qt::Key(key));
            else
                QTest::mouseClick(picture, Qt::LeftButton);
            auto* page = Find_child<frmGuidePage>();
            QCOMPARE(page != nullptr, !guide.isEmpty());
            if (page)
                QCOMPARE(page->lblGuide->text(), QStringLiteral("GUÍA %1").arg(guide));
        }
        QVERIFY(program_->ui.shown.isEmpty());
    }

    // One window changes chart: only the chart's pictures show, inside it,
    // however narrow; the rail cars stand in two columns, the cautions below
    // the vehicles.
    void each_chart_shows_only_its_pictures_data()
    {
        QTest::addColumn<int>("chart");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("narrow");  // half as wide as opened
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("caution");
        QTest::newRow("placards after road") << 0 << 1 << false << "Placards" << "";
        QTest::newRow("placards, narrow: more rows") << 0 << 0 << true << "Placards" << "";
        QTest::newRow("road after placards") << 1 << 0 << false << "Tabla de identificación de remolques"
                                             << "PRECAUCION: Esta Tabla solamente";
        QTest::newRow("rail after placards") << 2 << 0 << false << "Tabla de identificación de carros tanque"
                                             << "PRECAUCION: El personal de respuesta de emergencia";
    }
    void each_chart_shows_only_its_pictures()
    {
        QFETCH(int, chart);
        QFETCH(int, before);
        QFETCH(bool, narrow);
        QFETCH(QString, caption);
        QFETCH(QString, caution);
        Load(before);
        if (narrow)
            Child_frame<frmPlacard>()->resize(Child_frame<frmPlacard>()->width() / 2, Child_frame<frmPlacard>()->height());
        Load(chart);
        QCOMPARE(Work_area()->subWindowList().size(), 1);
        frmPlacard* window = Chart();
        QCOMPARE(window->windowTitle(), caption);
        const Chart_range range = std::array{kPlacards_range, kRoad_range, kRail_range}[chart];
        int lowest = 0;
        QSet<int> rows;
        for (int i = kFirst_picture; i <= kLast_picture; ++i) {
            const bool in_chart = i >= range.first && i <= range.last;
            if (i == kUnused_picture)
                continue;
            QCOMPARE(Picture(i)->isVisible(), in_chart);
            if (!in_chart)
                continue;
            QVERIFY(window->rect().contains(Picture(i)->geometry()));
            if (chart == 2)
                QCOMPARE(Picture(i)->x(), twips(i % 2 ? 120 : 3000));
            lowest = std::max(lowest, Picture(i)->geometry().bottom());
            rows.insert(Picture(i)->y());
        }
        if (chart == 0) {  // the placards wrap, never cut off
            QCOMPARE(Picture(0)->pos(), QPoint(twips(120), twips(120)));
            QCOMPARE(rows.size(), narrow ? 9 : 6);
        }
        // The cautions stand one under another below the vehicles, inside the
        // window, the rail cars' three tank notes between them, a star beside
        // the last.
        QCOMPARE(Label("lblCaution")->isVisible(), chart > 0);
        QVERIFY(chart == 0 || Label("lblCaution")->text().startsWith(caution));
        int top = lowest;
        for (const char* name : {"lblCaution", "lblTank1", "lblTank2", "lblTank3", "lblWarning"}) {
            QCOMPARE(Label(name)->isVisible(), chart == 2 || (chart == 1 && name[3] != 'T'));
            if (!Label(name)->isVisible())
                continue;
            QVERIFY2(Label(name)->y() >= top && window->rect().contains(Label(name)->geometry()), name);
            top = Label(name)->geometry().bottom();
        }
        QCOMPARE(Label("lblStar")->isVisible(), chart > 0);
        QVERIFY(chart == 0 || Label("lblStar")->y() == Label("lblWarning")->y());
    }
};

QTEST_MAIN(tst_frmPlacard)
#include "tst_frmPlacard.moc"
