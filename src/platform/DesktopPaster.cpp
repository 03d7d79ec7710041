#include "DesktopPaster.h"

#include "WaylandPaster.h"
#include "X11Paster.h"

#include <QCoreApplication>
#include <QGuiApplication>

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

} // namespace

std::unique_ptr<Paster> DesktopPaster::forThisDesktop(Preferences &preferences)
{
    const QString platform = QGuiApplication::platformName();
    if (platform == u"xcb")
        return std::make_unique<X11Paster>(preferences);
    if (platform.startsWith(u"wayland"))
        return std::make_unique<WaylandPaster>(preferences);
    return std::make_unique<NoPaster>(QCoreApplication::translate(
        "DesktopPaster", "cannot paste on the \"%1\" platform; the face is on the clipboard")
                                          .arg(platform));
}
