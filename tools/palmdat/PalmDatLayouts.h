#pragma once
// The field positions of each kind's record in both generations of the
// Palm Desktop .dat format, with the type code that a file's schema gives
// each position. The writer keeps its own copy of the format, so that a
// fault in the reader's tables shows up as a disagreement, not as a round
// trip that passes.
#include <cstdint>
#include <span>

#include "tools/palmdat/PalmDatWriter.h"

namespace palmdat {

struct FieldDef {
    std::uint16_t typeCode;
    const char* name;
};

std::span<const FieldDef> FieldDefs(Kind kind, Format format);

}  // namespace palmdat
