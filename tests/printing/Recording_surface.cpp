#include "Recording_surface.h"

namespace vexo::test {

Recording_surface::Recording_surface(Print_journal& journal, double width, double height)
    : journal_(journal), width_(width), height_(height)
{
}

void Recording_surface::Draw_text(double x, double y, const QString& text)
{
    journal_.items << Printed{Printed::Text, journal_.sheets, x, y, 0, 0, text, FontSize(), FontBold(), Font_name()};
}

void Recording_surface::Line(double x1, double y1, double x2, double y2)
{
    journal_.items << Printed{Printed::Line, journal_.sheets, x1, y1, x2, y2, {}, 0, false, {}};
}

void Recording_surface::NewPage()
{
    if (fail_at_new_page == journal_.sheets)
        throw platform::Print_error("out of paper");
    ++journal_.sheets;
}

void Recording_surface::EndDoc()
{
    journal_.ended = true;
}

void Recording_surface::Abort()
{
    journal_.aborted = true;
}

} // namespace vexo::test
