// A printer for tests: every character is equally wide, so positions can be
// worked out by hand, and everything drawn is kept, sheet by sheet.
#pragma once

#include "platform/Printer_surface.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace vexo::test {

struct Printed {
    enum Kind { Text, Line } kind;
    int sheet;
    double x, y;
    double x2 = 0, y2 = 0;  // end of a line
    QString text;
    double size = 0;
    bool bold = false;
    QString font;
};

// Outlives the surface, which the print button destroys with the job.
struct Print_journal {
    QList<Printed> items;
    int sheets = 1;
    bool ended = false;
    bool aborted = false;

    // What was drawn on a sheet (0: on every sheet) from `top` down to above `bottom`, in order.
    QList<Printed> of(Printed::Kind kind, int sheet, double top = -1e9, double bottom = 1e9) const
    {
        QList<Printed> out;
        for (const Printed& p : items)
            if (p.kind == kind && (sheet == 0 || p.sheet == sheet) && p.y >= top && p.y < bottom)
                out << p;
        return out;
    }
    QList<Printed> texts(int sheet) const { return of(Printed::Text, sheet); }
    QList<Printed> lines(int sheet) const { return of(Printed::Line, sheet); }
    // The texts of a sheet (0: of every sheet) from top to the footer's line.
    QList<Printed> body(int sheet, double top, double height) const
    {
        return of(Printed::Text, sheet, top, height - 240);
    }
    // The body's pieces joined by line (a label and its text), each bold piece between two marks.
    QList<Printed> body_lines(int sheet, double top, double height, const QString& bold_mark = {}) const
    {
        QList<Printed> out;
        for (Printed p : body(sheet, top, height)) {
            p.text = p.bold ? bold_mark + p.text + bold_mark : p.text;
            if (!out.isEmpty() && out.last().sheet == p.sheet && out.last().y == p.y)
                out.last().text += p.text;
            else
                out << p;
        }
        return out;
    }
    QStringList words(int sheet = 0) const
    {
        QStringList out;
        for (const Printed& p : texts(sheet))
            out << p.text;
        return out;
    }
};

class Recording_surface final : public platform::Printer_surface {
public:
    // A character is FontSize × 10 twips wide (120 at 12 pt), a line FontSize ×
    // 20 twips tall (240 at 12 pt).
    Recording_surface(Print_journal& journal, double width, double height)
        : journal_(journal), width_(width), height_(height)
    {
    }

    double ScaleWidth() const override { return width_; }
    double ScaleHeight() const override { return height_; }
    double TextWidth(const QString& text) const override { return text.size() * FontSize() * 10; }
    double TextHeight(const QString&) const override { return FontSize() * 20; }
    void Line(double x1, double y1, double x2, double y2) override
    {
        journal_.items << Printed{Printed::Line, journal_.sheets, x1, y1, x2, y2, {}, 0, false, {}};
    }
    void NewPage() override
    {
        if (fail_at_new_page == journal_.sheets)
            throw platform::Print_error("out of paper");
        ++journal_.sheets;
    }
    void EndDoc() override { journal_.ended = true; }
    void Abort() override { journal_.aborted = true; }

    // A printer that gives up at the n-th sheet break (0: never).
    int fail_at_new_page = 0;

protected:
    void Draw_text(double x, double y, const QString& text) override
    {
        journal_.items << Printed{Printed::Text, journal_.sheets, x, y, 0, 0, text, FontSize(), FontBold(), Font_name()};
    }

private:
    Print_journal& journal_;
    double width_;
    double height_;
};

// The moment every test document is printed at.
inline const QDateTime kWhen(QDate(2000, 3, 15), QTime(14, 5));

// The print dialog answered with a recording printer: "done" one that prints,
// "fail" one that runs out of paper at the first sheet break, "cancel" none.
// Gives the names of the documents the dialog was asked for.
inline std::shared_ptr<QStringList> Install_recording_printer(Print_journal& journal, double width, double height,
                                                              const QString& outcome)
{
    auto documents = std::make_shared<QStringList>();
    platform::Install_printer_chooser([=, &journal](const QString& name) -> std::unique_ptr<platform::Printer_surface> {
        *documents << name;
        if (outcome == QLatin1String("cancel"))
            return nullptr;
        auto printer = std::make_unique<Recording_surface>(journal, width, height);
        printer->fail_at_new_page = outcome == QLatin1String("fail") ? 1 : 0;
        return printer;
    });
    return documents;
}

} // namespace vexo::test
