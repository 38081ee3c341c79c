// Pure scanners over captured emulator output and catver.ini. Each works on
// the byte range [begin, end) and never reads outside it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "catalogue/import_record.h"

namespace quillet {

// First position p in [begin, end) where the whole pattern lies inside the
// range; nullptr when there is none or begin is not below end.
const char* FindBytes(const char* begin, const char* end, const char* pattern, size_t length);

// ---- XML game list ----------------------------------------------------

// True when the four bytes "<mam" (the root start tag) occur in the range.
// The import checks this before it empties the table, so a capture that is
// no game list at all (the emulator did not start) leaves the catalogue as is.
bool HasGameListRoot(const char* begin, const char* end);

// Copies the XML text [from, to) into field (capacity bytes with the
// terminating zero) with the five predefined entities and numeric character
// references decoded, the latter into UTF-8; an '&' that starts no known
// reference stays as written. Cut at the field, never in the middle of a
// UTF-8 character. Returns the length copied.
size_t DecodeXmlText(char* field, size_t capacity, const char* from, const char* to);

// What ReadGameElement learns about a game beyond the record.
struct GameTraits {
    bool notAGame;        // a device (isdevice="yes"), a BIOS set (isbios="yes") or runnable="no"
    size_t nameLength;    // of the name attribute as written, before any cut
};
// Reads one game element. Entered just behind "<game" (or "<machine"),
// returns true with `pos` just behind "</game>" (or "</machine>") and
// `record` filled (the caller clears it first); false on a format error,
// including text that ends inside the game.
bool ReadGameElement(const char*& pos, const char* end, ImportRecord& record, GameTraits& traits);

enum class GameListStatus {
    Complete,      // the root end tag was reached
    NoRoot,        // "<mam" does not occur: not a game list at all
    FormatError,   // stopped at a game the reader cannot read (or at the end of the text)
    Stopped,       // the sink asked to stop (through `stop`)
};

struct GameListResult {
    GameListStatus status;
    uint32_t games;                  // games handed to the sink
    uint32_t longNames;              // games passed over: name longer than kLongestRomName
    Generation generation;           // Today for a root build of 0.107 or later, or <machine> elements
    char lastRead[kRomNameField];    // short name of the last game read to its end; empty before the first
};

// The generation a root start tag's build attribute names: Today from 0.107
// on ("0.251 (unknown)"), Era before it and without a build attribute.
Generation GenerationOfBuild(const char* tagBegin, const char* tagEnd);

// The catalogue columns the list does not hold as such: Cloneof becomes a
// single space and Original 0 for a parent, Original 1 for a clone; IconPath
// is the parent's (or own) short name and ".ico"; Resolution is
// "WIDTHxHEIGHT", cut to its field, or a single space without a width.
void DeriveCatalogueFields(ImportRecord& record);

// Called once per runnable game with the record filled and Original,
// Cloneof, Resolution and IconPath derived.
using GameSink = void (*)(void* context, ImportRecord& record);

// Finds the root start tag (with or without attributes), then reads game by
// game into `record` until the root end tag. The record is cleared before
// each game; the sink sees it filled and derived, and may bind it in place.
// Devices and BIOS sets are read but neither handed over nor counted; a
// game whose name is longer than kLongestRomName is counted in longNames
// and not handed over.
// On a format error the games handed over so far stay handed over; nothing
// is read past the end, and a text that ends before "</mame>" is a format
// error too.
// With `stop`, the scan ends (Stopped) as soon as *stop is true after a
// sink call: an import that failed or was cancelled reads no further.
GameListResult ScanGameList(const char* begin, const char* end, ImportRecord& record, GameSink sink,
                            void* context, const bool* stop = nullptr);

// ---- -verifysets output -------------------------------------------------

// Status codes by the third character of the verdict: o 0, s 1, d 2, else 3.
uint8_t VerdictCode(char third);

using VerifySink = void (*)(void* context, const char* name, uint8_t code);

// Calls the sink once per result line ("romset NAME ... is VERDICT"); the
// name is what follows "romset " up to the next space. A name longer than
// kLongestRomName cannot be in the catalogue: its line is passed over.
// Detail lines and the summary of -verifyroms hold no "romset " and are
// passed over too.
// Lines may end in CR LF or LF alone. A "romset " with no " is " after it
// ends the scan, and so does a verdict shorter than three characters at the
// end of the text; a verdict at the very end with no line end is used.
// Returns the number of lines handed over.
uint32_t ScanVerifyResults(const char* begin, const char* end, VerifySink sink, void* context);

// True when the range holds at least one "romset " result. Today's emulator
// answers "-verifysets" with an error and no such line.
bool HasVerifyResult(const char* begin, const char* end);

// ---- catver.ini ---------------------------------------------------------

// Called once per line of a [Category] section (BIOS lines excepted) with
// the short name and the category (cut to 89). A line whose name is longer
// than kLongestRomName is passed over.
using CategorySink = void (*)(void* context, const char* name, const char* category);

// A section runs from its "[Category]" line to the first empty line, the
// next line that starts with '[' (a section header), or the end of the text.
// Lines in it without '=' are passed over; lines may end in CR LF or LF.
// Returns the number of lines handed over.
uint32_t ScanCategoryFile(const char* begin, const char* end, CategorySink sink, void* context);

}  // namespace quillet
