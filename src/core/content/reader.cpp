#include "content/reader.h"

#include <cctype>
#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "content/content_files.h"
#include "flow/bounded_text.h"
#include "presentation/platform.h"

namespace veloria {

ContentReader::ContentReader(const Platform& platform, const char* path)
    : file_(nullptr), diagnostics_(platform.diagnostics), line_(1), failed_(false) {
    CopyText(path_, sizeof(path_), path ? path : "");
    char full[kContentPathSize];
    if (path && ContentPath(platform.contentRoot, path, full, sizeof(full)))
        file_ = std::fopen(full, "r");
}

ContentReader::~ContentReader() {
    if (file_) std::fclose(file_);
}

bool ContentReader::Fill() {
    if (!file_) return false;
    pos_ = 0;
    len_ = static_cast<int32_t>(std::fread(buf_, 1, sizeof(buf_), file_));
    return len_ > 0;
}

void ContentReader::SkipSpace() {
    for (;;) {
        int c = Peek();
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
            Get();
        } else {
            return;
        }
    }
}

bool ContentReader::SkipWord(char* word, int32_t taken) {
    constexpr int32_t kShown = 24;
    for (int c = Peek(); c != EOF && !std::isspace(c); c = Peek()) {
        Get();
        if (taken < kShown) word[taken++] = static_cast<char>(c);
    }
    word[taken] = '\0';
    Warn("'%s' is not a number; skipped", word);
    SkipSpace();
    return false;
}

int32_t ScanInteger(const char* text, int32_t size, int32_t* value, bool* clamped) {
    int32_t i = 0;
    const bool negative = size > 0 && text[0] == '-';
    if (size > 0 && (text[0] == '-' || text[0] == '+')) i = 1;
    if (i >= size || text[i] < '0' || text[i] > '9') return 0;
    int64_t v = 0;
    *clamped = false;
    for (; i < size && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (v <= 2147483648LL) v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) *clamped = true;
    }
    if (negative) v = -v;
    if (v > INT32_MAX) {
        v = INT32_MAX;
        *clamped = true;
    }
    if (v < INT32_MIN) {
        v = INT32_MIN;
        *clamped = true;
    }
    *value = static_cast<int32_t>(v);
    return i;
}

bool ContentReader::ReadInt(int32_t* out) {
    if (!file_ || failed_) return false;
    SkipSpace();
    char word[32];  // the start of the word, for warnings
    int32_t taken = 0;
    // The sign and digits, for ScanInteger; a run longer than this is far beyond 32 bits, so
    // what is cut off could not change the clamped value.
    char number[48];
    int32_t length = 0;
    int c = Peek();
    if (c == '+' || c == '-') {
        word[taken++] = static_cast<char>(c);
        number[length++] = static_cast<char>(c);
        Get();
        c = Peek();
        if (c < '0' || c > '9') {
            if (skipBadWords_ && c != EOF) return SkipWord(word, taken);
            // A lone sign is consumed, as the C library does, and nothing more can be read.
            failed_ = true;
            if (c != EOF) Warn("expected a number, found '%c'", c);
            return false;
        }
    }
    if (c < '0' || c > '9') {
        if (skipBadWords_ && c != EOF) return SkipWord(word, taken);
        failed_ = true;
        if (c != EOF) Warn("expected a number, found '%c'", c);
        return false;
    }
    while (c >= '0' && c <= '9') {
        Get();
        if (taken < 24) word[taken++] = static_cast<char>(c);
        if (length < static_cast<int32_t>(sizeof(number))) number[length++] = static_cast<char>(c);
        c = Peek();
    }
    if (skipBadWords_ && c != EOF && !std::isspace(c)) return SkipWord(word, taken);
    int32_t value = 0;
    bool clamped = false;
    ScanInteger(number, length, &value, &clamped);
    if (clamped) Warn("number out of 32-bit range, clamped to %d", value);
    *out = value;
    SkipSpace();
    return true;
}

bool ContentReader::ReadChecked(int32_t* value, int32_t lo, int32_t hi, const char* what) {
    int32_t v = 0;
    int32_t lineBefore = line_;
    if (!ReadInt(&v)) return false;
    *value = v;
    if (v < lo || v > hi) {
        WarnAt(lineBefore, "%s %d is outside %d..%d; skipped", what, v, lo, hi);
        return false;
    }
    return true;
}

bool ContentReader::ReadIndex(int32_t* out, int32_t lo, int32_t hi, const char* what) {
    int32_t v = *out;
    if (!ReadChecked(&v, lo, hi, what)) return false;
    *out = v;
    return true;
}

bool ContentReader::ReadLine(char* buf, int32_t size) {
    if (!file_ || size <= 0) return false;
    if (size == 1) {
        buf[0] = '\0';
        return true;
    }
    int32_t n = 0;
    int c = EOF;
    while (n < size - 1) {
        c = Get();
        if (c == EOF) break;
        buf[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    if (n == 0 && c == EOF) return false;
    buf[n] = '\0';
    // A line that exactly fills the buffer leaves its line break behind; take it too, or the next
    // read would find an empty line where the author wrote none.
    if (n == size - 1 && buf[n - 1] != '\n') {
        if (Peek() == '\r') Get();
        if (Peek() == '\n') Get();
    }
    return true;
}

bool ContentReader::AtEnd() {
    if (!file_) return true;
    SkipSpace();
    return Peek() == EOF;
}

void ContentReader::WarnLine(int32_t line, const char* format, va_list args) {
    if (!diagnostics_) return;
    char message[256];
    std::vsnprintf(message, sizeof(message), format, args);
    diagnostics_->Warn(path_, line, message);
}

void ContentReader::Warn(const char* format, ...) {
    va_list args;
    va_start(args, format);
    WarnLine(line_, format, args);
    va_end(args);
}

void ContentReader::WarnAt(int32_t line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    WarnLine(line, format, args);
    va_end(args);
}

}  // namespace veloria
