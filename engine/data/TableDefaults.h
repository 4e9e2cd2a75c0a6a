#pragma once
#include <flatbuffers/flatbuffers.h>

namespace Game {

// The table itself, or for an absent one a table with no fields, so that every field read
// through it gives its schema default.
template <typename T>
const T* tableOrDefaults(const T* table) {
    static const flatbuffers::DetachedBuffer s_empty = [] {
        flatbuffers::FlatBufferBuilder builder;
        builder.Finish(flatbuffers::Offset<flatbuffers::Table>(builder.EndTable(builder.StartTable())));
        return builder.Release();
    }();
    return table ? table : flatbuffers::GetRoot<T>(s_empty.data());
}

}  // namespace Game
