#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace ecs {

using ComponentTypeId = std::size_t;
// One bit per component type id.
using ComponentMask = std::uint64_t;

constexpr std::size_t maxComponentTypes = 64;

namespace detail {

// Hands out the next id from the one counter that every world shares; stops the process
// when a type beyond maxComponentTypes asks for one.
ComponentTypeId nextComponentTypeId();

template <class T>
ComponentTypeId componentTypeIdOf() {
    static const ComponentTypeId id = nextComponentTypeId();
    return id;
}

}  // namespace detail

// A type's id is fixed on its first use; the order of ids carries no meaning.
template <class T>
ComponentTypeId componentTypeId() {
    return detail::componentTypeIdOf<std::remove_cv_t<T>>();
}

template <class... Ts>
ComponentMask componentMask() {
    return (ComponentMask{0} | ... | (ComponentMask{1} << componentTypeId<Ts>()));
}

}  // namespace ecs
