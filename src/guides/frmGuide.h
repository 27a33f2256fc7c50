// The guide chooser: one button per response guide, captioned with its number
// and showing its title as a tool tip; a button opens that guide's page.
#pragma once

#include <QList>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace vexo {

// What the Guides command, the welcome page and the table of contents do:
// composes `Guide_SQL`, opens it into `Guide_records` and opens the chooser
// anew (closing the one shown).
void Open_guide_chooser();

class frmGuide : public QWidget {
    Q_OBJECT
public:
    // The load: one button per row of `Guide_records`, which it closes.
    explicit frmGuide(QWidget* parent = nullptr);

    void Insert_Text_Language();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* lblRes;
    QLabel* lblTitle;
    QFrame* frmButton;
    QList<QPushButton*> cmdGuide;  // in ascending guide number, each named "cmdGuide"

    void Form_Resize();
    void cmdGuide_Click(qsizetype index);
};

} // namespace vexo
