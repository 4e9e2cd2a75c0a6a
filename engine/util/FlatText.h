#pragma once
#include <string>
#include <vector>

#include <flatbuffers/flatbuffers.h>

namespace Util {

inline std::string toStdString(const flatbuffers::String* text) { return text ? text->str() : std::string(); }

inline std::vector<std::string> toStringVector(
    const flatbuffers::Vector<flatbuffers::Offset<flatbuffers::String>>* texts) {
    std::vector<std::string> l_result;
    if (!texts) return l_result;
    l_result.reserve(texts->size());
    for (const auto* l_text : *texts) l_result.push_back(toStdString(l_text));
    return l_result;
}

}  // namespace Util
