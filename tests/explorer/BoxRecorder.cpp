#include "BoxRecorder.h"

#include <QStringList>

BoxRecorder::BoxRecorder() : m_previous(platform::setMessageBoxHandler(this)) {}

BoxRecorder::~BoxRecorder()
{
    platform::setMessageBoxHandler(m_previous);
}

platform::MsgBoxResult BoxRecorder::show(const QString& text, int style, const QString& title)
{
    boxes.append(Box{text, style, title});
    return answers.isEmpty() ? platform::vbOK : answers.takeFirst();
}

QStringList BoxRecorder::texts() const
{
    QStringList result;
    for (const Box& box : boxes)
        result.append(box.text);
    return result;
}
