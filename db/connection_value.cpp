#include "db/connection_value.h"

#include <cstdio>

namespace quillet {

std::string SqliteDatabaseValue(const std::string& path) {
    if (path.find(';') == std::string::npos) return path;
    // A drive-letter path gets the empty authority and its leading slash:
    // file:///C:/games/gamelist.mdb; a host path already starts with one.
    std::string out = path.empty() || path[0] == '/' || path[0] == '\\' ? "file:" : "file:///";
    for (char c : path) {
        if (c == ';' || c == '%' || c == '?' || c == '#') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c == '\\' ? '/' : c;
        }
    }
    return out;
}

std::string AccessDatabaseValue(const std::string& path) {
    std::string out = "{";
    for (char c : path) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

}  // namespace quillet
