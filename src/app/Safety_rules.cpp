// The marks of a product and the row of distances it leads to.
#include "app/Safety_rules.h"

namespace vexo {

Product_marks Marks_of(const QString& pih, const QString& chemical_warfare, const QString& water_reactive)
{
    Product_marks marks;
    marks.inhalation = pih.trimmed() == QLatin1String("1");
    marks.agent = chemical_warfare == QLatin1String("Z");
    marks.water_reactive = !marks.agent && water_reactive == QLatin1String("W");
    return marks;
}

QString Mark_text(const Product_marks& marks)
{
    if (marks.agent)
        return QStringLiteral("Q/B");
    return marks.water_reactive ? QStringLiteral("MRA") : QString();
}

QString Guide_code(const QString& guide_number, const QString& polymerization)
{
    return polymerization == QLatin1String("P") ? guide_number + u'P' : guide_number;
}

QString Inhalation_supplement(const QString& supp_text, bool agent)
{
    return agent ? supp_text + QStringLiteral("(cuando es utilizado como una arma)") : supp_text;
}

std::optional<QString> Distances_suffix(const Product_marks& marks, bool in_water, const QString& supplement)
{
    const QString spilled_in_water = QStringLiteral("(cuando es derramado en el agua)");
    // A water-reactive material is listed by where it was spilled; on land
    // only when it is itself toxic by inhalation.
    if (marks.water_reactive) {
        if (in_water)
            return spilled_in_water;
        if (marks.inhalation)
            return QStringLiteral("(cuando es derramado sobre la tierra)");
        return std::nullopt;
    }
    if (marks.inhalation)
        return supplement;
    return std::nullopt;
}

} // namespace vexo
