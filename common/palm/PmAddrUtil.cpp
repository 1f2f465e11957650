#include "common/palm/PmAddrUtil.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "common/misc/CxDebugUtil.h"
#include "platform/text/TextCopy.h"

const PmExKind PmAddrExUtil::kKind = {"Contacts", 0x41420200, 74, 11, true, true, true, nullptr};

const PmEarlyKind PmAddrUtil::kKind = {
    0x41420100, 74, 260, 0, true, "Loading Palm Desktop Address Book:", "", nullptr,
};

PmAddrExUtil::PmAddrExUtil() : PmReader(kKind, kPmAddrExLayout) {}

PmAddrExUtil::PmAddrExUtil(const char* path) : PmAddrExUtil() { LoadFile(path); }

bool PmAddrExUtil::LoadCustomLabels() {
    std::memset(m_labels, 0, sizeof m_labels);
    std::string raw, text;
    for (auto& label : m_labels) {
        std::int32_t ignored = 0;
        if (!ReadCStringRaw(raw, kLabelSize - 1)) return false;
        Decode(raw, text);
        platform::CopyText(label, text);
        if (!ReadLong(ignored)) return false;
    }
    std::memset(m_reserved3, 0, sizeof m_reserved3);
    if (!ReadBytes(m_reserved3, sizeof m_reserved3)) {
        const char* area = reinterpret_cast<const char*>(m_reserved3);
        CX_LOG(kLogCritical, "Failed to read reserved 3 field. Content=%s, Size=%d",
               std::string(area, ::strnlen(area, sizeof m_reserved3)).c_str(), static_cast<int>(kReserved3Size));
        return false;
    }
    CX_LOG(kLogDetail, "Load custom label information successfully.");
    return true;
}

const char* PmAddrExUtil::GetCustomLabel(int index) const {
    return index >= 0 && index < kLabelCount ? m_labels[index] : "";
}

PmAddrUtil::PmAddrUtil() : PmReader(kKind, kPmAddrLayout) {}

PmAddrUtil::PmAddrUtil(const char* path) : PmAddrUtil() { LoadFile(path); }

bool PmAddrUtil::LoadCustomLabels() {
    CX_LOG(kLogDetail, "Start loading Palm Desktop address book custom label information.");
    std::uint8_t shortLength = 0;
    if (!ReadByte(shortLength)) {
        CX_LOG(kLogCritical, "Failed to read the length of custom labels.");
        return false;
    }
    std::size_t length = shortLength;
    if (shortLength == 255) {
        std::uint16_t longLength = 0;
        if (!ReadWord(longLength)) {
            CX_LOG(kLogCritical, "Incorrect custom label length reading.");
            return false;
        }
        length = longLength;
    }
    std::memset(m_labelText, 0, sizeof m_labelText);
    // Copied byte by byte; the area keeps what fits, and reading stops after
    // the fourth line feed.
    std::string raw;
    int lineFeeds = 0;
    for (std::size_t i = 0; i < length; ++i) {
        std::uint8_t byte = 0;
        if (!ReadByte(byte)) {
            CX_LOG(kLogCritical, "Custom label content reading error.");
            return false;
        }
        if (raw.size() < kLabelAreaSize - 1) raw += static_cast<char>(byte);
        if (byte == '\n' && ++lineFeeds == kMaxLabels) {
            CX_LOG(kLogDetail, "For Palm Desktop ealier than v4.1.2, the max custom label is 4. Break now.");
            MoveFilePosition(length - i - 1);
            break;
        }
    }
    std::string text;
    Decode(raw, text);
    platform::CopyText(m_labelText, text);
    return true;
}

std::string PmAddrUtil::GetCustomLabel(int index) const {
    std::string_view text(m_labelText);
    for (int line = 0; line < kMaxLabels && !text.empty(); ++line) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        if (line == index) {
            std::string_view label = text.substr(0, end);
            if (!label.empty() && label.back() == '\r') label.remove_suffix(1);
            return std::string(label);
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return {};
}
