// A platform backend for tests: answers boxes and dialogs from a script and
// remembers what the program showed. Ending the program throws Program_ended.
#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace vexo::test {

struct Program_ended {};

class Scripted_platform final : public platform::Backend {
public:
    Scripted_platform() { platform::Install(this); }
    ~Scripted_platform() override { platform::Install(nullptr); }

    platform::Answer Show(const platform::Message& message) override
    {
        shown << message;
        if (message.buttons == platform::Buttons::Ok)
            return platform::Answer::Ok;
        return answers.isEmpty() ? platform::Answer::No : answers.takeFirst();
    }
    std::optional<QString> Open_file(const QString& filter, const QString&) override
    {
        filters << filter;
        return files.isEmpty() ? std::nullopt : files.takeFirst();
    }
    std::optional<QString> Save_file(const QString& filter, const QString& offered) override
    {
        proposed << offered;
        return Open_file(filter, offered);
    }
    void Beep() override { ++beeps; }
    void End_program() override
    {
        ended = true;
        throw Program_ended{};
    }
    QString Find_program(const QString& name) override
    {
        return programs.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    }
    bool Start_program(const QString& path) override
    {
        if (!start_fails)
            started << path;
        return !start_fails;
    }

    // Script: answers to Yes/No questions (No when none is left) and files
    // picked in the open or save dialog (nullopt or none left: the user
    // cancels).
    QList<platform::Answer> answers;
    QList<std::optional<QString>> files;
    // Programs on the search path, by name (found as "/usr/bin/<name>"),
    // and whether starting a program fails.
    QStringList programs;
    bool start_fails = false;

    // Record.
    QList<platform::Message> shown;
    QStringList filters;
    QStringList proposed;  // the paths the save dialog offered
    int beeps = 0;
    bool ended = false;
    QStringList started;

    QStringList texts() const
    {
        QStringList out;
        for (const platform::Message& m : shown)
            out << m.text;
        return out;
    }
};

} // namespace vexo::test
