// The display texts of the catalogue's coded columns (Original, the four
// statuses, Video, Orientation): which strings of the language module they
// are, and their slots. Loaded at start-up with the other fixed texts; the
// records take their texts from the loaded table. Pure data.
#pragma once

namespace quillet {

// Indexes into RecordTexts.
enum RecordText : int {
    kTextOriginalNo = 0,     // 2047
    kTextOriginalYes,        // 2048
    kTextGood,               // 2039
    kTextBestAvailable,      // 2040
    kTextBad,                // 2041
    kTextOtherStatus,        // 2042
    kTextImperfect,          // 2044
    kTextPreliminary,        // 2045
    kTextDriverOther,        // 2046
    kTextRaster,             // 2035
    kTextVector,             // 2036
    kTextHorizontal,         // 2037
    kTextVertical,           // 2038
    kRecordTextCount
};

// String ids of RecordTexts, in slot order.
extern const unsigned kRecordTextIds[kRecordTextCount];

}  // namespace quillet
