// The index of history.xml in the catalogue (tables historyfile and
// historyindex): which file version it describes, and per system name where
// the entry's text lies in the file. Built on the worker of a background
// task, read on the user-interface thread.
#pragma once

#include <cstdint>
#include <string>

namespace quillet {

struct HistoryFileKey {
    std::string path;
    std::string version;  // the root's version attribute
    int64_t size = 0;
    int64_t time = 0;     // last write, FILETIME units
    bool operator==(const HistoryFileKey&) const = default;
};

// The key of the indexed file and whether it was damaged; false when
// nothing is indexed (or the tables are missing).
bool ReadHistoryKey(HistoryFileKey& key, bool& damaged);

// Where `name`'s entry lies (the name is compared in lower case); false
// when the index has none.
bool FindHistoryEntry(const char* name, uint32_t& offset, uint32_t& length);

// Replaces the whole index inside one transaction: Begin, Add per system
// name, then Finish (commits) or nothing (the destructor rolls back).
class HistoryIndexWriter {
public:
    HistoryIndexWriter();
    ~HistoryIndexWriter();
    HistoryIndexWriter(const HistoryIndexWriter&) = delete;
    HistoryIndexWriter& operator=(const HistoryIndexWriter&) = delete;

    bool ok() const { return ok_; }
    void Add(const char* name, uint32_t offset, uint32_t length);
    bool Finish(const HistoryFileKey& key, bool damaged);

private:
    bool ok_ = false;
    bool open_ = false;
    void* statement_ = nullptr;
    char name_[48] = "";
    int32_t offset_ = 0;
    int32_t length_ = 0;
};

}  // namespace quillet
