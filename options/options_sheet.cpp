// The nine-page option sheet over EmuOptions, run by the sheet routine of
// ui/property_sheet.h. All nine pages share one set of handlers driven by
// the page's table of controls: load the controls from the record when the
// page is created, mark the sheet changed on the page's change
// notifications, store the controls into the record on apply.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "base/report.h"
#include "options/emulator_options.h"
#include "options/options.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "ui/pickers.h"
#include "ui/property_sheet.h"

namespace quillet {

namespace {

enum class Kind : uint8_t {
    Edit,        // text option; `companion` is the browse button
    Check,       // three-state check box over a switch
    List,        // drop-down list; option may be kNoOption (shown, tied to nothing)
    Slider,      // trackbar; `companion` is the value label
    Number,      // edit with spin button (`companion`) over a count or digit
    Latency,     // radios id..id+4 over audio_latency 0-4
    SampleRate,  // radios id..id+4 over samplerate
};

enum class Label : uint8_t { Number, Hundredths, Flicker };

// A control's field in EmuOptions, by its offset: OPTION(name) fails to
// compile for a name the record does not have.
#define OPTION(member) static_cast<uint16_t>(offsetof(EmulatorOptions, member))
constexpr uint16_t kNoOption = 0xFFFF;  // a list shown, tied to nothing

struct PageControl {
    int id;
    Kind kind;
    uint16_t option;
    int companion = 0;
    int low = 0, high = 0, tick = 0;  // slider or spin range; 0 tick keeps the default
    Label label = Label::Number;
    const char* const* choices = nullptr;  // null-terminated, "default" first
    const char* filter = nullptr;          // browse with ChooseFile; null: ChooseFolder
};

// ---- the choice lists ----------------------------------------------------

constexpr const char* kStretch[] = {"default", "none", "auto", "full", "horizontal", "vertical", nullptr};
constexpr const char* kResolutions[] = {"default", "auto", "320x200", "320x240", "320x400", "320x480",
                                        "400x300", "480x360", "512x384", "640x400", "640x480", "800x600",
                                        "960x720", "1024x768", "1152x864", "1280x1024", "1600x1200", nullptr};
constexpr const char* kEffects[] = {"default", "none",  "sharp", "scan25", "scan50", "scan75", "scan75v",
                                    "rgb3",    "rgb4",  "rgb4v", "rgb6",   "rgb16",  "rgbtiny", nullptr};
constexpr const char* kAspects[] = {"default", "1:1", "1:2", "2:1", "2:3", "3:1", "3:2", "3:4", "3:5",
                                    "4:1",     "4:3", "4:5", "5:1", "5:2", "5:3", "5:4", nullptr};
constexpr const char* kD3dFilters[] = {"default",    "point", "bi-linear", "bi-cubic (flat kerner)",
                                       "bi-cubic (gaussian kernel)", "anisotropic", nullptr};
constexpr const char* kPrescale[] = {"default", "none", "auto", "full", "2", "3", "4", nullptr};
constexpr const char* kD3dEffects[] = {"default",     "none",         "sharp",        "scan25",     "scan50",
                                       "scan75",      "scan75v",      "rgbmicro",     "rgbtiny",    "rgb3",
                                       "rgb4",        "rgb4v",        "rgb6",         "rgb16",      "rgbminmask",
                                       "dotmedmask",  "rgbmedmask",   "dotmedbright", "rgbmaxbright",
                                       "aperturegrille", "auto",      nullptr};
constexpr const char* kControllers[] = {"default", "hotrod", "hotrodse", "slikstik", "xarcade", nullptr};

// The four sample-rate radios are chosen by these first characters of the
// stored text; each stores its own caption (at most five characters).
constexpr const char* kSampleRatePrefixes[] = {"1102", "2205", "4410", "4800"};

constexpr char kDefaultText[] = "default";

// ---- the pages -------------------------------------------------------------

constexpr PageControl kPathsPage[] = {
    {IDC_OPT_ROMPATH, Kind::Edit, OPTION(rompath), IDC_OPT_ROMPATH_BROWSE},
    {IDC_OPT_SAMPLEPATH, Kind::Edit, OPTION(samplepath), IDC_OPT_SAMPLEPATH_BROWSE},
    {IDC_OPT_CFG_DIR, Kind::Edit, OPTION(cfg_directory), IDC_OPT_CFG_DIR_BROWSE},
    {IDC_OPT_NVRAM_DIR, Kind::Edit, OPTION(nvram_directory), IDC_OPT_NVRAM_DIR_BROWSE},
    {IDC_OPT_MEMCARD_DIR, Kind::Edit, OPTION(memcard_directory), IDC_OPT_MEMCARD_DIR_BROWSE},
    {IDC_OPT_INPUT_DIR, Kind::Edit, OPTION(input_directory), IDC_OPT_INPUT_DIR_BROWSE},
    {IDC_OPT_HISCORE_DIR, Kind::Edit, OPTION(hiscore_directory), IDC_OPT_HISCORE_DIR_BROWSE},
    {IDC_OPT_STATE_DIR, Kind::Edit, OPTION(state_directory), IDC_OPT_STATE_DIR_BROWSE},
};

// File filters whose description and pattern are both the expected name.
constexpr char kCheatFilter[] = "cheat.dat\0cheat.dat\0";
constexpr char kHistoryFilter[] = "history.dat\0history.dat\0";
constexpr char kMameinfoFilter[] = "mameinfo.dat\0mameinfo.dat\0";

constexpr PageControl kSupportPage[] = {
    {IDC_OPT_ARTWORK_DIR, Kind::Edit, OPTION(artwork_directory), IDC_OPT_ARTWORK_DIR_BROWSE},
    {IDC_OPT_SNAPSHOT_DIR, Kind::Edit, OPTION(snapshot_directory), IDC_OPT_SNAPSHOT_DIR_BROWSE},
    {IDC_OPT_DIFF_DIR, Kind::Edit, OPTION(diff_directory), IDC_OPT_DIFF_DIR_BROWSE},
    {IDC_OPT_CTRLR_DIR, Kind::Edit, OPTION(ctrlr_directory), IDC_OPT_CTRLR_DIR_BROWSE},
    {IDC_OPT_CHEAT_FILE, Kind::Edit, OPTION(cheat_file), IDC_OPT_CHEAT_FILE_BROWSE, 0, 0, 0, Label::Number, nullptr,
     kCheatFilter},
    {IDC_OPT_HISTORY_FILE, Kind::Edit, OPTION(history_file), IDC_OPT_HISTORY_FILE_BROWSE, 0, 0, 0, Label::Number, nullptr,
     kHistoryFilter},
    {IDC_OPT_MAMEINFO_FILE, Kind::Edit, OPTION(mameinfo_file), IDC_OPT_MAMEINFO_FILE_BROWSE, 0, 0, 0, Label::Number,
     nullptr, kMameinfoFilter},
};

constexpr PageControl kWinVideoPage[] = {
    {IDC_OPT_AUTOFRAMESKIP, Kind::Check, OPTION(autoframeskip)},
    {IDC_OPT_WAITVSYNC, Kind::Check, OPTION(waitvsync)},
    {IDC_OPT_TRIPLEBUFFER, Kind::Check, OPTION(triplebuffer)},
    {IDC_OPT_WINDOW, Kind::Check, OPTION(window)},
    {IDC_OPT_DDRAW, Kind::Check, OPTION(ddraw)},
    {IDC_OPT_HWSTRETCH, Kind::Check, OPTION(hwstretch)},
    {IDC_OPT_REFRESH, Kind::Check, OPTION(refresh)},
    {IDC_OPT_SCANLINES, Kind::Check, OPTION(scanlines)},
    {IDC_OPT_SWITCHRES, Kind::Check, OPTION(switchres)},
    {IDC_OPT_SWITCHBPP, Kind::Check, OPTION(switchbpp)},
    {IDC_OPT_MAXIMIZE, Kind::Check, OPTION(maximize)},
    {IDC_OPT_KEEPASPECT, Kind::Check, OPTION(keepaspect)},
    {IDC_OPT_MATCHREFRESH, Kind::Check, OPTION(matchrefresh)},
    {IDC_OPT_SYNCREFRESH, Kind::Check, OPTION(syncrefresh)},
    {IDC_OPT_THROTTLE, Kind::Check, OPTION(throttle)},
    {IDC_OPT_SLEEP, Kind::Check, OPTION(sleep)},
    {IDC_OPT_RDTSC, Kind::Check, OPTION(rdtsc)},
    {IDC_OPT_HIGH_PRIORITY, Kind::Check, OPTION(high_priority)},
    {IDC_OPT_CLEANSTRETCH, Kind::List, OPTION(cleanstretch), 0, 0, 0, 0, Label::Number, kStretch},
    {IDC_OPT_RESOLUTION, Kind::List, OPTION(resolution), 0, 0, 0, 0, Label::Number, kResolutions},
    {IDC_OPT_EFFECT, Kind::List, OPTION(effect), 0, 0, 0, 0, Label::Number, kEffects},
    {IDC_OPT_SCREEN_ASPECT, Kind::List, OPTION(screen_aspect), 0, 0, 0, 0, Label::Number, kAspects},
    {IDC_OPT_FRAMESKIP, Kind::Slider, OPTION(frameskip), IDC_OPT_FRAMESKIP_LABEL, -1, 11, 0, Label::Number},
    {IDC_OPT_FS_BRIGHTNESS, Kind::Slider, OPTION(full_screen_brightness), IDC_OPT_FS_BRIGHTNESS_LABEL, -1, 200, 5,
     Label::Hundredths},
    {IDC_OPT_FRAMES_TO_RUN, Kind::Number, OPTION(frames_to_run), IDC_OPT_FRAMES_TO_RUN_SPIN, 0, 2000000000},
};

constexpr PageControl kCoreVideoPage[] = {
    {IDC_OPT_DEBUG_RESOLUTION, Kind::List, OPTION(debug_resolution), 0, 0, 0, 0, Label::Number, kResolutions},
    {IDC_OPT_GAMMA, Kind::Slider, OPTION(gamma), IDC_OPT_GAMMA_LABEL, 49, 200, 5, Label::Hundredths},
    {IDC_OPT_BRIGHTNESS, Kind::Slider, OPTION(brightness), IDC_OPT_BRIGHTNESS_LABEL, -1, 200, 5, Label::Hundredths},
    {IDC_OPT_PAUSE_BRIGHTNESS, Kind::Slider, OPTION(pause_brightness), IDC_OPT_PAUSE_BRIGHTNESS_LABEL, -1, 200, 5,
     Label::Hundredths},
    {IDC_OPT_ROR, Kind::Check, OPTION(ror)},
    {IDC_OPT_ROL, Kind::Check, OPTION(rol)},
    {IDC_OPT_AUTOROR, Kind::Check, OPTION(autoror)},
    {IDC_OPT_AUTOROL, Kind::Check, OPTION(autorol)},
    {IDC_OPT_FLIPX, Kind::Check, OPTION(flipx)},
    {IDC_OPT_FLIPY, Kind::Check, OPTION(flipy)},
    {IDC_OPT_NOROTATE, Kind::Check, OPTION(norotate)},
};

constexpr PageControl kD3dPage[] = {
    {IDC_OPT_D3DFILTER_LIST, Kind::List, kNoOption, 0, 0, 0, 0, Label::Number, kD3dFilters},
    {IDC_OPT_D3DPRESCALE, Kind::List, OPTION(d3dprescale), 0, 0, 0, 0, Label::Number, kPrescale},
    {IDC_OPT_D3DEFFECT, Kind::List, OPTION(d3deffect), 0, 0, 0, 0, Label::Number, kD3dEffects},
    {IDC_OPT_ZOOM, Kind::Number, OPTION(zoom), IDC_OPT_ZOOM_SPIN, 0, 9},
    {IDC_OPT_D3DSCAN, Kind::Slider, OPTION(d3dscan), IDC_OPT_D3DSCAN_LABEL, -1, 100, 5, Label::Number},
    {IDC_OPT_D3DFEEDBACK, Kind::Slider, OPTION(d3dfeedback), IDC_OPT_D3DFEEDBACK_LABEL, -1, 100, 5, Label::Number},
    {IDC_OPT_DIRECT3D, Kind::Check, OPTION(direct3d)},
    {IDC_OPT_D3DTEXMANAGE, Kind::Check, OPTION(d3dtexmanage)},
};

constexpr PageControl kVectorPage[] = {
    {IDC_OPT_BEAM, Kind::Slider, OPTION(beam), IDC_OPT_BEAM_LABEL, 99, 1600, 30, Label::Hundredths},
    {IDC_OPT_FLICKER, Kind::Slider, OPTION(flicker), IDC_OPT_FLICKER_LABEL, -1, 100, 2, Label::Flicker},
    {IDC_OPT_INTENSITY, Kind::Slider, OPTION(intensity), IDC_OPT_INTENSITY_LABEL, 49, 300, 10, Label::Hundredths},
    {IDC_OPT_ANTIALIAS, Kind::Check, OPTION(antialias)},
    {IDC_OPT_TRANSLUCENCY, Kind::Check, OPTION(translucency)},
};

constexpr PageControl kSoundPage[] = {
    {IDC_OPT_VOLUME, Kind::Slider, OPTION(volume), IDC_OPT_VOLUME_LABEL, -33, 0, 0, Label::Number},
    {IDC_OPT_LATENCY_FIRST, Kind::Latency, OPTION(audio_latency)},
    {IDC_OPT_SAMPLERATE_FIRST, Kind::SampleRate, OPTION(samplerate)},
    {IDC_OPT_SOUND, Kind::Check, OPTION(sound)},
    {IDC_OPT_SAMPLES, Kind::Check, OPTION(samples)},
    {IDC_OPT_RESAMPLEFILTER, Kind::Check, OPTION(resamplefilter)},
};

constexpr PageControl kInputPage[] = {
    {IDC_OPT_CTRLR_LIST, Kind::List, kNoOption, 0, 0, 0, 0, Label::Number, kControllers},
    {IDC_OPT_A2D_DEADZONE, Kind::Slider, OPTION(a2d_deadzone), IDC_OPT_A2D_DEADZONE_LABEL, -1, 100, 5, Label::Hundredths},
    {IDC_OPT_KEYBOARD_LEDS, Kind::Check, OPTION(keyboard_leds)},
    {IDC_OPT_STEADYKEY, Kind::Check, OPTION(steadykey)},
    {IDC_OPT_JOYSTICK, Kind::Check, OPTION(joystick)},
    {IDC_OPT_MOUSE, Kind::Check, OPTION(mouse)},
};

constexpr PageControl kMiscPage[] = {
    {IDC_OPT_MAXLOGSIZE, Kind::Number, OPTION(maxlogsize), IDC_OPT_MAXLOGSIZE_SPIN, 0, 2000000},
    {IDC_OPT_ARTWORK_RESOLUTION, Kind::Slider, OPTION(artwork_resolution), IDC_OPT_ARTWORK_RESOLUTION_LABEL, -1, 10, 0,
     Label::Number},
    {IDC_OPT_ARTWORK, Kind::Check, OPTION(artwork)},
    {IDC_OPT_ARTWORK_CROP, Kind::Check, OPTION(artwork_crop)},
    {IDC_OPT_USE_OVERLAYS, Kind::Check, OPTION(use_overlays)},
    {IDC_OPT_USE_BEZELS, Kind::Check, OPTION(use_bezels)},
    {IDC_OPT_USE_BACKDROPS, Kind::Check, OPTION(use_backdrops)},
    {IDC_OPT_CHEAT, Kind::Check, OPTION(cheat)},
    {IDC_OPT_DEBUG, Kind::Check, OPTION(debug)},
    {IDC_OPT_LOG, Kind::Check, OPTION(log)},
    {IDC_OPT_OSLOG, Kind::Check, OPTION(oslog)},
    {IDC_OPT_SKIP_DISCLAIMER, Kind::Check, OPTION(skip_disclaimer)},
    {IDC_OPT_SKIP_GAMEINFO, Kind::Check, OPTION(skip_gameinfo)},
    {IDC_OPT_VERBOSE, Kind::Check, OPTION(verbose)},
    {IDC_OPT_CRCONLY, Kind::Check, OPTION(crconly)},
    {IDC_OPT_READCONFIG, Kind::Check, OPTION(readconfig)},
};

// Command notification codes that mark a page changed, as bits: 1 << 0 a
// button click, 1 << 1 a list selection change, 1 << 2 an edit change,
// 1 << 3 an edit update (sent before the typed text shows).
constexpr unsigned kClick = 1u << 0, kSelect = 1u << 1, kEditChange = 1u << 2, kEditUpdate = 1u << 3;

struct PageTable {
    const PageControl* controls;
    size_t count;
    unsigned changeCodes;
};

template <size_t N>
constexpr PageTable Page(const PageControl (&controls)[N], unsigned codes) {
    return {controls, N, codes};
}

constexpr PageTable kPathsTable = Page(kPathsPage, kEditUpdate);
constexpr PageTable kSupportTable = Page(kSupportPage, kEditUpdate);
constexpr PageTable kWinVideoTable = Page(kWinVideoPage, kClick | kSelect);
constexpr PageTable kCoreVideoTable = Page(kCoreVideoPage, kClick | kSelect);
constexpr PageTable kD3dTable = Page(kD3dPage, kClick | kSelect | kEditChange);
constexpr PageTable kVectorTable = Page(kVectorPage, kClick);
constexpr PageTable kSoundTable = Page(kSoundPage, kClick);
constexpr PageTable kInputTable = Page(kInputPage, kClick | kSelect);
constexpr PageTable kMiscTable = Page(kMiscPage, kClick | kSelect | kEditChange);

unsigned CodeBit(WORD code) {
    switch (code) {
    case BN_CLICKED: return kClick;
    case CBN_SELCHANGE: return kSelect;
    case EN_CHANGE: return kEditChange;
    case EN_UPDATE: return kEditUpdate;
    default: return 0;
    }
}

// ---- the record's fields ---------------------------------------------------

// The field at `offset`; null for kNoOption.
const OptionField* FieldAt(uint16_t offset) {
    for (const OptionField& field : kOptionFields)
        if (field.offset == offset) return &field;
    return nullptr;
}

uint8_t* FieldBytes(const OptionField& field) { return reinterpret_cast<uint8_t*>(&EmuOptions) + field.offset; }

// A numeric field as the controls see it: small numbers and volume as
// signed bytes, the 32-bit kinds whole.
int32_t ReadNumber(const OptionField& field) {
    const uint8_t* value = FieldBytes(field);
    switch (field.kind) {
    case OptionKind::Count:
    case OptionKind::Hundredths: {
        int32_t v;
        std::memcpy(&v, value, sizeof v);
        return v;
    }
    case OptionKind::SmallNumber:
    case OptionKind::SignedSmall: return static_cast<int8_t>(*value);
    default: return *value;
    }
}

void WriteNumber(const OptionField& field, uint32_t value) {
    uint8_t* target = FieldBytes(field);
    if (field.kind == OptionKind::Count || field.kind == OptionKind::Hundredths)
        std::memcpy(target, &value, sizeof value);
    else
        *target = static_cast<uint8_t>(value);  // the low eight bits
}

void CopyText(const OptionField& field, const char* text) {
    char* target = reinterpret_cast<char*>(FieldBytes(field));
    std::snprintf(target, field.size, "%s", text);
}

// ---- value labels ----------------------------------------------------------

void ShowSliderValue(HWND page, const PageControl& control, int unset) {
    const int position = static_cast<int>(SendDlgItemMessageA(page, control.id, TBM_GETPOS, 0, 0));
    char text[24];
    if (position == unset)
        std::snprintf(text, sizeof text, "%s", kDefaultText);
    else if (control.label == Label::Number)
        std::snprintf(text, sizeof text, "%d", position);
    else if (control.label == Label::Hundredths)
        std::snprintf(text, sizeof text, "%hu.%.2hu", static_cast<unsigned short>(position / 100),
                      static_cast<unsigned short>(position % 100));
    else  // the flicker label shows the position itself with two zeros
        std::snprintf(text, sizeof text, "%hu.%.2hu", static_cast<unsigned short>(position), 0);
    SetDlgItemTextA(page, control.companion, text);
}

int SliderUnset(const OptionField& field) {
    return field.kind == OptionKind::SmallNumber ? static_cast<int8_t>(field.unset) : field.unset;
}

// ---- loading a page ---------------------------------------------------------

void LoadList(HWND page, const PageControl& control, const OptionField* field) {
    for (const char* const* choice = control.choices; *choice; ++choice)
        SendDlgItemMessageA(page, control.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(*choice));
    SendDlgItemMessageA(page, control.id, CB_SETCURSEL, 0, 0);
    if (field == nullptr) return;
    const char* text = reinterpret_cast<const char*>(FieldBytes(*field));
    if (text[0] == '\0') return;
    // Case-insensitive prefix search: a stored beginning selects its entry.
    const LRESULT found = SendDlgItemMessageA(page, control.id, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(text));
    if (found != CB_ERR) SendDlgItemMessageA(page, control.id, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void LoadControl(HWND page, const PageControl& control) {
    const OptionField* field = FieldAt(control.option);
    if (field == nullptr && control.kind != Kind::List) return;
    switch (control.kind) {
    case Kind::Edit:
        SendDlgItemMessageA(page, control.id, EM_LIMITTEXT, field->size - 1u, 0);
        SetDlgItemTextA(page, control.id, reinterpret_cast<const char*>(FieldBytes(*field)));
        break;
    case Kind::Check: {
        // 0 clear, 1 ticked, 2 grey; other digits of a hand-edited file are "on".
        const uint8_t state = *FieldBytes(*field);
        CheckDlgButton(page, control.id, state <= BST_INDETERMINATE ? state : BST_CHECKED);
        break;
    }
    case Kind::List: LoadList(page, control, field); break;
    case Kind::Slider: {
        HWND slider = GetDlgItem(page, control.id);
        SendMessageA(slider, TBM_SETRANGEMIN, FALSE, control.low);
        SendMessageA(slider, TBM_SETRANGEMAX, FALSE, control.high);
        if (control.tick) SendMessageA(slider, TBM_SETTICFREQ, control.tick, 0);
        SendMessageA(slider, TBM_SETPOS, TRUE, ReadNumber(*field));
        ShowSliderValue(page, control, SliderUnset(*field));
        break;
    }
    case Kind::Number: {
        SendDlgItemMessageA(page, control.companion, UDM_SETRANGE32, control.low, control.high);
        // A digit option is read back one character long, so its edit takes one.
        SendDlgItemMessageA(page, control.id, EM_LIMITTEXT, field->kind == OptionKind::Digit ? 1 : 10, 0);
        char text[16];
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(ReadNumber(*field)));
        SetDlgItemTextA(page, control.id, text);
        break;
    }
    case Kind::Latency: {
        const int value = *FieldBytes(*field);
        if (value <= 4) CheckRadioButton(page, control.id, control.id + 4, control.id + value);
        break;
    }
    case Kind::SampleRate: {
        const char* text = reinterpret_cast<const char*>(FieldBytes(*field));
        int chosen = text[0] == '\0' ? 0 : -1;
        for (int i = 0; i < 4 && chosen < 0; ++i)
            if (std::strncmp(text, kSampleRatePrefixes[i], 4) == 0) chosen = i + 1;
        if (chosen >= 0) CheckRadioButton(page, control.id, control.id + 4, control.id + chosen);
        break;
    }
    }
}

// ---- storing a page ----------------------------------------------------------

void StoreControl(HWND page, const PageControl& control) {
    const OptionField* field = FieldAt(control.option);
    if (field == nullptr) return;  // lists shown for information only
    switch (control.kind) {
    case Kind::Edit: {
        char text[256];
        GetDlgItemTextA(page, control.id, text, sizeof text);
        CopyText(*field, text);
        break;
    }
    case Kind::Check: *FieldBytes(*field) = static_cast<uint8_t>(IsDlgButtonChecked(page, control.id)); break;
    case Kind::List: {
        char text[64] = "";
        const LRESULT selected = SendDlgItemMessageA(page, control.id, CB_GETCURSEL, 0, 0);
        if (selected != CB_ERR &&
            SendDlgItemMessageA(page, control.id, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0) <
                static_cast<LRESULT>(sizeof text))
            SendDlgItemMessageA(page, control.id, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
        CopyText(*field, std::strcmp(text, kDefaultText) == 0 ? "" : text);
        break;
    }
    case Kind::Slider:
        WriteNumber(*field, static_cast<uint32_t>(SendDlgItemMessageA(page, control.id, TBM_GETPOS, 0, 0)));
        break;
    case Kind::Number: {
        BOOL ok = FALSE;
        const UINT value = GetDlgItemInt(page, control.id, &ok, FALSE);
        WriteNumber(*field, ok ? value : 0);
        break;
    }
    case Kind::Latency:
        for (int i = 0; i <= 4; ++i)
            if (IsDlgButtonChecked(page, control.id + i) == BST_CHECKED) *FieldBytes(*field) = static_cast<uint8_t>(i);
        break;
    case Kind::SampleRate:
        for (int i = 0; i <= 4; ++i) {
            if (IsDlgButtonChecked(page, control.id + i) != BST_CHECKED) continue;
            char caption[6] = "";
            if (i > 0) GetDlgItemTextA(page, control.id + i, caption, sizeof caption);
            CopyText(*field, caption);
        }
        break;
    }
}

// ---- the page handlers ------------------------------------------------------

void LoadPage(const SheetPageCall& call) {
    const PageTable& table = call.table<PageTable>();
    for (size_t i = 0; i < table.count; ++i) LoadControl(call.page, table.controls[i]);
}

// A browse button: the picker writes into its edit; a cancelled picker
// changes nothing.
bool OnBrowse(const SheetPageCall& call, const PageTable& table, int id) {
    for (size_t i = 0; i < table.count; ++i) {
        const PageControl& control = table.controls[i];
        if (control.kind != Kind::Edit || control.companion != id) continue;
        const int chosen = control.filter ? ChooseFile(call.page, control.id, control.filter)
                                          : ChooseFolder(call.page, control.id, kWindowTitle);
        if (chosen) call.MarkChanged();
        return true;
    }
    return false;
}

void OnCommand(const SheetPageCall& call, int id, UINT code) {
    const PageTable& table = call.table<PageTable>();
    if (code == BN_CLICKED && OnBrowse(call, table, id)) return;
    if (table.changeCodes & CodeBit(static_cast<WORD>(code))) call.MarkChanged();
}

void OnSliderMoved(const SheetPageCall& call, HWND slider) {
    const PageTable& table = call.table<PageTable>();
    const int id = GetDlgCtrlID(slider);
    for (size_t i = 0; i < table.count; ++i) {
        const PageControl& control = table.controls[i];
        if (control.kind != Kind::Slider || control.id != id) continue;
        if (const OptionField* field = FieldAt(control.option)) ShowSliderValue(call.page, control, SliderUnset(*field));
        call.MarkChanged();
        return;
    }
}

void StorePage(const SheetPageCall& call) {
    const PageTable& table = call.table<PageTable>();
    for (size_t i = 0; i < table.count; ++i) StoreControl(call.page, table.controls[i]);
}

constexpr PageHandlers kOptionPage = {LoadPage, OnCommand, StorePage, nullptr, OnSliderMoved};

constexpr SheetPage kPages[] = {
    {IDD_OPT_PATHS, &kOptionPage, &kPathsTable},         {IDD_OPT_SUPPORT, &kOptionPage, &kSupportTable},
    {IDD_OPT_WINVIDEO, &kOptionPage, &kWinVideoTable},   {IDD_OPT_COREVIDEO, &kOptionPage, &kCoreVideoTable},
    {IDD_OPT_D3D, &kOptionPage, &kD3dTable},             {IDD_OPT_VECTOR, &kOptionPage, &kVectorTable},
    {IDD_OPT_SOUND, &kOptionPage, &kSoundTable},         {IDD_OPT_INPUT, &kOptionPage, &kInputTable},
    {IDD_OPT_MISC, &kOptionPage, &kMiscTable},
};

}  // namespace

void OpenEmulatorOptionsSheet(HWND owner, int startPage, const char* path) {
    if (Settings.MameName[0] == '\0') {
        ReportMessage(owner, MessageSourceModule, MSG_NO_EMULATOR);
        return;
    }
    SheetHeader header{owner, LanguageModule, IDS_CAPTION_OPTIONS, PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP};
    header.startPage = static_cast<UINT>(startPage);
    if (!LoadEmulatorOptions(owner, path)) return;
    SheetRun run;
    RunPropertySheet(header, kPages, run);
    if (run.result < 0) {
        ReportMessage(owner, MessageSourceSystem, 0);
        return;
    }
    // Cancel with nothing applied leaves the file exactly as it was: the
    // writer would drop every comment and every option it does not know.
    if (run.applied) SaveEmulatorOptions(owner, path);
}

}  // namespace quillet
