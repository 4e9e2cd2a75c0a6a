#include "engine/util/Text.h"

namespace Util {

std::string trimLeft(const std::string& text, const std::string& set) {
    const size_t l_first = text.find_first_not_of(set);
    return l_first == std::string::npos ? std::string() : text.substr(l_first);
}

std::string trimRight(const std::string& text, const std::string& set) {
    const size_t l_last = text.find_last_not_of(set);
    return l_last == std::string::npos ? std::string() : text.substr(0, l_last + 1);
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
    const size_t l_at = text.find(character);
    return l_at == std::string::npos ? text : text.substr(0, l_at);
}

std::string textAfter(const std::string& text, char character) {
    const size_t l_at = text.find(character);
    return l_at == std::string::npos ? text : text.substr(l_at + 1);
}

std::string directoryOf(const std::string& path) {
    const size_t l_at = path.rfind('/');
    return l_at == std::string::npos ? path : path.substr(0, l_at);
}

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    std::string l_result;
    size_t l_start = 0;
    for (size_t l_at = text.find(from); l_at != std::string::npos; l_at = text.find(from, l_start)) {
        l_result.append(text, l_start, l_at - l_start).append(to);
        l_start = l_at + from.size();
    }
    return l_result.append(text, l_start, std::string::npos);
}

void extractBetween(const std::string& text, char open, char close, std::vector<std::string>& out) {
    size_t l_start = 0;
    while (true) {
        const size_t l_open = text.find(open, l_start);
        if (l_open == std::string::npos) return;
        const size_t l_close = text.find(close, l_open + 1);
        if (l_close == std::string::npos) return;
        out.push_back(text.substr(l_open + 1, l_close - l_open - 1));
        l_start = l_close + 1;
    }
}

size_t split(const std::string& text, const std::string& delimiter, std::vector<std::string>& out, bool keepEmpty,
             bool trimEach) {
    auto l_append = [&](std::string piece) {
        if (trimEach) piece = trim(piece);
        if (keepEmpty || !piece.empty()) out.push_back(std::move(piece));
    };
    if (delimiter.empty()) {
        l_append(text);
        return out.size();
    }
    size_t l_start = 0;
    for (size_t l_at = text.find(delimiter); l_at != std::string::npos; l_at = text.find(delimiter, l_start)) {
        l_append(text.substr(l_start, l_at - l_start));
        l_start = l_at + delimiter.size();
    }
    l_append(text.substr(l_start));
    return out.size();
}

bool parseKeyValue(const std::string& line, std::string& key, std::string& value, char separator) {
    const size_t l_at = line.find(separator);
    if (l_at == std::string::npos) return false;
    key = trim(line.substr(0, l_at));
    const std::string l_rest = trim(line.substr(l_at + 1));
    if (!l_rest.empty()) value = l_rest;
    return true;
}

}  // namespace Util

