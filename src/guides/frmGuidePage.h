// The guide page viewer: the guide number, title and product in a fixed
// header, and below it the page's text blocks on a white sheet that scrolls.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;

namespace vexo {

class frmGuidePage : public QWidget {
    Q_OBJECT
public:
    // The load: builds the page from `Guide_page_records` and `Product_label`,
    // closes the one and clears the other.
    explicit frmGuidePage(QWidget* parent = nullptr);

    // Stacks the text blocks, sets their widths, draws the rule lines and
    // sizes the sheet.
    void Change_guide_position();
    // Align: 0 left, 1 right, 2 centre.
    void Format_label(qint16 Position, qint16 Align, const QColor& back_color, const QColor& fore_color,
                      bool bold_text);
    static qint16 max_two_nbr(qint16 first_nbr, qint16 second_nbr);
    void Insert_Text_Language();

    // Hand-over from the opener after the open: the lookup that selects the
    // product's row of distances (shows the distances button), and a
    // qualifier the printed header adds after the product line.
    void Show_distances(const QString& distances_lookup);
    void Set_print_qualifier(const QString& qualifier);

    // Index of the last text block; -1 for a page without blocks.
    qint16 Last_block() const { return last_block_; }

    // How the distances button opens the distances box, installed by the
    // box's own unit. While there is none the button stays hidden.
    static inline void (*Distances_box_opener)() = nullptr;
    // How the print button prints the page, installed by the printing unit.
    // While there is none the button is shown but cannot be pressed.
    static inline void (*Page_printer)(frmGuidePage* page) = nullptr;

    QFrame* frmHeader;
    QLabel* lblGuide;
    QLabel* lblProduct;
    QPushButton* cmdPrint;
    QPushButton* cmdIIPAD;
    QLabel* lblNameProduct;
    QScrollBar* vsGuide;
    QWidget* frmWhite;
    QList<QLabel*> lblText;  // element 0 always exists
    QList<QFrame*> lnLine;   // element 0 always exists; one per code-4 block

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Build_page();
    QLabel* New_block();
    QFrame* New_line();
    void Form_Resize();
    void Place_header();
    void vsGuide_Change(int value);
    void cmdIIPAD_Click();
    void cmdPrint_Click();

    qint16 last_block_ = -1;
    bool activation_hooked_ = false;
};

} // namespace vexo
