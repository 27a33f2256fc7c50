// What a responder reads about a product: the marks of its row from the
// database's flags, and which row of distances each spill leads to, for
// every combination of flags and answers.
#include "app/Safety_rules.h"

#include <QtTest>

using namespace vexo;

class tst_Safety_rules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The flags PIH, chemical warfare, water-reactive and polymerization of a
    // guide 128 row, and what is read: "RIT" when toxic by inhalation, the
    // mark and the guide code.
    void marks_data()
    {
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<QString>("read");
        QTest::newRow("every flag") << QStringList{"1", "Z", "W", "P"} << "RIT Q/B 128P";
        QTest::newRow("toxic agent") << QStringList{"1", "Z", "", ""} << "RIT Q/B 128";
        QTest::newRow("toxic and water-reactive") << QStringList{"1", "", "W", ""} << "RIT MRA 128";
        QTest::newRow("toxic only, PIH padded") << QStringList{" 1 ", "", "", ""} << "RIT 128";
        QTest::newRow("agent and water-reactive") << QStringList{"", "Z", "W", ""} << "Q/B 128";
        QTest::newRow("agent") << QStringList{"", "Z", "", ""} << "Q/B 128";
        QTest::newRow("water-reactive, polymerizes") << QStringList{"", "", "W", "P"} << "MRA 128P";
        QTest::newRow("no flag") << QStringList{"", "", "", ""} << "128";
        QTest::newRow("other values are no flag") << QStringList{"0", "z", "w", "p"} << "128";
    }
    void marks()
    {
        QFETCH(QStringList, flags);
        QFETCH(QString, read);
        const Product_marks marks = Marks_of(flags[0], flags[1], flags[2]);
        const QStringList seen{marks.inhalation ? "RIT" : "", Mark_text(marks), Guide_code(QStringLiteral("128"), flags[3])};
        QCOMPARE(seen.join(u' ').simplified(), read);
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
