// The About box: which program and version this is, who made it, the terms
// of its use, and a way to the system information program.
#pragma once

#include <QDialog>
#include <QStringList>

class QFrame;
class QLabel;
class QPushButton;

namespace vexo {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Starts the first system information program found, or says that none
    // is available; the box stays open either way.
    void StartSysInfo();
    // The programs looked for, in order of preference.
    static QStringList Sysinfo_programs();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Insert_Text_Language();
    void Form_Resize();

    QLabel* ImgGuide;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblLeader;
    QLabel* lblProgram;
    QLabel* lblThanks;
    QLabel* lblCopyright;
    QFrame* lneRule;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

} // namespace vexo
