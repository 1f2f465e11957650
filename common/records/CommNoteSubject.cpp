#include "common/records/CommNoteSubject.h"

#include <cstring>
#include <string_view>

#include "platform/text/TextCopy.h"

void CommNoteSubject(const char* text, char* subject, std::size_t capacity) {
    if (text == nullptr) {
        platform::CopyText(subject, capacity, "");
        return;
    }
    const std::size_t line = std::strcspn(text, "\r\n");
    platform::CopyText(subject, capacity, std::string_view(text, line));
}
