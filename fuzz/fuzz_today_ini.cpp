// libFuzzer target: today's ini model. The input is a file, then after a
// zero byte an option name and a value. Reading and writing an untouched
// file gives it back byte for byte; setting the option rewrites or adds
// exactly one line, every other line survives, and the value reads back;
// write, read, write is stable; the layout test never fails.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "options/today_ini.h"

namespace {

std::string LinesOf(const quillet::TodayIni& ini, size_t skip) {
    std::string out;
    for (size_t i = 0; i < ini.lines.size(); ++i)
        if (i != skip) out.append(ini.lines[i].text).push_back('\n');
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string_view file = input.substr(0, split);
    const std::string_view rest = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    (void)quillet::ClassifyIniText(file);
    quillet::TodayIni ini = quillet::ReadTodayIni(file);
    fuzz::Require(quillet::WriteTodayIni(ini) == file);

    // A name of letters, digits and '_', then a value MAME can read back:
    // no line break, no double quote, no blanks at its ends.
    std::string name, value;
    size_t i = 0;
    for (; i < rest.size() && i < 24; ++i) {
        const char c = rest[i];
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) break;
        name += c;
    }
    if (name.empty()) return 0;
    for (++i; i < rest.size(); ++i)
        if (rest[i] != '\r' && rest[i] != '\n' && rest[i] != '"' && rest[i] != '\0') value += rest[i];
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.erase(0, 1);
    fuzz::Require(quillet::IsWritableIniValue(value));

    const quillet::TodayIni before = ini;
    const bool changed = quillet::SetTodayIniValue(ini, name, value, "CORE SOUND OPTIONS");
    fuzz::Require(quillet::TodayIniValue(ini, name) == value);
    if (!changed) {
        fuzz::Require(quillet::WriteTodayIni(ini) == file);
    } else if (ini.lines.size() == before.lines.size()) {
        size_t differing = 0;
        for (size_t k = 0; k < ini.lines.size(); ++k) {
            differing += ini.lines[k].text != before.lines[k].text;
            fuzz::Require(ini.lines[k].end == before.lines[k].end);
        }
        fuzz::Require(differing == 1);
    } else {
        fuzz::Require(ini.lines.size() == before.lines.size() + 1);
        size_t added = 0;
        while (added < before.lines.size() && ini.lines[added].text == before.lines[added].text) ++added;
        fuzz::Require(LinesOf(ini, added) == LinesOf(before, before.lines.size()));
    }
    const std::string written = quillet::WriteTodayIni(ini);
    fuzz::Require(quillet::WriteTodayIni(quillet::ReadTodayIni(written)) == written);
    return 0;
}
