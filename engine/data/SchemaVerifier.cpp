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
        const uoffset_t l_offset = m_verifier.VerifyOffset(size_t(0));
        return l_offset && table(rootType, reinterpret_cast<const Table*>(m_buffer + l_offset));
    }

private:
    static const uint8_t* base(const Table& owner) { return reinterpret_cast<const uint8_t*>(&owner); }

    bool table(const StructDef& type, const Table* data) {
        if (!data->VerifyTableStart(m_verifier)) return false;
        for (const FieldDef* l_field : type.fields.vec) {
            if (!field(*data, *l_field)) return false;
        }
        return m_verifier.EndTable();
    }

    // A value stored inline in the table: a scalar or a struct.
    bool inlineField(const Table& owner, const FieldDef& field, size_t size, size_t alignment) {
        const voffset_t l_at = owner.GetOptionalFieldOffset(field.value.offset);
        if (!l_at) return !field.IsRequired();
        return m_verifier.VerifyFieldStruct(base(owner), l_at, size, alignment);
    }

    bool offsetField(const Table& owner, const FieldDef& field) {
        return field.IsRequired() ? owner.VerifyOffsetRequired(m_verifier, field.value.offset)
                                  : owner.VerifyOffset(m_verifier, field.value.offset);
    }

    bool field(const Table& owner, const FieldDef& field) {
        const Type& l_type = field.value.type;
        const voffset_t l_slot = field.value.offset;
        if (flatbuffers::IsScalar(l_type.base_type)) {
            const size_t l_size = flatbuffers::SizeOf(l_type.base_type);
            return inlineField(owner, field, l_size, l_size);
        }
        if (flatbuffers::IsStruct(l_type)) {
            return inlineField(owner, field, l_type.struct_def->bytesize, l_type.struct_def->minalign);
        }
        if (!offsetField(owner, field)) return false;
        const uint8_t* l_target = owner.GetPointer<const uint8_t*>(l_slot);
        if (!l_target) return true;
        switch (l_type.base_type) {
            case BaseType::BASE_TYPE_STRING: return string(l_target);
            case BaseType::BASE_TYPE_STRUCT: return table(*l_type.struct_def, reinterpret_cast<const Table*>(l_target));
            case BaseType::BASE_TYPE_UNION:
                return unionValue(field.value.type, owner.GetField<uint8_t>(voffset_t(l_slot - sizeof(voffset_t)), 0),
                                  l_target);
            case BaseType::BASE_TYPE_VECTOR: return vector(owner, field, l_target);
            default: return false;
        }
    }

    bool string(const uint8_t* data) { return m_verifier.VerifyString(reinterpret_cast<const flatbuffers::String*>(data)); }

    // The member of a union; its type byte was verified as the field before it. Unknown member
    // types pass, as they do for generated code: readers only look at the types they know.
    bool unionValue(const Type& unionType, uint8_t memberType, const uint8_t* data) {
        if (memberType == 0) return true;
        const flatbuffers::EnumVal* l_member = unionType.enum_def->ReverseLookup(memberType, false);
        if (!l_member) return true;
        const Type& l_type = l_member->union_type;
        if (l_type.base_type == BaseType::BASE_TYPE_STRING) return string(data);
        if (flatbuffers::IsStruct(l_type)) return m_verifier.VerifyFromPointer(data, l_type.struct_def->bytesize);
        return table(*l_type.struct_def, reinterpret_cast<const Table*>(data));
    }

    bool vector(const Table& owner, const FieldDef& field, const uint8_t* data) {
        const Type l_element = field.value.type.VectorType();
        const bool l_ofOffsets = !flatbuffers::IsScalar(l_element.base_type) && !flatbuffers::IsStruct(l_element);
        const size_t l_elementSize = l_ofOffsets ? sizeof(uoffset_t) : flatbuffers::InlineSize(l_element);
        const size_t l_elementAlignment = l_ofOffsets ? sizeof(uoffset_t) : flatbuffers::InlineAlignment(l_element);
        if (!m_verifier.VerifyVectorOrString(data, l_elementSize) ||
            !m_verifier.VerifyAlignment(size_t(data - m_buffer) + sizeof(uoffset_t), l_elementAlignment)) {
            return false;
        }
        if (!l_ofOffsets) return true;
        const auto* l_offsets = reinterpret_cast<const flatbuffers::Vector<uoffset_t>*>(data);
        const uint8_t* l_types = nullptr;
        if (l_element.base_type == BaseType::BASE_TYPE_UNION) {
            // A vector of unions keeps its member types in the vector field just before it.
            const voffset_t l_typeSlot = voffset_t(field.value.offset - sizeof(voffset_t));
            const auto* l_typeVector = owner.GetPointer<const flatbuffers::Vector<uint8_t>*>(l_typeSlot);
            if (!owner.VerifyOffset(m_verifier, l_typeSlot) || !m_verifier.VerifyVector(l_typeVector) ||
                !l_typeVector || l_typeVector->size() != l_offsets->size()) {
                return false;
            }
            l_types = l_typeVector->data();
        }
        for (uoffset_t l_i = 0; l_i < l_offsets->size(); ++l_i) {
            const size_t l_at = size_t(reinterpret_cast<const uint8_t*>(l_offsets->data() + l_i) - m_buffer);
            if (!m_verifier.VerifyOffset(l_at)) return false;
            const uint8_t* l_item = m_buffer + l_at + flatbuffers::ReadScalar<uoffset_t>(m_buffer + l_at);
            const bool l_ok = l_types ? unionValue(l_element, l_types[l_i], l_item)
                              : l_element.base_type == BaseType::BASE_TYPE_STRING
                                  ? string(l_item)
                                  : table(*l_element.struct_def, reinterpret_cast<const Table*>(l_item));
            if (!l_ok) return false;
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
