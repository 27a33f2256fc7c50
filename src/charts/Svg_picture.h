// A picture control that draws its SVG drawing at whatever size it is given,
// so the same drawing is sharp in the chart and enlarged.
#pragma once

#include <QString>
#include <QWidget>

class QSvgRenderer;

namespace vexo {

class Svg_picture : public QWidget {
    Q_OBJECT
public:
    explicit Svg_picture(QWidget* parent = nullptr);

    void Load(const QString& file);
    QString file() const { return file_; }
    // The guide number the chart prints on the picture, in a ring at its
    // lower right corner (placards) or upper right corner (vehicles); "" for
    // none.
    void Set_guide(const QString& guide);
    QString guide() const { return guide_; }
    bool valid() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* renderer_;
    QString file_;
    QString guide_;
};

} // namespace vexo
