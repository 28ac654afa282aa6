#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace operations {
class NameCountControl;
}

// The copy and the numbered rename dialogs: the drawing (and the source layout), a name and a number,
// and "&Fertigstellen", "&Abbrechen", "&Hilfe". The buttons take no focus, so that the fields are
// checked when the focus moves from one to the other and "&Abbrechen" always closes.
class NameCountForm : public QDialog
{
    Q_OBJECT

public:
    ~NameCountForm() override;

    QLineEdit* txtDokument = nullptr;
    QLineEdit* txtQuelle = nullptr; // the copy dialog only
    QLineEdit* txtLayout = nullptr;
    QLineEdit* txtSchritt = nullptr; // the step of a numbered rename; absent in the copy dialog
    QLineEdit* txtAnzahl = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
    QListWidget* lstVorschau = nullptr; // only where the control offers a preview

protected:
    struct Captions
    {
        QString title;
        QString count; // the label of the number field
        bool withSource = false;
    };
    NameCountForm(operations::NameCountControl& control, const Captions& captions, QWidget* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(const Captions& captions);
    QLineEdit* addField(const QString& name, const QString& label, bool editable);
    void UpdateStartButton();
    void UpdateVorschau();
    void validateOnLeave(QLineEdit* field);
    void refocus(QLineEdit* field);
    void start();

    operations::NameCountControl& m_control;
    class QFormLayout* m_fields = nullptr;
};

// "Layout kopieren".
class frmKopieren final : public NameCountForm
{
    Q_OBJECT

public:
    explicit frmKopieren(operations::NameCountControl& control, QWidget* parent = nullptr);
};

// "Layouts mehrfach umbenennen".
class frmUmbenennen final : public NameCountForm
{
    Q_OBJECT

public:
    explicit frmUmbenennen(operations::NameCountControl& control, QWidget* parent = nullptr);
};
