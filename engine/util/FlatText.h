#pragma once
#include <string>
#include <vector>

#include <flatbuffers/flatbuffers.h>

namespace Util {

inline std::string toStdString(const flatbuffers::String* text) { return text ? text->str() : std::string(); }

inline std::vector<std::string> toStringVector(
    const flatbuffers::Vector<flatbuffers::Offset<flatbuffers::String>>* texts) {
    std::vector<std::string> result;
    if (!texts) return result;
    result.reserve(texts->size());
    for (const auto* text : *texts) result.push_back(toStdString(text));
    return result;
}

}  // namespace Util
