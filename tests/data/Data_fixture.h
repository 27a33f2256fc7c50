// What the data suites share (with the headers they all use): the rows of a
// query as the program reads them, the find dialog's query, and a small
// book's sources for the builder.
#pragma once

#include "data/Database.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "support/Fixture.h"
#include "support/Rows_program.h"

#include <QStringList>

namespace vexo::test {

// The find dialog's query for one condition.
inline QString Find_SQL(const QString& term, bool by_number = true)
{
    return sql::Find_result_SQL(" AND (" + term + ")", by_number);
}

inline const QByteArray kGreen_header =
    "ID,Name_of_material,SP_Isolate_meters,SP_Isolate_feets,SP_Protect_Day_km,SP_Protect_Day_miles,SP_Protect_Night_km,"
    "SP_Protect_Night_miles,LP_Isolate_meters,LP_Isolate_feets,LP_Protect_Day_km,LP_Protect_Day_miles,"
    "LP_Protect_Night_km,LP_Protect_Night_miles\n";

// A small book's sources: Spanish names, one decomposed (NFD); IDs with a
// common start, odd characters, short words, a tab in a name; a sentence of
// two lines; Water.csv with a byte order mark, Windows line ends, no last one.
inline void Write_sources(const QString& folder)
{
    Write_file(folder + "/Yellow.csv",
               "ID,Name_of_material,Guide_Number,Yellow_Key,Blue_Key,PIH,Water_reactive,Chemical_Warfare,"
               "Polymerization,Supp_text\n1005,\"Amoniaco, anhidro\",125,1,3,1,,,,\n1017,Chlorine,124,2,4,1,,,,\n"
               "1789,ÁCIDO CLORHÍDRICO,157,3,1,1,W,,,\n2031,A\u0301cido nítrico,157,4,2,,,,,\n"
               "2000,Piñón tostado,125,5,5,,,,,\n1010,\"O'Brien's \"\"mix\"\" 50% [x]_y*\",124,6,10,,,,,\n"
               "1011,Butano,125,7,9,,,,,\n1012,Butileno,125,8,8,,,,,\n1018,\"Gas\tlicuado, de petróleo\",125,9,7,,,,,\n"
               "1019,\"Sosa, solución\",125,10,6,,,,,\n");
    Write_file(folder + "/Green.csv",
               kGreen_header + "1789,ácido clorhídrico (cuando es derramado en el agua),30,100,0.1,0.1,0.3,0.2,,,,,,\n"
                               "1005,\"AMONIACO, ANHIDRO \",30,100,0.1,0.1,0.2,0.1,,,,,,\n"
                               "1017,CHLORINE ,60,200,0.3,0.2,1.5,0.9,,,,,,\n1789,Ácido clorhídrico (cuando es "
                               "derramado sobre la tierra),30,100,0.1,0.1,0.3,0.2,,,,,,\n");
    Write_file(folder + "/Water.csv", "\xEF\xBB\xBFID,First_product,First_ID,First_name_search,Second_product,"
                                      "Second_ID,Second_name_search,Third_product,Third_ID,Third_name_search\r\n"
                                      "1789,Cloro (Cl2),1017,CHLORINE,,,,,,Chlorine");
    Write_file(folder + "/Sentences.csv",
               "Key,Sentences,Code\n1,GASES TÓXICOS,2\n2,CORROSIVOS,2\n3,GASES,2\n4,\"Línea uno,\nlínea dos\",0\n");
    Write_file(folder + "/Guides_pages.csv", "Key,Guide_page,Sentences_key\n1,124,1\n2,125,3\n3,157,2\n");
}

} // namespace vexo::test
