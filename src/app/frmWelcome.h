// The welcome page: the user's home, a column of large buttons that open the
// main sections of the reference beside a map and the program's emblem.
// Closing it is leaving the program.
#pragma once

#include "app/Section.h"

#include <QList>

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

namespace vexo {

class frmWelcome : public QWidget {
    Q_OBJECT
public:
    // The screen's width in pixels chooses the size class.
    explicit frmWelcome(int horizontal_resolution = Screen_resolution());
    static int Screen_resolution();

    // Measures of the buttons, frames and map, in twips, by screen width.
    struct Size_class {
        int font_size;
        int button_width;
        int button_height;
        int section_width;
        int menu_width;
        int map_height;
        int map_width;
    };
    static Size_class Choose_size_class(int horizontal_resolution);

    // Each time the page becomes the active window.
    void Form_Activate();
    // Buttons whose section has no window yet stay disabled.
    void Enable_built_buttons(const QList<Section>& built);

Q_SIGNALS:
    // A button asks for its section; the main window opens it, with the page
    // disabled meanwhile.
    void Section_requested(Section section);
    // The page was closed: the user is leaving the program.
    void Leaving();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load(int horizontal_resolution);
    void Form_Resize();
    void Insert_Text_Language();
    QList<std::pair<QPushButton*, Section>> Buttons() const;

    QList<Section> built_; // the sections the main window has windows for
    QLabel* picLogo;
    QLabel* imgAmerica;
    QGroupBox* frmMenu;
    QGroupBox* frmSection1;
    QGroupBox* frmSection2;
    QGroupBox* frmSection3;
    QPushButton* cmdIDNumber;
    QPushButton* cmdMaterial;
    QPushButton* cmdGuide;
    QPushButton* cmdPlacards;
    QPushButton* cmdTrailer;
    QPushButton* cmdTanks;
    QPushButton* cmdDistances;
    QPushButton* cmdWater;
    QPushButton* cmdChemWeap;
    QPushButton* cmdContents;
    QPushButton* cmdSummary;
};

} // namespace vexo
