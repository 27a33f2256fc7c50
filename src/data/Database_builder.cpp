// The database builder: strict checks on every row, then one transaction.
#include "data/Database_builder.h"

#include "data/Csv.h"
#include "data/Data_version.h"
#include "data/Database.h"
#include "data/Jet_dialect.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "data/Validation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <filesystem>
#include <sqlite3.h>

namespace vexo {

namespace {

struct Build_error {
    QString message;
};

QString Where(const QString& file, int line, const QString& field = {})
{
    QString at = QStringLiteral("%1, línea %2").arg(file).arg(line);
    if (!field.isEmpty())
        at += QStringLiteral(", campo %1").arg(field);
    return at;
}

QString Read_text(const QString& path, const QString& file)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Build_error{QStringLiteral("%1: no se puede leer el archivo (%2).").arg(file, f.errorString())};
    const QByteArray bytes = f.readAll();
    QString text;
    int line = 1;
    // Line by line, to name the first line that is not UTF-8 (no byte of a
    // UTF-8 sequence is a line feed, so the cut never splits one).
    for (const QByteArray& piece : bytes.split('\n')) {
        QStringDecoder decode(QStringDecoder::Utf8);
        text += decode(piece);
        if (decode.hasError())
            throw Build_error{QStringLiteral("%1: el archivo no está en UTF-8.").arg(Where(file, line))};
        text += u'\n';
        ++line;
    }
    text.chop(1);
    return text;
}

void Load_table(Database& db, const schema::Table& table, const QString& folder)
{
    const QString file = table.name + QStringLiteral(".csv");
    const QString path = QDir(folder).filePath(file);
    if (!QFile::exists(path)) {
        if (table.may_be_empty || table.optional)
            return;
        throw Build_error{QStringLiteral("%1: falta el archivo de la tabla %2.").arg(file, table.name)};
    }
    if (table.optional)
        db.Execute_native(schema::Create_table_sql(table));
    const csv::Parsed parsed = csv::Parse(Read_text(path, file));
    if (!parsed.error.isEmpty())
        throw Build_error{QStringLiteral("%1: %2.").arg(Where(file, parsed.error_line), parsed.error)};
    if (parsed.rows.empty())
        throw Build_error{QStringLiteral("%1: falta la línea de encabezado con los nombres de los campos.").arg(file)};

    // The header says which column holds which field; every field is required.
    const QStringList header = parsed.rows.front().fields;
    std::vector<int> column_of;
    for (const schema::Field& f : table.fields) {
        qsizetype at = -1;
        for (qsizetype c = 0; c < header.size(); ++c)
            if (header.at(c).trimmed().compare(f.name, Qt::CaseInsensitive) == 0)
                at = c;
        if (at < 0)
            throw Build_error{QStringLiteral("%1: falta el campo %2 en el encabezado.").arg(Where(file, 1), f.name)};
        column_of.push_back(static_cast<int>(at));
    }
    for (qsizetype c = 0; c < header.size(); ++c) {
        const QString& h = header.at(c);
        for (qsizetype before = 0; before < c; ++before)
            if (header.at(before).trimmed().compare(h.trimmed(), Qt::CaseInsensitive) == 0)
                throw Build_error{QStringLiteral("%1: el campo %2 está repetido en el encabezado.")
                                      .arg(Where(file, 1), h.trimmed())};
        bool known = false;
        for (const schema::Field& f : table.fields)
            known = known || h.trimmed().compare(f.name, Qt::CaseInsensitive) == 0;
        if (!known)
            throw Build_error{QStringLiteral("%1: campo desconocido «%2» en el encabezado.").arg(Where(file, 1), h)};
    }

    QStringList names, marks;
    for (const schema::Field& f : table.fields) {
        names << f.name;
        marks << QStringLiteral("?");
    }
    sqlite::Statement insert(db.handle(), QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(table.name, names.join(u','), marks.join(u',')));
    QSet<qint64> keys;
    const bool unique_key = table.name == QLatin1String("Sentences") || table.name == QLatin1String("Summary");
    for (size_t r = 1; r < parsed.rows.size(); ++r) {
        const csv::Row& row = parsed.rows[r];
        if (row.fields.size() != header.size())
            throw Build_error{QStringLiteral("%1: la fila tiene %2 campos y el encabezado %3.")
                                  .arg(Where(file, row.line))
                                  .arg(row.fields.size())
                                  .arg(header.size())};
        insert.Reset();
        for (size_t k = 0; k < table.fields.size(); ++k) {
            const schema::Field& f = table.fields[k];
            const QString value = row.fields.at(column_of[k]);
            const int slot = static_cast<int>(k) + 1;
            if (f.type == schema::Type::Integer) {
                const QString trimmed = value.trimmed();
                if (trimmed.isEmpty()) {
                    insert.Bind_null(slot);
                    continue;
                }
                bool ok = false;
                const qint64 number = trimmed.toLongLong(&ok);
                if (!ok)
                    throw Build_error{QStringLiteral("%1: «%2» no es un número entero.")
                                          .arg(Where(file, row.line, f.name), value.left(40))};
                if (unique_key && f.name == QLatin1String("Key")) {
                    if (keys.contains(number))
                        throw Build_error{QStringLiteral("%1: la clave %2 está repetida.")
                                              .arg(Where(file, row.line, f.name))
                                              .arg(number)};
                    keys.insert(number);
                }
                insert.Bind(slot, number);
            } else {
                insert.Bind(slot, value.toUtf8());
            }
        }
        try {
            insert.Step();
        } catch (const Db_error& e) {
            throw Build_error{QStringLiteral("%1: %2").arg(Where(file, row.line), e.description())};
        }
    }
    if (parsed.rows.size() == 1 && !table.may_be_empty)
        throw Build_error{QStringLiteral("%1: la tabla %2 no tiene filas.").arg(file, table.name)};
}

} // namespace

void Add_folded_names(Database& db)
{
    QString sql;
    for (const schema::Table& table : schema::Tables()) {
        if (table.optional && db.OpenRecordset(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                                              "AND name = '%1'").arg(table.name))->Empty())
            continue;
        for (const schema::Field& field : table.fields) {
            if (!schema::Is_name_column(table.name, field.name))
                continue;
            const QString folded = schema::Folded_column(field.name);
            sql += QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT; UPDATE %1 SET %2 = %3;\n")
                       .arg(table.name, folded, jet::Fold_sql(field.name));
        }
    }
    // The find dialog's and the toolbar's name terms, the distances lookup
    // and its order, the summary's join to the index.
    sql += QStringLiteral("CREATE INDEX Yellow_name_folded ON Yellow (Name_of_material_folded);\n"
                          "CREATE INDEX Yellow_id_name_folded ON Yellow (ID, Name_of_material_folded);\n"
                          "CREATE INDEX Green_id_name_folded ON Green (ID, Name_of_material_folded);\n");
    db.Execute_native(sql);
}

void Add_lookup_index(Database& db)
{
    db.Execute_native(schema::Create_lookup_index_sql());
    sqlite::Statement document(db.handle(), QStringLiteral("INSERT INTO %1 (rowid, Terms) VALUES (?1, ?2)")
                                                .arg(schema::kLookup_terms));
    sqlite::Statement entry(db.handle(),
                            QStringLiteral("INSERT INTO %1 VALUES (?1, ?2, ?3)").arg(schema::kLookup_entries));
    qint64 rank = 0;
    // Names first, in the order they are listed, then IDs in theirs.
    for (const bool by_number : {false, true}) {
        sqlite::Statement rows(db.handle(),
                               db.Translate(by_number ? sql::Index_by_number_SQL() : sql::Index_by_name_SQL()));
        int blue = -1, yellow = -1, text = -1;
        for (int c = 0; c < rows.Columns(); ++c) {
            const QString name = rows.Name(c);
            if (name == QLatin1String("Blue_Key"))
                blue = c;
            else if (name == QLatin1String("Yellow_Key"))
                yellow = c;
            else if (name == (by_number ? QLatin1String("ID") : QLatin1String("Name_of_material")))
                text = c;
        }
        while (rows.Step()) {
            if (rows.Is_null(blue) || rows.Is_null(yellow)) {
                db.Execute_native(QStringLiteral("DROP TABLE %1; DROP TABLE %2;")
                                      .arg(schema::kLookup_terms, schema::kLookup_entries));
                return;
            }
            int length = 0;
            const char* bytes = rows.Is_null(text) ? "" : rows.Bytes(text, &length);
            const QString value = jet::Text(bytes, length);
            document.Reset();
            document.Bind(1, ++rank);
            document.Bind(2, (by_number ? schema::Lookup_id_document(value)
                                        : schema::Lookup_name_document(jet::Fold(value)))
                                 .toUtf8());
            document.Step();
            // The keys exactly as stored (a key may be fractional).
            entry.Reset();
            entry.Bind(1, rank);
            sqlite3_bind_value(entry.get(), 2, sqlite3_column_value(rows.get(), blue));
            sqlite3_bind_value(entry.get(), 3, sqlite3_column_value(rows.get(), yellow));
            entry.Step();
        }
    }
    // Merged into one segment, which is read fastest.
    db.Execute_native(QStringLiteral("INSERT INTO %1 (%1) VALUES ('optimize');").arg(schema::kLookup_terms));
}

QString Build_database(const QString& csv_folder, const QString& output_path)
{
    if (!QDir(csv_folder).exists())
        return QStringLiteral("No existe la carpeta %1.").arg(csv_folder);
    if (QFileInfo(output_path).isDir())
        return QStringLiteral("%1 es una carpeta, no un archivo.").arg(output_path);
    // A name of our own beside the output, so no file already there is
    // touched; the finished file then replaces the output in one step. The
    // reservation removes the file when anything fails.
    QTemporaryFile reserved(output_path + QStringLiteral(".XXXXXX"));
    if (!reserved.open())
        return QStringLiteral("No se puede escribir %1 (%2).").arg(output_path, reserved.errorString());
    reserved.close();
    const QString temporary = reserved.fileName();
    try {
        auto db = Database::Create(temporary);
        db->Execute_native(QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;"));
        db->Execute_native(schema::Create_tables_sql());
        for (const schema::Table& table : schema::Tables())
            Load_table(*db, table, csv_folder);
        Add_folded_names(*db);
        db->Execute_native(schema::Create_indexes_sql());
        Add_lookup_index(*db);
        // The full-text table writes its last record when its transaction
        // ends: the checksums read the table as it is then.
        db->Execute_native(QStringLiteral("COMMIT; BEGIN;"));
        validation::Write_checksums(*db);
        if (const QString error = data_version::Stamp(*db, csv_folder); !error.isEmpty())
            throw Build_error{error};
        db->Execute_native(QStringLiteral("COMMIT; PRAGMA journal_mode=DELETE;"));
    } catch (const Build_error& e) {
        return e.message;
    } catch (const Db_error& e) {
        return QStringLiteral("Error de la base de datos: %1").arg(e.description());
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporary).toStdString(), QFile::encodeName(output_path).toStdString(),
                            error);
    if (error)
        return QStringLiteral("No se puede escribir %1 (%2).").arg(output_path, QString::fromStdString(error.message()));
    return {};
}

} // namespace vexo
