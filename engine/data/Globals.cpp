#include "engine/data/Globals.h"

#include "engine/data/Info.h"

namespace {

struct TableState {
    Game::Info info;
    Globals::SlotMap slots;
    const flatbuffers::Table* root = nullptr;
};

TableState& table() {
    static TableState s_state;
    return s_state;
}

}  // namespace

bool Globals::loadFiles(const std::string& schema, const std::string& data, const SlotMap& slots) {
    TableState& l_state = table();
    l_state.root = nullptr;
    if (!l_state.info.loadSchema(schema) || !l_state.info.loadData(data)) return false;
    l_state.slots = slots;
    l_state.root = l_state.info.root();
    return true;
}

const flatbuffers::Table* Globals::root() { return table().root; }

flatbuffers::voffset_t Globals::slotOf(const std::string& name) {
    const auto& l_slots = table().slots;
    const auto l_it = l_slots.find(name);
    return l_it == l_slots.end() ? 0 : l_it->second;
}

int Globals::getInt(const std::string& name) {
    const flatbuffers::Table* l_root = root();
    const flatbuffers::voffset_t l_slot = slotOf(name);
    return l_root && l_slot ? l_root->GetField<int32_t>(l_slot, 0) : 0;
}

float Globals::getFloat(const std::string& name) {
    const flatbuffers::Table* l_root = root();
    const flatbuffers::voffset_t l_slot = slotOf(name);
    return l_root && l_slot ? l_root->GetField<float>(l_slot, 0.0f) : 0.0f;
}
