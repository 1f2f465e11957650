#include "helpers/exchange/HelperParams.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

class Cursor {
public:
    explicit Cursor(std::string_view bytes) : m_bytes(bytes) {}
    bool Int32(std::int32_t& v) { return Take(&v, 4); }
    bool Int16(std::int16_t& v) { return Take(&v, 2); }
    bool Bytes(std::size_t n, std::string& out) {
        if (m_bytes.size() - m_pos < n) return false;
        out.assign(m_bytes.substr(m_pos, n));
        m_pos += n;
        return true;
    }

private:
    bool Take(void* target, std::size_t n) {
        if (m_bytes.size() - m_pos < n) return false;
        std::memcpy(target, m_bytes.data() + m_pos, n);
        m_pos += n;
        return true;
    }
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

bool Fail(std::string* error, const char* text) {
    if (error) *error = text;
    return false;
}

}  // namespace

bool HelperParams::Parse(std::string_view bytes, std::string* error) {
    m_values.clear();
    Cursor in(bytes);
    std::int32_t count = 0;
    if (!in.Int32(count)) return Fail(error, "the parameter file holds no count");
    if (count < 0) return Fail(error, "the parameter count is negative");
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t id = 0, type = 0;
        if (!in.Int32(id) || !in.Int32(type)) return Fail(error, "the parameter file ends inside a parameter");
        std::string value;
        switch (type) {
        case 8: {
            std::int32_t n = 0;
            if (!in.Int32(n) || n < 0 || !in.Bytes(static_cast<std::size_t>(n), value))
                return Fail(error, "a text parameter is cut short");
            break;
        }
        case 3: {
            std::int32_t v = 0;
            if (!in.Int32(v)) return Fail(error, "an integer parameter is cut short");
            value = std::to_string(v);
            break;
        }
        case 11: {
            std::int16_t v = 0;
            if (!in.Int16(v)) return Fail(error, "a flag parameter is cut short");
            value = v != 0 ? "1" : "0";
            break;
        }
        default: return Fail(error, "a parameter has a value type that cannot be read");
        }
        m_values[id] = std::move(value);
    }
    return true;
}

bool HelperParams::Load(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_values.clear();
        return Fail(error, "the parameter file cannot be opened");
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(bytes, error);
}

std::optional<std::string> HelperParams::Get(std::int32_t id) const {
    auto it = m_values.find(id);
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}

std::string HelperParams::Text(std::int32_t id, const std::string& def) const { return Get(id).value_or(def); }

int HelperParams::Int(std::int32_t id, int def) const {
    auto v = Get(id);
    if (!v || v->empty()) return def;
    return static_cast<int>(std::strtol(v->c_str(), nullptr, 10));
}
