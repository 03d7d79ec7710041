#include "ShortcutKeys.h"

#include <QTest>

using namespace Qt::StringLiterals;

// How a written combination reaches the X server (keysym, modifier mask) and the desktop's
// portal; a wrong keysym or mask grabs a key nobody presses. Ctrl+Alt+K and "none" are taken
// through both in the end-to-end tests (global_shortcut.sh, wayland_sway.py).
class ShortcutKeysTest : public QObject {
    Q_OBJECT

private slots:
    void readsWhatUsersWrite_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("x11"); // keysym and modifier mask, in hexadecimal
        QTest::addColumn<QString>("portalTrigger");
        QTest::newRow("Super is Meta")
            << u"Super+Period"_s << u"Meta+."_s << u"2e 40"_s << u"LOGO+period"_s;
        QTest::newRow("function key alone") << u"f12"_s << u"F12"_s << u"ffc9 0"_s << u"F12"_s;
        QTest::newRow("X key name") << u"Shift+Alt+page_up"_s << u"Alt+Shift+PgUp"_s << u"ff55 9"_s
                                    << u"SHIFT+ALT+Page_Up"_s;
    }
    void readsWhatUsersWrite()
    {
        QFETCH(QString, written);
        const std::optional<ShortcutKeys> keys = ShortcutKeys::fromText(written, nullptr);
        QVERIFY(keys);
        QTEST(keys->text(), "text");
        QTEST(u"%1 %2"_s.arg(keys->keysym(), 0, 16).arg(keys->x11Modifiers(), 0, 16), "x11");
        QTEST(keys->portalTrigger(), "portalTrigger");
    }
};

QTEST_GUILESS_MAIN(ShortcutKeysTest)
#include "ShortcutKeysTest.moc"
