// The find dialog: searches the index by ID numbers, by name or by guide
// number and shows the result on the index pages. It stays open beside them,
// and its input is kept while it is closed.
#pragma once

#include <QPointer>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vexo {

class frmFind;
class frmPages;

// The main window's find command: the index pages come to the front when
// they are open behind another window, or are opened by number when they are
// not the active window; then the find dialog opens over them.
void Find_in_index();
// Loads the find dialog, or brings the one open to the front (the index
// pages' find button).
frmFind* Open_find();

class frmFind : public QWidget {
    Q_OBJECT
public:
    static constexpr int kID_boxes = 7;

    // The load: the captions and the input kept from the last time.
    explicit frmFind(QWidget* parent = nullptr);
    // The unload: keeps the input for the next time.
    ~frmFind() override;

    // Shows a freshly opened `Index_records` on the index pages.
    void Initialize_data(bool is_yellow_order);
    // The count in this dialog and on the index pages.
    void Find_number_match();
    // Composes `Index_SQL` from the ticked criteria and runs it.
    void Find_Guide_with_sql();
    void Insert_Text_Language();

    void cmdFindIt_Click();
    void cmdClear_Click();
    void cmdClose_Click();

    std::array<QLineEdit*, kID_boxes> txtFindID{};
    QCheckBox* chkID;
    QLineEdit* txtFindMat;
    QComboBox* cboMatch;
    QCheckBox* chkMaterial;
    QLineEdit* txtFindGuide;
    QCheckBox* chkGuide;
    QComboBox* cboOrder;
    QLabel* lblNbrMatch;
    QLabel* lblFindMat;
    QLabel* lblGuide;
    QPushButton* cmdFindIt;
    QPushButton* cmdClear;
    QPushButton* cmdClose;
    QGroupBox* frmFindID;
    QGroupBox* frmFindMat;
    QGroupBox* frmFindGuide;
    QGroupBox* frmOrder;
    QGroupBox* frmClose;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Build_controls();
    void Form_Activate();
    // The index pages the result goes to; opened by number when missing.
    frmPages* Pages();
    bool ID_box_key(int index, QKeyEvent* key);

    // The box the user clicked into while the dialog was inactive.
    QPointer<QWidget> clicked_box_;
};

} // namespace vexo
