#include "engine/data/Globals.h"

#include "engine/data/Info.h"

namespace {

struct TableState {
    Game::Info info;
    Globals::SlotMap slots;
    const flatbuffers::Table* root = nullptr;
    std::string error;
};

TableState& table() {
    static TableState s_state;
    return s_state;
}

}  // namespace

bool Globals::loadFiles(const std::string& schema, const std::string& data, const SlotMap& slots) {
    TableState& state = table();
    state.root = nullptr;
    state.error.clear();
    if (!state.info.loadSchema(schema)) {
        state.error = schema + ":" + state.info.parseError();
        return false;
    }
    if (!state.info.loadData(data)) {
        state.error = state.info.parseError();
        return false;
    }
    state.slots = slots;
    state.root = state.info.root();
    return true;
}

const std::string& Globals::loadError() { return table().error; }

const flatbuffers::Table* Globals::root() { return table().root; }

flatbuffers::voffset_t Globals::slotOf(const std::string& name) {
    const auto& slots = table().slots;
    const auto it = slots.find(name);
    return it == slots.end() ? 0 : it->second;
}

int Globals::getInt(const std::string& name) {
    const flatbuffers::Table* rootTable = root();
    const flatbuffers::voffset_t slot = slotOf(name);
    return rootTable && slot ? rootTable->GetField<int32_t>(slot, 0) : 0;
}

float Globals::getFloat(const std::string& name) {
    const flatbuffers::Table* rootTable = root();
    const flatbuffers::voffset_t slot = slotOf(name);
    return rootTable && slot ? rootTable->GetField<float>(slot, 0.0f) : 0.0f;
}
