#include "support/Scripted_platform.h"

namespace vexo::test {

Scripted_platform::Scripted_platform()
{
    platform::Install(this);
}

Scripted_platform::~Scripted_platform()
{
    platform::Install(nullptr);
}

platform::Answer Scripted_platform::Show(const platform::Message& message)
{
    shown << message;
    if (message.buttons == platform::Buttons::Ok)
        return platform::Answer::Ok;
    return answers.isEmpty() ? platform::Answer::No : answers.takeFirst();
}

std::optional<QString> Scripted_platform::Open_file(const QString& filter, const QString&)
{
    filters << filter;
    return files.isEmpty() ? std::nullopt : files.takeFirst();
}

std::optional<QString> Scripted_platform::Save_file(const QString& filter, const QString& offered)
{
    filters << filter;
    proposed << offered;
    return files.isEmpty() ? std::nullopt : files.takeFirst();
}

void Scripted_platform::Beep()
{
    ++beeps;
}

void Scripted_platform::End_program()
{
    ended = true;
    throw Program_ended{};
}

QString Scripted_platform::Find_program(const QString& name)
{
    return programs.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
}

bool Scripted_platform::Start_program(const QString& path)
{
    if (start_fails)
        return false;
    started << path;
    return true;
}

QStringList Scripted_platform::texts() const
{
    QStringList out;
    for (const platform::Message& m : shown)
        out << m.text;
    return out;
}

} // namespace vexo::test
