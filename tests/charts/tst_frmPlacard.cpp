// The chart window as a responder uses it: every picture drawn, named and
// leading to its guide; the three layouts; the enlarged picture on the right
// button staying inside the window.
#include "app/Child_windows.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "charts/Chart_pictures.h"
#include "charts/Svg_picture.h"
#include "charts/frmPlacard.h"
#include "guides/frmGuidePage.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "support/Fixture.h"
#include "support/Scripted_platform.h"

#include <QLabel>
#include <QMdiArea>
#include <QSet>
#include <QTemporaryDir>
#include <QFile>
#include <QtTest>

using namespace vexo;

namespace {

// One guide page, with its number and title, for every guide a chart leads to.
QString Guide_rows()
{
    QSet<QString> guides;
    for (const Chart_picture_info& picture : Chart_pictures())
        if (picture.tag[0])
            guides.insert(QLatin1String(picture.tag));
    QString sql;
    int key = 1;
    for (const QString& guide : guides) {
        sql += QStringLiteral("INSERT INTO Sentences VALUES (%1, 'GUÍA %2', 5), (%3, 'TÍTULO %2', 2), "
                              "(%4, 'Mantenga alejado al personal.', 0);\n")
                   .arg(key).arg(guide).arg(key + 1).arg(key + 2);
        sql += QStringLiteral("INSERT INTO Guides_pages VALUES (%1, %2, %1), (%3, %2, %3), (%4, %2, %4);\n")
                   .arg(key).arg(guide).arg(key + 1).arg(key + 2);
        key += 3;
    }
    return sql;
}

QList<int> Range(const Chart_range& range)
{
    QList<int> indices;
    for (int i = range.first; i <= range.last; ++i)
        if (i != kUnused_picture)
            indices << i;
    return indices;
}

} // namespace

class tst_frmPlacard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void each_picture_is_drawn_named_and_opens_its_guide_data();
    void each_picture_is_drawn_named_and_opens_its_guide();
    void each_chart_shows_only_its_pictures_data();
    void each_chart_shows_only_its_pictures();
    void road_and_rail_sit_in_two_columns_with_labels_below();
    void switching_to_placards_hides_the_road_labels();
    void a_narrow_window_wraps_the_placards_into_more_rows();
    void right_button_enlarges_inside_the_window_data();
    void right_button_enlarges_inside_the_window();
    void screenshots();

private:
    frmPlacard* Chart() const { return Find_child<frmPlacard>(); }

    QTemporaryDir dir_;
    std::unique_ptr<test::Scripted_platform> ui_;
};

void tst_frmPlacard::initTestCase()
{
    const QString path = dir_.filePath(QStringLiteral("guide2ks.mdb"));
    test::Make_database(path, Guide_rows());
    Main_database = Database::Open(path);
    Main_form = new frmMain;
    Main_form->resize(1100, 800);
    Main_form->show();
}

void tst_frmPlacard::init()
{
    ui_ = std::make_unique<test::Scripted_platform>();
}

void tst_frmPlacard::cleanup()
{
    Work_area()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui_.reset();
}

void tst_frmPlacard::each_picture_is_drawn_named_and_opens_its_guide_data()
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

void tst_frmPlacard::each_picture_is_drawn_named_and_opens_its_guide()
{
    QFETCH(int, index);
    QFETCH(QString, tool_tip);
    QFETCH(QString, guide);
    if (index <= kPlacards_range.last)
        Load_placards();
    else if (index <= kRoad_range.last)
        Load_road_trailers();
    else
        Load_rail_cars();
    Svg_picture* picture = Chart()->imgSmall[index];
    QVERIFY(picture->valid());
    QVERIFY(picture->isVisible());
    if (tool_tip.isEmpty())
        QVERIFY(!picture->toolTip().isEmpty());
    else
        QCOMPARE(picture->toolTip(), tool_tip);

    // The number printed on the picture is the guide its click opens, and
    // every vehicle carries its caption in the drawing.
    QCOMPARE(picture->guide(), guide);
    if (index > kPlacards_range.last) {
        QFile drawing(picture->file());
        QVERIFY(drawing.open(QIODevice::ReadOnly));
        QVERIFY2(drawing.readAll().contains("</text>"), qPrintable(picture->file()));
    }

    QTest::mouseClick(picture, Qt::LeftButton);
    auto* page = Find_child<frmGuidePage>();
    if (guide.isEmpty()) {
        QVERIFY(!page);
    } else {
        QVERIFY(page);
        QCOMPARE(page->lblGuide->text(), QStringLiteral("GUÍA %1").arg(guide));
    }
    QVERIFY(ui_->shown.isEmpty());
}

void tst_frmPlacard::each_chart_shows_only_its_pictures_data()
{
    QTest::addColumn<int>("chart");
    QTest::addColumn<QString>("caption");
    QTest::newRow("placards") << 0 << "Placards";
    QTest::newRow("road") << 1 << "Tabla de identificación de remolques";
    QTest::newRow("rail") << 2 << "Tabla de identificación de carros tanque";
}

void tst_frmPlacard::each_chart_shows_only_its_pictures()
{
    QFETCH(int, chart);
    QFETCH(QString, caption);
    const Chart_range ranges[] = {kPlacards_range, kRoad_range, kRail_range};
    // Open another chart first: the window is reused and changes chart.
    if (chart == 0)
        Load_rail_cars();
    else
        Load_placards();
    void (*routines[])() = {Load_placards, Load_road_trailers, Load_rail_cars};
    routines[chart]();
    QCOMPARE(Work_area()->subWindowList().size(), 1);
    QCOMPARE(Chart()->windowTitle(), caption);
    for (int i = kFirst_picture; i <= kLast_picture; ++i) {
        if (i == kUnused_picture)
            continue;
        const bool in_chart = Range(ranges[chart]).contains(i);
        QCOMPARE(Chart()->imgSmall[i]->isVisible(), in_chart);
        if (in_chart)
            QVERIFY(Chart()->rect().contains(Chart()->imgSmall[i]->geometry()));
    }
    QCOMPARE(Chart()->lblCaution->isVisible(), chart != 0);
    QCOMPARE(Chart()->lblTank1->isVisible(), chart == 2);
    QCOMPARE(Chart()->lblWarning->isVisible(), chart != 0);
}

void tst_frmPlacard::road_and_rail_sit_in_two_columns_with_labels_below()
{
    Load_rail_cars();
    frmPlacard* w = Chart();
    for (int i : Range(kRail_range))
        QCOMPARE(w->imgSmall[i]->x(), twips(i % 2 ? 120 : 3000));
    int lowest = 0;
    for (int i : Range(kRail_range))
        lowest = std::max(lowest, w->imgSmall[i]->geometry().bottom());
    QVERIFY(w->lblCaution->y() > lowest);
    QVERIFY(w->lblTank1->y() >= w->lblCaution->geometry().bottom());
    QVERIFY(w->lblTank2->y() > w->lblTank1->geometry().bottom());
    QVERIFY(w->lblTank3->y() > w->lblTank2->geometry().bottom());
    QVERIFY(w->lblWarning->y() > w->lblTank3->geometry().bottom());
    QCOMPARE(w->lblStar->y(), w->lblWarning->y());
    QVERIFY(w->lblCaution->text().startsWith(QStringLiteral("PRECAUCION: El personal de respuesta de emergencia")));
    QVERIFY(w->rect().contains(w->lblWarning->geometry()));

    Load_road_trailers();
    QVERIFY(w->lblCaution->text().startsWith(QStringLiteral("PRECAUCION: Esta Tabla solamente")));
    QVERIFY(w->lblWarning->y() > w->lblCaution->y());
    QVERIFY(w->rect().contains(w->lblWarning->geometry()));
}

void tst_frmPlacard::switching_to_placards_hides_the_road_labels()
{
    Load_road_trailers();
    Load_placards();
    frmPlacard* w = Chart();
    for (QLabel* label : {w->lblCaution, w->lblTank1, w->lblTank2, w->lblTank3, w->lblStar, w->lblWarning})
        QVERIFY(!label->isVisible());
    QCOMPARE(w->imgSmall[0]->pos(), QPoint(twips(120), twips(120)));
}

void tst_frmPlacard::a_narrow_window_wraps_the_placards_into_more_rows()
{
    auto rows = [this] {
        QSet<int> tops;
        for (int i : Range(kPlacards_range))
            tops.insert(Chart()->imgSmall[i]->y());
        return tops.size();
    };
    Load_placards();
    const int wide = rows();
    Child_frame<frmPlacard>()->resize(Child_frame<frmPlacard>()->width() / 2, Child_frame<frmPlacard>()->height());
    Load_placards();
    QVERIFY(rows() > wide);
    for (int i : Range(kPlacards_range))
        QVERIFY(Chart()->imgSmall[i]->geometry().right() < Chart()->width());
}

void tst_frmPlacard::right_button_enlarges_inside_the_window_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("first placard") << 0;
    QTest::newRow("last placard, bottom right") << 25;
    QTest::newRow("rail markings, bottom") << 39;
}

void tst_frmPlacard::right_button_enlarges_inside_the_window()
{
    QFETCH(int, index);
    index <= kPlacards_range.last ? Load_placards() : Load_rail_cars();
    frmPlacard* w = Chart();
    Svg_picture* picture = w->imgSmall[index];
    const QPoint near_corner(picture->width() - 2, picture->height() - 2);
    QTest::mousePress(picture, Qt::RightButton, {}, near_corner);
    QVERIFY(w->imgZoom->isVisible());
    QCOMPARE(w->imgZoom->file(), Chart_picture_file(index));
    QCOMPARE(w->imgZoom->guide(), picture->guide());
    QVERIFY(w->imgZoom->width() > 2 * picture->width());
    QVERIFY(w->rect().contains(w->imgZoom->geometry()));
    QTest::mouseRelease(picture, Qt::RightButton, {}, near_corner);
    QVERIFY(!w->imgZoom->isVisible());
    QVERIFY(!Find_child<frmGuidePage>()); // the right button opens nothing
}

// With VEXO_SCREENSHOTS set to a folder, the charts are saved there to look at.
void tst_frmPlacard::screenshots()
{
    const QString folder = qEnvironmentVariable("VEXO_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("VEXO_SCREENSHOTS not set");
    Load_placards();
    Chart()->grab().save(folder + QStringLiteral("/placards.png"));
    QTest::mousePress(Chart()->imgSmall[20], Qt::RightButton, {}, QPoint(10, 10));
    Chart()->grab().save(folder + QStringLiteral("/placards_zoom.png"));
    QTest::mouseRelease(Chart()->imgSmall[20], Qt::RightButton, {}, QPoint(10, 10));
    Load_rail_cars();
    Chart()->grab().save(folder + QStringLiteral("/rail.png"));
    Load_road_trailers();
    Chart()->grab().save(folder + QStringLiteral("/road.png"));
    QTest::mousePress(Chart()->imgSmall[32], Qt::RightButton, {}, QPoint(30, 20));
    Chart()->grab().save(folder + QStringLiteral("/road_zoom.png"));
    QTest::mouseRelease(Chart()->imgSmall[32], Qt::RightButton, {}, QPoint(30, 20));
}

QTEST_MAIN(tst_frmPlacard)
#include "tst_frmPlacard.moc"
