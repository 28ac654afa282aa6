#pragma once

#include "SeiteEinrichtenControl.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Seite einrichten übernehmen": the source layout, the values to take, and every loaded sheet with
// a box to choose it as a target and what it would take ("alt → neu", or why its plotter cannot).
class frmSeiteEinrichten final : public QDialog
{
    Q_OBJECT

public:
    // libraryFolder: where "Aus Vorlage ..." starts looking.
    frmSeiteEinrichten(operations::SeiteEinrichtenControl& control, const QString& libraryFolder,
                       QWidget* parent = nullptr);
    ~frmSeiteEinrichten() override;

    QComboBox* cboQuelle = nullptr;
    QPushButton* cmdVorlage = nullptr;
    QList<QCheckBox*> chkWerte; // in the order of basSeiteEinrichten::Werte()
    QTreeWidget* tvwZiele = nullptr;
    QLabel* lblZusammenfassung = nullptr;
    QPushButton* cmdUebernehmen = nullptr;
    QPushButton* cmdAbbrechen = nullptr;

    // Asks for the template "Aus Vorlage ..." reads; empty: cancelled. A file dialog unless replaced.
    std::function<QString()> chooseTemplate;

private:
    void buildControls();
    QWidget* buildSource();
    QWidget* buildValues();
    void buildTargets();
    void fillSources();
    void updatePreview();
    void showPreview(QTreeWidgetItem* item, int index);
    void readTemplate();
    void takeValues();
    void apply();

    operations::SeiteEinrichtenControl& m_control;
    QString m_libraryFolder;
};
