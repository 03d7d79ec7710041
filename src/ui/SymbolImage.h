#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QSvgRenderer>
#include <QtQml/qqmlregistration.h>

// One of the window's symbols ("plus", "sparkle", ...) drawn from its single-colour SVG in
// `color`, so that symbols follow the palette the way text does. Its implicit size is the
// SVG's own size; any other size scales the symbol and keeps its proportions.
class SymbolImage : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(bool valid READ isValid NOTIFY nameChanged)

public:
    explicit SymbolImage(QQuickItem *parent = nullptr);

    QString name() const { return m_name; }
    void setName(const QString &name);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    // False while no symbol of this name exists.
    bool isValid() const { return m_renderer.isValid(); }

    void paint(QPainter *painter) override;

    // Where the symbol of this name is kept among the module's resources.
    static QString resourcePath(const QString &name);

signals:
    void nameChanged();
    void colorChanged();

private:
    QString m_name;
    QColor m_color = Qt::black;
    QSvgRenderer m_renderer;
};
