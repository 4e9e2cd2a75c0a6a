#include "engine/data/Info.h"

#include <flatbuffers/idl.h>
#include <flatbuffers/util.h>

#include "engine/data/SchemaVerifier.h"
#include "engine/util/Fatal.h"
#include "engine/util/Files.h"
#include "engine/util/Text.h"

namespace Game {

std::string resolveDataName(const std::string& name) {
    if (Util::endsWith(name, ".fb") || Util::endsWith(name, ".json")) return name;
    for (const char* l_extension : {".fb", ".json"}) {
        if (Util::fileSize(name + l_extension) > 0) return name + l_extension;
    }
    return name;
}

Info::Info(std::shared_ptr<flatbuffers::Parser> parser) : m_parser(std::move(parser)) {}

bool Info::loadSchema(const std::string& path, const std::vector<std::string>& includeDirs) {
    m_parser = std::make_shared<flatbuffers::Parser>();
    std::string l_schema;
    if (!flatbuffers::LoadFile(path.c_str(), false, &l_schema)) Util::fatal("Failed to load schema:" + path);

    std::vector<std::string> l_dirs = includeDirs.empty() ? m_includeDirs : includeDirs;
    if (path.find('/') != std::string::npos) l_dirs.push_back(Util::directoryOf(path));
    std::vector<const char*> l_dirList;
    for (const auto& l_dir : l_dirs) l_dirList.push_back(l_dir.c_str());
    l_dirList.push_back(nullptr);
    return m_parser->Parse(l_schema.c_str(), l_dirList.data(), nullptr);
}

const uint8_t* Info::loadData(const std::string& name) {
    const std::string l_name = resolveDataName(name);
    const bool l_encoded = Util::endsWith(l_name, ".fb");
    std::string l_contents;
    if (!flatbuffers::LoadFile(l_name.c_str(), l_encoded, &l_contents)) Util::fatal("Failed to load: " + l_name);
    const uint8_t* l_data = storeData(l_contents, l_encoded, l_name);
    // Encoded data that does not verify would be read out of bounds, so it never reaches the owner.
    if (l_encoded && !l_data) Util::fatal("Failed to load: " + l_name);
    return l_data;
}

const uint8_t* Info::storeData(const std::string& contents, bool encoded, const std::string& fileName) {
    if (!m_parser || !m_parser->root_struct_def_) return nullptr;
    std::vector<uint8_t> l_buffer;
    if (encoded) {
        l_buffer.assign(contents.begin(), contents.end());
        if (!verifyBuffer(*m_parser, l_buffer.data(), l_buffer.size())) return nullptr;
    } else {
        // ParseJson accepts data only: a data file cannot add to or change the shared schema.
        m_parser->builder_.Clear();
        if (!m_parser->ParseJson(contents.c_str(), fileName.empty() ? nullptr : fileName.c_str())) return nullptr;
        const uint8_t* l_finished = m_parser->builder_.GetBufferPointer();
        l_buffer.assign(l_finished, l_finished + m_parser->builder_.GetSize());
    }
    m_data = std::move(l_buffer);
    return m_data.data();
}

const flatbuffers::Table* Info::root() const {
    return m_data.empty() ? nullptr : flatbuffers::GetRoot<flatbuffers::Table>(m_data.data());
}

}  // namespace Game
