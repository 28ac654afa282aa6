#pragma once

#include <QString>

namespace acad {

// Whether a text holds a character that the CAD program's command line would act on instead of
// taking it as text: a return or line feed ends an answer, an escape cancels the command. Every C0
// and C1 control character counts, and DEL.
bool hasControlCharacter(const QString& text);

// The text with each control character written out in ASCII (CR as "<CR>"), which every font shows,
// so that a message can name an object whose name holds one.
QString visibleControls(const QString& text);

// One command string for the command line: keywords and the answers to its prompts, each ended with
// a return. A value is data: one that would end its answer early, and so turn the rest of itself
// into commands of its own, is refused with an error that names the object, and nothing is sent.
class CommandString final
{
public:
    explicit CommandString(const QString& command);
    // A fixed word of the program's own (an option, "_copy"), never a name.
    CommandString& keyword(const QString& word);
    // A name or path from a drawing, a file or the user. `what` names the object for the message, as
    // in "Der Name des Layouts".
    CommandString& value(const QString& text, const QString& what);
    // A return on its own: the default answer of a prompt.
    CommandString& defaultAnswer();
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

} // namespace acad
