// The application object: a last safety net so that a failed query shows a
// Spanish message instead of ending the program in the middle of an incident.
#pragma once

#include <QApplication>

namespace vexo {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The message shown for an error that escaped a command.
void Report_failure(const std::exception& error);

} // namespace vexo
