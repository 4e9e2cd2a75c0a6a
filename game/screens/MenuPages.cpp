#include "game/screens/MenuPages.h"

#include "engine/util/Text.h"

namespace Zelmo {
namespace {

const std::string kPageWord = "PAGE";

}  // namespace

std::string pagePrefix(int page) { return kPageWord + std::to_string(page + 1); }

bool isAreaOnPage(const std::string& areaName, int page) {
    return !Util::startsWith(areaName, kPageWord) || Util::startsWith(areaName, pagePrefix(page));
}

int stepPage(int page, bool forward, int pageCount) {
    const int next = page + (forward ? 1 : -1);
    if (next < 0) return pageCount - 1;
    if (next >= pageCount) return 0;
    return next;
}

}  // namespace Zelmo
