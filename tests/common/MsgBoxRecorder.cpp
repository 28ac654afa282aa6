#include "MsgBoxRecorder.h"

#include <QTest>

namespace testsupport {

namespace {

// Tests write the family key store and the user's settings; run outside ctest they would write the
// real ones.
void requireTestEnvironment()
{
    if (qEnvironmentVariableIsEmpty("KVARTO_MACHINE_CONFIG_DIR") ||
        qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qFatal("Run the tests through ctest: KVARTO_MACHINE_CONFIG_DIR and XDG_CONFIG_HOME must be set.");
}

} // namespace

Q_CONSTRUCTOR_FUNCTION(requireTestEnvironment)

MsgBoxRecorder::MsgBoxRecorder() : m_previous(platform::setMessageBoxHandler(this)) {}

MsgBoxRecorder::~MsgBoxRecorder()
{
    platform::setMessageBoxHandler(m_previous);
}

void MsgBoxRecorder::expect(platform::MsgBoxResult answer, const QString& textPart)
{
    m_script.append({answer, textPart});
}

QStringList MsgBoxRecorder::texts() const
{
    QStringList result;
    for (const RecordedBox& box : m_boxes)
        result.append(box.text);
    return result;
}

void MsgBoxRecorder::clear()
{
    m_script.clear();
    m_boxes.clear();
    m_failures.clear();
}

platform::MsgBoxResult MsgBoxRecorder::show(const QString& text, int style, const QString& title)
{
    RecordedBox box{text, style, title, platform::defaultAnswer(style)};
    if (m_script.isEmpty()) {
        if (!m_allowAny)
            fail(QStringLiteral("unexpected message box"), text);
    } else {
        const Scripted next = m_script.takeFirst();
        if (!next.textPart.isEmpty() && !text.contains(next.textPart))
            fail(QStringLiteral("expected a box with \"%1\"").arg(next.textPart), text);
        else if (!platform::buttonsOf(style).contains(next.answer))
            fail(QStringLiteral("the box does not offer the scripted answer %1").arg(int(next.answer)), text);
        else
            box.answer = next.answer;
    }
    m_boxes.append(box);
    return box.answer;
}

void MsgBoxRecorder::fail(const QString& why, const QString& text)
{
    m_failures.append(why + QStringLiteral(": ") + text);
    // Once per recorder is enough to fail the test; the rest stays readable in failures().
    if (m_failures.size() == 1)
        QTest::qFail(qPrintable(m_failures.first()), __FILE__, __LINE__);
}

} // namespace testsupport
