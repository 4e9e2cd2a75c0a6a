#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <flatbuffers/flatbuffers.h>

// A table of named values: one process-wide data file whose root fields are read by the names a
// slot map gives them. Every read of a name that is unknown, or of a field the data leaves out,
// gives the default: 0, 0.0, an empty list or null.
class Globals {
public:
    // Each name with its field's slot in the root table's layout (4 + 2 x field number).
    using SlotMap = std::map<std::string, flatbuffers::voffset_t>;

    // Loads the schema and data (by the data name rule) and reads names through the map. On
    // failure the table is empty and loadError tells why.
    static bool loadFiles(const std::string& schema, const std::string& data, const SlotMap& slots);
    // Why the last load failed, as the parser tells it: the file, line and column and the fault.
    static const std::string& loadError();

    static int getInt(const std::string& name);
    static float getFloat(const std::string& name);

    // The tables of a vector-of-tables field, seen as T: a table type generated from the schema
    // or flatbuffers::Table.
    template <typename T = flatbuffers::Table>
    static std::vector<const T*> tables(const std::string& name) {
        std::vector<const T*> tables;
        if (const auto* vector = vectorField<flatbuffers::Offset<flatbuffers::Table>>(name)) {
            for (const flatbuffers::Table* table : *vector) tables.push_back(reinterpret_cast<const T*>(table));
        }
        return tables;
    }

    // The raw vector of a vector field, of scalars (vectorField<float>) or of structs
    // (vectorField<const Struct*>).
    template <typename T>
    static const flatbuffers::Vector<T>* vectorField(const std::string& name) {
        const flatbuffers::Table* rootTable = root();
        const flatbuffers::voffset_t slot = slotOf(name);
        return rootTable && slot ? rootTable->GetPointer<const flatbuffers::Vector<T>*>(slot) : nullptr;
    }

    // The root table, or null while nothing is loaded.
    static const flatbuffers::Table* root();
    // The slot of a name, 0 when the name is unknown.
    static flatbuffers::voffset_t slotOf(const std::string& name);
};
