#include "support/Scripted_platform.h"

namespace vexo::test {

platform::Answer Scripted_platform::Show(const platform::Message& message)
{
    shown << message;
    if (message.buttons == platform::Buttons::Ok)
        return platform::Answer::Ok;
    return answers.isEmpty() ? platform::Answer::No : answers.takeFirst();
}

QStringList Scripted_platform::texts() const
{
    QStringList out;
    for (const platform::Message& m : shown)
        out << m.text;
    return out;
}

} // namespace vexo::test
