#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <platform/MsgBox.h>

namespace testsupport {

struct RecordedBox
{
    QString text;
    int style = 0;
    QString title;
    platform::MsgBoxResult answer = platform::vbOK;

    int icon() const { return style & platform::vbIconMask; }
    int buttons() const { return style & platform::vbButtonsMask; }
    int defaultButton() const { return style & platform::vbDefaultMask; }
};

// Replaces the message box for as long as it lives. Every box is recorded and answered from a
// script; a box that the script does not expect (none left, wrong text, or an answer the box does
// not offer) fails the running test at once and is answered with its default button.
class MsgBoxRecorder final : public platform::MessageBoxHandler
{
public:
    MsgBoxRecorder();
    ~MsgBoxRecorder() override;
    MsgBoxRecorder(const MsgBoxRecorder&) = delete;
    MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;

    // The next box is answered with answer; when textPart is given, the box's text must contain it.
    void expect(platform::MsgBoxResult answer, const QString& textPart = QString());
    // Further boxes beyond the script are answered with their default button and do not fail.
    void allowAny(bool allow = true) { m_allowAny = allow; }

    const QList<RecordedBox>& boxes() const { return m_boxes; }
    QStringList texts() const;
    qsizetype count() const { return m_boxes.size(); }
    bool unexpected() const { return !m_failures.isEmpty(); }
    QString failures() const { return m_failures.join(QLatin1Char('\n')); }
    // Every scripted box has appeared.
    bool scriptDone() const { return m_script.isEmpty(); }
    void clear();

    platform::MsgBoxResult show(const QString& text, int style, const QString& title) override;

private:
    struct Scripted
    {
        platform::MsgBoxResult answer;
        QString textPart;
    };

    void fail(const QString& why, const QString& text);

    QList<Scripted> m_script;
    QList<RecordedBox> m_boxes;
    QStringList m_failures;
    bool m_allowAny = false;
    platform::MessageBoxHandler* m_previous = nullptr;
};

} // namespace testsupport
