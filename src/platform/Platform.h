// The few places where the program meets the user outside its own windows:
// message boxes, the open-file dialog, the beep, ending the program and
// starting another program (the system information program). All
// of them go through one backend, so tests can script the answers and read
// what was shown.
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace vexo::platform {

enum class Icon { None, Information, Exclamation, Question, Critical };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

struct Message {
    QString text;
    QString title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual Answer Show(const Message& message) = 0;
    // `filter` pairs descriptions and patterns separated by "|"; nullopt when
    // the user cancels.
    virtual std::optional<QString> Open_file(const QString& filter, const QString& start_folder) = 0;
    // The file to write: `proposed` is the full path offered; nullopt when
    // the user cancels. A backend without a dialog writes nothing.
    virtual std::optional<QString> Save_file(const QString& filter, const QString& proposed);
    virtual void Beep() = 0;
    // Stops the program at once; does not come back.
    virtual void End_program() = 0;
    // Full path of a program on the search path, or empty when it is not there.
    virtual QString Find_program(const QString& name);
    // Starts a program on its own, without waiting; false when it did not start.
    virtual bool Start_program(const QString& path);
};

// Installs a backend (tests); nullptr goes back to the real one.
void Install(Backend* backend);

Answer MsgBox(const QString& text, Icon icon, Buttons buttons = Buttons::Ok,
              const QString& title = QStringLiteral("MARDOVI VEXO"));
std::optional<QString> Open_file_dialog(const QString& filter, const QString& start_folder = {});
std::optional<QString> Save_file_dialog(const QString& filter, const QString& proposed);
void Beep();
[[noreturn]] void End_program();
QString Find_program(const QString& name);
bool Start_program(const QString& path);

// The folder of the program, where its ini file, database and documents live.
QString App_path();
void Set_app_path(const QString& folder); // tests run the program from elsewhere

// The user's documents folder, made if missing; the home folder when there is
// none to be had.
QString Documents_folder();

// "Desc|pattern|Desc|pattern" as the toolkit's file dialog wants it.
QString Qt_name_filters(const QString& filter);

} // namespace vexo::platform
