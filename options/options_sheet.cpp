// The nine-page option sheet over EmuOptions. Every page follows one
// routine driven by its table of controls: load the controls from the record
// when the page is created, mark the sheet changed on the page's change
// notifications, store the controls into the record on apply.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstring>

#include "base/report.h"
#include "options/emulator_options.h"
#include "options/options.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "ui/pickers.h"

namespace quillet {

namespace {

enum class Kind : uint8_t {
    Edit,        // text option; `companion` is the browse button
    Check,       // three-state check box over a switch
    List,        // drop-down list; option may be null (shown, tied to nothing)
    Slider,      // trackbar; `companion` is the value label
    Number,      // edit with spin button (`companion`) over a count or digit
    Latency,     // radios id..id+4 over audio_latency 0-4
    SampleRate,  // radios id..id+4 over samplerate
};

enum class Label : uint8_t { Number, Hundredths, Flicker };

struct PageControl {
    int id;
    Kind kind;
    const char* option;
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
    {IDC_OPT_ROMPATH, Kind::Edit, "rompath", IDC_OPT_ROMPATH_BROWSE},
    {IDC_OPT_SAMPLEPATH, Kind::Edit, "samplepath", IDC_OPT_SAMPLEPATH_BROWSE},
    {IDC_OPT_CFG_DIR, Kind::Edit, "cfg_directory", IDC_OPT_CFG_DIR_BROWSE},
    {IDC_OPT_NVRAM_DIR, Kind::Edit, "nvram_directory", IDC_OPT_NVRAM_DIR_BROWSE},
    {IDC_OPT_MEMCARD_DIR, Kind::Edit, "memcard_directory", IDC_OPT_MEMCARD_DIR_BROWSE},
    {IDC_OPT_INPUT_DIR, Kind::Edit, "input_directory", IDC_OPT_INPUT_DIR_BROWSE},
    {IDC_OPT_HISCORE_DIR, Kind::Edit, "hiscore_directory", IDC_OPT_HISCORE_DIR_BROWSE},
    {IDC_OPT_STATE_DIR, Kind::Edit, "state_directory", IDC_OPT_STATE_DIR_BROWSE},
};

// File filters whose description and pattern are both the expected name.
constexpr char kCheatFilter[] = "cheat.dat\0cheat.dat\0";
constexpr char kHistoryFilter[] = "history.dat\0history.dat\0";
constexpr char kMameinfoFilter[] = "mameinfo.dat\0mameinfo.dat\0";

constexpr PageControl kSupportPage[] = {
    {IDC_OPT_ARTWORK_DIR, Kind::Edit, "artwork_directory", IDC_OPT_ARTWORK_DIR_BROWSE},
    {IDC_OPT_SNAPSHOT_DIR, Kind::Edit, "snapshot_directory", IDC_OPT_SNAPSHOT_DIR_BROWSE},
    {IDC_OPT_DIFF_DIR, Kind::Edit, "diff_directory", IDC_OPT_DIFF_DIR_BROWSE},
    {IDC_OPT_CTRLR_DIR, Kind::Edit, "ctrlr_directory", IDC_OPT_CTRLR_DIR_BROWSE},
    {IDC_OPT_CHEAT_FILE, Kind::Edit, "cheat_file", IDC_OPT_CHEAT_FILE_BROWSE, 0, 0, 0, Label::Number, nullptr,
     kCheatFilter},
    {IDC_OPT_HISTORY_FILE, Kind::Edit, "history_file", IDC_OPT_HISTORY_FILE_BROWSE, 0, 0, 0, Label::Number, nullptr,
     kHistoryFilter},
    {IDC_OPT_MAMEINFO_FILE, Kind::Edit, "mameinfo_file", IDC_OPT_MAMEINFO_FILE_BROWSE, 0, 0, 0, Label::Number,
     nullptr, kMameinfoFilter},
};

constexpr PageControl kWinVideoPage[] = {
    {IDC_OPT_AUTOFRAMESKIP, Kind::Check, "autoframeskip"},
    {IDC_OPT_WAITVSYNC, Kind::Check, "waitvsync"},
    {IDC_OPT_TRIPLEBUFFER, Kind::Check, "triplebuffer"},
    {IDC_OPT_WINDOW, Kind::Check, "window"},
    {IDC_OPT_DDRAW, Kind::Check, "ddraw"},
    {IDC_OPT_HWSTRETCH, Kind::Check, "hwstretch"},
    {IDC_OPT_REFRESH, Kind::Check, "refresh"},
    {IDC_OPT_SCANLINES, Kind::Check, "scanlines"},
    {IDC_OPT_SWITCHRES, Kind::Check, "switchres"},
    {IDC_OPT_SWITCHBPP, Kind::Check, "switchbpp"},
    {IDC_OPT_MAXIMIZE, Kind::Check, "maximize"},
    {IDC_OPT_KEEPASPECT, Kind::Check, "keepaspect"},
    {IDC_OPT_MATCHREFRESH, Kind::Check, "matchrefresh"},
    {IDC_OPT_SYNCREFRESH, Kind::Check, "syncrefresh"},
    {IDC_OPT_THROTTLE, Kind::Check, "throttle"},
    {IDC_OPT_SLEEP, Kind::Check, "sleep"},
    {IDC_OPT_RDTSC, Kind::Check, "rdtsc"},
    {IDC_OPT_HIGH_PRIORITY, Kind::Check, "high_priority"},
    {IDC_OPT_CLEANSTRETCH, Kind::List, "cleanstretch", 0, 0, 0, 0, Label::Number, kStretch},
    {IDC_OPT_RESOLUTION, Kind::List, "resolution", 0, 0, 0, 0, Label::Number, kResolutions},
    {IDC_OPT_EFFECT, Kind::List, "effect", 0, 0, 0, 0, Label::Number, kEffects},
    {IDC_OPT_SCREEN_ASPECT, Kind::List, "screen_aspect", 0, 0, 0, 0, Label::Number, kAspects},
    {IDC_OPT_FRAMESKIP, Kind::Slider, "frameskip", IDC_OPT_FRAMESKIP_LABEL, -1, 11, 0, Label::Number},
    {IDC_OPT_FS_BRIGHTNESS, Kind::Slider, "full_screen_brightness", IDC_OPT_FS_BRIGHTNESS_LABEL, -1, 200, 5,
     Label::Hundredths},
    {IDC_OPT_FRAMES_TO_RUN, Kind::Number, "frames_to_run", IDC_OPT_FRAMES_TO_RUN_SPIN, 0, 2000000000},
};

constexpr PageControl kCoreVideoPage[] = {
    {IDC_OPT_DEBUG_RESOLUTION, Kind::List, "debug_resolution", 0, 0, 0, 0, Label::Number, kResolutions},
    {IDC_OPT_GAMMA, Kind::Slider, "gamma", IDC_OPT_GAMMA_LABEL, 49, 200, 5, Label::Hundredths},
    {IDC_OPT_BRIGHTNESS, Kind::Slider, "brightness", IDC_OPT_BRIGHTNESS_LABEL, -1, 200, 5, Label::Hundredths},
    {IDC_OPT_PAUSE_BRIGHTNESS, Kind::Slider, "pause_brightness", IDC_OPT_PAUSE_BRIGHTNESS_LABEL, -1, 200, 5,
     Label::Hundredths},
    {IDC_OPT_ROR, Kind::Check, "ror"},
    {IDC_OPT_ROL, Kind::Check, "rol"},
    {IDC_OPT_AUTOROR, Kind::Check, "autoror"},
    {IDC_OPT_AUTOROL, Kind::Check, "autorol"},
    {IDC_OPT_FLIPX, Kind::Check, "flipx"},
    {IDC_OPT_FLIPY, Kind::Check, "flipy"},
    {IDC_OPT_NOROTATE, Kind::Check, "norotate"},
};

constexpr PageControl kD3dPage[] = {
    {IDC_OPT_D3DFILTER_LIST, Kind::List, nullptr, 0, 0, 0, 0, Label::Number, kD3dFilters},
    {IDC_OPT_D3DPRESCALE, Kind::List, "d3dprescale", 0, 0, 0, 0, Label::Number, kPrescale},
    {IDC_OPT_D3DEFFECT, Kind::List, "d3deffect", 0, 0, 0, 0, Label::Number, kD3dEffects},
    {IDC_OPT_ZOOM, Kind::Number, "zoom", IDC_OPT_ZOOM_SPIN, 0, 9},
    {IDC_OPT_D3DSCAN, Kind::Slider, "d3dscan", IDC_OPT_D3DSCAN_LABEL, -1, 100, 5, Label::Number},
    {IDC_OPT_D3DFEEDBACK, Kind::Slider, "d3dfeedback", IDC_OPT_D3DFEEDBACK_LABEL, -1, 100, 5, Label::Number},
    {IDC_OPT_DIRECT3D, Kind::Check, "direct3d"},
    {IDC_OPT_D3DTEXMANAGE, Kind::Check, "d3dtexmanage"},
};

constexpr PageControl kVectorPage[] = {
    {IDC_OPT_BEAM, Kind::Slider, "beam", IDC_OPT_BEAM_LABEL, 99, 1600, 30, Label::Hundredths},
    {IDC_OPT_FLICKER, Kind::Slider, "flicker", IDC_OPT_FLICKER_LABEL, -1, 100, 2, Label::Flicker},
    {IDC_OPT_INTENSITY, Kind::Slider, "intensity", IDC_OPT_INTENSITY_LABEL, 49, 300, 10, Label::Hundredths},
    {IDC_OPT_ANTIALIAS, Kind::Check, "antialias"},
    {IDC_OPT_TRANSLUCENCY, Kind::Check, "translucency"},
};

constexpr PageControl kSoundPage[] = {
    {IDC_OPT_VOLUME, Kind::Slider, "volume", IDC_OPT_VOLUME_LABEL, -33, 0, 0, Label::Number},
    {IDC_OPT_LATENCY_FIRST, Kind::Latency, "audio_latency"},
    {IDC_OPT_SAMPLERATE_FIRST, Kind::SampleRate, "samplerate"},
    {IDC_OPT_SOUND, Kind::Check, "sound"},
    {IDC_OPT_SAMPLES, Kind::Check, "samples"},
    {IDC_OPT_RESAMPLEFILTER, Kind::Check, "resamplefilter"},
};

constexpr PageControl kInputPage[] = {
    {IDC_OPT_CTRLR_LIST, Kind::List, nullptr, 0, 0, 0, 0, Label::Number, kControllers},
    {IDC_OPT_A2D_DEADZONE, Kind::Slider, "a2d_deadzone", IDC_OPT_A2D_DEADZONE_LABEL, -1, 100, 5, Label::Hundredths},
    {IDC_OPT_KEYBOARD_LEDS, Kind::Check, "keyboard_leds"},
    {IDC_OPT_STEADYKEY, Kind::Check, "steadykey"},
    {IDC_OPT_JOYSTICK, Kind::Check, "joystick"},
    {IDC_OPT_MOUSE, Kind::Check, "mouse"},
};

constexpr PageControl kMiscPage[] = {
    {IDC_OPT_MAXLOGSIZE, Kind::Number, "maxlogsize", IDC_OPT_MAXLOGSIZE_SPIN, 0, 2000000},
    {IDC_OPT_ARTWORK_RESOLUTION, Kind::Slider, "artwork_resolution", IDC_OPT_ARTWORK_RESOLUTION_LABEL, -1, 10, 0,
     Label::Number},
    {IDC_OPT_ARTWORK, Kind::Check, "artwork"},
    {IDC_OPT_ARTWORK_CROP, Kind::Check, "artwork_crop"},
    {IDC_OPT_USE_OVERLAYS, Kind::Check, "use_overlays"},
    {IDC_OPT_USE_BEZELS, Kind::Check, "use_bezels"},
    {IDC_OPT_USE_BACKDROPS, Kind::Check, "use_backdrops"},
    {IDC_OPT_CHEAT, Kind::Check, "cheat"},
    {IDC_OPT_DEBUG, Kind::Check, "debug"},
    {IDC_OPT_LOG, Kind::Check, "log"},
    {IDC_OPT_OSLOG, Kind::Check, "oslog"},
    {IDC_OPT_SKIP_DISCLAIMER, Kind::Check, "skip_disclaimer"},
    {IDC_OPT_SKIP_GAMEINFO, Kind::Check, "skip_gameinfo"},
    {IDC_OPT_VERBOSE, Kind::Check, "verbose"},
    {IDC_OPT_CRCONLY, Kind::Check, "crconly"},
    {IDC_OPT_READCONFIG, Kind::Check, "readconfig"},
};

// Command notification codes that mark a page changed, as bits: 1 << 0 a
// button click, 1 << 1 a list selection change, 1 << 2 an edit change,
// 1 << 3 an edit update (sent before the typed text shows).
constexpr unsigned kClick = 1u << 0, kSelect = 1u << 1, kEditChange = 1u << 2, kEditUpdate = 1u << 3;

struct PageTable {
    WORD templateId;
    const PageControl* controls;
    size_t count;
    unsigned changeCodes;
};

template <size_t N>
constexpr PageTable Page(WORD id, const PageControl (&controls)[N], unsigned codes) {
    return {id, controls, N, codes};
}

constexpr int kPageCount = 9;
constexpr PageTable kPages[kPageCount] = {
    Page(IDD_OPT_PATHS, kPathsPage, kEditUpdate),
    Page(IDD_OPT_SUPPORT, kSupportPage, kEditUpdate),
    Page(IDD_OPT_WINVIDEO, kWinVideoPage, kClick | kSelect),
    Page(IDD_OPT_COREVIDEO, kCoreVideoPage, kClick | kSelect),
    Page(IDD_OPT_D3D, kD3dPage, kClick | kSelect | kEditChange),
    Page(IDD_OPT_VECTOR, kVectorPage, kClick),
    Page(IDD_OPT_SOUND, kSoundPage, kClick),
    Page(IDD_OPT_INPUT, kInputPage, kClick | kSelect),
    Page(IDD_OPT_MISC, kMiscPage, kClick | kSelect | kEditChange),
};

unsigned CodeBit(WORD code) {
    switch (code) {
    case BN_CLICKED: return kClick;
    case CBN_SELCHANGE: return kSelect;
    case EN_CHANGE: return kEditChange;
    case EN_UPDATE: return kEditUpdate;
    default: return 0;
    }
}

// ---- sheet state -------------------------------------------------------------

HWND sheetWindow;     // the sheet, taken from the first page created
bool loadingPage;     // controls are being set from the record: no change marks
bool anythingApplied; // an apply reached the record since the sheet opened

const OptionField* FieldNamed(const char* name) {
    if (name == nullptr) return nullptr;
    for (const OptionField& field : kOptionFields)
        if (std::strcmp(field.name, name) == 0) return &field;
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
    const OptionField* field = FieldNamed(control.option);
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
    const OptionField* field = FieldNamed(control.option);
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

// ---- the page procedure -------------------------------------------------------

// A page keeps its number plus one; zero until WM_INITDIALOG, while the
// dialog manager creates the controls (an up-down then already sets its
// buddy's text, which is no change of the user's).
void SetPageNumber(HWND page, LPARAM number) { SetWindowLongPtrA(page, GWLP_USERDATA, number + 1); }
bool IsInitialised(HWND page) { return GetWindowLongPtrA(page, GWLP_USERDATA) != 0; }
const PageTable& PageOf(HWND page) {
    return kPages[static_cast<size_t>(GetWindowLongPtrA(page, GWLP_USERDATA) - 1) % kPageCount];
}

void MarkChanged(HWND page) { PropSheet_Changed(sheetWindow, page); }

INT_PTR OnInitPage(HWND page, const PROPSHEETPAGEA* description) {
    SetPageNumber(page, description->lParam);
    sheetWindow = GetParent(page);
    const PageTable& table = PageOf(page);
    loadingPage = true;
    for (size_t i = 0; i < table.count; ++i) LoadControl(page, table.controls[i]);
    loadingPage = false;
    return TRUE;
}

// A browse button: the picker writes into its edit; a cancelled picker
// changes nothing.
bool OnBrowse(HWND page, const PageTable& table, int id) {
    for (size_t i = 0; i < table.count; ++i) {
        const PageControl& control = table.controls[i];
        if (control.kind != Kind::Edit || control.companion != id) continue;
        const int chosen = control.filter ? ChooseFile(page, control.id, control.filter)
                                          : ChooseFolder(page, control.id, kWindowTitle);
        if (chosen) MarkChanged(page);
        return true;
    }
    return false;
}

void OnCommand(HWND page, int id, WORD code) {
    if (loadingPage || !IsInitialised(page)) return;
    const PageTable& table = PageOf(page);
    if (code == BN_CLICKED && OnBrowse(page, table, id)) return;
    if (table.changeCodes & CodeBit(code)) MarkChanged(page);
}

void OnSliderMoved(HWND page, HWND slider) {
    const PageTable& table = PageOf(page);
    const int id = GetDlgCtrlID(slider);
    for (size_t i = 0; i < table.count; ++i) {
        const PageControl& control = table.controls[i];
        if (control.kind != Kind::Slider || control.id != id) continue;
        ShowSliderValue(page, control, SliderUnset(*FieldNamed(control.option)));
        MarkChanged(page);
        return;
    }
}

INT_PTR OnApply(HWND page) {
    const PageTable& table = PageOf(page);
    for (size_t i = 0; i < table.count; ++i) StoreControl(page, table.controls[i]);
    anythingApplied = true;
    SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

INT_PTR CALLBACK OptionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitPage(page, reinterpret_cast<const PROPSHEETPAGEA*>(lParam));
    case WM_COMMAND: OnCommand(page, LOWORD(wParam), HIWORD(wParam)); return FALSE;
    case WM_HSCROLL:
        if (lParam && IsInitialised(page)) OnSliderMoved(page, reinterpret_cast<HWND>(lParam));
        return FALSE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) return OnApply(page);
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void OpenEmulatorOptionsSheet(HWND owner, int startPage, const char* path) {
    if (Settings.MameName[0] == '\0') {
        ReportMessage(owner, MessageSourceModule, MSG_NO_EMULATOR);
        return;
    }
    PROPSHEETPAGEA pages[kPageCount] = {};
    for (int i = 0; i < kPageCount; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].dwFlags = PSP_DEFAULT;
        pages[i].hInstance = LanguageModule;
        pages[i].pszTemplate = MAKEINTRESOURCEA(kPages[i].templateId);
        pages[i].pfnDlgProc = OptionPageProc;
        pages[i].lParam = i;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = LanguageModule;
    header.pszCaption = MAKEINTRESOURCEA(IDS_CAPTION_OPTIONS);
    header.nPages = kPageCount;
    header.nStartPage = static_cast<UINT>(startPage);
    header.ppsp = pages;

    if (!LoadEmulatorOptions(owner, path)) return;
    anythingApplied = false;
    sheetWindow = nullptr;
    const INT_PTR result = PropertySheetA(&header);
    if (result < 0) {
        ReportMessage(owner, MessageSourceSystem, 0);
        return;
    }
    // Cancel with nothing applied leaves the file exactly as it was: the
    // writer would drop every comment and every option it does not know.
    if (anythingApplied) SaveEmulatorOptions(owner, path);
}

}  // namespace quillet
