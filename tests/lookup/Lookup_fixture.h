// The index the lookup tests read: 19 entries with a guide title (more than a
// page), one without, every hazard mark, names with quotes, accents and the
// characters a like pattern treats specially.
#pragma once

#include "app/General.h"
#include "app/frmMain.h"
#include "lookup/frmPages.h"
#include "support/Fixture.h"
#include "support/Rows_program.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace vexo::test {

inline const char* kIndex_rows = R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA', 5), (2, 'GASES TÓXICOS Y/O CORROSIVOS', 2),
  (3, 'LÍQUIDOS INFLAMABLES', 2), (4, 'SUSTANCIAS QUE REACCIONAN CON AGUA', 2),
  (5, 'SUSTANCIAS TÓXICAS', 2), (6, 'Mantenga alejado al personal.', 0);
INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 2), (3, 124, 6),
  (4, 128, 1), (5, 128, 3), (6, 128, 6), (7, 139, 1), (8, 139, 4), (9, 139, 6),
  (10, 153, 1), (11, 153, 5), (12, 153, 6), (13, 130, 1), (14, 130, 6);
INSERT INTO Yellow VALUES
  ('----', 'Explosives, division 1.4', 128, 1, 9, NULL, NULL, NULL, NULL, NULL),
  ('1005', 'Ammonia, anhydrous', 124, 2, 3, 1, NULL, NULL, NULL, NULL),
  ('1017', 'Chlorine', 124, 3, 5, 1, NULL, NULL, NULL, NULL),
  ('1050', 'Hydrogen chloride, anhydrous', 124, 4, 12, 1, NULL, NULL, NULL, NULL),
  ('1090', 'Acetone', 128, 5, 1, NULL, NULL, NULL, NULL, NULL),
  ('1111', 'O''Brien''s mix', 128, 6, 14, NULL, NULL, NULL, NULL, NULL),
  ('1203', 'Gasoline', 128, 7, 11, NULL, NULL, NULL, NULL, NULL),
  ('1230', 'Methanol', 128, 8, 13, NULL, NULL, NULL, NULL, NULL),
  ('1294', 'Toluene', 128, 9, 19, NULL, NULL, NULL, NULL, NULL),
  ('1754', 'Chlorosulfonic acid', 139, 10, 7, 1, 'W', NULL, NULL, NULL),
  ('1830', 'Sulfuric acid', 153, 11, 18, NULL, NULL, NULL, NULL, NULL),
  ('1993', 'Diesel fuel', 128, 12, 8, NULL, NULL, NULL, NULL, NULL),
  ('2209', 'Formaldehyde solution', 128, 13, 10, NULL, NULL, NULL, 'P', NULL),
  ('2222', 'Shell 5" caliber', 128, 14, 17, NULL, NULL, NULL, NULL, NULL),
  ('2810', 'Buzz', 153, 15, 4, 1, NULL, 'Z', NULL, NULL),
  ('2810', 'Sarin', 153, 16, 16, 1, NULL, 'Z', NULL, NULL),
  ('2988', 'Chlorosilanes, water-reactive', 139, 17, 6, NULL, 'W', NULL, NULL, NULL),
  ('3048', 'Ácido ñandú 100% [x]_y*', 153, 18, 2, NULL, 'W', 'Z', NULL, NULL),
  ('1307', 'Xylenes', 128, 19, 20, NULL, NULL, NULL, NULL, NULL),
  ('9999', 'Orphan material', 130, 20, 15, NULL, NULL, NULL, NULL, NULL);
INSERT INTO Green VALUES
  (1005, 'Ammonia, anhydrous ', '30', '100', '0.1', '0.1', '0.2', '0.1', '', '', '', '', '', ''),
  (1017, 'Chlorine ', '60', '200', '0.3', '0.2', '1.1', '0.7', '500', '1500', '3.0', '1.9', '7.9', '4.9'),
  (1754, 'Chlorosulfonic acid (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', '0.2', '0.1', '30', '100', '0.3', '0.2', '1.1', '0.7'),
  (1754, 'Chlorosulfonic acid (cuando es derramado sobre la tierra)', '30', '100', '0.1', '0.1', '0.1', '0.1', '60', '200', '0.3', '0.2', '0.6', '0.4'),
  (2988, 'Chlorosilanes, water-reactive (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', '0.3', '0.2', '60', '200', '0.6', '0.4', '2.0', '1.3'),
  (2810, 'Sarin (cuando es utilizado como una arma)', '60', '200', '0.4', '0.3', '1.1', '0.7', '400', '1250', '2.1', '1.3', '4.9', '3.0');
INSERT INTO Water VALUES
  ('1754', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride, anhydrous',
   'Ácido sulfúrico (H2SO4)', '1830', 'Sulfuric acid', '', '', ''),
  ('2988', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride, anhydrous', '', '', '', '', '', '');
)sql";

// The program over `rows`, for one test function.
inline std::unique_ptr<Rows_program> Lookup_program(const char* rows = kIndex_rows)
{
    return std::make_unique<Rows_program>(QString::fromUtf8(rows));
}

// The warning of a product that gives off toxic gases in water.
inline QString Gas_warning(const QString& name, const QString& id, const QString& gases)
{
    return "ADVERTENCIA: Substancia tóxica por inhalación!\n\n" + name + ", Número de identificación " + id
         + ", crea grandes cantidades de vapores tóxicos de " + gases + " cuando se derrama en agua.\n\nLa información "
           "pertinente para aquellos materiales está accesible en el resumen del informe. quiere abrir el informe?";
}

// The IDs the index pages show, top to bottom.
inline QStringList Ids(const frmPages* pages)
{
    QStringList ids;
    for (int i = 0; i < frmPages::kRows && !pages->frmData->isHidden(); ++i)
        if (!pages->lblID[i]->isHidden())
            ids << pages->lblID[i]->text();
    return ids;
}

// Row `i` of the index pages, "ID|name".
inline QString Entry(const frmPages* pages, int i)
{
    return pages->lblID[i]->text() + u'|' + pages->txtMaterial[i]->text();
}

// Scrolls one row at a time until the entry ("ID|name") is on the page; its row.
inline int Show_entry(frmPages* pages, const QString& entry)
{
    // A shown index sets its scroll bar once it has counted its rows, after
    // its first page is drawn.
    if (!QTest::qWaitFor([pages] {
            return pages->vscData->maximum() == std::max(0, Index_records->RecordCount() - frmPages::kRows);
        }))
        return -1;
    for (int value = 0; value <= pages->vscData->maximum(); ++value) {
        pages->vscData->setValue(value);
        for (int i = 0; i < frmPages::kRows; ++i)
            if (Entry(pages, i) == entry)
                return i;
    }
    return -1;
}

// The summary's rows, "name|ID|high green|bold".
inline QStringList Summary_rows()
{
    return Rows_of(QStringLiteral("SELECT * FROM Summary ORDER BY Key"), {"Name", "ID", "High_green", "Bold"});
}

} // namespace vexo::test
