#pragma once
// A content format described once: each field's name, how many entries it has, the integers of
// one entry (a field whose entry is a record names that record's schema), the range or table a
// value must fall in, and what it means. The run-time loader, the strict checker, the tests' file
// builders and the field tables of docs/content.md all read the same description.
#include <cstdint>

namespace veloria {

struct FieldSchema;

struct RecordSchema {
    const char* name;
    const FieldSchema* fields;
    int32_t fieldCount;
};

struct FieldSchema {
    const char* name;            // the record field the values fill, as named in the code
    int32_t count;               // entries, in file order
    const RecordSchema* record;  // each entry is one such record; nullptr: one integer
    int32_t width;               // integers per entry: 1, or the record's RecordIntegers
    int32_t lo, hi;              // a checked value's range; lo > hi: any value is taken
    const char* table;           // the table the value indexes, or nullptr
    const char* meaning;
};

constexpr int32_t kAnyLo = 1, kAnyHi = 0;

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

}  // namespace veloria
