#include "DesktopPaster.h"

#include "WaylandPaster.h"
#include "X11Paster.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <functional>

namespace {

// Where Pelmora has no way to type into another program.
class NoPaster final : public Paster {
public:
    explicit NoPaster(QString problem)
        : m_problem(std::move(problem))
    {
    }
    QString problem() const override { return m_problem; }
    void paste() override { }

private:
    QString m_problem;
};

// Connects to the display only once pasting is asked for: most users never turn it on, and
// start-up need not wait for a second display connection.
class PasterOnFirstUse final : public Paster {
public:
    explicit PasterOnFirstUse(std::function<std::unique_ptr<Paster>()> make)
        : m_make(std::move(make))
    {
    }
    QString problem() const override { return paster().problem(); }
    void rememberTarget() override { paster().rememberTarget(); }
    void paste() override { paster().paste(); }

private:
    Paster &paster() const
    {
        if (!m_paster)
            m_paster = m_make();
        return *m_paster;
    }

    std::function<std::unique_ptr<Paster>()> m_make;
    mutable std::unique_ptr<Paster> m_paster;
};

} // namespace

std::unique_ptr<Paster> DesktopPaster::forThisDesktop(Preferences &preferences)
{
    const QString platform = QGuiApplication::platformName();
    if (platform == u"xcb")
        return std::make_unique<PasterOnFirstUse>(
            [&preferences] { return std::make_unique<X11Paster>(preferences); });
    if (platform.startsWith(u"wayland"))
        return std::make_unique<PasterOnFirstUse>(
            [&preferences] { return std::make_unique<WaylandPaster>(preferences); });
    return std::make_unique<NoPaster>(QCoreApplication::translate(
        "DesktopPaster", "cannot paste on the \"%1\" platform; the face is on the clipboard")
                                          .arg(platform));
}
