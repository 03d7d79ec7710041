#pragma once

#include "Paster.h"

#include <memory>

class Preferences;

// The way this desktop lets Pelmora paste into other programs.
namespace DesktopPaster {
std::unique_ptr<Paster> forThisDesktop(Preferences &preferences);
}
