#include "KaomojiRowsModel.h"

#include "FaceFont.h"
#include "KaomojiCategories.h"
#include "KaomojiSectionsModel.h"
#include "ListEdit.h"
#include "MasonryGeometry.h"
#include "TextInk.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <cmath>
#include <limits>
#include <memory>

namespace {

QByteArray headerKey(const QString &section)
{
    return '\1' + section.toUtf8();
}

QByteArray tilesKey(const QString &section, const QList<KaomojiRowsModel::Tile> &tiles)
{
    QByteArray key = section.toUtf8();
    key.reserve(key.size() + 1 + tiles.size() * 16);
    key += '\0';
    for (const KaomojiRowsModel::Tile &tile : tiles)
        key += tile.id.toRfc4122();
    return key;
}

bool sameLook(const KaomojiRowsModel::Row &a, const KaomojiRowsModel::Row &b)
{
    if (a.height != b.height || a.tiles.size() != b.tiles.size())
        return false;
    // The rows of a section laid out once share its tiles.
    if (a.tiles.constBegin() == b.tiles.constBegin())
        return true;
    for (qsizetype i = 0; i < a.tiles.size(); ++i) {
        const KaomojiRowsModel::Tile &x = a.tiles[i];
        const KaomojiRowsModel::Tile &y = b.tiles[i];
        if (x.x != y.x || x.size.tile != y.size.tile || x.size.ink != y.size.ink
            || x.face != y.face)
            return false;
    }
    return true;
}

} // namespace

KaomojiRowsModel::KaomojiRowsModel(const KaomojiSectionsModel &sections, QObject *parent)
    : QAbstractListModel(parent)
    , m_sections(sections)
{
    // The application hears of a new desktop font before its windows do.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QCoreApplication::instance()->installEventFilter(this);
}

bool KaomojiRowsModel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationFontChange)
        followDesktopFont(QGuiApplication::font());
    return QAbstractListModel::eventFilter(watched, event);
}

int KaomojiRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant KaomojiRowsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row &row = m_rows[size_t(index.row())];
    switch (role) {
    case IsHeaderRole:
        return row.isHeader;
    case Qt::DisplayRole:
    case NameRole:
        return row.section;
    case HasClearButtonRole:
        return row.section == KaomojiCategories::recentlyUsed;
    case IsCustomRole:
        return row.section == KaomojiCategories::custom;
    case HeaderGapRole:
        return row.isHeader ? row.height : 0.0;
    case TileCountRole:
        return int(row.tiles.size());
    case RowHeightRole:
        return row.isHeader ? 0.0 : row.height;
    case FadesInRole:
        return row.fadesIn;
    case TilesRole: {
        QVariantList tiles;
        if (!row.entries)
            return tiles;
        tiles.reserve(row.tiles.size());
        for (const Tile &tile : row.tiles) {
            // The entries change before the rows follow them.
            const bool current =
                tile.entry < row.entries->rowCount() && row.entries->ids()[tile.entry] == tile.id;
            tiles.append(QVariantMap {
                { QStringLiteral("kaomojiId"), tile.id.toString(QUuid::WithoutBraces) },
                { QStringLiteral("face"), tile.face },
                { QStringLiteral("x"), tile.x },
                { QStringLiteral("width"), tile.size.tile.width() },
                { QStringLiteral("height"), tile.size.tile.height() },
                { QStringLiteral("inkLeft"), tile.size.ink.left() },
                { QStringLiteral("inkTop"), tile.size.ink.top() },
                { QStringLiteral("inkRight"), tile.size.ink.right() },
                { QStringLiteral("inkBottom"), tile.size.ink.bottom() },
                { QStringLiteral("flashing"), current && row.entries->isFlashingAt(tile.entry) },
                { QStringLiteral("isMostRecentAI"),
                    current && row.entries->sparklesAt(tile.entry) },
            });
        }
        return tiles;
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> KaomojiRowsModel::roleNames() const
{
    return {
        { IsHeaderRole, "isHeader" },
        { NameRole, "name" },
        { HasClearButtonRole, "hasClearButton" },
        { IsCustomRole, "isCustom" },
        { HeaderGapRole, "headerGap" },
        { TilesRole, "tiles" },
        { TileCountRole, "tileCount" },
        { RowHeightRole, "rowHeight" },
        { FadesInRole, "fadesIn" },
    };
}

void KaomojiRowsModel::setWidth(qreal width)
{
    if (m_width == width)
        return;
    // The first width comes from a window, which brings the fonts to measure with.
    if (!m_laidOut)
        useFaceFont(FaceFont::from(QGuiApplication::font()));
    m_width = width;
    m_sectionRows.clear();
    emit widthChanged();
    refresh();
}

KaomojiRowsModel::~KaomojiRowsModel()
{
    for (QThread *thread : { m_fontPreparer, m_measurer }) {
        if (!thread)
            continue;
        thread->requestInterruption();
        thread->wait();
        delete thread;
    }
}

void KaomojiRowsModel::runOnThread(
    QThread *&thread, std::function<void()> work, std::function<void()> ended)
{
    thread = QThread::create(std::move(work));
    connect(thread, &QThread::finished, this, [&thread, ended = std::move(ended)] {
        thread->wait();
        thread->deleteLater();
        thread = nullptr;
        ended();
    });
    thread->start();
}

void KaomojiRowsModel::setBuiltHeight(qreal height)
{
    if (m_builtHeight == height)
        return;
    const bool deeper = height > m_builtHeight;
    m_builtHeight = height;
    emit builtHeightChanged();
    // The rows now in reach are measured before they are built.
    if (deeper && m_laidOut && !m_unmeasured.isEmpty())
        refresh();
}

void KaomojiRowsModel::followDesktopFont(const QFont &desktopFont)
{
    if (!m_laidOut)
        return;
    useFaceFont(FaceFont::from(desktopFont));
    ++m_fontGeneration; // what a running measurer finds is for the old font
    m_sizes.clear();
    m_sectionRows.clear();
    beginResetModel();
    m_rows.clear();
    m_keys.clear();
    endResetModel();
    refresh();
}

void KaomojiRowsModel::useFaceFont(const QFont &font)
{
    m_faceFont = font;
    const QFontMetricsF metrics(font);
    m_averageCharWidth = metrics.averageCharWidth();
    m_lineHeight = std::ceil(metrics.height());
    emit faceFontChanged();
}

void KaomojiRowsModel::setMeasuresInBackground(bool measures)
{
    m_measuresInBackground = measures;
    if (measures)
        measureInBackground();
}

void KaomojiRowsModel::prepareFontsInBackground()
{
    if (m_fontPreparer)
        return;
    // About as many faces from the top as the first screen shows: more would only hold Qt's
    // font lock longer while the window wants it.
    constexpr int firstScreenFaces = 20;
    QStringList faces;
    for (const QString &name : m_sections.names()) {
        const KaomojiEntriesModel *entries = m_sections.entries(name);
        for (int entry = 0; entry < entries->rowCount() && faces.size() < firstScreenFaces;
             ++entry)
            faces.append(entries->recordAt(entry).face());
    }
    // A font of the thread's own, as for measuring.
    QFont desktopFont = QGuiApplication::font().resolve(QFont());
    runOnThread(
        m_fontPreparer,
        [faces, font = std::move(desktopFont)]() mutable {
            const QFont desktopFont = std::move(font);
            FaceFont::prepare(desktopFont, faces);
        },
        [] {});
}

KaomojiRowsModel::FaceSize KaomojiRowsModel::sizeIn(const QString &face, const QFont &font)
{
    // As KaomojiButton shows it, behind a left-to-right mark.
    const TextInk::Line line = TextInk::measure(QChar(0x200e) + face, font);
    const QRectF &ink = line.ink;
    const QMarginsF inkMargins(std::ceil(std::max(0.0, -ink.left())),
        std::ceil(std::max(0.0, -ink.top())),
        std::ceil(std::max(0.0, ink.right() - line.size.width())),
        std::ceil(std::max(0.0, ink.bottom() - line.size.height())));
    return { line.size.grownBy(inkMargins)
                 .grownBy({ tilePadding, tilePadding, tilePadding, tilePadding }),
        inkMargins, false };
}

KaomojiRowsModel::FaceSize KaomojiRowsModel::measure(const QString &face)
{
    if (const auto known = m_sizes.constFind(face); known != m_sizes.cend())
        return *known;
    const FaceSize size = sizeIn(face, m_faceFont);
    m_sizes.insert(face, size);
    return size;
}

KaomojiRowsModel::FaceSize KaomojiRowsModel::sizeOf(const QString &face, bool mayMeasure)
{
    if (mayMeasure)
        return measure(face);
    if (const auto known = m_sizes.constFind(face); known != m_sizes.cend())
        return *known;
    m_unmeasured.append(face);
    const QSizeF text(m_averageCharWidth * double(face.size() + 1), m_lineHeight);
    return { text.grownBy({ tilePadding, tilePadding, tilePadding, tilePadding }), {}, true };
}

KaomojiRowsModel::SectionRows KaomojiRowsModel::layOutSection(
    const QString &name, double top, MeasuringBudget &budget)
{
    KaomojiEntriesModel *entries = m_sections.entries(name);
    const int count = entries->rowCount();
    std::vector<FaceSize> sizes;
    std::vector<QSizeF> tileSizes;
    sizes.reserve(size_t(count));
    tileSizes.reserve(size_t(count));
    bool exact = true;
    // The top of the row the next tile joins at the earliest (section titles are not counted,
    // which errs on measuring more).
    double rowTop = top + headerGap;
    for (int entry = 0; entry < count; ++entry, --budget.tiles) {
        const bool mayMeasure = budget.tiles > 0 && rowTop < budget.depth;
        sizes.push_back(sizeOf(entries->recordAt(entry).face(), mayMeasure));
        tileSizes.push_back(sizes.back().tile);
        exact = exact && !sizes.back().estimated;
        if (mayMeasure)
            rowTop = top + headerGap + MasonryGeometry::place(tileSizes, 0, 0, m_width).back().y();
    }
    const std::vector<QPointF> places = MasonryGeometry::place(tileSizes, 0, 0, m_width);
    const double bottom = MasonryGeometry::measure(tileSizes, m_width).height();

    SectionRows section { entries->ids(), {}, {} };
    std::vector<Row> &rows = section.rows;
    // A first tile too wide for the row starts one gap down, like every wrapped tile: that space
    // stays below the header.
    rows.push_back({ name, entries, true, {}, headerGap + (places.empty() ? 0 : places[0].y()) });
    for (int entry = 0; entry < count; ++entry) {
        if (entry == 0 || places[size_t(entry)].y() != places[size_t(entry) - 1].y())
            rows.push_back({ name, entries, false, {}, places[size_t(entry)].y() });
        const Kaomoji &record = entries->recordAt(entry);
        rows.back().tiles.push_back(
            { record.id(), record.face(), entry, places[size_t(entry)].x(), sizes[size_t(entry)] });
    }
    // Each row reaches down to the next one's top, the last to the section's bottom.
    double below = bottom + sectionGap;
    for (auto row = rows.rbegin(); !row->isHeader; ++row) {
        const double top = row->height;
        row->height = below - top;
        below = top;
    }
    for (const Row &row : rows)
        section.keys.append(row.isHeader ? headerKey(name) : tilesKey(name, row.tiles));
    if (exact)
        m_sectionRows.insert(name, section);
    else
        m_sectionRows.remove(name);
    return section;
}

void KaomojiRowsModel::layOut(std::vector<Row> &rows, QList<QByteArray> &keys)
{
    MeasuringBudget budget { tilesMeasuredAtOnce, m_builtHeight };
    m_unmeasured.clear();
    double top = 0;
    for (const QString &name : m_sections.names()) {
        const size_t rowsBefore = rows.size();
        KaomojiEntriesModel *entries = m_sections.entries(name);
        // A section whose tiles stay is taken as it was, also when it comes back: ten thousand
        // of one's own are not laid out again at every click or search.
        const auto known = m_sectionRows.find(name);
        if (known != m_sectionRows.end() && known->ids == entries->ids()) {
            budget.tiles -= int(known->ids.size());
            if (known->rows.front().entries != entries) {
                for (Row &row : known->rows)
                    row.entries = entries;
            }
            rows.insert(rows.end(), known->rows.begin(), known->rows.end());
            keys += known->keys;
        } else {
            const SectionRows section = layOutSection(name, top, budget);
            rows.insert(rows.end(), section.rows.begin(), section.rows.end());
            keys += section.keys;
        }
        for (auto row = rows.begin() + qsizetype(rowsBefore); row != rows.end(); ++row)
            top += row->height;
    }
    if (!rows.empty())
        rows.back().height -= sectionGap; // nothing follows the last section
}

void KaomojiRowsModel::refresh()
{
    if (m_width <= 0)
        return;
    std::vector<Row> rows;
    QList<QByteArray> keys;
    layOut(rows, keys);
    QSet<QString> shownBefore;
    for (const Row &row : m_rows) {
        if (row.isHeader)
            shownBefore.insert(row.section);
    }
    // The very first rows come with the window, which fades in as a whole.
    for (Row &row : rows)
        row.fadesIn = m_laidOut && !shownBefore.contains(row.section);
    m_laidOut = true;
    applyEdits(std::move(rows), keys);
    if (m_measuresInBackground)
        measureInBackground();
}

void KaomojiRowsModel::applyEdits(std::vector<Row> rows, const QList<QByteArray> &keys)
{
    std::vector<bool> inserted(rows.size(), false);
    for (const ListEdit &edit : listEdits(m_keys, keys)) {
        const auto at = m_rows.begin() + edit.index;
        switch (edit.kind) {
        case ListEdit::Kind::Remove:
            beginRemoveRows({}, edit.index, edit.index + edit.count - 1);
            m_rows.erase(at, at + edit.count);
            m_keys.remove(edit.index, edit.count);
            endRemoveRows();
            break;
        case ListEdit::Kind::Insert:
            beginInsertRows({}, edit.index, edit.index + edit.count - 1);
            m_rows.insert(at, std::make_move_iterator(rows.begin() + edit.index),
                std::make_move_iterator(rows.begin() + edit.index + edit.count));
            m_keys.insert(edit.index, edit.count, QByteArray());
            for (int row = edit.index; row < edit.index + edit.count; ++row) {
                m_keys[row] = keys[row];
                inserted[size_t(row)] = true;
            }
            endInsertRows();
            break;
        case ListEdit::Kind::Move: {
            beginMoveRows(
                {}, edit.index, edit.index, {}, edit.to > edit.index ? edit.to + 1 : edit.to);
            Row moved = std::move(*at);
            m_rows.erase(at);
            m_rows.insert(m_rows.begin() + edit.to, std::move(moved));
            m_keys.move(edit.index, edit.to);
            endMoveRows();
            break;
        }
        }
    }
    // Rows kept may stand at another height or show their tiles elsewhere (a face measured
    // since, the last section gone); those tell their delegates, the rest only take the new
    // rows' places in their entries.
    for (size_t row = 0; row < m_rows.size(); ++row) {
        if (inserted[row])
            continue;
        const bool changed = !sameLook(m_rows[row], rows[row]);
        m_rows[row] = std::move(rows[row]);
        if (changed)
            emit dataChanged(index(int(row)), index(int(row)));
    }
    for (const Row &row : m_rows) {
        if (row.isHeader) {
            connect(row.entries, &QAbstractItemModel::dataChanged, this,
                &KaomojiRowsModel::entriesChanged, Qt::UniqueConnection);
        }
    }
}

int KaomojiRowsModel::rowOfEntry(const KaomojiEntriesModel *entries, int entry) const
{
    for (size_t row = 0; row < m_rows.size(); ++row) {
        const Row &shown = m_rows[row];
        if (shown.entries != entries || shown.isHeader)
            continue;
        if (!shown.tiles.empty() && shown.tiles.front().entry <= entry
            && entry <= shown.tiles.back().entry)
            return int(row);
    }
    return -1;
}

std::optional<std::pair<int, int>> KaomojiRowsModel::placeOf(const QString &section, QUuid id) const
{
    const KaomojiEntriesModel *entries = m_sections.entries(section);
    const int entry = entries ? int(entries->ids().indexOf(id)) : -1;
    const int row = entry < 0 ? -1 : rowOfEntry(entries, entry);
    if (row < 0)
        return std::nullopt;
    return std::pair { row, entry - m_rows[size_t(row)].tiles.front().entry };
}

int KaomojiRowsModel::tileRowFrom(int row, int step) const
{
    for (row += step; row >= 0 && row < rowCount(); row += step) {
        if (!m_rows[size_t(row)].isHeader && !m_rows[size_t(row)].tiles.empty())
            return row;
    }
    return -1;
}

int KaomojiRowsModel::nearestTile(const QList<Tile> &tiles, double centre)
{
    int nearest = 0;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (qsizetype tile = 0; tile < tiles.size(); ++tile) {
        const double distance =
            std::abs(tiles[tile].x + tiles[tile].size.tile.width() / 2 - centre);
        // Between two as near, the left one, as reading goes.
        if (distance < nearestDistance) {
            nearest = int(tile);
            nearestDistance = distance;
        }
    }
    return nearest;
}

std::optional<std::pair<int, int>> KaomojiRowsModel::tileFrom(int row, int tile, Move move) const
{
    int to = -1;
    // From anywhere, as long as there is a tile.
    if (move == Move::First || move == Move::Last) {
        to = move == Move::First ? tileRowFrom(-1, 1) : tileRowFrom(rowCount(), -1);
        if (to < 0)
            return std::nullopt;
        return std::pair { to, move == Move::First ? 0 : int(m_rows[size_t(to)].tiles.size()) - 1 };
    }
    if (row < 0 || row >= rowCount() || tile < 0
        || tile >= m_rows[size_t(row)].tiles.size())
        return std::nullopt;
    const QList<Tile> &tiles = m_rows[size_t(row)].tiles;
    switch (move) {
    case Move::Left:
        if (tile > 0)
            return std::pair { row, tile - 1 };
        to = tileRowFrom(row, -1);
        return to < 0 ? std::nullopt
                      : std::optional(std::pair { to, int(m_rows[size_t(to)].tiles.size()) - 1 });
    case Move::Right:
        if (tile + 1 < tiles.size())
            return std::pair { row, tile + 1 };
        to = tileRowFrom(row, 1);
        return to < 0 ? std::nullopt : std::optional(std::pair { to, 0 });
    case Move::First:
    case Move::Last:
        break;
    case Move::Up:
    case Move::Down:
        to = tileRowFrom(row, move == Move::Up ? -1 : 1);
        break;
    }
    if (to < 0)
        return std::nullopt;
    const double centre = tiles[tile].x + tiles[tile].size.tile.width() / 2;
    return std::pair { to, nearestTile(m_rows[size_t(to)].tiles, centre) };
}

QVariant KaomojiRowsModel::keyTarget(int row, int tile, Move move) const
{
    const auto target = tileFrom(row, tile, move);
    if (!target)
        return {};
    return QVariantMap { { QStringLiteral("row"), target->first },
        { QStringLiteral("tile"), target->second } };
}

QVariant KaomojiRowsModel::tilePlace(const QString &section, const QString &id) const
{
    const auto place = placeOf(section, QUuid(id));
    if (!place)
        return {};
    return QVariantMap { { QStringLiteral("row"), place->first },
        { QStringLiteral("tile"), place->second } };
}

void KaomojiRowsModel::entriesChanged(
    const QModelIndex &from, const QModelIndex &to, const QList<int> &roles)
{
    const auto *entries = qobject_cast<const KaomojiEntriesModel *>(sender());
    // A face changed under its id, in a hand-edited file: measured and laid out anew.
    if (roles.isEmpty() || roles.contains(KaomojiEntriesModel::FaceRole)) {
        m_sectionRows.removeIf(
            [entries](const auto &section) { return section->rows.front().entries == entries; });
    }
    int last = -1;
    for (int entry = from.row(); entry <= to.row(); ++entry) {
        const int row = rowOfEntry(entries, entry);
        if (row >= 0 && row != last)
            emit dataChanged(index(row), index(row), { TilesRole });
        last = row;
    }
}

void KaomojiRowsModel::measureInBackground()
{
    if (m_measurer || m_unmeasured.isEmpty())
        return;
    QStringList faces = m_unmeasured;
    faces.removeDuplicates();
    // A font of the thread's own: a copy shares the window's, whose fonts are the UI thread's.
    QFont font = m_faceFont.resolve(QFont());
    auto measured = std::make_shared<QHash<QString, FaceSize>>();
    // On a thread of its own, whose fonts close when it ends: every face measured opens a font
    // for each script of the catalog, which the window need not hold (and Qt hands fonts back
    // only all at once, the window's own too, which the next faces shown would then open anew).
    runOnThread(
        m_measurer,
        [faces, font = std::move(font), measured]() mutable {
            // Let go of on this thread, with the fonts it opened.
            const QFont measuringFont = std::move(font);
            for (const QString &face : faces) {
                if (QThread::currentThread()->isInterruptionRequested())
                    return;
                measured->insert(face, sizeIn(face, measuringFont));
            }
        },
        [this, measured, generation = m_fontGeneration] {
            if (generation == m_fontGeneration) {
                for (auto size = measured->cbegin(); size != measured->cend(); ++size)
                    m_sizes.insert(size.key(), size.value());
            }
            refresh(); // measures what came meanwhile in turn
            if (!m_measurer)
                FaceFont::returnMemory();
        });
}
