// What a responder reads about a product: the marks of its row from the
// database's flags, and which row of distances each spill leads to, for
// every combination of flags and answers.
#include "app/Safety_rules.h"

#include <QtTest>

using namespace vexo;

class tst_Safety_rules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void marks_data()
    {
        QTest::addColumn<QString>("pih");
        QTest::addColumn<QString>("chemical_warfare");
        QTest::addColumn<QString>("water_reactive");
        QTest::addColumn<QString>("polymerization");
        QTest::addColumn<bool>("rit");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("guide");
        QTest::newRow("every flag") << "1" << "Z" << "W" << "P" << true << "Q/B" << "128P";
        QTest::newRow("toxic agent") << "1" << "Z" << "" << "" << true << "Q/B" << "128";
        QTest::newRow("toxic and water-reactive") << "1" << "" << "W" << "" << true << "MRA" << "128";
        QTest::newRow("toxic only, PIH padded") << " 1 " << "" << "" << "" << true << "" << "128";
        QTest::newRow("agent and water-reactive") << "" << "Z" << "W" << "" << false << "Q/B" << "128";
        QTest::newRow("agent") << "" << "Z" << "" << "" << false << "Q/B" << "128";
        QTest::newRow("water-reactive, polymerizes") << "" << "" << "W" << "P" << false << "MRA" << "128P";
        QTest::newRow("no flag") << "" << "" << "" << "" << false << "" << "128";
        QTest::newRow("other values are no flag") << "0" << "z" << "w" << "p" << false << "" << "128";
    }

    void marks()
    {
        QFETCH(QString, pih);
        QFETCH(QString, chemical_warfare);
        QFETCH(QString, water_reactive);
        QFETCH(QString, polymerization);
        QFETCH(bool, rit);
        QFETCH(QString, mark);
        QFETCH(QString, guide);
        const Product_marks marks = Marks_of(pih, chemical_warfare, water_reactive);
        QCOMPARE(marks.inhalation, rit);
        QCOMPARE(Mark_text(marks), mark);
        QCOMPARE(Guide_code(QStringLiteral("128"), polymerization), guide);
    }

    void distances_row_data()
    {
        QTest::addColumn<QString>("flags"); // RIT, MRA, Q/B among them
        QTest::addColumn<bool>("in_water");
        QTest::addColumn<QString>("suffix"); // "-": no distances
        const QString water = QStringLiteral("(cuando es derramado en el agua)");
        const QString land = QStringLiteral("(cuando es derramado sobre la tierra)");
        const QString weapon = QStringLiteral("(cuando es utilizado como una arma)");
        QTest::newRow("no mark") << "" << false << "-";
        QTest::newRow("no mark, in water") << "" << true << "-";
        QTest::newRow("toxic") << "RIT" << false << "(en tanques)";
        QTest::newRow("toxic, in water") << "RIT" << true << "(en tanques)";
        QTest::newRow("water-reactive on land") << "MRA" << false << "-";
        QTest::newRow("water-reactive in water") << "MRA" << true << water;
        QTest::newRow("toxic water-reactive on land") << "RIT MRA" << false << land;
        QTest::newRow("toxic water-reactive in water") << "RIT MRA" << true << water;
        QTest::newRow("agent") << "Q/B" << false << "-";
        QTest::newRow("agent, in water") << "Q/B" << true << "-";
        QTest::newRow("toxic agent") << "RIT Q/B" << false << "(en tanques)" + weapon;
        QTest::newRow("toxic agent, in water") << "RIT Q/B" << true << "(en tanques)" + weapon;
    }

    void distances_row()
    {
        QFETCH(QString, flags);
        QFETCH(bool, in_water);
        QFETCH(QString, suffix);
        const Product_marks marks{.inhalation = flags.contains(QLatin1String("RIT")),
                                  .water_reactive = flags.contains(QLatin1String("MRA")),
                                  .agent = flags.contains(QLatin1String("Q/B"))};
        const std::optional<QString> chosen =
            Distances_suffix(marks, in_water, Inhalation_supplement(QStringLiteral("(en tanques)"), marks.agent));
        QCOMPARE(chosen.value_or(QStringLiteral("-")), suffix);
    }
};

QTEST_MAIN(tst_Safety_rules)
#include "tst_Safety_rules.moc"
