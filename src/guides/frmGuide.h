// The guide chooser: one button per response guide, captioned with its number
// and showing its title as a tool tip; a button opens that guide's page.
#pragma once

#include <QWidget>

#include <array>

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
    static constexpr int kButtons = 62;

    // The load: fills the buttons from `Guide_records` and closes it.
    explicit frmGuide(QWidget* parent = nullptr);

    void Insert_Text_Language();

    QLabel* lblRes;
    QLabel* lblTitle;
    QFrame* frmButton;
    std::array<QPushButton*, kButtons> cmdGuide{};

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Resize();
    void cmdGuide_Click(int index);
};

} // namespace vexo
