// Conversion between the C variant and the runtime's Variant.
#pragma once

#include <span>

#include "bindings/c/lattix.h"
#include "runtime/variant.h"

namespace lattix::cabi {

// The runtime value of a C variant. A by-reference C variant becomes a by-reference slot holding
// the target's current value; WriteBack hands the slot's value to the target after the call.
// Raises "Bad variable type." for a type code the runtime does not know.
Variant FromC(const lx_variant& v);
// Fills out, which must hold nothing. Looks through by-reference slots. On failure out is unchanged.
void ToC(const Variant& v, lx_variant& out);
// For each by-reference C argument: replaces its target with what the callee left in the slot.
void WriteBack(const lx_variant& c, const Variant& converted);

// Clears a set of C variants when it goes out of scope.
class CVariantsCleaner {
public:
    explicit CVariantsCleaner(std::span<lx_variant> vars) : vars_(vars) {}
    ~CVariantsCleaner();
    CVariantsCleaner(const CVariantsCleaner&) = delete;
    CVariantsCleaner& operator=(const CVariantsCleaner&) = delete;

private:
    std::span<lx_variant> vars_;
};

} // namespace lattix::cabi
