#pragma once
// Bodies that Notes keeps as MIME. A DXL export writes each MIME part of
// such an item as an item of its own, its raw data in Base64
// (<rawitemdata type='19'>): a MIME_PART structure of 20 bytes, then the
// part's boundary, its headers and its content, as the part was received.
#include <string>
#include <string_view>
#include <vector>

namespace lotus_helper {

// The item type of a MIME part, as the "type" attribute of <rawitemdata>
// gives it (hexadecimal).
bool IsMimePartType(std::string_view typeAttribute);

// The readable text of an item's MIME parts, in the order the export gives
// them: the text/plain parts, or else the text/html parts as plain text,
// their transfer encodings undone and their character sets converted to
// UTF-8. Lines end as the parts end them (CR LF, or LF between parts and in
// HTML), for the caller to make uniform. Parts of other types, attachments,
// and parts whose content Notes keeps apart from the item are left out.
std::string MimePartsText(const std::vector<std::string>& rawParts);

// The bytes of Base64 written in lines (a <rawitemdata> element, a part
// in Base64 transfer encoding); empty when nothing decodes.
std::string DecodeBase64Lines(std::string_view text);

}  // namespace lotus_helper
