#include "engine/data/SchemaVerifier.h"

#include <flatbuffers/idl.h>

namespace Game {
namespace {

using flatbuffers::BaseType;
using flatbuffers::FieldDef;
using flatbuffers::StructDef;
using flatbuffers::Table;
using flatbuffers::Type;
using flatbuffers::uoffset_t;
using flatbuffers::voffset_t;

class SchemaVerifier {
public:
    SchemaVerifier(const uint8_t* buffer, size_t size) : m_buffer(buffer), m_verifier(buffer, size) {}

    bool root(const StructDef& rootType) {
        const uoffset_t offset = m_verifier.VerifyOffset(size_t(0));
        return offset && table(rootType, reinterpret_cast<const Table*>(m_buffer + offset));
    }

private:
    static const uint8_t* base(const Table& owner) { return reinterpret_cast<const uint8_t*>(&owner); }

    bool table(const StructDef& type, const Table* data) {
        if (!data->VerifyTableStart(m_verifier)) return false;
        for (const FieldDef* fieldDef : type.fields.vec) {
            if (!field(*data, *fieldDef)) return false;
        }
        return m_verifier.EndTable();
    }

    // A value stored inline in the table: a scalar or a struct.
    bool inlineField(const Table& owner, const FieldDef& field, size_t size, size_t alignment) {
        const voffset_t at = owner.GetOptionalFieldOffset(field.value.offset);
        if (!at) return !field.IsRequired();
        return m_verifier.VerifyFieldStruct(base(owner), at, size, alignment);
    }

    bool offsetField(const Table& owner, const FieldDef& field) {
        return field.IsRequired() ? owner.VerifyOffsetRequired(m_verifier, field.value.offset)
                                  : owner.VerifyOffset(m_verifier, field.value.offset);
    }

    bool field(const Table& owner, const FieldDef& field) {
        const Type& type = field.value.type;
        const voffset_t slot = field.value.offset;
        if (flatbuffers::IsScalar(type.base_type)) {
            const size_t count = flatbuffers::SizeOf(type.base_type);
            return inlineField(owner, field, count, count);
        }
        if (flatbuffers::IsStruct(type)) {
            return inlineField(owner, field, type.struct_def->bytesize, type.struct_def->minalign);
        }
        if (!offsetField(owner, field)) return false;
        const uint8_t* target = owner.GetPointer<const uint8_t*>(slot);
        if (!target) return true;
        switch (type.base_type) {
            case BaseType::BASE_TYPE_STRING:
                return string(target);
            case BaseType::BASE_TYPE_STRUCT:
                return table(*type.struct_def, reinterpret_cast<const Table*>(target));
            case BaseType::BASE_TYPE_UNION:
                return unionValue(field.value.type, owner.GetField<uint8_t>(voffset_t(slot - sizeof(voffset_t)), 0),
                                  target);
            case BaseType::BASE_TYPE_VECTOR:
                return vector(owner, field, target);
            default: return false;
        }
    }

    bool string(const uint8_t* data) { return m_verifier.VerifyString(reinterpret_cast<const flatbuffers::String*>(data)); }

    // The member of a union; its type byte was verified as the field before it. Unknown member
    // types pass, as they do for generated code: readers only look at the types they know.
    bool unionValue(const Type& unionType, uint8_t memberType, const uint8_t* data) {
        if (memberType == 0) return true;
        const flatbuffers::EnumVal* member = unionType.enum_def->ReverseLookup(memberType, false);
        if (!member) return true;
        const Type& type = member->union_type;
        if (type.base_type == BaseType::BASE_TYPE_STRING) return string(data);
        if (flatbuffers::IsStruct(type)) return m_verifier.VerifyFromPointer(data, type.struct_def->bytesize);
        return table(*type.struct_def, reinterpret_cast<const Table*>(data));
    }

    bool vector(const Table& owner, const FieldDef& field, const uint8_t* data) {
        const Type element = field.value.type.VectorType();
        const bool ofOffsets = !flatbuffers::IsScalar(element.base_type) && !flatbuffers::IsStruct(element);
        const size_t elementSize = ofOffsets ? sizeof(uoffset_t) : flatbuffers::InlineSize(element);
        const size_t elementAlignment = ofOffsets ? sizeof(uoffset_t) : flatbuffers::InlineAlignment(element);
        if (!m_verifier.VerifyVectorOrString(data, elementSize) ||
            !m_verifier.VerifyAlignment(size_t(data - m_buffer) + sizeof(uoffset_t), elementAlignment)) {
            return false;
        }
        if (!ofOffsets) return true;
        const auto* offsets = reinterpret_cast<const flatbuffers::Vector<uoffset_t>*>(data);
        const uint8_t* types = nullptr;
        if (element.base_type == BaseType::BASE_TYPE_UNION) {
            // A vector of unions keeps its member types in the vector field just before it.
            const voffset_t typeSlot = voffset_t(field.value.offset - sizeof(voffset_t));
            const auto* typeVector = owner.GetPointer<const flatbuffers::Vector<uint8_t>*>(typeSlot);
            if (!owner.VerifyOffset(m_verifier, typeSlot) || !m_verifier.VerifyVector(typeVector) || !typeVector ||
                typeVector->size() != offsets->size()) {
                return false;
            }
            types = typeVector->data();
        }
        for (uoffset_t i = 0; i < offsets->size(); ++i) {
            const size_t at = size_t(reinterpret_cast<const uint8_t*>(offsets->data() + i) - m_buffer);
            if (!m_verifier.VerifyOffset(at)) return false;
            const uint8_t* item = m_buffer + at + flatbuffers::ReadScalar<uoffset_t>(m_buffer + at);
            const bool ok = types ? unionValue(element, types[i], item)
                            : element.base_type == BaseType::BASE_TYPE_STRING
                                ? string(item)
                                : table(*element.struct_def, reinterpret_cast<const Table*>(item));
            if (!ok) return false;
        }
        return true;
    }

    const uint8_t* m_buffer;
    flatbuffers::Verifier m_verifier;
};

}  // namespace

bool verifyBuffer(const flatbuffers::Parser& parser, const uint8_t* buffer, size_t size) {
    if (!parser.root_struct_def_ || size < sizeof(uoffset_t) || size >= FLATBUFFERS_MAX_BUFFER_SIZE) return false;
    return SchemaVerifier(buffer, size).root(*parser.root_struct_def_);
}

}  // namespace Game
