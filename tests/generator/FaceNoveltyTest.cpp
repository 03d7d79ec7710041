#include "FaceComposer.h"
#include "PresetCatalog.h"

#include <QSet>
#include <QTest>

// The generator should invent: compares its faces with the built-in catalog, using the
// catalog's own tags as prompts since those are the likeliest to meet a built-in face.
class FaceNoveltyTest : public QObject {
    Q_OBJECT

private slots:
    void mostFacesAreNotBuiltIn()
    {
        QSet<QString> builtIn;
        QSet<QString> tags;
        for (const PresetCategory &category : presetCatalogTable()) {
            tags.insert(QString::fromUtf8(category.name).toLower());
            for (const PresetEntry &entry : category.entries) {
                builtIn.insert(QString::fromUtf8(entry.face));
                for (const char *tag : entry.tags)
                    tags.insert(QString::fromUtf8(tag));
            }
        }
        if (builtIn.isEmpty())
            QSKIP("The built-in catalog is empty in this build; nothing to compare against.");

        FaceComposer composer(576);
        int total = 0;
        int repeated = 0;
        // Sorted, so the seeded composer sees the same prompts in the same order every run.
        QStringList prompts = tags.values();
        prompts.sort();
        for (const QString &tag : std::as_const(prompts)) {
            for (int i = 0; i < 10; ++i) {
                ++total;
                repeated += builtIn.contains(composer.compose(tag));
            }
        }
        const double newShare = 1.0 - double(repeated) / total;
        qInfo("%d of %d faces are built-in ones; %.1f%% are new", repeated, total, newShare * 100);
        QVERIFY(newShare >= 0.95);
    }
};

QTEST_APPLESS_MAIN(FaceNoveltyTest)
#include "FaceNoveltyTest.moc"
