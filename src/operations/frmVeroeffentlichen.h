#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace operations {
class VeroeffentlichenControl;
}
namespace veroeffentlichen {
class Lauf;
struct Ergebnis;
} // namespace veroeffentlichen

// "Veröffentlichen": the target folder, one PDF file with every sheet or one per sheet by a name
// pattern, and the files that would be written, updated at every key. "&Veröffentlichen" closes the
// dialog once the control accepts the fields.
class frmVeroeffentlichen final : public QDialog
{
    Q_OBJECT

public:
    explicit frmVeroeffentlichen(operations::VeroeffentlichenControl& control, QWidget* parent = nullptr);

    QLineEdit* txtOrdner = nullptr;
    QPushButton* cmdOrdner = nullptr;
    QRadioButton* optEineDatei = nullptr;
    QLineEdit* txtDateiname = nullptr;
    QRadioButton* optJeBlatt = nullptr;
    QLineEdit* txtMuster = nullptr;
    QListWidget* lstVorschau = nullptr;
    QLabel* lblProblem = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdCancel = nullptr;

    // Asks for the target folder; empty: cancelled. A folder dialog unless replaced.
    std::function<QString(const QString& current)> chooseFolder;

private:
    void buildControls();
    void takeFields();
    void update();
    void browse();
    void start();

    operations::VeroeffentlichenControl& m_control;
};

// The run under a progress dialog ("Blatt 2 von 5: Plan.dxf – Blatt 2", "Abbrechen"): one sheet per
// step, the event loop running between them. Returns when the run is done or cancelled.
void VeroeffentlichenMitFortschritt(veroeffentlichen::Lauf& lauf, QWidget* parent);
// The end message: what was written and what was not, with "Ordner öffnen".
void ZeigeAbschluss(const operations::VeroeffentlichenControl& control,
                    const veroeffentlichen::Ergebnis& ergebnis, QWidget* parent);
