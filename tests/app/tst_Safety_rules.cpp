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
    // guide 128 row; what is read ("RIT" when toxic by inhalation, the mark
    // and the guide code); the row of distances a spill on land and one in
    // water lead to ("-": none), the row's own supplement being "(en tanques)".
    void marks_and_distances_row_data()
    {
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("rows"); // on land|in water
        const QString tanks = QStringLiteral("(en tanques)|(en tanques)");
        const QString weapon = QStringLiteral("(en tanques)(cuando es utilizado como una arma)");
        const QString water = QStringLiteral("|(cuando es derramado en el agua)");
        QTest::newRow("every flag") << QStringList{"1", "Z", "W", "P"} << "RIT Q/B 128P" << weapon + u'|' + weapon;
        QTest::newRow("toxic agent") << QStringList{"1", "Z", "", ""} << "RIT Q/B 128" << weapon + u'|' + weapon;
        QTest::newRow("toxic and water-reactive") << QStringList{"1", "", "W", ""} << "RIT MRA 128"
                                                  << "(cuando es derramado sobre la tierra)" + water;
        QTest::newRow("toxic only, PIH padded") << QStringList{" 1 ", "", "", ""} << "RIT 128" << tanks;
        QTest::newRow("agent and water-reactive") << QStringList{"", "Z", "W", ""} << "Q/B 128" << "-|-";
        QTest::newRow("agent") << QStringList{"", "Z", "", ""} << "Q/B 128" << "-|-";
        QTest::newRow("water-reactive, polymerizes") << QStringList{"", "", "W", "P"} << "MRA 128P" << "-" + water;
        QTest::newRow("no flag") << QStringList{"", "", "", ""} << "128" << "-|-";
        QTest::newRow("other values are no flag") << QStringList{"0", "z", "w", "p"} << "128" << "-|-";
    }
    void marks_and_distances_row()
    {
        QFETCH(QStringList, flags);
        QFETCH(QString, read);
        QFETCH(QString, rows);
        const Product_marks marks = Marks_of(flags[0], flags[1], flags[2]);
        const QStringList seen{marks.inhalation ? "RIT" : "", Mark_text(marks), Guide_code(QStringLiteral("128"), flags[3])};
        QCOMPARE(seen.join(u' ').simplified(), read);
        const QString supplement = Inhalation_supplement(QStringLiteral("(en tanques)"), marks.agent);
        QCOMPARE(Distances_suffix(marks, false, supplement).value_or(QStringLiteral("-")) + u'|'
                     + Distances_suffix(marks, true, supplement).value_or(QStringLiteral("-")), rows);
    }
};

QTEST_MAIN(tst_Safety_rules)
#include "tst_Safety_rules.moc"
