#include "engine/data/Info.h"

#include <flatbuffers/idl.h>

#include <fstream>

#include "engine/data/SchemaVerifier.h"
#include "engine/util/Fatal.h"
#include "engine/util/Files.h"
#include "engine/util/Text.h"

namespace Game {
namespace {

// Far above any file the game ships (the largest is some 130 KiB), far below what would exhaust
// memory: a name given for a file that never ends (a device such as /dev/zero) must stop.
constexpr size_t kMostBytes = size_t(16) << 20;

enum class FileRead { Read, Unreadable, TooLarge };

FileRead readWholeFile(const std::string& path, std::string& contents) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return FileRead::Unreadable;
    contents.clear();
    char chunk[1 << 16];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
        contents.append(chunk, size_t(file.gcount()));
        if (contents.size() > kMostBytes) return FileRead::TooLarge;
    }
    return file.bad() ? FileRead::Unreadable : FileRead::Read;
}

// Reads the file or stops: prefix + path when it cannot be read, and the limit when it is larger.
std::string readOrStop(const std::string& path, const std::string& prefix) {
    std::string contents;
    const FileRead result = readWholeFile(path, contents);
    if (result == FileRead::TooLarge) {
        Util::fatal(prefix + path + ": larger than " + std::to_string(kMostBytes >> 20) + " MiB");
    }
    if (result == FileRead::Unreadable) Util::fatal(prefix + path);
    return contents;
}

}  // namespace

std::string resolveDataName(const std::string& name) {
    if (Util::endsWith(name, ".fb") || Util::endsWith(name, ".json")) return name;
    for (const char* extension : {".fb", ".json"}) {
        if (Util::fileSize(name + extension) > 0) return name + extension;
    }
    return name;
}

Info::Info(std::shared_ptr<flatbuffers::Parser> parser) : m_parser(std::move(parser)) {}

bool Info::loadSchema(const std::string& path, const std::vector<std::string>& includeDirs) {
    m_parser = std::make_shared<flatbuffers::Parser>();
    const std::string schema = readOrStop(path, "Failed to load schema:");

    std::vector<std::string> dirs = includeDirs.empty() ? m_includeDirs : includeDirs;
    if (path.find('/') != std::string::npos) dirs.push_back(Util::directoryOf(path));
    std::vector<const char*> dirList;
    for (const auto& dir : dirs) dirList.push_back(dir.c_str());
    dirList.push_back(nullptr);
    return m_parser->Parse(schema.c_str(), dirList.data(), nullptr);
}

const uint8_t* Info::loadData(const std::string& name) {
    const std::string resolvedName = resolveDataName(name);
    const bool encoded = Util::endsWith(resolvedName, ".fb");
    const std::string contents = readOrStop(resolvedName, "Failed to load: ");
    const uint8_t* data = storeData(contents, encoded, resolvedName);
    // Encoded data that does not verify would be read out of bounds, so it never reaches the owner.
    if (encoded && !data) Util::fatal("Failed to load: " + resolvedName);
    return data;
}

const uint8_t* Info::storeData(const std::string& contents, bool encoded, const std::string& fileName) {
    if (!m_parser || !m_parser->root_struct_def_) return nullptr;
    std::vector<uint8_t> buffer;
    if (encoded) {
        buffer.assign(contents.begin(), contents.end());
        if (!verifyBuffer(*m_parser, buffer.data(), buffer.size())) return nullptr;
    } else {
        // ParseJson accepts data only: a data file cannot add to or change the shared schema.
        m_parser->builder_.Clear();
        if (!m_parser->ParseJson(contents.c_str(), fileName.empty() ? nullptr : fileName.c_str())) return nullptr;
        const uint8_t* finished = m_parser->builder_.GetBufferPointer();
        buffer.assign(finished, finished + m_parser->builder_.GetSize());
    }
    m_data = std::move(buffer);
    return m_data.data();
}

std::string Info::parseError() const {
    if (!m_parser) return "";
    // The parser keeps every message of its life, one a line; the last is the one that stopped it.
    const std::string& messages = m_parser->error_;
    const size_t lastBreak = messages.rfind('\n');
    return lastBreak == std::string::npos ? messages : messages.substr(lastBreak + 1);
}

const flatbuffers::Table* Info::root() const {
    return m_data.empty() ? nullptr : flatbuffers::GetRoot<flatbuffers::Table>(m_data.data());
}

}  // namespace Game
