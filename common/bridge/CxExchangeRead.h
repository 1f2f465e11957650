#pragma once
// Reading the fields of a helper's record data file: 32-bit integers,
// 32-bit flags (any value but 0 is true), 8-byte OLE dates and counted
// texts, all little-endian. A text longer than its field keeps what fits,
// cut without splitting a character; the rest is skipped. A read that meets
// the end of the file leaves the field as it was (zero in a fresh record)
// and is told by CxFile::HadShortRead.
#include <cstddef>
#include <cstdint>

#include "common/misc/CxFile.h"

namespace cxexchange {

template <std::size_t N>
inline void ReadText(CxFile& file, char (&field)[N]) {
    file.ReadString(field, N);
}

template <std::size_t N, std::size_t M>
inline void ReadTexts(CxFile& file, char (&fields)[N][M]) {
    for (auto& field : fields) file.ReadString(field, M);
}

template <class T>
inline void ReadInt(CxFile& file, T& field) {
    std::int32_t value = 0;
    file.ReadInt(value);
    field = static_cast<T>(value);
}

template <class T, std::size_t N>
inline void ReadInts(CxFile& file, T (&fields)[N]) {
    for (T& field : fields) ReadInt(file, field);
}

// Each flag is read on its own: it never touches a neighbouring field.
template <class T>
inline void ReadFlag(CxFile& file, T& field) {
    std::int32_t value = 0;
    file.ReadBool(value);
    field = static_cast<T>(value != 0 ? 1 : 0);
}

inline void ReadDate(CxFile& file, double& field) { file.ReadDouble(field); }

template <std::size_t N>
inline void ReadDates(CxFile& file, double (&fields)[N]) {
    for (double& field : fields) file.ReadDouble(field);
}

}  // namespace cxexchange
