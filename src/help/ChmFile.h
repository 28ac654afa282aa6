#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

struct chmFile;

namespace help {

// One compiled HTML help file, read with chmlib. Paths inside the file start with "/" and are
// compared without regard to case, as the help viewer of the family's home platform does.
class ChmFile final
{
public:
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    // nullptr when the file is missing or is no help file; a file whose directory cannot be read
    // counts as no help file.
    static std::unique_ptr<ChmFile> open(const QString& fileName);

    bool contains(const QString& path) const;
    // The object's bytes; nullopt when it is missing or cannot be read whole.
    std::optional<QByteArray> read(const QString& path) const;
    // The table of contents named by the file's system data ("" when it names none).
    QString contentsPath() const;

private:
    explicit ChmFile(chmFile* handle);

    chmFile* m_handle;
};

} // namespace help
