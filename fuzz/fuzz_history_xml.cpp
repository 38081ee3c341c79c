// history.xml scanner and text decoder on arbitrary bytes: every offset the
// scanner hands over lies inside the input. The same bytes also go through
// the search's folding (any bytes, UTF-8 or not), whose words must match
// the folded text they came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "documents/history_xml.h"
#include "gamelist/game_search.h"

namespace {

struct Bounds {
    size_t size;
};

bool Check(void* context, std::string_view name, size_t offset, size_t length) {
    const auto& bounds = *static_cast<Bounds*>(context);
    if (name.empty() || offset > bounds.size || length > bounds.size - offset) std::abort();
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* begin = reinterpret_cast<const char*>(data);
    Bounds bounds{size};
    quillet::ScanHistoryXml(begin, begin + size, Check, &bounds);
    quillet::HistoryXmlVersion(begin, begin + size);
    const std::string decoded = quillet::DecodeHistoryText(std::string_view(begin, size));
    const std::vector<std::string> words = quillet::SearchWords(decoded);
    if (!quillet::MatchesEveryWord(quillet::Folded(decoded), words)) std::abort();
    return 0;
}
