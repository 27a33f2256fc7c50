// About box: the texts of the program's identity and terms, laid out from
// the top down, and the start of the system information program.
#include "app/frmAbout.h"

#include "app/General.h"
#include "app/Pictures.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace vexo {

namespace {

constexpr int kWidth = 7800; // twips
constexpr int kMargin = 240;
constexpr int kText_left = 1200; // right of the picture
constexpr int kPicture_side = 720;
constexpr int kButton_width = 1600;

void Place_label(QLabel* label, int left, int top, int width)
{
    label->setGeometry(left, top, width, label->heightForWidth(width));
}

int Bottom(const QWidget* widget)
{
    return widget->y() + widget->height();
}

} // namespace

QStringList frmAbout::Sysinfo_programs()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("gnome-system-monitor"), QStringLiteral("kinfocenter"),
            QStringLiteral("xfce4-taskmanager"), QStringLiteral("lshw-gtk")};
}

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent)
    , ImgGuide(new QLabel(this))
    , lblTitle(new QLabel(this))
    , lblVersion(new QLabel(this))
    , lblDescription(new QLabel(this))
    , lblLeader(new QLabel(this))
    , lblProgram(new QLabel(this))
    , lblThanks(new QLabel(this))
    , lblCopyright(new QLabel(this))
    , lneRule(new QFrame(this))
    , lblDisclaimer(new QLabel(this))
    , cmdOK(new QPushButton(this))
    , cmdSysInfo(new QPushButton(this))
{
    setModal(true);
    const std::pair<QWidget*, const char*> names[] = {
        {ImgGuide, "ImgGuide"},         {lblTitle, "lblTitle"},       {lblVersion, "lblVersion"},
        {lblDescription, "lblDescription"}, {lblLeader, "lblLeader"}, {lblProgram, "lblProgram"},
        {lblThanks, "lblThanks"},       {lblCopyright, "lblCopyright"}, {lneRule, "lneRule"},
        {lblDisclaimer, "lblDisclaimer"}, {cmdOK, "cmdOK"},           {cmdSysInfo, "cmdSysInfo"},
    };
    for (const auto& [widget, name] : names)
        widget->setObjectName(QLatin1String(name));
    // A fixed box: a title and a close button, nothing to minimise or enlarge.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    lneRule->setFrameShape(QFrame::HLine);
    lneRule->setFrameShadow(QFrame::Sunken);
    QFont title = lblTitle->font();
    title.setPointSize(title.pointSize() + 6);
    title.setBold(true);
    lblTitle->setFont(title);
    for (QLabel* label : {lblDescription, lblLeader, lblProgram, lblThanks, lblCopyright, lblDisclaimer})
        label->setWordWrap(true);
    const QSize picture(twips(kPicture_side), twips(kPicture_side));
    ImgGuide->setPixmap(Picture(QStringLiteral(":/icons/guide.svg"), picture, devicePixelRatioF()));
    ImgGuide->resize(picture);

    Insert_Text_Language();
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    resize(twips(kWidth), twips(kWidth) / 2);
    Form_Resize();
    setFixedSize(size());
}

void frmAbout::Insert_Text_Language()
{
    setWindowTitle(QStringLiteral("Acerca de la MARDOVI VEXO"));
    lblTitle->setText(QStringLiteral("MARDOVI VEXO"));
    lblVersion->setText(QStringLiteral("Versión ") + Version_text());
    lblDescription->setText(QStringLiteral(
        "MARDOVI VEXO es la versión en programa de computadora de la Guía de Respuesta en Caso de Emergencia "
        "impresa, para el personal que atiende incidentes con materiales peligrosos."));
    lblLeader->setText(QStringLiteral("Dirección del proyecto y diseño funcional: equipo MARDOVI VEXO."));
    lblProgram->setText(QStringLiteral("Programación y diseño gráfico: equipo de desarrollo de MARDOVI VEXO."));
    lblThanks->setText(QStringLiteral(
        "Agradecimientos: a las autoridades de transporte de Canadá, Estados Unidos y México, y al CIQUIME, "
        "autores de la guía pública cuyo contenido reproduce este programa. Los nombres de los materiales en "
        "español provienen del catálogo de materiales peligrosos del Complemento Carta Porte del SAT (México), de "
        "dominio público."));
    lblCopyright->setText(QStringLiteral("Copyright © 2026 MARDOVI VEXO. Todos los derechos reservados."));
    lblDisclaimer->setText(QStringLiteral(
        "Advertencia: creemos que este programa está libre de problemas, y se basa estrictamente en la información "
        "de la Guía de Respuesta en Caso de Emergencia 2024 (GRE2024). Durante una emergencia, la información que "
        "muestra (las guías individuales, la tabla de distancias de aislamiento inicial y acción protectora y la "
        "lista de materiales reactivos al agua) debe comprobarse con la guía impresa. Este programa no reemplaza a "
        "la guía impresa, que sigue siendo la referencia durante una emergencia."));
    cmdOK->setText(QStringLiteral("&Aceptar"));
    cmdSysInfo->setText(QStringLiteral("&Información"));
}

void frmAbout::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmAbout::Form_Resize()
{
    const int inner = width();
    const int left = twips(kText_left);
    const int text_width = inner - left - twips(120);

    ImgGuide->move(twips(kMargin), twips(kMargin));
    lblTitle->setGeometry(left, twips(kMargin), text_width, lblTitle->sizeHint().height());
    Place_label(lblVersion, left, Bottom(lblTitle) + twips(60), text_width);
    Place_label(lblDescription, left, Bottom(lblVersion) + twips(120), text_width);

    // The credits and the copyright stand below the title block.
    int top = std::max(Bottom(lblDescription), Bottom(ImgGuide)) + twips(240);
    for (QLabel* label : {lblLeader, lblProgram, lblThanks, lblCopyright}) {
        Place_label(label, left, top, text_width);
        top = Bottom(label) + twips(120);
    }
    lneRule->setGeometry(twips(kMargin), Bottom(lblCopyright) + twips(120), inner - 2 * twips(kMargin), 2);

    const int button_height = std::max(twips(375), cmdOK->sizeHint().height());
    const int button_left = inner - twips(kMargin) - twips(kButton_width);
    cmdSysInfo->setGeometry(button_left, Bottom(lneRule) + twips(240), twips(kButton_width), button_height);
    cmdOK->setGeometry(button_left, Bottom(cmdSysInfo) + twips(120), twips(kButton_width), button_height);
    Place_label(lblDisclaimer, twips(kMargin), Bottom(lneRule) + twips(240), button_left - 2 * twips(kMargin));

    const int height = std::max(Bottom(lblDisclaimer), Bottom(cmdOK)) + twips(360);
    if (height != this->height())
        setFixedHeight(height);
}

void frmAbout::StartSysInfo()
{
    for (const QString& name : Sysinfo_programs()) {
        const QString program = platform::Find_program(name);
        if (program.isEmpty())
            continue;
        if (platform::Start_program(program))
            return;
        break;
    }
    platform::MsgBox(QStringLiteral("La información del Sistema no está disponible en este momento"),
                     platform::Icon::None);
}

} // namespace vexo
