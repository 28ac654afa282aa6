#pragma once

#include <QString>
#include <QtGlobal>

namespace basViewControls {
class ViewControls;
}
namespace explorer {
class AcadConnection;
}

// Layouts between the library and the loaded drawings: layouts of a library template inserted into
// the active drawing, and a layout saved as a new template of the library. The CAD program's LAYOUT
// command does the work in both directions, with its file dialogs switched off.
namespace basVorlagen {

// The message for a template name that cannot be the name of a file in the library; "" when fine.
QString FileNameProblem(const QString& name);

class Vorlagen final
{
public:
    // None is owned.
    Vorlagen(explorer::AcadConnection& connection, basViewControls::ViewControls& views);

    // The source of a new template, from the start of its naming to its end: the key of the tree's
    // node and the text of the list's item selected then.
    QString VorlageQuelleKey;
    QString VorlageQuelleLayout;

    // Hands the selected library template to the active drawing's LAYOUT command; the user picks its
    // layouts in the CAD program.
    void InsertVorlageLayouts();
    // A provisional node below the library, open for typing the new template's name.
    void StartNewVorlage();
    // Saves the source layout as name + ".dwt" in the library. 1 when no template was made.
    qint16 CreateVorlage(const QString& name);
    // The end of the tree's label edit while a new template is named; a null text is an edit the
    // user cancelled.
    void TreeAfterLabelEdit(const QString& key, const QString& text, bool* cancel);

private:
    struct Source
    {
        QString drawingKey;
        QString layout;
    };

    bool nameRefused(const QString& name);
    Source source() const;
    void sendSaveAs(const Source& from, const QString& file);
    void addTemplate(const QString& name);
    void setFiledia(qint16 value);

    explorer::AcadConnection& m_connection;
    basViewControls::ViewControls& m_views;
};

} // namespace basVorlagen
