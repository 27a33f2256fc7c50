// The table of the chart pictures, exactly as the guidebook captions them.
#include "charts/Chart_pictures.h"

namespace vexo {

const std::array<Chart_picture_info, kPicture_slots>& Chart_pictures()
{
    static const std::array<Chart_picture_info, kPicture_slots> pictures{{
        {"Cargas mixtas", "111"},
        {"Clase 1 - Explosivos, División 1.1 (riesgo de explosión masiva), 1.2 (riesgo de proyección) o 1.3 (riesgo de "
         "incendio); Typo A o B",
         "112"},
        {"Clase 1 - Explosivos, División 1.5 (explosivos muy insensibles)", "112"},
        {"Clase 1 - Explosivos, División 1.6 (explosivos extremadamente insensibles)", "112"},
        {"Clase 1 - Explosivos - División 1.4 (no presentan ningún riesgo considerable; Typo C", "114"},
        {"Clase 2.1 - Gases Inflamables", "118"},
        {"Clase 2.2 - Canada: Gases no Inflamables, no Tóxicos, no Corrosivos; E.U.: Gases no Inflamables, no Tóxicos",
         "121"},
        {"Oxígeno", "122"},
        {"Clase 2.3 - Gases Tóxicos", "123"},
        {"Clase 2.4 - Gases Corrosivos (Solo en Canada)", "125"},
        {"Clase 3 - Canada: Líquidos inflamables; E.U.: Líquidos inflamables y Combustibles", "127"},
        {"Clase 3 - Combustible diesel (Solo E.U.)", "128"},
        {"Clase 4.1 - Sólidos Inflamables", "134"},
        {"Clase 4.2 - Substancias con riesgo de Combustión Espontánea", "136"},
        {"Clase 4.3 - Substancias Reactivas con el Agua", "139"},
        {"Clase 5.1 - Oxidantes", "143"},
        {"Clase 5.2 - Peróxidos Orgánicos", "148"},
        {"Clase 6.1, G E/E I y II - Substancias Tóxicas", "153"},
        {"Clase 6.1, G E/E III - Substancias Dañinas", "151"},
        {"Clase 6.2 (solo etiquetas) - Substancias Infecciosas", "158"},
        {"Clase 7 - Materiales Radiactivos", "163"},
        {"Clase 8 - Substancias Corrosivas", "153"},
        {"Canada: Clase 9.1- Materiales Peligrosos varios, 9.3 - Residuos Peligrosos; E.U.: Clase 9 - Materiales "
         "Peligrosos varios",
         "171"},
        {"Contaminante marino", ""},
        {"Peligro de Inhalación", ""},
        {"Fumigado", ""},
        {nullptr, ""},
        {"SCT306 Autotanques para líquidos no presurizados", "131"},
        {"SCT338 Autotanque para líquidos criogénicos", "117"},
        {"SCT307 Autotaque para químicos de baja presión", "137"},
        {"Remolques para cilindros de Gas comprimido", "117"},
        {"SCT312 Autotanque para líquidos corrosivos", "137"},
        {"Autotanque para cargas secas a granel", "134"},
        {"SCT331 Autotanque para alta presión", "117"},
        {"Cargas Mixtas", "111"},
        {"Carrotanque tolva a granel para cargas secas", "140"},
        {"Carrotanque cerrado para cargas mixtas", "111"},
        {"Carrotanque presurizado.  Gases licuados comprimidos", "117"},
        {"Carrotanque de baja presión.  Líquidos", "131"},
        {"Marcas", ""},
    }};
    return pictures;
}

QString Chart_picture_file(int index)
{
    return QStringLiteral(":/charts/chart_%1.svg").arg(index, 2, 10, QLatin1Char('0'));
}

} // namespace vexo
