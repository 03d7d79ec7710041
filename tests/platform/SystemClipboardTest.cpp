#include "SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

using namespace Qt::StringLiterals;

class SystemClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void copiedFaceIsTheOnlyPlainText()
    {
        // Something richer already on the clipboard must not survive next to the face, and a
        // face that looks like markup is still plain text.
        auto *previous = new QMimeData;
        previous->setHtml(u"<b>old</b>"_s);
        QGuiApplication::clipboard()->setMimeData(previous);
        SystemClipboard().copyText(u"<b>(•⩊•)</b>"_s);
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->formats(), QStringList { u"text/plain"_s });
        QCOMPARE(data->text(), u"<b>(•⩊•)</b>"_s);
    }
};

QTEST_MAIN(SystemClipboardTest)
#include "SystemClipboardTest.moc"
