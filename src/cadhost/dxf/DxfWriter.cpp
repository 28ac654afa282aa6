#include "DxfWriter.h"

#include "DxfError.h"
#include "DxfGroups.h"
#include "DxfPreserved.h"
#include "DxfReader.h"
#include "DxfSkeleton.h"

#include <QCoreApplication>
#include <QSet>
#include <cadhost/engine/LayoutNames.h>
#include <cstring>
#include <optional>

namespace cadhost {

namespace {

using namespace dxfgroups;

const Drawing& skeleton()
{
    static const Drawing drawing = readDxf(QByteArray(skeletonDxf()));
    return drawing;
}

const Layout& skeletonLayout(bool model)
{
    return skeleton().layouts.at(model ? 0 : 1);
}

bool isDimStyle(const DxfRecord& r)
{
    return r.type == QLatin1String("DIMSTYLE");
}

// Hands out handles: a handle read from the file stays while it is unique; copies and new objects get
// fresh ones above every handle in the drawing.
class Handles
{
public:
    void reserve(const QList<DxfGroup>& groups, bool dimStyle = false)
    {
        const qsizetype at = find(groups, common(groups), dimStyle ? 105 : 5);
        quint64 h = 0;
        if (at >= 0 && parseHandle(groups.at(at).value, h)) {
            m_used.insert(h);
            m_next = std::max(m_next, h + 1);
        }
    }

    void consider(const QString& text)
    {
        quint64 h = 0;
        if (parseHandle(text, h))
            m_next = std::max(m_next, h + 1);
    }

    QString claim(const QString& wanted)
    {
        quint64 h = 0;
        if (parseHandle(wanted, h) && !m_used.contains(h)) {
            m_used.insert(h);
            return wanted.trimmed();
        }
        return fresh();
    }

    QString fresh()
    {
        while (m_used.contains(m_next))
            ++m_next;
        m_used.insert(m_next);
        return formatHandle(m_next++);
    }

    QString seed() const { return formatHandle(m_next); }

private:
    QSet<quint64> m_used;
    quint64 m_next = 1;
};

// Where a layout goes in the file.
struct LayoutPlan
{
    const Layout* layout = nullptr;
    DxfLayoutBlock source;
    QString handle, record, begin, end, blockName, viewport;
    bool active = false; // its entities stand in ENTITIES
    bool copied = false; // a copy or from another file: new handles
};

// A block that INSERTs name but the drawing does not define; written empty so that no reader drops them.
struct MissingBlock
{
    QString name, record, begin, end;
};

// A block definition that a layout from another file brings along, with fresh handles.
struct ImportedBlock
{
    DxfRecord record;
    DxfBlock block;
};

class Writer
{
public:
    explicit Writer(const Drawing& d)
        : m_d(d), m_p(d.preserved ? *d.preserved : *skeleton().preserved), m_encoding(m_p.encoding),
          m_codePage(m_p.encoding == dxftext::Encoding::CodePage
                         ? std::make_optional<dxftext::CodePage>(m_p.codePage)
                         : std::nullopt),
          m_eol(m_p.crlf ? "\r\n" : "\n")
    {
    }

    QByteArray write()
    {
        reserveHandles();
        planLayouts();
        planMissingBlocks();
        QByteArray tables = section("TABLES", [this](QByteArray& o) { writeTables(o); });
        QByteArray blocks = section("BLOCKS", [this](QByteArray& o) { writeBlocks(o); });
        QByteArray entities = section("ENTITIES", [this](QByteArray& o) { writeEntitiesSection(o); });
        QByteArray objects = section("OBJECTS", [this](QByteArray& o) { writeObjects(o); });
        QByteArray classes = section("CLASSES", [this](QByteArray& o) { putAll(o, m_p.classes); });
        QByteArray header = section("HEADER", [this](QByteArray& o) { writeHeader(o); });
        QByteArray out;
        out.reserve(header.size() + classes.size() + tables.size() + blocks.size() + entities.size() +
                    objects.size() + 64);
        out += header + classes + tables + blocks + entities + objects;
        for (const DxfSection& s : m_p.otherSections) {
            out += section(s.name.toLatin1(), [this, &s](QByteArray& o) { putAll(o, s.groups); });
        }
        put(out, 0, QStringLiteral("EOF"));
        return out;
    }

private:
    // --- output

    void put(QByteArray& out, qint32 code, const QString& value)
    {
        // Group codes stand right-aligned in three columns, as CAD programs write them.
        if (code >= 0 && code < 1000) {
            const char digits[3] = {code >= 100 ? char('0' + code / 100) : ' ',
                                    code >= 10 ? char('0' + code / 10 % 10) : ' ', char('0' + code % 10)};
            out.append(digits, 3);
        } else {
            out += QByteArray::number(code);
        }
        out += m_eol;
        const qsizetype start = out.size();
        if (m_codePage)
            m_codePage->encodeInto(out, value);
        else
            dxftext::encodeInto(out, value, m_encoding);
        refuseBrokenLine(out, start, code, value);
        out += m_eol;
    }

    // A value's line end (or a NUL byte, which makes the file binary) would split the value into
    // groups of its own: the file would read as something else, or not at all. Such a value is never
    // written; the save fails instead.
    static void refuseBrokenLine(const QByteArray& out, qsizetype start, qint32 code, const QString& value)
    {
        const char* begin = out.constData() + start;
        const auto size = static_cast<size_t>(out.size() - start);
        if (!std::memchr(begin, '\n', size) && !std::memchr(begin, '\r', size) &&
            !std::memchr(begin, '\0', size))
            return;
        throw DxfError(
            0, QCoreApplication::translate("cadhost::DxfWriter",
                                           "Der Wert „%1“ (Gruppencode %2) enthält einen Zeilenumbruch "
                                           "oder ein Nullzeichen und würde die Datei unlesbar machen.")
                   .arg(printable(value))
                   .arg(code));
    }

    void putAll(QByteArray& out, const QList<DxfGroup>& groups)
    {
        for (const DxfGroup& g : groups)
            put(out, g.code, g.value);
    }

    void putRecord(QByteArray& out, const DxfRecord& r)
    {
        put(out, 0, r.type);
        putAll(out, r.groups);
    }

    template <typename Body> QByteArray section(const QByteArray& name, Body body)
    {
        QByteArray out;
        put(out, 0, QStringLiteral("SECTION"));
        put(out, 2, QString::fromLatin1(name));
        body(out);
        put(out, 0, QStringLiteral("ENDSEC"));
        return out;
    }

    // --- planning

    void reserveHandles()
    {
        for (const DxfTable& t : m_p.tables) {
            m_handles.reserve(t.head);
            for (const DxfRecord& r : t.records)
                m_handles.reserve(r.groups, isDimStyle(r));
        }
        for (const DxfBlock& b : m_p.blocks) {
            m_handles.reserve(b.begin.groups);
            for (const DxfRecord& r : b.entities)
                m_handles.reserve(r.groups);
            m_handles.reserve(b.end.groups);
            m_blockNames.insert(b.name.toUpper());
        }
        for (const DxfRecord& r : m_p.objects)
            m_handles.reserve(r.groups);
        considerModelHandles();
    }

    // Handles of modelled objects are only candidates, but fresh handles must lie above them too.
    void considerModelHandles()
    {
        const auto considerEntities = [this](const QList<Entity>& entities) {
            for (const Entity& e : entities) {
                m_handles.consider(e.handle);
                for (qsizetype i = 0; i < e.extra.size(); ++i) {
                    if (e.extra.at(i).code == 5)
                        m_handles.consider(e.extra.at(i).value);
                }
            }
        };
        considerEntities(m_d.modelSpace);
        for (const Layout& l : m_d.layouts) {
            m_handles.consider(l.handle);
            considerEntities(l.entities);
        }
        for (const DxfLayoutBlock& lb : m_p.layoutBlocks) {
            for (const DxfRecord* r : {&lb.record, &lb.begin, &lb.end})
                m_handles.consider(text(r->groups, common(r->groups), 5));
        }
    }

    const Layout* model() const
    {
        for (const Layout& l : m_d.layouts) {
            if (l.isModel())
                return &l;
        }
        return nullptr;
    }

    // The layout of *Paper_Space: the active one, else the one that held it in the file, else the first.
    const Layout* activePaperLayout() const
    {
        const Layout* first = nullptr;
        const Layout* before = nullptr;
        for (const Layout& l : m_d.layouts) {
            if (l.isModel())
                continue;
            if (l.name == m_d.activeLayout)
                return &l;
            if (!first)
                first = &l;
            if (!before && l.name == m_p.paperSpaceLayout)
                before = &l;
        }
        return before ? before : first;
    }

    void planLayouts()
    {
        const Layout* paper = activePaperLayout();
        int next = 0;
        QSet<QString> seen;
        for (const Layout& l : m_d.layouts) {
            LayoutPlan plan;
            plan.layout = &l;
            plan.active = (l.isModel() && &l == model()) || &l == paper;
            // A layout from another file, or a copy, gets new handles; it keeps the groups of its blocks.
            const bool ours = !l.origin || l.origin.get() == &m_p;
            const bool original = ours && !seen.contains(l.handle) && m_p.layoutBlocks.contains(l.handle);
            if (ours)
                seen.insert(l.handle);
            plan.copied = !original;
            if (original)
                plan.source = m_p.layoutBlocks.value(l.handle);
            else if (!ours && l.origin->layoutBlocks.contains(l.handle))
                plan.source = l.origin->layoutBlocks.value(l.handle);
            else
                plan.source = defaultLayoutBlock(l.isModel());
            // A layout whose block was missing from the file gets a new one.
            const DxfLayoutBlock fallback = defaultLayoutBlock(l.isModel());
            if (plan.source.begin.type.isEmpty())
                plan.source.begin = fallback.begin;
            if (plan.source.end.type.isEmpty())
                plan.source.end = fallback.end;
            plan.handle = original ? m_handles.claim(l.handle) : m_handles.fresh();
            plan.record = claimOf(plan.source.record, original);
            plan.begin = claimOf(plan.source.begin, original);
            plan.end = claimOf(plan.source.end, original);
            if (l.isModel())
                plan.blockName = QStringLiteral("*Model_Space");
            else if (&l == paper)
                plan.blockName = QStringLiteral("*Paper_Space");
            else
                plan.blockName = nextPaperSpaceName(next);
            m_plans.append(plan);
        }
        // Model first, then the active paper layout: the order CAD programs write the blocks in.
        std::stable_sort(m_plans.begin(), m_plans.end(), [](const LayoutPlan& a, const LayoutPlan& b) {
            auto rank = [](const LayoutPlan& p) { return p.layout->isModel() ? 0 : p.active ? 1 : 2; };
            return rank(a) < rank(b);
        });
    }

    QString claimOf(const DxfRecord& r, bool original)
    {
        return original ? m_handles.claim(text(r.groups, common(r.groups), 5)) : m_handles.fresh();
    }

    QString nextPaperSpaceName(int& next)
    {
        QString name;
        do {
            name = QStringLiteral("*Paper_Space%1").arg(next++);
        } while (m_blockNames.contains(name.toUpper()));
        return name;
    }

    DxfLayoutBlock defaultLayoutBlock(bool model) const
    {
        const Layout& l = skeletonLayout(model);
        return skeleton().preserved->layoutBlocks.value(l.handle);
    }

    // Every referenced block gets a definition: from the file a layout came from, else an empty one.
    void planMissingBlocks()
    {
        const auto scan = [this](const QList<Entity>& entities, const Preserved* origin) {
            for (const Entity& e : entities) {
                const QString name = e.block.blockName.trimmed();
                if (e.entityType != acad::BlockReference || name.isEmpty() ||
                    m_blockNames.contains(name.toUpper()))
                    continue;
                if (!origin || !importBlock(*origin, name))
                    m_missing.append({name, m_handles.fresh(), m_handles.fresh(), m_handles.fresh()});
                m_blockNames.insert(name.toUpper());
            }
        };
        scan(m_d.modelSpace, nullptr);
        for (const Layout& l : m_d.layouts)
            scan(l.entities, l.origin.get() == &m_p ? nullptr : l.origin.get());
    }

    // The block records and blocks of another file by upper-case name, built once per file, so that
    // importing n nested blocks costs n look-ups and not n scans.
    struct OriginIndex
    {
        QHash<QString, const DxfRecord*> records;
        QHash<QString, const DxfBlock*> blocks;
    };

    const OriginIndex& indexOf(const Preserved& origin)
    {
        auto it = m_origins.find(&origin);
        if (it != m_origins.end())
            return it.value();
        OriginIndex index;
        for (const DxfTable& t : origin.tables) {
            if (t.name != QLatin1String("BLOCK_RECORD"))
                continue;
            for (const DxfRecord& r : t.records)
                index.records.insert(text(r.groups, {0, r.groups.size(), true}, 2).trimmed().toUpper(), &r);
        }
        for (const DxfBlock& b : origin.blocks)
            index.blocks.insert(b.name.toUpper(), &b);
        return m_origins.insert(&origin, std::move(index)).value();
    }

    // Copies a block of another file, and the blocks it references in turn, under fresh handles. The
    // references are followed with a list of blocks still to do, not by recursion: blocks may nest
    // thousands deep, deeper than the stack goes.
    bool importBlock(const Preserved& origin, const QString& name)
    {
        const OriginIndex& index = indexOf(origin);
        if (!importOne(index, name))
            return false;
        for (qsizetype i = m_imported.size() - 1; i < m_imported.size(); ++i) {
            const QStringList nested = referencedBlocks(m_imported.at(i).block);
            for (const QString& n : nested) {
                if (m_blockNames.contains(n.toUpper()) || importOne(index, n))
                    continue;
                m_blockNames.insert(n.toUpper());
                m_missing.append({n, m_handles.fresh(), m_handles.fresh(), m_handles.fresh()});
            }
        }
        return true;
    }

    static QStringList referencedBlocks(const DxfBlock& block)
    {
        QStringList names;
        for (const DxfRecord& r : block.entities) {
            const QString nested =
                text(r.groups, subclass(r.groups, QLatin1StringView("AcDbBlockReference")), 2).trimmed();
            if (r.type == QLatin1String("INSERT") && !nested.isEmpty())
                names.append(nested);
        }
        return names;
    }

    // One block under fresh handles, appended to m_imported; false when the other file lacks it.
    bool importOne(const OriginIndex& index, const QString& name)
    {
        const QString upperName = name.toUpper();
        const DxfRecord* record = index.records.value(upperName);
        const DxfBlock* block = index.blocks.value(upperName);
        if (!record || !block)
            return false;
        m_blockNames.insert(upperName);
        ImportedBlock imported{*record, *block};
        const QString handle = m_handles.fresh();
        setHandle(imported.record.groups, handle);
        rehandle(imported.block.begin, handle);
        QString parent = handle;
        for (DxfRecord& r : imported.block.entities) {
            const bool sub = r.type == QLatin1String("ATTRIB") || r.type == QLatin1String("VERTEX") ||
                             r.type == QLatin1String("SEQEND");
            const QString own = rehandle(r, sub ? parent : handle);
            if (!sub)
                parent = own;
        }
        rehandle(imported.block.end, handle);
        m_imported.append(std::move(imported));
        return true;
    }

    QString rehandle(DxfRecord& r, const QString& owner)
    {
        const QString handle = m_handles.fresh();
        setHandle(r.groups, handle);
        Region c = common(r.groups);
        setText(r.groups, c, 330, owner);
        return handle;
    }

    // --- TABLES

    void writeTables(QByteArray& out)
    {
        for (const DxfTable& t : m_p.tables) {
            put(out, 0, QStringLiteral("TABLE"));
            put(out, 2, t.name);
            const bool blocks = t.name == QLatin1String("BLOCK_RECORD");
            const bool apps = t.name == QLatin1String("APPID");
            const bool layers = t.name == QLatin1String("LAYER");
            const QStringList added = apps || layers ? missingNames(t, apps) : QStringList();
            const qsizetype count = t.records.size() + added.size() +
                                    (blocks ? m_plans.size() + m_missing.size() + m_imported.size() : 0);
            QList<DxfGroup> head = t.head;
            Region r = subclass(head, QLatin1StringView("AcDbSymbolTable"));
            if (r.found)
                setInteger(head, r, 70, count);
            putAll(out, head);
            const QString owner = text(t.head, common(t.head), 5).trimmed();
            if (blocks)
                writeLayoutBlockRecords(out, owner);
            for (const DxfRecord& rec : t.records)
                putRecord(out, rec);
            if (blocks)
                writeAddedBlockRecords(out, owner);
            for (const QString& name : added) {
                if (apps)
                    writeTableRecord(out, t.name, QStringLiteral("AcDbRegAppTableRecord"), name, owner);
                else
                    writeTableRecord(out, t.name, QStringLiteral("AcDbLayerTableRecord"), name, owner,
                                     {{62, QStringLiteral("7")}, {6, QStringLiteral("Continuous")}});
            }
            put(out, 0, QStringLiteral("ENDTAB"));
            putAll(out, t.end);
        }
    }

    // Names that entities use but the table lacks: application names of extended data, layers.
    QStringList missingNames(const DxfTable& t, bool apps) const
    {
        QSet<QString> known;
        for (const DxfRecord& r : t.records)
            known.insert(text(r.groups, {0, r.groups.size(), true}, 2).trimmed().toUpper());
        QStringList missing;
        const auto want = [&](const QString& name) {
            if (!name.isEmpty() && !known.contains(name.toUpper())) {
                known.insert(name.toUpper());
                missing.append(name);
            }
        };
        const auto scan = [&](const QList<Entity>& entities) {
            for (const Entity& e : entities) {
                if (!apps)
                    want(e.layer);
                for (const XDataApp& app : e.xdata)
                    want(apps ? app.application : QString());
            }
        };
        scan(m_d.modelSpace);
        for (const Layout& l : m_d.layouts)
            scan(l.entities);
        return missing;
    }

    // A new symbol table record: handle, owner, markers, name, flags and what the kind of record needs.
    void writeTableRecord(QByteArray& out, const QString& type, const QString& marker, const QString& name,
                          const QString& owner, const QList<DxfGroup>& more = {})
    {
        put(out, 0, type);
        put(out, 5, m_handles.fresh());
        put(out, 330, owner);
        put(out, 100, QStringLiteral("AcDbSymbolTableRecord"));
        put(out, 100, marker);
        put(out, 2, name);
        put(out, 70, QStringLiteral("0"));
        putAll(out, more);
    }

    void writeLayoutBlockRecords(QByteArray& out, const QString& owner)
    {
        for (const LayoutPlan& plan : m_plans) {
            DxfRecord r = plan.source.record;
            Region c = common(r.groups);
            setHandle(r.groups, plan.record);
            c = common(r.groups);
            setText(r.groups, c, 330, owner);
            Region own = subclass(r.groups, QLatin1StringView("AcDbBlockTableRecord"));
            // The name is the first code 2 wherever it stands, as the reader takes it.
            Region all = dxfgroups::own(r.groups);
            setText(r.groups, all, 2, plan.blockName);
            own = subclass(r.groups, QLatin1StringView("AcDbBlockTableRecord"));
            setText(r.groups, own, 340, plan.handle);
            putRecord(out, r);
        }
    }

    void writeAddedBlockRecords(QByteArray& out, const QString& owner)
    {
        for (ImportedBlock& b : m_imported) {
            Region c = common(b.record.groups);
            setText(b.record.groups, c, 330, owner);
            Region own = subclass(b.record.groups, QLatin1StringView("AcDbBlockTableRecord"));
            remove(b.record.groups, own, 340); // a layout of the other file
            putRecord(out, b.record);
        }
        for (const MissingBlock& b : m_missing) {
            put(out, 0, QStringLiteral("BLOCK_RECORD"));
            put(out, 5, b.record);
            put(out, 330, owner);
            put(out, 100, QStringLiteral("AcDbSymbolTableRecord"));
            put(out, 100, QStringLiteral("AcDbBlockTableRecord"));
            put(out, 2, b.name);
        }
    }

    static void setHandle(QList<DxfGroup>& groups, const QString& handle)
    {
        Region c = common(groups);
        if (find(groups, c, 5) < 0)
            groups.prepend(DxfGroup{5, handle});
        else
            setText(groups, c, 5, handle);
    }

    // --- BLOCKS

    void writeBlocks(QByteArray& out)
    {
        for (const LayoutPlan& plan : m_plans) {
            writeBlockRecord(out, plan.source.begin, plan.begin, plan.record, plan.blockName,
                             !plan.layout->isModel());
            if (!plan.active)
                writeEntities(out, plan.layout->entities, plan.record, true);
            writeBlockRecord(out, plan.source.end, plan.end, plan.record, {}, !plan.layout->isModel());
        }
        for (const DxfBlock& b : m_p.blocks) {
            putRecord(out, b.begin);
            for (const DxfRecord& r : b.entities)
                putRecord(out, r);
            putRecord(out, b.end);
        }
        for (const ImportedBlock& b : m_imported) {
            putRecord(out, b.block.begin);
            for (const DxfRecord& r : b.block.entities)
                putRecord(out, r);
            putRecord(out, b.block.end);
        }
        for (const MissingBlock& b : m_missing)
            writeMissingBlock(out, b);
    }

    void writeBlockRecord(QByteArray& out, DxfRecord r, const QString& handle, const QString& owner,
                          const QString& name, bool paper)
    {
        setHandle(r.groups, handle);
        Region c = common(r.groups);
        setText(r.groups, c, 330, owner);
        Region entity = subclass(r.groups, QLatin1StringView("AcDbEntity"));
        if (paper)
            setInteger(r.groups, entity, 67, 1);
        else
            remove(r.groups, entity, 67);
        if (!name.isNull()) {
            Region begin = dxfgroups::own(r.groups);
            setText(r.groups, begin, 2, name);
            if (find(r.groups, begin, 3) >= 0)
                setText(r.groups, begin, 3, name);
        }
        putRecord(out, r);
    }

    void writeMissingBlock(QByteArray& out, const MissingBlock& b)
    {
        put(out, 0, QStringLiteral("BLOCK"));
        put(out, 5, b.begin);
        put(out, 330, b.record);
        put(out, 100, QStringLiteral("AcDbEntity"));
        put(out, 8, QStringLiteral("0"));
        put(out, 100, QStringLiteral("AcDbBlockBegin"));
        put(out, 2, b.name);
        put(out, 70, QStringLiteral("0"));
        for (int code : {10, 20, 30})
            put(out, code, QStringLiteral("0.0"));
        put(out, 3, b.name);
        put(out, 1, QString());
        put(out, 0, QStringLiteral("ENDBLK"));
        put(out, 5, b.end);
        put(out, 330, b.record);
        put(out, 100, QStringLiteral("AcDbEntity"));
        put(out, 8, QStringLiteral("0"));
        put(out, 100, QStringLiteral("AcDbBlockEnd"));
    }

    // --- ENTITIES

    void writeEntitiesSection(QByteArray& out)
    {
        for (const LayoutPlan& plan : m_plans) {
            if (!plan.active)
                continue;
            writeEntities(out, plan.layout->isModel() ? m_d.modelSpace : plan.layout->entities, plan.record,
                          !plan.layout->isModel());
        }
    }

    void writeEntities(QByteArray& out, const QList<Entity>& entities, const QString& owner, bool paper)
    {
        for (const Entity& e : entities) {
            const QString handle = writeEntity(out, e, owner, paper);
            if (paper && e.entityType == acad::PViewport && e.viewport.viewportId == 1 &&
                !m_viewports.contains(owner))
                m_viewports.insert(owner, handle);
        }
    }

    QString writeEntity(QByteArray& out, const Entity& e, const QString& owner, bool paper)
    {
        QList<DxfGroup> groups = e.extra.isEmpty() ? defaultGroups(e) : e.extra;
        qsizetype tail = 0;
        while (tail < groups.size() && groups.at(tail).code != 0)
            ++tail;
        QList<DxfGroup> own = groups.mid(0, tail);
        const QString handle = m_handles.claim(e.handle);
        if (handle != e.handle.trimmed())
            dropLinks(own);
        patchEntity(own, e, handle, owner, paper);
        put(out, 0, e.dxfType);
        putAll(out, own);
        for (const XDataApp& app : e.xdata) {
            put(out, 1001, app.application);
            for (const XDataItem& item : app.items)
                put(out, item.code, item.value);
        }
        writeSubRecords(out, groups.mid(tail), handle, paper);
        return handle;
    }

    void patchEntity(QList<DxfGroup>& g, const Entity& e, const QString& handle, const QString& owner,
                     bool paper)
    {
        setHandle(g, handle);
        Region c = common(g);
        setText(g, c, 330, owner);
        setSpace(g, paper);
        Region entity = subclass(g, QLatin1StringView("AcDbEntity"));
        setText(g, entity, 8, e.layer);
        if (e.entityType == acad::PViewport && e.dxfType == QLatin1String("VIEWPORT"))
            patchViewport(g, e.viewport);
        else if (e.entityType == acad::BlockReference && e.dxfType == QLatin1String("INSERT"))
            patchInsert(g, e.block);
    }

    // Code 67 tells paper space (1) from model space (0 or none); a reader may find it in either part.
    static void setSpace(QList<DxfGroup>& g, bool paper)
    {
        Region all = own(g);
        if (find(g, all, 67) >= 0) {
            setInteger(g, all, 67, paper ? 1 : 0);
            return;
        }
        Region entity = subclass(g, QLatin1StringView("AcDbEntity"));
        if (!entity.found)
            entity = common(g);
        if (paper)
            setInteger(g, entity, 67, 1);
    }

    // A copy does not own its original's extension dictionary, nor is it what the reactors watch.
    static void dropLinks(QList<DxfGroup>& g)
    {
        for (const char* name : {"{ACAD_XDICTIONARY", "{ACAD_REACTORS"}) {
            const Region c = common(g);
            for (qsizetype i = c.begin; i < c.end; ++i) {
                if (g.at(i).code != 102 || g.at(i).value.trimmed() != QLatin1String(name))
                    continue;
                qsizetype end = i + 1;
                while (end < c.end &&
                       !(g.at(end).code == 102 && g.at(end).value.trimmed() == QLatin1String("}")))
                    ++end;
                g.remove(i, std::min(end + 1, c.end) - i);
                break;
            }
        }
    }

    static void patchViewport(QList<DxfGroup>& g, const Viewport& v)
    {
        Region r = subclass(g, QLatin1StringView("AcDbViewport"));
        setPoint(g, r, 10, v.center);
        setReal(g, r, 40, v.width);
        setReal(g, r, 41, v.height);
        setReal(g, r, 12, v.viewCenter.x);
        setReal(g, r, 22, v.viewCenter.y);
        setReal(g, r, 45, v.viewHeight);
        setInteger(g, r, 68, v.status);
        setInteger(g, r, 69, v.viewportId);
    }

    static void patchInsert(QList<DxfGroup>& g, const BlockRef& b)
    {
        Region r = subclass(g, QLatin1StringView("AcDbBlockReference"));
        setText(g, r, 2, b.blockName);
        setPoint(g, r, 10, b.insertion);
        const double scale[3] = {b.scale.x, b.scale.y, b.scale.z};
        for (int i = 0; i < 3; ++i) {
            if (scale[i] != 1 || find(g, r, 41 + i) >= 0)
                setReal(g, r, 41 + i, scale[i]);
        }
        if (b.rotation != 0 || find(g, r, 50) >= 0)
            setReal(g, r, 50, b.rotation);
    }

    // Attributes, vertices and SEQEND belong to the entity before them.
    void writeSubRecords(QByteArray& out, const QList<DxfGroup>& groups, const QString& parent, bool paper)
    {
        for (qsizetype i = 0; i < groups.size();) {
            qsizetype end = i + 1;
            while (end < groups.size() && groups.at(end).code != 0)
                ++end;
            QList<DxfGroup> sub = groups.mid(i + 1, end - i - 1);
            setHandle(sub, m_handles.claim(text(sub, common(sub), 5)));
            Region c = common(sub);
            setText(sub, c, 330, parent);
            setSpace(sub, paper);
            put(out, 0, groups.at(i).value);
            putAll(out, sub);
            i = end;
        }
    }

    static QList<DxfGroup> defaultGroups(const Entity& e)
    {
        if (e.entityType == acad::PViewport && e.dxfType == QLatin1String("VIEWPORT"))
            return skeletonLayout(false).entities.at(0).extra;
        QList<DxfGroup> g{{100, QStringLiteral("AcDbEntity")}, {8, e.layer}};
        if (e.entityType == acad::BlockReference && e.dxfType == QLatin1String("INSERT"))
            g.append(DxfGroup{100, QStringLiteral("AcDbBlockReference")});
        return g;
    }

    // --- OBJECTS

    void writeObjects(QByteArray& out)
    {
        const qsizetype at = m_p.layoutsAt < 0 ? m_p.objects.size() : m_p.layoutsAt;
        for (qsizetype i = 0; i <= m_p.objects.size(); ++i) {
            if (i == at) {
                for (const LayoutPlan* plan : inDrawingOrder())
                    writeLayout(out, *plan);
            }
            if (i == m_p.objects.size())
                break;
            const DxfRecord& r = m_p.objects.at(i);
            if (!m_p.layoutDictionary.isEmpty() && r.type == QLatin1String("DICTIONARY") &&
                text(r.groups, common(r.groups), 5).trimmed().toUpper() == m_p.layoutDictionary)
                writeLayoutDictionary(out, r);
            else
                putRecord(out, r);
        }
    }

    // The LAYOUT objects stand in the drawing's order, so that layouts of equal tab order keep theirs.
    QList<const LayoutPlan*> inDrawingOrder() const
    {
        QList<const LayoutPlan*> plans;
        for (const LayoutPlan& plan : m_plans)
            plans.append(&plan);
        std::sort(plans.begin(), plans.end(),
                  [](const LayoutPlan* a, const LayoutPlan* b) { return a->layout < b->layout; });
        return plans;
    }

    void writeLayoutDictionary(QByteArray& out, DxfRecord r)
    {
        QList<DxfGroup> kept;
        for (qsizetype i = 0; i < r.groups.size(); ++i) {
            const DxfGroup& g = r.groups.at(i);
            if (g.code == 3 && i + 1 < r.groups.size() &&
                (r.groups.at(i + 1).code == 350 || r.groups.at(i + 1).code == 360)) {
                ++i;
                continue;
            }
            kept.append(g);
        }
        for (const LayoutPlan* plan : inDrawingOrder()) {
            kept.append(DxfGroup{3, plan->layout->name});
            kept.append(DxfGroup{350, plan->handle});
        }
        r.groups = std::move(kept);
        putRecord(out, r);
    }

    void writeLayout(QByteArray& out, const LayoutPlan& plan)
    {
        const Layout& l = *plan.layout;
        QList<DxfGroup> g = l.extra.isEmpty() ? skeletonLayout(l.isModel()).extra : l.extra;
        if (plan.copied)
            dropLinks(g);
        setHandle(g, plan.handle);
        Region c = common(g);
        if (!m_p.layoutDictionary.isEmpty())
            setText(g, c, 330, m_p.layoutDictionary);
        Region plot = subclass(g, QLatin1StringView("AcDbPlotSettings"));
        setText(g, plot, 2, l.plot.configName);
        setText(g, plot, 4, l.plot.canonicalMediaName);
        setReal(g, plot, 44, l.plot.paperWidth);
        setReal(g, plot, 45, l.plot.paperHeight);
        setInteger(g, plot, 73, l.plot.plotRotation);
        setInteger(g, plot, 74, l.plot.plotType);
        setText(g, plot, 7, l.plot.styleSheet);
        writeScale(g, plot, l.plot);
        Region own = subclass(g, QLatin1StringView("AcDbLayout"));
        setText(g, own, 1, l.name);
        setInteger(g, own, 71, l.tabOrder);
        setText(g, own, 330, plan.record);
        const QString viewport = m_viewports.value(plan.record);
        if (!viewport.isEmpty())
            setText(g, own, 331, viewport);
        else if (!l.isModel())
            remove(g, own, 331);
        put(out, 0, QStringLiteral("LAYOUT"));
        putAll(out, g);
    }

    // Only the standard-scale bit of the plot flags is the layout's; the other bits stay as read.
    static void writeScale(QList<DxfGroup>& g, Region& plot, const acad::PlotSettings& p)
    {
        const qint64 flags = integer(g, plot, 70, 688);
        const qint64 next = p.useStandardScale ? (flags | kStandardScaleFlag) : (flags & ~kStandardScaleFlag);
        if (next != flags)
            setInteger(g, plot, 70, next);
        // A missing code that still holds its default stays missing, so untouched layouts keep their text.
        if (find(g, plot, 75) >= 0 || p.standardScale != 16)
            setInteger(g, plot, 75, p.standardScale);
        if (find(g, plot, 142) >= 0 || p.scaleNumerator != 1)
            setReal(g, plot, 142, p.scaleNumerator);
        if (find(g, plot, 143) >= 0 || p.scaleDenominator != 1)
            setReal(g, plot, 143, p.scaleDenominator);
    }

    // --- HEADER

    void writeHeader(QByteArray& out)
    {
        QList<DxfGroup> g = m_p.header;
        setVariable(g, QStringLiteral("$ACADVER"), 1, m_p.acadver, true);
        setVariable(g, QStringLiteral("$HANDSEED"), 5, m_handles.seed(), false);
        const Layout* paper = activePaperLayout();
        const bool model = m_d.activeLayout == QLatin1String("Model") || !paper;
        setVariable(g, QStringLiteral("$TILEMODE"), 70, model ? QStringLiteral("1") : QStringLiteral("0"),
                    false);
        putAll(out, g);
    }

    static void setVariable(QList<DxfGroup>& g, const QString& name, qint32 code, const QString& value,
                            bool first)
    {
        for (qsizetype i = 0; i + 1 < g.size(); ++i) {
            if (g.at(i).code == 9 && g.at(i).value.trimmed() == name) {
                if (g.at(i + 1).value.trimmed() != value)
                    g[i + 1].value = value;
                return;
            }
        }
        const qsizetype at = first ? 0 : g.size();
        g.insert(at, DxfGroup{code, value});
        g.insert(at, DxfGroup{9, name});
    }

    const Drawing& m_d;
    const Preserved& m_p;
    dxftext::Encoding m_encoding;
    std::optional<dxftext::CodePage> m_codePage;
    QByteArray m_eol;
    Handles m_handles;
    QSet<QString> m_blockNames;
    QList<LayoutPlan> m_plans;
    QList<MissingBlock> m_missing;
    QList<ImportedBlock> m_imported;
    QHash<const Preserved*, OriginIndex> m_origins;
    QHash<QString, QString> m_viewports; // block record -> the layout's own viewport
};

} // namespace

QByteArray writeDxf(const Drawing& drawing)
{
    const bool paper = std::any_of(drawing.layouts.cbegin(), drawing.layouts.cend(),
                                   [](const Layout& l) { return !l.isModel(); });
    if (paper)
        return Writer(drawing).write();
    // Readers require a paper layout (*Paper_Space); a drawing of model space alone gets the default one.
    Drawing withPaper = drawing;
    withPaper.layouts.append(skeletonLayout(false));
    withPaper.layouts.last().tabOrder = qint32(withPaper.layouts.size() - 1);
    return Writer(withPaper).write();
}

Drawing emptyDrawing()
{
    return skeleton();
}

} // namespace cadhost
