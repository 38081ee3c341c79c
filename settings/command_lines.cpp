#include "settings/command_lines.h"

#include <cstdio>
#include <cstring>

namespace quillet {

namespace {

bool HasQuote(const char* text) { return std::strchr(text, '"') != nullptr; }

// snprintf into `out`, keeping it empty when the result is cut or fails.
template <class... Args>
bool Format(char* out, size_t capacity, const char* format, Args... args) {
    if (capacity == 0) return false;
    const int needed = std::snprintf(out, capacity, format, args...);
    if (needed < 0 || static_cast<size_t>(needed) >= capacity) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

}  // namespace

bool ComposeEmulatorCommand(char* out, size_t capacity, const char* emulator, const char* argument) {
    if (HasQuote(emulator) || HasQuote(argument)) {
        if (capacity) out[0] = '\0';
        return false;
    }
    // A run of options ("-noreadconfig -showconfig") goes over as one quoted
    // word each; anything else, a game's name among them, as one word.
    if (argument[0] != '-' || !std::strchr(argument, ' '))
        return Format(out, capacity, "\"%s\"  \"%s\"", emulator, argument);
    if (!Format(out, capacity, "\"%s\" ", emulator)) return false;
    size_t used = std::strlen(out);
    for (const char* p = argument; *p != '\0';) {
        while (*p == ' ') ++p;
        const char* end = p;
        while (*end != '\0' && *end != ' ') ++end;
        if (end == p) break;
        const int length = static_cast<int>(end - p);
        if (!Format(out + used, capacity - used, " \"%.*s\"", length, p)) {
            out[0] = '\0';
            return false;
        }
        used += std::strlen(out + used);
        p = end;
    }
    return true;
}

bool IsUsableRomServer(const char* value) {
    const char* p = value;
    while (IsHostCharacter(*p)) ++p;
    if (p == value) return false;  // no host
    if (*p == '\0') return true;
    if (*p != ':') return false;
    ++p;
    unsigned port = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (++digits > 5) return false;
        port = port * 10 + static_cast<unsigned>(*p - '0');
    }
    return *p == '\0' && digits > 0 && port >= 1 && port <= 65535;
}

const char* RomServerOrBuiltIn(const char* value) { return IsUsableRomServer(value) ? value : kBuiltInRomServer; }

bool ComposeRomDownloadCommand(char* out, size_t capacity, const char* explorer, const char* server,
                               const char* romName) {
    if (HasQuote(explorer) || HasQuote(server) || HasQuote(romName)) {
        if (capacity) out[0] = '\0';
        return false;
    }
    return Format(out, capacity, "\"%s\" \"ftp://%s/arcade/mame/roms/%s.zip\"", explorer, server, romName);
}

}  // namespace quillet
