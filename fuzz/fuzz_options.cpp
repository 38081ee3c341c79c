// libFuzzer target: ParseEmulatorOptions and FormatEmulatorOptions.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_input.h"
#include "options/emulator_options.h"

namespace {

char first[quillet::kOptionsTextCapacity];
char second[quillet::kOptionsTextCapacity];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ExactText input(data, size);
    quillet::EmulatorOptions options;
    quillet::ResetEmulatorOptions(options);
    quillet::ParseEmulatorOptions(input.begin(), input.end(), options);

    const auto* record = reinterpret_cast<const char*>(&options);
    for (const quillet::OptionField& field : quillet::kOptionFields)
        if (field.kind == quillet::OptionKind::Text) fuzz::RequireTerminated(record + field.offset, field.size);

    // Whatever was read, the writer's text fits its block and reads back to
    // a record that writes the same text.
    const size_t length = quillet::FormatEmulatorOptions(options, first, sizeof first);
    fuzz::Require(length < 7000);
    fuzz::ExactText written(first, length);
    quillet::EmulatorOptions back;
    quillet::ResetEmulatorOptions(back);
    quillet::ParseEmulatorOptions(written.begin(), written.end(), back);
    const size_t again = quillet::FormatEmulatorOptions(back, second, sizeof second);
    fuzz::Require(again == length && std::memcmp(first, second, length) == 0);
    return 0;
}
