#include "FaceFontWarmUp.h"

#include "PresetCatalog.h"

#include <QFont>
#include <QTextLayout>

void warmUpFaceFonts(const PresetCategory &category, const QFont &font)
{
    for (const PresetEntry &entry : category.entries) {
        QTextLayout layout(QString::fromUtf8(entry.face), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
    }
}
