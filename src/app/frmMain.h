// The main frame window: it holds every other window of the program, finds
// and validates the database while it loads, and asks before the program ends.
#pragma once

#include <QMainWindow>

class QMdiArea;

namespace vexo {

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);

    // The load sequence: placement, globals, texts, database, welcome page.
    void Load();

    // Locating, opening and validating the database.
    void Load_from_ini_file();
    void Write_in_ini_file();
    void Load_database();
    bool Open_database_manual();
    bool valid_database();

    // Placement in twips, as kept in the settings store.
    void Restore_placement();
    void Save_placement();

    QMdiArea* mdiArea;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace vexo
