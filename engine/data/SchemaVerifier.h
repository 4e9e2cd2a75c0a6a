#pragma once
#include <cstddef>
#include <cstdint>

namespace flatbuffers {
class Parser;
}

namespace Game {

// Whether the bytes are a well-formed buffer of the parser's root type: every table, vector,
// string, struct and union they hold lies inside them. Checked with FlatBuffers' verifier,
// driven by the parsed schema in place of generated code.
bool verifyBuffer(const flatbuffers::Parser& parser, const uint8_t* buffer, size_t size);

}  // namespace Game
