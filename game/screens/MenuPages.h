#pragma once
#include <string>

// Screens whose pages are the areas of one input controller: an area named "PAGE" and a page
// number (counted from 1) belongs to that page; every other area is on all pages.
namespace Zelmo {

// page counts from 0, as the screens keep it.
bool isAreaOnPage(const std::string& areaName, int page);
// The page one step forwards or backwards, going round at both ends.
int stepPage(int page, bool forward, int pageCount);
// The prefix of the areas of a page counted from 0: "PAGE1" for page 0.
std::string pagePrefix(int page);

}  // namespace Zelmo
