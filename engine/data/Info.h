#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace flatbuffers {
class Parser;
class Table;
}  // namespace flatbuffers

namespace Game {

// The data name rule: a name ending in ".fb" or ".json" is kept; otherwise ".fb" is appended when
// that file exists and is not empty, else ".json" when that one does, else the name stays bare.
std::string resolveDataName(const std::string& name);

// One FlatBuffers schema and one data file loaded against it. The data is kept as a finished
// FlatBuffers buffer that owners read in place for as long as the loader lives.
class Info {
public:
    Info() = default;
    // Shares an already loaded schema, so that several data files are read against one parser.
    explicit Info(std::shared_ptr<flatbuffers::Parser> parser);
    virtual ~Info() = default;

    // Parses the schema with a fresh parser. An unreadable file is a fatal stop; a schema that
    // does not parse returns false. The schema's own folder is added to the include folders.
    bool loadSchema(const std::string& path, const std::vector<std::string>& includeDirs = {});

    // Loads the data named by the rule of resolveDataName. An unreadable file, one larger than
    // 16 MiB, or encoded data that does not verify against the schema, is a fatal stop; JSON
    // that does not parse returns null and keeps the previous data.
    const uint8_t* loadData(const std::string& name);

    // Stores encoded data (after verifying it against the schema) or JSON text (parsed against
    // the schema). Null, with the previous data kept, when that fails; the parser's error then
    // begins with the file named, when one is.
    const uint8_t* storeData(const std::string& contents, bool encoded, const std::string& fileName = {});

    std::shared_ptr<flatbuffers::Parser> getParser() const { return m_parser; }
    // The parser's last message: for JSON that did not parse, "<absolute path>:<line>: <column>:
    // error: <fault>"; for a schema, the same without the path. Empty when it found nothing wrong.
    std::string parseError() const;

    // Folders searched for the schema's includes when loadSchema is given none.
    void setIncludeDirs(std::vector<std::string> dirs) { m_includeDirs = std::move(dirs); }

    const uint8_t* data() const { return m_data.empty() ? nullptr : m_data.data(); }
    size_t dataSize() const { return m_data.size(); }
    // The root table of the data, or null before a load succeeded.
    const flatbuffers::Table* root() const;

private:
    std::vector<uint8_t> m_data;
    std::shared_ptr<flatbuffers::Parser> m_parser;
    std::vector<std::string> m_includeDirs;
};

}  // namespace Game
