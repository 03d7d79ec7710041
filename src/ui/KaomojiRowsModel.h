#pragma once

#include "KaomojiEntriesModel.h"

#include <QAbstractListModel>
#include <QFont>
#include <QHash>
#include <QMarginsF>
#include <QPointer>
#include <QSet>
#include <QSizeF>
#include <QStringList>
#include <QThread>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

class KaomojiSectionsModel;

// The results as the list shows them, row by row: each section's header, then its tiles in the
// rows MasonryGeometry wraps them into at the given width. Tile sizes come from the faces
// measured once each in the face font, as a tile sizes itself around its text.
//
// Follows the sections by difference: a row whose section and tiles stay keeps its place, so
// its delegate and the tiles in it (their flash, sparkle, focus and hover) live on, and only
// the rows near the viewport ever get delegates.
class KaomojiRowsModel final : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The window state makes its rows")

    Q_PROPERTY(qreal width READ width WRITE setWidth NOTIFY widthChanged)
    // How far down the list builds rows: faces further down are not measured at once.
    Q_PROPERTY(qreal builtHeight READ builtHeight WRITE setBuiltHeight NOTIFY builtHeightChanged)
    Q_PROPERTY(QFont faceFont READ faceFont NOTIFY faceFontChanged)

public:
    enum Role {
        IsHeaderRole = Qt::UserRole + 1,
        NameRole,
        HasClearButtonRole,
        IsCustomRole,
        // A header row: the space below its header.
        HeaderGapRole,
        // A row of tiles: its tiles (id, face, place, text padding, flash, sparkle), how many,
        // and its height with the space below it.
        TilesRole,
        TileCountRole,
        RowHeightRole,
        // A row that arrives with its section, which fades in.
        FadesInRole,
    };
    Q_ENUM(Role)

    // Where a key moves the keyboard among the tiles.
    enum class Move { Left, Right, Up, Down, First, Last };
    Q_ENUM(Move)

    // Around a tile's text, as KaomojiButton pads it.
    static constexpr double tilePadding = 8;
    // Below a section's header and between sections, as the list spaced them.
    static constexpr double headerGap = 8;
    static constexpr double sectionGap = 20;
    // Tiles from the top of the results measured at once, at most, and only those whose row
    // starts within the built height (about what the picker's first screen holds). The rest are
    // measured in the background once the window has drawn, standing in at an estimated size
    // until then.
    static constexpr int tilesMeasuredAtOnce = 48;

    struct FaceSize {
        QSizeF tile;
        // Around the text inside the tile's padding, where its ink reaches past the line.
        QMarginsF ink;
        bool estimated = false;
    };
    struct Tile {
        QUuid id;
        QString face;
        int entry = 0; // the row in the section's entries when laid out
        double x = 0;
        FaceSize size;
    };
    struct Row {
        QString section;
        QPointer<KaomojiEntriesModel> entries;
        bool isHeader = false;
        QList<Tile> tiles; // shared: a section laid out once is copied into every layout
        // Tile rows: everything down to the next row; headers: the space below the header.
        double height = 0;
        bool fadesIn = false;
    };

    KaomojiRowsModel(const KaomojiSectionsModel &sections, QObject *parent);
    ~KaomojiRowsModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    qreal width() const { return m_width; }
    void setWidth(qreal width);
    qreal builtHeight() const { return m_builtHeight; }
    // Rows further down stand in at an estimated size until measured in the background.
    void setBuiltHeight(qreal height);
    QFont faceFont() const { return m_faceFont; }
    // Measures the faces that stood in at an estimated size, on a thread of its own; the window
    // starts it once it has drawn, so that nothing competes with its first frame.
    Q_INVOKABLE void setMeasuresInBackground(bool measures);
    // Opens ahead, on a thread of its own, what the first faces' fonts share between threads,
    // while the window that shows them still loads.
    void prepareFontsInBackground();

    // Lays the sections out again and brings the rows to the result by difference.
    void refresh();
    // No tile stands in at an estimated size.
    bool isMeasured() const { return m_unmeasured.isEmpty() && !m_measurer; }

    const Row &row(int index) const { return m_rows[size_t(index)]; }
    // The row and the tile within it that show the entry of this id, if any.
    std::optional<std::pair<int, int>> placeOf(const QString &section, QUuid id) const;
    // The row and tile a key moves to from this tile, by place: Left and Right along the rows,
    // Up and Down to the nearest row of tiles above or below, First and Last from anywhere.
    // None past the ends.
    std::optional<std::pair<int, int>> tileFrom(int row, int tile, Move move) const;
    // Of the tiles of a row, the one whose horizontal centre is closest to `centre`.
    static int nearestTile(const QList<Tile> &tiles, double centre);
    // For the views: {row, tile}, or undefined.
    Q_INVOKABLE QVariant keyTarget(int row, int tile, KaomojiRowsModel::Move move) const;
    Q_INVOKABLE QVariant tilePlace(const QString &section, const QString &id) const;
    // Measured at most once per face and font.
    FaceSize measure(const QString &face);

signals:
    void widthChanged();
    void builtHeightChanged();
    void faceFontChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A section laid out: its rows as if another section followed, the keys of those rows, and
    // the ids they were laid out from. Kept, while every size in it was measured, until the
    // section is laid out again.
    struct SectionRows {
        QList<QUuid> ids;
        std::vector<Row> rows;
        QList<QByteArray> keys;
    };

    void layOut(std::vector<Row> &rows, QList<QByteArray> &keys);
    // What a layout may still measure at once: so many tiles from the top, in rows that start
    // above `depth`.
    struct MeasuringBudget {
        int tiles = 0;
        double depth = 0;
    };
    SectionRows layOutSection(const QString &name, double top, MeasuringBudget &budget);
    FaceSize sizeOf(const QString &face, bool mayMeasure);
    void applyEdits(std::vector<Row> rows, const QList<QByteArray> &keys);
    // The next row of tiles from `row` in `step`'s direction, or -1.
    int tileRowFrom(int row, int step) const;
    int rowOfEntry(const KaomojiEntriesModel *entries, int entry) const;
    void entriesChanged(const QModelIndex &from, const QModelIndex &to, const QList<int> &roles);
    void measureInBackground();
    // Starts `work` on a thread of its own, kept in `thread` until it has ended (its fonts
    // closed); `ended` then runs here, `thread` empty again.
    void runOnThread(QThread *&thread, std::function<void()> work, std::function<void()> ended);
    static FaceSize sizeIn(const QString &face, const QFont &font);
    void followDesktopFont(const QFont &desktopFont);
    void useFaceFont(const QFont &font);

    const KaomojiSectionsModel &m_sections;
    std::vector<Row> m_rows;
    // Section and ids of each row, what the differences are computed on.
    QList<QByteArray> m_keys;
    qreal m_width = 0;
    qreal m_builtHeight = std::numeric_limits<qreal>::infinity();
    QFont m_faceFont;
    // What a face not yet measured is taken to need.
    double m_averageCharWidth = 0;
    double m_lineHeight = 0;
    QHash<QString, FaceSize> m_sizes;
    QHash<QString, SectionRows> m_sectionRows; // by section name
    QStringList m_unmeasured;
    QThread *m_measurer = nullptr;
    QThread *m_fontPreparer = nullptr;
    // Counts the face fonts used, so that sizes measured in an earlier one are let go.
    int m_fontGeneration = 0;
    bool m_measuresInBackground = false;
    bool m_laidOut = false;
};
