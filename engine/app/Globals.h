#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <flatbuffers/flatbuffers.h>

// The tuning table: one process-wide data file whose root fields are read by name
// ("PLAYERSPEED", "OPTIONVALUES", ...). Every read of a name that is unknown, or of a field the
// data leaves out, gives the default: 0, 0.0, an empty list or null.
class Globals {
public:
    using SlotMap = std::map<std::string, flatbuffers::voffset_t>;

    // The 25 field names with their slots in the root table's layout (4 + 2 x field number).
    static SlotMap fieldSlots();

    // Loads "data/Globals.fbs" and "data/globals" (".fb" or ".json").
    static bool load();
    // Loads the schema and data and reads names through the map. On failure the table is empty.
    static bool loadFiles(const std::string& schema, const std::string& data, const SlotMap& slots);

    static int getInt(const std::string& name);
    static float getFloat(const std::string& name);

    // The tables of a vector-of-tables field, seen as T: a table type generated from the schema
    // ("OPTIONVALUES" as Zelmo::OptionTable) or flatbuffers::Table.
    template <typename T = flatbuffers::Table>
    static std::vector<const T*> tables(const std::string& name) {
        std::vector<const T*> l_tables;
        if (const auto* l_vector = vectorField<flatbuffers::Offset<flatbuffers::Table>>(name)) {
            for (const flatbuffers::Table* l_table : *l_vector) l_tables.push_back(reinterpret_cast<const T*>(l_table));
        }
        return l_tables;
    }

    // The raw vector of a vector field: vectorField<float>("KNOCKBACKVALUES"),
    // vectorField<const Zelmo::GameSeed*>("GAMESEEDS").
    template <typename T>
    static const flatbuffers::Vector<T>* vectorField(const std::string& name) {
        const flatbuffers::Table* l_root = root();
        const flatbuffers::voffset_t l_slot = slotOf(name);
        return l_root && l_slot ? l_root->GetPointer<const flatbuffers::Vector<T>*>(l_slot) : nullptr;
    }

    // The root table, or null while nothing is loaded.
    static const flatbuffers::Table* root();
    // The slot of a name, 0 when the name is unknown.
    static flatbuffers::voffset_t slotOf(const std::string& name);
};
