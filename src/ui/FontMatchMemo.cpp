#include "FontMatchMemo.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>
#include <map>
#include <mutex>
#include <string>

namespace {

// Holds a reference of its own to `match`.
struct Answer {
    FcPattern *match;
    FcResult result;
};

// A request's answer holds as long as the fonts it was chosen from: the same configuration,
// with the same fonts added by applications.
struct Request {
    FcConfig *config;
    int applicationFonts;
    std::string pattern;

    auto operator<=>(const Request &) const = default;
};

// Requests come from a few families at a few sizes; past this, something asks for far more
// than fallbacks, and is left to fontconfig.
constexpr std::size_t mostRemembered = 1024;

std::mutex memoLock;
// Never destroyed: at exit, fontconfig may have let go of the fonts the answers point into.
std::map<Request, Answer> &memo()
{
    static auto *answers = new std::map<Request, Answer>;
    return *answers;
}

using MatchFunction = FcPattern *(*)(FcConfig *, FcPattern *, FcResult *);

MatchFunction fontconfigMatch()
{
    static const auto match = reinterpret_cast<MatchFunction>(dlsym(RTLD_NEXT, "FcFontMatch"));
    return match;
}

FcPattern *shared(FcPattern *pattern)
{
    if (pattern)
        FcPatternReference(pattern);
    return pattern;
}

bool describe(FcConfig *config, FcPattern *pattern, Request &request)
{
    request.config = config ? config : FcConfigGetCurrent();
    const FcFontSet *added = FcConfigGetFonts(request.config, FcSetApplication);
    request.applicationFonts = added ? added->nfont : 0;
    FcChar8 *text = FcNameUnparse(pattern);
    if (!text)
        return false;
    request.pattern = reinterpret_cast<const char *>(text);
    FcStrFree(text);
    return true;
}

} // namespace

// Every caller of a request is handed the same answer, referenced once more for it: Qt only
// reads what it is answered, and copies of every font's localized names would cost far more.
extern "C" FcPattern *FcFontMatch(FcConfig *config, FcPattern *pattern, FcResult *result)
{
    Request request;
    if (!result || !describe(config, pattern, request))
        return fontconfigMatch()(config, pattern, result);
    {
        const std::lock_guard lock(memoLock);
        if (const auto known = memo().find(request); known != memo().end()) {
            *result = known->second.result;
            return shared(known->second.match);
        }
    }
    FcPattern *match = fontconfigMatch()(config, pattern, result);
    const std::lock_guard lock(memoLock);
    if (memo().size() < mostRemembered
        && memo().try_emplace(std::move(request), Answer { match, *result }).second)
        shared(match);
    return match;
}

std::size_t FontMatchMemo::size()
{
    const std::lock_guard lock(memoLock);
    return memo().size();
}
