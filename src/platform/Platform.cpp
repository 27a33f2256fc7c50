// The real backend: Qt's message box and file dialog.
#include "platform/Platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

namespace vexo::platform {

namespace {

class Qt_backend final : public Backend {
public:
    Answer Show(const Message& m) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(m.title);
        box.setText(m.text);
        switch (m.icon) {
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        case Icon::None: break;
        }
        if (m.buttons == Buttons::YesNo) {
            QPushButton* yes = box.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
            QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
            box.setDefaultButton(yes);
            box.setEscapeButton(no);
            box.exec();
            return box.clickedButton() == yes ? Answer::Yes : Answer::No;
        }
        box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
        box.exec();
        return Answer::Ok;
    }

    std::optional<QString> Open_file(const QString& filter, const QString& start_folder) override
    {
        const QString chosen =
            QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), start_folder, Qt_name_filters(filter));
        if (chosen.isEmpty())
            return std::nullopt;
        return chosen;
    }

    std::optional<QString> Save_file(const QString& filter, const QString& proposed) override
    {
        const QString chosen =
            QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), proposed, Qt_name_filters(filter));
        if (chosen.isEmpty())
            return std::nullopt;
        return chosen;
    }

    void Beep() override { QApplication::beep(); }

    void End_program() override
    {
        // Everything the program writes is already on disk (the settings are
        // synced when written, the summary rows on insert): stop right here,
        // without running any window's unload.
        std::fflush(nullptr);
        std::_Exit(0);
    }

    QString Find_program(const QString& name) override { return QStandardPaths::findExecutable(name); }

    bool Start_program(const QString& path) override { return QProcess::startDetached(path, {}); }
};

Backend& Real()
{
    static Qt_backend real;
    return real;
}

Backend*& Current()
{
    static Backend* current = &Real();
    return current;
}

QString& App_path_override()
{
    static QString folder;
    return folder;
}

} // namespace

// A backend that knows no programs finds none and starts none.
QString Backend::Find_program(const QString&)
{
    return {};
}

bool Backend::Start_program(const QString&)
{
    return false;
}

std::optional<QString> Backend::Save_file(const QString&, const QString&)
{
    return std::nullopt;
}

void Install(Backend* backend)
{
    Current() = backend ? backend : &Real();
}

Answer MsgBox(const QString& text, Icon icon, Buttons buttons, const QString& title)
{
    return Current()->Show({text, title, icon, buttons});
}

std::optional<QString> Open_file_dialog(const QString& filter, const QString& start_folder)
{
    return Current()->Open_file(filter, start_folder);
}

std::optional<QString> Save_file_dialog(const QString& filter, const QString& proposed)
{
    return Current()->Save_file(filter, proposed);
}

void Beep()
{
    Current()->Beep();
}

void End_program()
{
    Current()->End_program();
    std::_Exit(0); // a backend that came back must not let the program go on
}

QString Find_program(const QString& name)
{
    return Current()->Find_program(name);
}

bool Start_program(const QString& path)
{
    return Current()->Start_program(path);
}

QString App_path()
{
    if (!App_path_override().isEmpty())
        return App_path_override();
    return QCoreApplication::applicationDirPath();
}

void Set_app_path(const QString& folder)
{
    App_path_override() = folder;
}

QString Documents_folder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::homePath();
    return folder;
}

QString Qt_name_filters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts.at(i);
        QString pattern = parts.at(i + 1);
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
        // Qt reads the patterns from the last parentheses of the label.
        filters << (label.endsWith(u')') ? label : label + QStringLiteral(" (") + pattern + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace vexo::platform
