// Token endpoint answers: any bytes read as the JSON a token endpoint sends.
// A success always carries its access token; nothing read throws.
#include <cstddef>
#include <cstdint>
#include <string>

#include "helpers/dav/GoogleOAuth.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    dav::TokenAnswer answer;
    const bool granted = dav::ReadTokenAnswer(text, answer);
    if (granted == answer.accessToken.empty()) __builtin_trap();
    return 0;
}
