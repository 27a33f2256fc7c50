// The window shown while the main window loads and finds its database.
#pragma once

#include <QWidget>

class QLabel;

namespace vexo {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

private:
    QLabel* imgSplash;
    QLabel* lblVersion;
    QLabel* lblPlatform;
};

} // namespace vexo
