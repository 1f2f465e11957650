#pragma once
// The readers of the Palm Desktop address book "address.dat": PmAddrExUtil
// for the 4.1.4 format, PmAddrUtil for the earlier one.
#include <cstddef>
#include <string>

#include "common/palm/PmAddrRec.h"
#include "common/palm/PmDBEarlyUtil.h"
#include "common/palm/PmDBExUtil.h"
#include "common/palm/PmReader.h"

class PmAddrExUtil : public PmReader<PmDBExUtil, PmAddrExRec> {
public:
    static constexpr int kLabelCount = 9;
    static constexpr std::size_t kLabelSize = 257;
    static constexpr std::size_t kReserved3Size = 42;
    static const PmExKind kKind;

    PmAddrExUtil();
    // Reads the file at once; IsLoaded tells the result.
    explicit PmAddrExUtil(const char* path);

    bool LoadCustomLabels() override;
    // The labels of custom fields 1 to 9 (index 0 to 8); empty out of range.
    const char* GetCustomLabel(int index) const;

private:
    char m_labels[kLabelCount][kLabelSize] = {};
    unsigned char m_reserved3[kReserved3Size] = {};
};

class PmAddrUtil : public PmReader<PmDBEarlyUtil, PmAddrRec> {
public:
    static constexpr std::size_t kLabelAreaSize = 512;
    static constexpr int kMaxLabels = 4;
    static const PmEarlyKind kKind;

    PmAddrUtil();
    explicit PmAddrUtil(const char* path);

    bool LoadCustomLabels() override;
    // The label text: up to four lines, each ended by a line feed.
    const char* GetLabelText() const { return m_labelText; }
    // One line of the label text without its line feed (custom field index
    // + 1); empty when the text has no such line.
    std::string GetCustomLabel(int index) const;

private:
    char m_labelText[kLabelAreaSize] = {};
};
