// The index pages: the guidebook's coloured index, fifteen materials a page,
// by ID number, by name, the chemical agents, or a result set prepared by the
// find dialog or another window. A row's guide button opens its guide page.
#pragma once

#include "data/RecordSet.h"
#include "platform/Platform.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace vexo {

class frmGuidePage;

// How the main window, the welcome page, the summary and other windows open
// the index pages: each sets the globals the window reads and rebuilds it.
// By `Index_mode` (0 numeric, or chemical agents with `Chemical_agents_only`;
// 1 alphabetical; 2 `Index_SQL` with `Index_highlight`) as they are now.
void Open_pages();
// The one place that sets Index_mode and Chemical_agents_only for the three
// indexes a user chooses.
enum class Index_kind { By_number, By_name, Chemical_agents };
void Choose_index(Index_kind kind);
void Open_index_by_number();   // Index_mode 0, Chemical_agents_only false
void Open_index_by_name();     // Index_mode 1, Chemical_agents_only false
void Open_chemical_agents();   // Index_mode 0, Chemical_agents_only true
// Index_mode 2: a caller's query over the index (the index start of the
// catalogue and its own filter and order), with its highlight colour.
void Open_index_query(const QString& index_sql, const QColor& highlight);

// An index entry as a row of the pages shows it and its guide button uses it.
struct Index_entry {
    QString id;
    QString name;       // the database's name, whatever a box shows
    QString guide;      // the guide code, with "P" when the material polymerizes
    QString supplement; // the entry's own distances suffix (an agent's weapon use)
    QString title;      // the guide's title
    bool inhalation = false; // RIT
    bool water = false;      // MRA: water-reactive, and not an agent
    bool agent = false;      // Q/B
};
// The current row of an index record set.
Index_entry Index_entry_of(const RecordSet& rs);
// What a row's guide button does: the water question for a water-reactive
// entry, the guide page with the product line and distances, the entry in
// the summary (and the summary report when the user asks for it).
void Open_entry_guide(const Index_entry& entry);
// How the pages and the find box word a list's count: "1 similar",
// "82 similares", or the plural whatever the count when it is asked for.
QString Similar_count_text(int count, bool always_plural);

class frmPages : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 15;

    // The load: opens the index `Index_mode` asks for.
    explicit frmPages(QWidget* parent = nullptr);
    // The unload: closes `Index_records`.
    ~frmPages() override;

    // True when the current record is the first one.
    bool Begin_DB_group(RecordSet& The_RecordSet);
    // Fills the 15 rows from the current record on; the cursor ends on the
    // page's first row again.
    void put_data(RecordSet& A_recordset);
    void Control_button();
    void Change_color(int Indx, RecordSet& A_recordset);
    void Put_yellow_order();
    void Put_blue_order();
    void Change_visible_box(bool Visible_box, int Index);
    void Position_Table(RecordSet& A_recordset, bool flag);
    // Stores the product (and for a spill in water its gases) in the summary;
    // true when the user wants the summary report opened.
    static bool call_see_summary(const QString& ID_num, const QString& name_mat, std::optional<platform::Answer> water_resp);
    void Insert_Text_Language();

    // Handlers, public so that callers and tests act as the user does.
    void optYellow_Click();
    void optBlue_Click();
    void optChem_Click();
    void cmdFirst_Click();
    void cmdFind_Click();
    void cmdReport_Click();
    void cmdGuide_Click(int index);
    void vscData_Change(int value);
    // A result set without rows: the page is emptied (the find dialog).
    void Show_no_result();

    QFrame* frmControl;
    QRadioButton* optYellow;
    QRadioButton* optBlue;
    QRadioButton* optChem;
    QPushButton* cmdFind;
    QPushButton* cmdFirst;
    QPushButton* cmdReport;
    QLabel* lblNbrMatch;
    QLabel* lblIDText;
    QLabel* lblGuideText;
    QLabel* lblMaterialText;
    QLabel* lblSpecHaz;
    QFrame* frmData;
    QScrollBar* vscData;
    std::array<QLabel*, kRows> lblID{};
    std::array<QPushButton*, kRows> cmdGuide{};
    std::array<QLineEdit*, kRows> txtMaterial{};
    std::array<QLabel*, kRows> lblReaction{};
    std::array<QLabel*, kRows> lblDWRM{};

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Build_rows();
    void Open_index(const QString& index_sql, const QString& caption, const QColor& highlight, bool yellow_order);
    bool Open_records(const QString& index_sql);
    void Show_count(bool always_plural);
    void Form_Resize();
    void Place_rows();
    void Place_headings();
    void Paint_row(int index, const QColor& colour);
    void Form_Activate();
    void Form_Deactivate();

    bool blue_order_ = false;
    bool activation_hooked_ = false;
    int last_filled_ = -1;
    std::array<QColor, kRows> row_colour_{};
};

} // namespace vexo
