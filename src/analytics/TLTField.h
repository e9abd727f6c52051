#pragma once

#include <optional>
#include <type_traits>
#include <utility>

// The value and "is set" flag of one wire-record field. Object fields hold a std::optional
// (empty = null); setting one flags it even when the value is null. Plain value, any thread.
template <class T>
struct TLTField {
    T value{};
    bool isSet = false;

    void set(T newValue) {
        value = std::move(newValue);
        isSet = true;
    }

    // Numbers keep their stored value when unset; object fields drop theirs.
    void unset() {
        if constexpr (!std::is_arithmetic_v<T>) {
            value = T{};
        }
        isSet = false;
    }

    bool operator==(const TLTField&) const = default;
};
