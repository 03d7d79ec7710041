#include "SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

class SystemClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void copiedFaceIsTheOnlyPlainText();
};

void SystemClipboardTest::copiedFaceIsTheOnlyPlainText()
{
    // Something richer already on the clipboard must not survive next to the face.
    auto *previous = new QMimeData;
    previous->setHtml(QStringLiteral("<b>old</b>"));
    previous->setText(QStringLiteral("old"));
    QGuiApplication::clipboard()->setMimeData(previous);

    SystemClipboard clipboard;
    const QString face = QStringLiteral("<b>(•⩊•)</b>");
    clipboard.copyText(face);

    const QMimeData *data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    QVERIFY(data);
    QCOMPARE(data->text(), face);
    QVERIFY(!data->hasHtml());
    QCOMPARE(data->formats(), QStringList { QStringLiteral("text/plain") });
    QCOMPARE(QGuiApplication::clipboard()->text(), face);
}

QTEST_MAIN(SystemClipboardTest)
#include "SystemClipboardTest.moc"
