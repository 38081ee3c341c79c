#include "options/emulator_texts.h"

#include <map>

#include "base/progress.h"
#include "base/report.h"
#include "catalogue/stages.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"

namespace quillet {

namespace {

struct EmulatorKey {
    std::string path;
    unsigned long long size = 0;
    unsigned long long time = 0;
    auto operator<=>(const EmulatorKey&) const = default;
};

std::map<EmulatorKey, EmulatorTexts> captured;

// The two texts are small (about 10 and 20 KB for today's emulator).
constexpr CaptureSizes kOptionCapture{65536, 16u << 20, 0};

EmulatorTexts* pending;  // the worker's target; one worker at a time

void CaptureInto(HWND dialog, const char* option, std::string& text) {
    CaptureBuffer buffer;
    if (!ObtainCaptureBuffer(buffer, kOptionCapture)) {
        ReportMessage(dialog, MessageSourceSystem, 0);
        return;
    }
    if (CaptureEmulatorOutput(dialog, option, kOptionCapture.pipeSize, buffer))
        text.assign(buffer.text, buffer.length);
    ReleaseCaptureBuffer(buffer);
}

DWORD WINAPI CaptureOptionTexts(LPVOID param) {
    const HWND dialog = static_cast<HWND>(param);
    SendProgressTask(dialog, IDS_TASK_MAME_OPTIONS);
    SendProgressStep(dialog, IDS_STEP_RUNNING);
    // MAME's own defaults, not what its ini files set.
    CaptureInto(dialog, "-noreadconfig -showconfig", pending->config);
    // The era's emulator refuses -showconfig: no usage to ask for either.
    if (!pending->config.empty()) CaptureInto(dialog, "-showusage", pending->usage);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    return 0;
}

EmulatorKey KeyOf(const char* path) {
    EmulatorKey key{path};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        key.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        key.time = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                   data.ftLastWriteTime.dwLowDateTime;
    }
    return key;
}

}  // namespace

const EmulatorTexts& TodayEmulatorTexts(HWND owner) {
    const EmulatorKey key = KeyOf(Settings.MameName);
    auto found = captured.find(key);
    if (found != captured.end()) return found->second;
    EmulatorTexts texts;
    pending = &texts;
    RunBackgroundTask(owner, CaptureOptionTexts);
    pending = nullptr;
    texts.options = ReadTodayOptions(texts.config, texts.usage);
    return captured[key] = std::move(texts);
}

const EmulatorTexts* CapturedEmulatorTexts() {
    auto found = captured.find(KeyOf(Settings.MameName));
    return found == captured.end() ? nullptr : &found->second;
}

void ForgetEmulatorTexts() { captured.clear(); }

}  // namespace quillet
