#include "engine/util/Text.h"

namespace Util {

std::string trimLeft(const std::string& text, const std::string& set) {
    const size_t first = text.find_first_not_of(set);
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string trimRight(const std::string& text, const std::string& set) {
    const size_t last = text.find_last_not_of(set);
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string trim(const std::string& text, const std::string& set) { return trimRight(trimLeft(text, set), set); }

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string tail(const std::string& text, size_t n) { return n >= text.size() ? std::string() : text.substr(n); }

std::string textBefore(const std::string& text, char character) {
    const size_t at = text.find(character);
    return at == std::string::npos ? text : text.substr(0, at);
}

std::string textAfter(const std::string& text, char character) {
    const size_t at = text.find(character);
    return at == std::string::npos ? text : text.substr(at + 1);
}

std::string directoryOf(const std::string& path) {
    const size_t at = path.rfind('/');
    return at == std::string::npos ? path : path.substr(0, at);
}

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    std::string result;
    size_t start = 0;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, start)) {
        result.append(text, start, at - start).append(to);
        start = at + from.size();
    }
    return result.append(text, start, std::string::npos);
}

void extractBetween(const std::string& text, char open, char close, std::vector<std::string>& out) {
    size_t start = 0;
    while (true) {
        const size_t isOpen = text.find(open, start);
        if (isOpen == std::string::npos) return;
        const size_t closing = text.find(close, isOpen + 1);
        if (closing == std::string::npos) return;
        out.push_back(text.substr(isOpen + 1, closing - isOpen - 1));
        start = closing + 1;
    }
}

size_t split(const std::string& text, const std::string& delimiter, std::vector<std::string>& out, bool keepEmpty,
             bool trimEach) {
    auto append = [&](std::string piece) {
        if (trimEach) piece = trim(piece);
        if (keepEmpty || !piece.empty()) out.push_back(std::move(piece));
    };
    if (delimiter.empty()) {
        append(text);
        return out.size();
    }
    size_t start = 0;
    for (size_t at = text.find(delimiter); at != std::string::npos; at = text.find(delimiter, start)) {
        append(text.substr(start, at - start));
        start = at + delimiter.size();
    }
    append(text.substr(start));
    return out.size();
}

bool parseKeyValue(const std::string& line, std::string& key, std::string& value, char separator) {
    const size_t at = line.find(separator);
    if (at == std::string::npos) return false;
    key = trim(line.substr(0, at));
    const std::string rest = trim(line.substr(at + 1));
    if (!rest.empty()) value = rest;
    return true;
}

}  // namespace Util

