// Welcome page: its buttons run the main window's commands with the page
// disabled meanwhile; its layout keeps the button column at the right edge
// and the map centred in the space that is left.
#include "app/frmWelcome.h"

#include "app/Commands.h"
#include "app/General.h"
#include "app/Pictures.h"
#include "platform/Twips.h"
#include "summary/Summary_store.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace vexo {

namespace {

constexpr int kMin_width = 9915;   // twips
constexpr int kMin_height = 9750;
constexpr int kLogo_side = 2400;
constexpr int kMenu_right_gap = 120;
constexpr int kSection_gap = 75;
constexpr int kFirst_section_top = 175; // the menu frame has no caption
constexpr int kFirst_button_top = 240;  // below a section's caption
constexpr int kButton_gap = 100;

} // namespace

int frmWelcome::Screen_resolution()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 800;
}

frmWelcome::Size_class frmWelcome::Choose_size_class(int horizontal_resolution)
{
    if (horizontal_resolution < 800)
        return {7, 1700, 350, 1950, 2175, 5000, 3675};
    return {9, 2175, 495, 2415, 2655, 6195, 4305};
}

frmWelcome::frmWelcome(int horizontal_resolution)
    : picLogo(new QLabel(this))
    , imgAmerica(new QLabel(this))
    , frmMenu(new QGroupBox(this))
    , frmSection1(new QGroupBox(frmMenu))
    , frmSection2(new QGroupBox(frmMenu))
    , frmSection3(new QGroupBox(frmMenu))
    , cmdIDNumber(new QPushButton(frmSection1))
    , cmdMaterial(new QPushButton(frmSection1))
    , cmdGuide(new QPushButton(frmSection1))
    , cmdPlacards(new QPushButton(frmSection2))
    , cmdTrailer(new QPushButton(frmSection2))
    , cmdTanks(new QPushButton(frmSection2))
    , cmdDistances(new QPushButton(frmSection2))
    , cmdWater(new QPushButton(frmSection2))
    , cmdChemWeap(new QPushButton(frmSection2))
    , cmdContents(new QPushButton(frmSection3))
    , cmdSummary(new QPushButton(frmSection3))
{
    setObjectName(QStringLiteral("frmWelcome"));
    const std::pair<QWidget*, const char*> names[] = {
        {picLogo, "picLogo"},         {imgAmerica, "imgAmerica"},     {frmMenu, "frmMenu"},
        {frmSection1, "frmSection1"}, {frmSection2, "frmSection2"},   {frmSection3, "frmSection3"},
        {cmdIDNumber, "cmdIDNumber"}, {cmdMaterial, "cmdMaterial"},   {cmdGuide, "cmdGuide"},
        {cmdPlacards, "cmdPlacards"}, {cmdTrailer, "cmdTrailer"},     {cmdTanks, "cmdTanks"},
        {cmdDistances, "cmdDistances"}, {cmdWater, "cmdWater"},       {cmdChemWeap, "cmdChemWeap"},
        {cmdContents, "cmdContents"}, {cmdSummary, "cmdSummary"},
    };
    for (const auto& [widget, name] : names)
        widget->setObjectName(QLatin1String(name));
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(255, 255, 255)));
    setWindowIcon(Icon(QStringLiteral(":/icons/welcome.svg")));
    // The section captions are the page's own and are not translated.
    frmSection1->setTitle(QStringLiteral("Materiales y guías"));
    frmSection2->setTitle(QStringLiteral("Tablas y carteles"));
    frmSection3->setTitle(QStringLiteral("Consulta"));
    QFont caption(QStringLiteral("Arial"));
    caption.setPointSize(8);
    caption.setBold(true);
    for (QGroupBox* section : {frmSection1, frmSection2, frmSection3})
        section->setFont(caption);

    for (const auto& [button, section] : Buttons())
        connect(button, &QPushButton::clicked, this, [this, s = section] { Q_EMIT Section_requested(s); });
    Form_Load(horizontal_resolution);
    Form_Activate();
    connect(&Summary_changes(), &Summary_watch::Changed, this, &frmWelcome::Form_Activate);
}

QList<std::pair<QPushButton*, Section>> frmWelcome::Buttons() const
{
    QList<std::pair<QPushButton*, Section>> buttons;
    for (const Command& command : Commands())
        if (command.button)
            buttons.append({findChild<QPushButton*>(QLatin1String(command.button)), std::get<Section>(command.does)});
    return buttons;
}

void frmWelcome::Insert_Text_Language()
{
    setWindowTitle(QStringLiteral("Bienvenido"));
    cmdIDNumber->setText(QStringLiteral("&Indice numérico"));
    cmdMaterial->setText(QStringLiteral("Indice a&lfabético"));
    cmdGuide->setText(QStringLiteral("Guías"));
    cmdGuide->setToolTip(QStringLiteral("Guias de Repuesta a Emergencias"));
    cmdPlacards->setText(QStringLiteral("&Carteles"));
    cmdTrailer->setText(QStringLiteral("Tabla de remolques"));
    cmdTanks->setText(QStringLiteral("Tabla de carros tanque"));
    cmdDistances->setText(QStringLiteral("TDAIAP"));
    cmdDistances->setToolTip(QStringLiteral("Tabla de distancias de aislamiento inicial y acción protectora"));
    cmdWater->setText(QStringLiteral("LMPRA"));
    cmdWater->setToolTip(QStringLiteral("Lista de materiales peligrosos reactivos al agua que producen gases toxicos"));
    cmdChemWeap->setText(QStringLiteral("Agentes Q/B"));
    cmdChemWeap->setToolTip(QStringLiteral("Agentes Químicos y/o biológicos"));
    cmdContents->setText(QStringLiteral("T&abla de Contenido"));
    cmdSummary->setText(QStringLiteral("&Resúmen"));
}

void frmWelcome::Form_Load(int horizontal_resolution)
{
    const Size_class size = Choose_size_class(horizontal_resolution);
    Insert_Text_Language();

    frmMenu->resize(twips(size.menu_width), frmMenu->height());
    for (QGroupBox* section : {frmSection1, frmSection2, frmSection3})
        section->resize(twips(size.section_width), section->height());
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(size.font_size);
    font.setBold(false); // not the section captions' weight
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setFont(font);
        button->resize(twips(size.button_width), twips(size.button_height));
    }
    const int button_height = size.button_height;
    // Each section is as tall as its buttons plus its caption and margins;
    // the second counts all six of its buttons so the last is not cut off.
    frmSection1->resize(frmSection1->width(), twips(3 * button_height + 550));
    frmSection2->resize(frmSection2->width(), twips(6 * button_height + 900));
    frmSection3->resize(frmSection3->width(), twips(2 * button_height + 500));
    frmMenu->resize(frmMenu->width(),
                    frmSection1->height() + frmSection2->height() + frmSection3->height() + twips(500));

    const qreal ratio = devicePixelRatioF();
    const QSize logo(twips(kLogo_side), twips(kLogo_side));
    picLogo->setPixmap(Picture(QStringLiteral(":/pictures/logo.svg"), logo, ratio));
    picLogo->resize(logo);
    const QSize map(twips(size.map_width), twips(size.map_height));
    imgAmerica->setPixmap(Picture(QStringLiteral(":/pictures/america.svg"), map, ratio));
    imgAmerica->resize(map);

    setMinimumSize(twips(kMin_width), twips(kMin_height));
    resize(minimumSize());
    Form_Resize();
}

void frmWelcome::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmWelcome::Form_Resize()
{
    picLogo->move(0, 0);
    const int page_width = std::max(width(), twips(kMin_width));
    const int page_height = std::max(height(), twips(kMin_height));

    frmMenu->move(page_width - twips(kMenu_right_gap) - frmMenu->width(), (page_height - frmMenu->height()) / 2);
    const int section_left = (frmMenu->width() - frmSection1->width()) / 2;
    int top = twips(kFirst_section_top);
    for (QGroupBox* section : {frmSection1, frmSection2, frmSection3}) {
        section->move(section_left, top);
        top += section->height() + twips(kSection_gap);
        // Below the caption however tall the style draws it.
        int button_top = std::max(twips(kFirst_button_top), section->contentsRect().top() + twips(30));
        for (QPushButton* button : section->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
            button->move((section->width() - button->width()) / 2, button_top);
            button_top += button->height() + twips(kButton_gap);
        }
    }

    const int space_left = picLogo->x() + picLogo->width();
    const int space_width = frmMenu->x() - space_left;
    imgAmerica->move(space_left + (space_width - imgAmerica->width()) / 2, (page_height - imgAmerica->height()) / 2);
}

void frmWelcome::Form_Activate()
{
    cmdSummary->setEnabled(!Summary_empty && built_.contains(Section::Summary));
}

void frmWelcome::Enable_built_buttons(const QList<Section>& built)
{
    built_ = built;
    for (const auto& [button, section] : Buttons())
        if (section != Section::Summary)
            button->setEnabled(built.contains(section));
    Form_Activate();
}

void frmWelcome::closeEvent(QCloseEvent* event)
{
    // Closing the home page is leaving the program: the main window's own
    // unload saves its placement and asks; a No keeps the page too.
    event->ignore();
    Q_EMIT Leaving();
}

} // namespace vexo
