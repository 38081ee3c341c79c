#include "db/sql_script.h"

namespace quillet {

std::vector<std::string> SplitSqlScript(std::string_view script) {
    std::vector<std::string> statements;
    std::string current;
    auto finish = [&] {
        if (current.find_first_not_of(" \t\r\n") != std::string::npos) statements.push_back(current);
        current.clear();
    };
    for (size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
            while (i < script.size() && script[i] != '\n') ++i;
            current += '\n';
        } else if (c == '\'' || c == '"') {
            // To the closing quote; a doubled quote is one quote inside.
            size_t end = i + 1;
            while (end < script.size() && !(script[end] == c && (end + 1 >= script.size() || script[end + 1] != c)))
                end += script[end] == c ? 2 : 1;
            current.append(script.substr(i, end + 1 - i));
            i = end;
        } else if (c == ';') {
            finish();
        } else {
            current += c;
        }
    }
    finish();
    return statements;
}

}  // namespace quillet
