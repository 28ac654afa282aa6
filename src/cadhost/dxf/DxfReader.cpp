#include "DxfReader.h"

#include "DxfError.h"
#include "DxfGroups.h"
#include "DxfPreserved.h"
#include "DxfScanner.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>

namespace cadhost {

namespace {

using namespace dxfgroups;

QString tr(const char* text)
{
    return QCoreApplication::translate("cadhost::DxfReader", text);
}

// A record together with where it stood, for messages.
struct SourceRecord
{
    DxfRecord record;
    qint64 line = 0;
    std::vector<qint64> lines; // line of each group
};

struct Section
{
    QString name;
    qint64 line = 0;
    QList<DxfGroup> groups; // for HEADER, CLASSES and unknown sections
    std::vector<SourceRecord> records;
};

// A LAYOUT object before it is tied to its block.
struct PendingLayout
{
    Layout layout;
    QString blockRecord;
    qint64 line = 0;
    qint64 blockRecordLine = 0;
};

std::string_view trimmedAscii(std::string_view v)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!v.empty() && space(v.back()))
        v.remove_suffix(1);
    while (!v.empty() && space(v.front()))
        v.remove_prefix(1);
    return v;
}

// The value of a header variable, before any text is decoded; fallback when the header lacks it.
std::string_view findHeaderValue(const std::vector<ScannedGroup>& groups, std::string_view name,
                                 std::string_view fallback)
{
    for (size_t i = 0; i + 1 < groups.size(); ++i) {
        if (groups[i].code == 9 && groups[i].value == name)
            return groups[i + 1].value;
        if (groups[i].code == 0 && groups[i].value == "ENDSEC")
            break;
    }
    return fallback;
}

// UTF-8 when the version says so and the bytes are UTF-8; else the code page $DWGCODEPAGE names when
// the system converts it exactly both ways; else Windows-1252, which every byte survives. So a file
// written in a code page under a version that says UTF-8 still gives real names.
void chooseEncoding(Preserved& p, const std::vector<ScannedGroup>& groups, const QByteArray& bytes)
{
    const std::string_view all(bytes.constData(), size_t(bytes.size()));
    p.encoding = dxftext::encodingForVersion(trimmedAscii(findHeaderValue(groups, "$ACADVER", "AC1015")));
    if (p.encoding == dxftext::Encoding::Utf8 && dxftext::isWellFormedUtf8(all))
        return;
    p.encoding = dxftext::Encoding::Cp1252;
    const QByteArray codec =
        dxftext::CodePage::codecFor(trimmedAscii(findHeaderValue(groups, "$DWGCODEPAGE", "ANSI_1252")));
    if (!codec.isEmpty() && dxftext::CodePage::roundTrips(codec, all)) {
        p.encoding = dxftext::Encoding::CodePage;
        p.codePage = codec;
    }
}

class Parser
{
public:
    Parser(const std::vector<ScannedGroup>& groups, const Preserved& p)
        : m_groups(groups), m_encoding(p.encoding)
    {
        if (p.encoding == dxftext::Encoding::CodePage)
            m_codePage.emplace(p.codePage);
    }

    std::vector<Section> sections()
    {
        std::vector<Section> result;
        while (!atValue(0, "EOF"))
            result.push_back(section());
        return result;
    }

    QString valueText(std::string_view value)
    {
        return m_codePage ? m_codePage->decode(value) : dxftext::decode(value, m_encoding);
    }

private:
    bool atValue(qint32 code, std::string_view value) const
    {
        return m_pos < m_groups.size() && m_groups[m_pos].code == code && trimmedView(m_pos) == value;
    }

    std::string_view trimmedView(size_t i) const
    {
        std::string_view v = m_groups[i].value;
        while (!v.empty() && v.back() == ' ')
            v.remove_suffix(1);
        while (!v.empty() && v.front() == ' ')
            v.remove_prefix(1);
        return v;
    }

    DxfGroup group(size_t i) { return {m_groups[i].code, valueText(m_groups[i].value)}; }

    Section section()
    {
        if (!atValue(0, "SECTION"))
            throw DxfError(m_groups[m_pos].line, tr("Hier wird ein Abschnitt (0 SECTION) erwartet."));
        Section s;
        s.line = m_groups[m_pos].line;
        ++m_pos;
        if (m_pos >= m_groups.size() || m_groups[m_pos].code != 2)
            throw DxfError(s.line, tr("Dem Abschnitt fehlt sein Name (Gruppencode 2)."));
        s.name = group(m_pos).value.trimmed();
        ++m_pos;
        const bool byRecords = s.name == QLatin1String("TABLES") || s.name == QLatin1String("BLOCKS") ||
                               s.name == QLatin1String("ENTITIES") || s.name == QLatin1String("OBJECTS");
        while (!atValue(0, "ENDSEC")) {
            if (atValue(0, "EOF") || atValue(0, "SECTION"))
                throw DxfError(m_groups[m_pos].line,
                               tr("Der Abschnitt %1 aus Zeile %2 ist nicht abgeschlossen (0 ENDSEC fehlt).")
                                   .arg(s.name)
                                   .arg(s.line));
            if (byRecords)
                s.records.push_back(record());
            else
                s.groups.append(group(m_pos++));
        }
        ++m_pos;
        return s;
    }

    SourceRecord record()
    {
        if (m_groups[m_pos].code != 0)
            throw DxfError(m_groups[m_pos].line, tr("Hier wird ein neuer Eintrag (Gruppencode 0) erwartet."));
        SourceRecord r;
        r.line = m_groups[m_pos].line;
        r.record.type = group(m_pos).value.trimmed();
        ++m_pos;
        const size_t first = m_pos;
        while (m_pos < m_groups.size() && m_groups[m_pos].code != 0)
            ++m_pos;
        r.record.groups.reserve(qsizetype(m_pos - first));
        r.lines.reserve(m_pos - first);
        for (size_t i = first; i < m_pos; ++i) {
            r.record.groups.append(group(i));
            r.lines.push_back(m_groups[i].line);
        }
        return r;
    }

    const std::vector<ScannedGroup>& m_groups;
    dxftext::Encoding m_encoding;
    std::optional<dxftext::CodePage> m_codePage;
    size_t m_pos = 0;
};

bool isSubRecord(const QString& type)
{
    return type == QLatin1String("ATTRIB") || type == QLatin1String("VERTEX") ||
           type == QLatin1String("SEQEND");
}

QString upper(const QString& s)
{
    return s.toUpper();
}

// XData stands at the end of the record's own groups, each application starting with 1001.
void splitXData(Entity& e, QList<DxfGroup> groups)
{
    qsizetype first = -1;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (groups.at(i).code == 1001) {
            first = i;
            break;
        }
    }
    const bool clean = first >= 0 && std::all_of(groups.cbegin() + first, groups.cend(),
                                                 [](const DxfGroup& g) { return g.code >= 1000; });
    if (!clean) {
        e.extra = std::move(groups);
        return;
    }
    for (qsizetype i = first; i < groups.size(); ++i) {
        const DxfGroup& g = groups.at(i);
        if (g.code == 1001)
            e.xdata.append(XDataApp{g.value, {}});
        else
            e.xdata.last().items.append(XDataItem{qint16(g.code), g.value});
    }
    groups.resize(first);
    e.extra = std::move(groups);
}

void readViewport(Entity& e)
{
    const Region r = subclass(e.extra, QLatin1StringView("AcDbViewport"));
    const Region all = own(e.extra);
    const Region& at = r.found ? r : all;
    Viewport& v = e.viewport;
    v.center = {real(e.extra, at, 10, 0), real(e.extra, at, 20, 0), real(e.extra, at, 30, 0)};
    v.width = real(e.extra, at, 40, 0);
    v.height = real(e.extra, at, 41, 0);
    v.viewCenter = {real(e.extra, at, 12, 0), real(e.extra, at, 22, 0), 0};
    v.viewHeight = real(e.extra, at, 45, 1);
    v.status = qint32(std::clamp<qint64>(integer(e.extra, at, 68, 1), INT32_MIN, INT32_MAX));
    v.viewportId = qint32(std::clamp<qint64>(integer(e.extra, at, 69, 2), INT32_MIN, INT32_MAX));
}

void readInsert(Entity& e)
{
    const Region r = subclass(e.extra, QLatin1StringView("AcDbBlockReference"));
    const Region all = own(e.extra);
    const Region& at = r.found ? r : all;
    BlockRef& b = e.block;
    b.blockName = text(e.extra, at, 2);
    b.insertion = {real(e.extra, at, 10, 0), real(e.extra, at, 20, 0), real(e.extra, at, 30, 0)};
    b.scale = {real(e.extra, at, 41, 1), real(e.extra, at, 42, 1), real(e.extra, at, 43, 1)};
    b.rotation = real(e.extra, at, 50, 0);
}

Entity toEntity(DxfRecord record)
{
    Entity e;
    e.dxfType = record.type;
    e.entityType = entityNumber(record.type);
    splitXData(e, std::move(record.groups));
    e.handle = text(e.extra, common(e.extra), 5).trimmed();
    e.layer = text(e.extra, own(e.extra), 8, QStringLiteral("0"));
    if (e.entityType == acad::PViewport)
        readViewport(e);
    else if (e.entityType == acad::BlockReference)
        readInsert(e);
    return e;
}

// Code 67 belongs to AcDbEntity, but a reader takes it wherever it stands.
bool isPaperSpace(const QList<DxfGroup>& groups)
{
    return integer(groups, own(groups), 67, 0) == 1;
}

bool isPaperSpace(const Entity& e)
{
    return isPaperSpace(e.extra);
}

// Attributes and vertices belong to the INSERT or POLYLINE before them in the same space, up to their
// SEQEND, and travel inside its extra. Anything else stands on its own, so that writing and reading
// again groups the records the same way.
QList<Entity> toEntities(std::vector<SourceRecord>::iterator begin, std::vector<SourceRecord>::iterator end)
{
    QList<Entity> entities;
    entities.reserve(end - begin);
    qsizetype owner[2] = {-1, -1}; // the open INSERT or POLYLINE of model and paper space
    for (auto it = begin; it != end; ++it) {
        const bool paper = isPaperSpace(it->record.groups);
        qsizetype& open = owner[paper ? 1 : 0];
        if (isSubRecord(it->record.type) && open >= 0) {
            QList<DxfGroup>& extra = entities[open].extra;
            extra.append(DxfGroup{0, it->record.type});
            extra.append(it->record.groups);
            if (it->record.type == QLatin1String("SEQEND"))
                open = -1;
            continue;
        }
        const bool owns =
            it->record.type == QLatin1String("INSERT") || it->record.type == QLatin1String("POLYLINE");
        entities.append(toEntity(std::move(it->record)));
        open = owns ? entities.size() - 1 : -1;
    }
    return entities;
}

Layout* findLayout(Drawing& d, const QString& name)
{
    for (Layout& l : d.layouts) {
        if (l.name == name)
            return &l;
    }
    return nullptr;
}

class DrawingBuilder
{
public:
    explicit DrawingBuilder(Preserved& p) : m_p(p) {}

    void take(std::vector<Section>& sections)
    {
        if (sections.empty() || sections.front().name != QLatin1String("HEADER"))
            throw DxfError(sections.empty() ? 0 : sections.front().line,
                           tr("Der Zeichnung fehlt der Abschnitt HEADER."));
        for (Section& s : sections) {
            m_p.sectionOrder.append(s.name);
            if (s.name == QLatin1String("HEADER") && m_p.sectionOrder.count(s.name) > 1)
                throw DxfError(s.line, tr("Der Abschnitt HEADER steht doppelt in der Datei."));
            if (s.name == QLatin1String("HEADER"))
                m_p.header = std::move(s.groups);
            else if (s.name == QLatin1String("CLASSES"))
                m_p.classes.append(std::move(s.groups));
            else if (s.name == QLatin1String("TABLES"))
                tables(s.records);
            else if (s.name == QLatin1String("BLOCKS"))
                blocks(s.records);
            else if (s.name == QLatin1String("ENTITIES"))
                entities(s.records);
            else if (s.name == QLatin1String("OBJECTS"))
                objects(s.records);
            else
                m_p.otherSections.append(DxfSection{s.name, std::move(s.groups)});
        }
    }

    Drawing finish()
    {
        Drawing d;
        QSet<QString> names;
        for (PendingLayout& pending : m_layouts) {
            const QString name = pending.layout.name.toUpper();
            if (names.contains(name))
                throw DxfError(pending.line,
                               tr("Das Layout „%1“ steht doppelt in der Datei.").arg(pending.layout.name));
            names.insert(name);
            d.layouts.append(attach(pending, d));
        }
        if (m_layouts.empty())
            throw DxfError(0, tr("Die Zeichnung enthält keine Layouts (LAYOUT-Objekte fehlen)."));
        if (!findLayout(d, QStringLiteral("Model")))
            throw DxfError(0, tr("Der Zeichnung fehlt das Layout „Model“."));
        placeEntities(d);
        std::stable_sort(d.layouts.begin(), d.layouts.end(), [](const Layout& a, const Layout& b) {
            return a.isModel() != b.isModel() ? a.isModel() : a.tabOrder < b.tabOrder;
        });
        d.activeLayout = activeLayout();
        m_p.paperSpaceLayout = m_paperSpace;
        return d;
    }

private:
    void tables(std::vector<SourceRecord>& records)
    {
        for (SourceRecord& r : records) {
            if (r.record.type == QLatin1String("TABLE")) {
                DxfTable t;
                const qsizetype name = find(r.record.groups, {0, r.record.groups.size(), true}, 2);
                t.name = name >= 0 ? r.record.groups.at(name).value.trimmed() : QString();
                if (name >= 0)
                    r.record.groups.removeAt(name);
                if (t.name == QLatin1String("BLOCK_RECORD") && m_hasBlockRecords)
                    throw DxfError(r.line, tr("Die Tabelle BLOCK_RECORD steht doppelt in der Datei."));
                m_hasBlockRecords = m_hasBlockRecords || t.name == QLatin1String("BLOCK_RECORD");
                t.head = std::move(r.record.groups);
                m_p.tables.append(std::move(t));
            } else if (m_p.tables.isEmpty()) {
                throw DxfError(r.line, tr("Tabelleneintrag außerhalb einer Tabelle (0 TABLE fehlt)."));
            } else if (r.record.type == QLatin1String("ENDTAB")) {
                m_p.tables.last().end = std::move(r.record.groups);
            } else {
                if (m_p.tables.last().name == QLatin1String("BLOCK_RECORD"))
                    m_blockRecords.insert(handleOf(r.record), m_p.tables.last().records.size());
                m_p.tables.last().records.append(std::move(r.record));
            }
        }
    }

    static QString handleOf(const DxfRecord& r)
    {
        return text(r.groups, common(r.groups), 5).trimmed().toUpper();
    }

    static QString nameOf(const DxfRecord& r)
    {
        return text(r.groups, {0, r.groups.size(), true}, 2).trimmed();
    }

    void blocks(std::vector<SourceRecord>& records)
    {
        for (auto it = records.begin(); it != records.end();) {
            if (it->record.type != QLatin1String("BLOCK"))
                throw DxfError(it->line, tr("Hier wird ein Block (0 BLOCK) erwartet."));
            const auto blockEnd = std::find_if(it + 1, records.end(), [](const SourceRecord& r) {
                return r.record.type == QLatin1String("ENDBLK") || r.record.type == QLatin1String("BLOCK");
            });
            if (blockEnd == records.end() || blockEnd->record.type != QLatin1String("ENDBLK"))
                throw DxfError(it->line, tr("Der Block ist nicht abgeschlossen (0 ENDBLK fehlt)."));
            DxfBlock b;
            b.name = nameOf(it->record);
            b.begin = std::move(it->record);
            for (auto e = it + 1; e != blockEnd; ++e)
                b.entities.append(std::move(e->record));
            b.end = std::move(blockEnd->record);
            m_blocks.append(std::move(b));
            it = blockEnd + 1;
        }
    }

    // A block's bounds among the entities would end up inside a layout's block when written.
    void entities(std::vector<SourceRecord>& records)
    {
        for (const SourceRecord& r : records) {
            if (r.record.type == QLatin1String("BLOCK") || r.record.type == QLatin1String("ENDBLK"))
                throw DxfError(r.line, tr("%1 gehört nicht in den Abschnitt ENTITIES.").arg(r.record.type));
        }
        m_entities.append(toEntities(records.begin(), records.end()));
    }

    void objects(std::vector<SourceRecord>& records)
    {
        for (SourceRecord& r : records) {
            if (r.record.type == QLatin1String("LAYOUT")) {
                if (m_p.layoutsAt < 0)
                    m_p.layoutsAt = m_p.objects.size();
                m_layouts.push_back(layout(r));
                continue;
            }
            if (m_p.objects.isEmpty() && r.record.type == QLatin1String("DICTIONARY"))
                m_p.layoutDictionary = dictionaryEntry(r.record, QStringLiteral("ACAD_LAYOUT"));
            m_p.objects.append(std::move(r.record));
        }
    }

    static QString dictionaryEntry(const DxfRecord& r, const QString& key)
    {
        for (qsizetype i = 0; i + 1 < r.groups.size(); ++i) {
            if (r.groups.at(i).code == 3 && r.groups.at(i).value == key)
                return r.groups.at(i + 1).value.trimmed().toUpper();
        }
        return {};
    }

    static PendingLayout layout(SourceRecord& r)
    {
        PendingLayout p;
        p.line = r.line;
        Layout& l = p.layout;
        const QList<DxfGroup>& g = r.record.groups;
        const Region plot = subclass(g, QLatin1StringView("AcDbPlotSettings"));
        const Region own = subclass(g, QLatin1StringView("AcDbLayout"));
        l.handle = text(g, common(g), 5).trimmed();
        l.plot.configName = text(g, plot, 2);
        l.plot.canonicalMediaName = text(g, plot, 4);
        l.plot.paperWidth = real(g, plot, 44, 0);
        l.plot.paperHeight = real(g, plot, 45, 0);
        l.plot.plotRotation = qint32(std::clamp<qint64>(integer(g, plot, 73, 1), 0, 3));
        l.plot.plotType = qint32(std::clamp<qint64>(integer(g, plot, 74, 5), 0, 5));
        l.plot.styleSheet = text(g, plot, 7);
        // ezdxf's defaults when a code is missing: flags 688 (standard scale), scale 16 (1:1).
        l.plot.useStandardScale = (integer(g, plot, 70, 688) & kStandardScaleFlag) != 0;
        l.plot.standardScale = qint32(std::clamp<qint64>(integer(g, plot, 75, 16), 0, 32));
        l.plot.scaleNumerator = real(g, plot, 142, 1);
        l.plot.scaleDenominator = real(g, plot, 143, 1);
        const qsizetype name = find(g, own, 1);
        if (!own.found || name < 0)
            throw DxfError(r.line, tr("Dem Layout fehlt sein Name (AcDbLayout, Gruppencode 1)."));
        l.name = g.at(name).value;
        l.tabOrder = qint32(std::clamp<qint64>(integer(g, own, 71, 0), 0, INT32_MAX));
        const qsizetype block = find(g, own, 330);
        p.blockRecord = block >= 0 ? g.at(block).value.trimmed().toUpper() : QString();
        p.blockRecordLine = block >= 0 ? r.lines[size_t(block)] : r.line;
        l.extra = std::move(r.record.groups);
        return p;
    }

    // Ties a layout to its block record and block; the block's entities become the layout's.
    Layout attach(PendingLayout& pending, Drawing& d)
    {
        const auto record = m_blockRecords.constFind(pending.blockRecord);
        if (pending.blockRecord.isEmpty() || record == m_blockRecords.cend())
            throw DxfError(pending.blockRecordLine,
                           tr("Das Layout „%1“ verweist auf keinen Blockeintrag (Kennung „%2“).")
                               .arg(pending.layout.name, pending.blockRecord));
        DxfTable& table = blockRecordTable();
        DxfLayoutBlock lb;
        lb.record = table.records.at(*record);
        const QString blockName = upper(nameOf(lb.record));
        m_taken.insert(*record);
        Layout l = std::move(pending.layout);
        for (qsizetype i = 0; i < m_blocks.size(); ++i) {
            if (upper(m_blocks.at(i).name) != blockName)
                continue;
            DxfBlock& b = m_blocks[i];
            lb.begin = std::move(b.begin);
            lb.end = std::move(b.end);
            std::vector<SourceRecord> records;
            for (DxfRecord& e : b.entities)
                records.push_back(SourceRecord{std::move(e), 0, {}});
            (l.isModel() ? d.modelSpace : l.entities) = toEntities(records.begin(), records.end());
            m_blocks.removeAt(i);
            break;
        }
        if (blockName == QLatin1String("*PAPER_SPACE") && l.isModel())
            throw DxfError(pending.blockRecordLine, tr("Das Layout „Model“ verweist auf den Papierbereich."));
        if (blockName == QLatin1String("*PAPER_SPACE"))
            m_paperSpace = l.name;
        m_p.layoutBlocks.insert(l.handle, std::move(lb));
        return l;
    }

    DxfTable& blockRecordTable()
    {
        for (DxfTable& t : m_p.tables) {
            if (t.name == QLatin1String("BLOCK_RECORD"))
                return t;
        }
        throw DxfError(0, tr("Der Zeichnung fehlt die Tabelle BLOCK_RECORD."));
    }

    // Model space and the active paper layout stand in ENTITIES, told apart by code 67.
    void placeEntities(Drawing& d)
    {
        DxfTable& table = blockRecordTable();
        QList<DxfRecord> kept;
        for (qsizetype i = 0; i < table.records.size(); ++i) {
            if (!m_taken.contains(i))
                kept.append(std::move(table.records[i]));
        }
        table.records = std::move(kept);
        m_p.blocks = std::move(m_blocks);
        Layout* paper = m_paperSpace.isNull() ? nullptr : findLayout(d, m_paperSpace);
        for (Entity& e : m_entities) {
            if (!isPaperSpace(e)) {
                d.modelSpace.append(std::move(e));
            } else if (paper) {
                paper->entities.append(std::move(e));
            } else {
                throw DxfError(0, tr("Die Zeichnung hat Papierbereichsobjekte, aber kein Layout für "
                                     "*Paper_Space."));
            }
        }
    }

    QString activeLayout() const
    {
        for (qsizetype i = 0; i + 1 < m_p.header.size(); ++i) {
            if (m_p.header.at(i).code == 9 && m_p.header.at(i).value == QLatin1String("$TILEMODE")) {
                qint64 tile = 1;
                parseInteger(m_p.header.at(i + 1).value, tile);
                if (tile == 0 && !m_paperSpace.isNull())
                    return m_paperSpace;
                break;
            }
        }
        return QStringLiteral("Model");
    }

    Preserved& m_p;
    QHash<QString, qsizetype> m_blockRecords; // handle -> index in the BLOCK_RECORD table
    QSet<qsizetype> m_taken;
    bool m_hasBlockRecords = false;
    QList<DxfBlock> m_blocks;
    QList<Entity> m_entities;
    std::vector<PendingLayout> m_layouts;
    QString m_paperSpace;
};

} // namespace

qint32 entityNumber(QStringView type)
{
    static const QHash<QString, qint32> numbers = {
        {QStringLiteral("3DFACE"), 1},
        {QStringLiteral("3DSOLID"), 3},
        {QStringLiteral("ARC"), 4},
        {QStringLiteral("ATTDEF"), 5},
        {QStringLiteral("INSERT"), acad::BlockReference},
        {QStringLiteral("CIRCLE"), 8},
        {QStringLiteral("ELLIPSE"), 16},
        {QStringLiteral("HATCH"), 17},
        {QStringLiteral("LEADER"), 18},
        {QStringLiteral("LINE"), 19},
        {QStringLiteral("MTEXT"), 21},
        {QStringLiteral("POINT"), 22},
        {QStringLiteral("POLYLINE"), 23},
        {QStringLiteral("LWPOLYLINE"), 24},
        {QStringLiteral("RAY"), 27},
        {QStringLiteral("REGION"), 28},
        {QStringLiteral("SOLID"), 30},
        {QStringLiteral("SPLINE"), 31},
        {QStringLiteral("TEXT"), 32},
        {QStringLiteral("TRACE"), 34},
        {QStringLiteral("VIEWPORT"), acad::PViewport},
        {QStringLiteral("XLINE"), 36},
    };
    return numbers.value(type.toString(), 0);
}

QList<Entity> entitiesOf(const QList<DxfRecord>& records)
{
    std::vector<SourceRecord> copies;
    copies.reserve(size_t(records.size()));
    for (const DxfRecord& r : records)
        copies.push_back(SourceRecord{r, 0, {}});
    return toEntities(copies.begin(), copies.end());
}

Drawing readDxf(const QByteArray& bytes)
{
    const std::vector<ScannedGroup> groups = scanDxf(bytes);
    auto p = std::make_shared<Preserved>();
    chooseEncoding(*p, groups, bytes);
    // The version is read like every other value, so that the writer finds it unchanged and leaves
    // its bytes alone.
    p->acadver = Parser(groups, *p).valueText(findHeaderValue(groups, "$ACADVER", "AC1015")).trimmed();
    p->crlf = usesCrLf(bytes);
    std::vector<Section> sections = Parser(groups, *p).sections();
    DrawingBuilder builder(*p);
    builder.take(sections);
    Drawing d = builder.finish();
    d.preserved = std::move(p);
    for (Layout& l : d.layouts)
        l.origin = d.preserved;
    return d;
}

} // namespace cadhost
