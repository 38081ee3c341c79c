// libFuzzer target: the XML game list reader over arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "catalogue/scanners.h"
#include "fuzz_input.h"

namespace {

#define FIELD(f) fuzz::RequireTerminated(r.f, sizeof r.f)

void CheckRecord(void* context, quillet::ImportRecord& r) {
    FIELD(Width); FIELD(Height); FIELD(Resolution); FIELD(AspectX); FIELD(AspectY);
    FIELD(RomName); FIELD(Runnable); FIELD(SourceFile); FIELD(Cloneof); FIELD(RomOf); FIELD(SampleOf);
    FIELD(Description); FIELD(Manufacturer); FIELD(Channels); FIELD(Palette); FIELD(IconPath);
    fuzz::Require(r.Video <= 1 && r.Orientation <= 1 && r.Original <= 1);
    fuzz::Require(r.DriverStatus <= 3 && r.SoundStatus <= 3 && r.ColorStatus <= 3);
    fuzz::Require(r.Runnable[0] != 'n' && r.Cloneof[0] != '\0');
    fuzz::Require(std::strlen(r.RomName) <= quillet::kLongestRomName);
    ++*static_cast<uint32_t*>(context);
}

#undef FIELD

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ExactText input(data, size);

    quillet::ImportRecord record;
    uint32_t handed = 0;
    quillet::GameListResult result = quillet::ScanGameList(input.begin(), input.end(), record, CheckRecord, &handed);
    fuzz::Require(result.games == handed);
    fuzz::RequireTerminated(result.lastRead, sizeof result.lastRead);
    bool hasRoot = quillet::HasGameListRoot(input.begin(), input.end());
    fuzz::Require(hasRoot == (result.status != quillet::GameListStatus::NoRoot));

    // The same bytes as the inside of one game element.
    quillet::ImportRecord game{};
    quillet::GameTraits traits;
    const char* pos = input.begin();
    quillet::ReadGameElement(pos, input.end(), game, traits);
    fuzz::Require(pos >= input.begin() && pos <= input.end());
    return 0;
}
