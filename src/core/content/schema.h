#pragma once
// A content format described once: each field's name, how many entries it has, the integers of
// one entry (a field whose entry is a record names that record's schema), the range or table a
// value must fall in, and what it means. The run-time loader, the strict checker, the tests' file
// builders and the field tables of docs/content.md all read the same description.
#include <cstdint>

namespace veloria {

struct FieldSchema;

constexpr int32_t kAnyLo = 1, kAnyHi = 0;

struct RecordSchema {
    const char* name;
    const FieldSchema* fields;
    int32_t fieldCount;
    bool upTo = false;  // the last field's entries are counted by the file: a file holds fewer
};

struct FieldSchema {
    const char* name;            // the record field the values fill, as named in the code
    int32_t count;               // entries, in file order
    const RecordSchema* record;  // each entry is one such record; nullptr: one integer
    int32_t width;               // integers per entry: 1, the record's RecordIntegers, or 0
                                 // for a text line (lo 0, hi the most characters it keeps)
    int32_t lo, hi;              // a checked value's range; lo > hi: any value is taken
    const char* table;           // the table the value indexes, or nullptr
    const char* meaning;
    // The range veloria-check holds a value to where the game takes more (lo > hi: none).
    int32_t strictLo = kAnyLo, strictHi = kAnyHi;
};

// Chest and shop files read a kind and then numbers whose ranges the kind decides.
struct KindSchema {
    int32_t kind;
    const char* gives;
    const RecordSchema* rest;  // the fields that follow the kind
};

// Integers one entry of a field takes. (Kept as a number beside the record pointer: a pointer
// test is no constant expression under GCC's undefined-behaviour sanitizer.)
constexpr int32_t EntryIntegers(const FieldSchema& f) {
    return f.width;
}

constexpr int32_t RecordIntegers(const RecordSchema& r) {
    int32_t n = 0;
    for (int32_t i = 0; i < r.fieldCount; ++i) n += r.fields[i].count * EntryIntegers(r.fields[i]);
    return n;
}

constexpr bool SameName(const char* a, const char* b) {
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Position of a field's first integer within its record; -1 when there is no such field.
constexpr int32_t FieldOffset(const RecordSchema& r, const char* name) {
    int32_t n = 0;
    for (int32_t i = 0; i < r.fieldCount; ++i) {
        if (SameName(r.fields[i].name, name)) return n;
        n += r.fields[i].count * EntryIntegers(r.fields[i]);
    }
    return -1;
}

constexpr const FieldSchema* FindField(const RecordSchema& r, const char* name) {
    for (int32_t i = 0; i < r.fieldCount; ++i) {
        if (SameName(r.fields[i].name, name)) return &r.fields[i];
    }
    return nullptr;
}

constexpr bool IsChecked(const FieldSchema& f) {
    return f.lo <= f.hi;
}

constexpr bool IsLine(const FieldSchema& f) {
    return f.record == nullptr && f.width == 0;
}

constexpr bool HasStrictRange(const FieldSchema& f) {
    return f.strictLo <= f.strictHi;
}

// The range the strict checker holds a value to: its own or the loader's (lo > hi: any).
struct Range {
    int32_t lo, hi;
};
constexpr Range StrictRange(const FieldSchema& f) {
    return HasStrictRange(f) ? Range{f.strictLo, f.strictHi} : Range{f.lo, f.hi};
}

// The fields a kind number brings with it; nullptr for a kind the table does not know.
constexpr const RecordSchema* KindRest(const KindSchema* kinds, int32_t kindCount, int32_t kind) {
    for (int32_t k = 0; k < kindCount; ++k) {
        if (kinds[k].kind == kind) return kinds[k].rest;
    }
    return nullptr;
}

// The word a loader's warning names a field by: the table it indexes, or its own name.
constexpr const char* WarningWord(const FieldSchema& f) {
    return f.table ? f.table : f.name;
}

}  // namespace veloria
