#include "QtMessageBox.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QtDebug>

namespace platform {

namespace {

QMessageBox::StandardButton standardButton(MsgBoxResult result)
{
    switch (result) {
    case vbOK:
        return QMessageBox::Ok;
    case vbCancel:
        return QMessageBox::Cancel;
    case vbAbort:
        return QMessageBox::Abort;
    case vbRetry:
        return QMessageBox::Retry;
    case vbIgnore:
        return QMessageBox::Ignore;
    case vbYes:
        return QMessageBox::Yes;
    case vbNo:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & vbIconMask) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

class QtMessageBoxHandler final : public MessageBoxHandler
{
public:
    MsgBoxResult show(const QString& text, int style, const QString& title) override
    {
        const std::unique_ptr<QMessageBox> box =
            createMessageBox(text, style, title, QApplication::activeWindow());
        box->exec();
        return answerOf(*box, style);
    }
};

void loadGermanTranslations(QTranslator& translator)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator.load(QStringLiteral("qtbase_de"), folder)) {
        qWarning().noquote() << "Qt's German translations (qtbase_de) are missing in" << folder;
        return;
    }
    QCoreApplication::installTranslator(&translator);
}

} // namespace

struct QtMessageBoxes::Parts
{
    QTranslator translator;
    QtMessageBoxHandler handler;
    MessageBoxHandler* previous = nullptr;
};

QtMessageBoxes::QtMessageBoxes() : m_parts(std::make_unique<Parts>())
{
    loadGermanTranslations(m_parts->translator);
    m_parts->previous = setMessageBoxHandler(&m_parts->handler);
}

QtMessageBoxes::~QtMessageBoxes()
{
    setMessageBoxHandler(m_parts->previous);
    QCoreApplication::removeTranslator(&m_parts->translator);
}

std::unique_ptr<QMessageBox> createMessageBox(const QString& text, int style, const QString& title,
                                              QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(iconOf(style), title, text, QMessageBox::NoButton, parent);
    for (MsgBoxResult answer : buttonsOf(style))
        box->addButton(standardButton(answer));
    box->setDefaultButton(standardButton(defaultAnswer(style)));
    const QList<MsgBoxResult> buttons = buttonsOf(style);
    // Escape gives Cancel where the box has it, and OK on a box with only OK, as on Windows.
    if (buttons.contains(vbCancel))
        box->setEscapeButton(standardButton(vbCancel));
    else if (buttons.size() == 1)
        box->setEscapeButton(standardButton(buttons.first()));
    return box;
}

MsgBoxResult answerOf(const QMessageBox& box, int style)
{
    const QAbstractButton* clicked = box.clickedButton();
    for (MsgBoxResult answer : buttonsOf(style)) {
        if (clicked && clicked == box.button(standardButton(answer)))
            return answer;
    }
    // Closed without a button: the escape answer where there is one, else the default button.
    const QList<MsgBoxResult> buttons = buttonsOf(style);
    if (buttons.contains(vbCancel))
        return vbCancel;
    return defaultAnswer(style);
}

} // namespace platform
