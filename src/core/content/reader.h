#pragma once
// The reader of every content format: integers with "%d "-like semantics and lines with a byte
// limit that keeps the end-of-line when it fits. It knows its file name and line number so every
// warning can say where the bad value stands. Names are relative to the platform's content root,
// and warnings go to the platform's diagnostics.
#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace veloria {

struct Platform;
class Diagnostics;

// The integer at the start of text (size bytes): an optional sign, then digits, as every reader of
// content takes it. Returns how many bytes it spans (0: no digit after the sign, so no number);
// the value is clamped to 32 bits, and *clamped says whether that happened.
int32_t ScanInteger(const char* text, int32_t size, int32_t* value, bool* clamped);

class ContentReader {
  public:
    ContentReader(const Platform& platform, const char* path);
    ~ContentReader();
    ContentReader(const ContentReader&) = delete;
    ContentReader& operator=(const ContentReader&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    const char* Path() const { return path_; }
    int32_t Line() const { return line_; }

    // Reads one integer like fscanf("%d "): skips white space, reads an optional sign and
    // digits, then skips the white space after it. On failure *out is left as it was and every
    // later ReadInt fails too (the stream does not move past something that is not a number).
    // Numbers beyond 32 bits are clamped with a warning.
    bool ReadInt(int32_t* out);
    // ReadInt, then a range test: a value outside lo..hi is not stored; one warning names it.
    bool ReadIndex(int32_t* out, int32_t lo, int32_t hi, const char* what);
    // Reads into a temporary and reports whether a value in lo..hi was read (nothing stored on
    // failure). The value read is returned in *value either way when the read succeeded.
    bool ReadChecked(int32_t* value, int32_t lo, int32_t hi, const char* what);
    // Like fgets(buf, size): at most size-1 characters, through the end-of-line character,
    // which stays when it fits. False at end of file with nothing read (buf unchanged).
    bool ReadLine(char* buf, int32_t size);
    // True when nothing but white space is left.
    bool AtEnd();
    // For files of numbers only (levels): a word that is not a number ("2x9") is skipped whole
    // with one warning and counts as one value left unread, so one typo costs one value instead
    // of the rest of the file.
    void SkipBadWords() { skipBadWords_ = true; }

    // "message" about file:line, to the platform's diagnostics.
    void Warn(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // The same, naming a line read earlier (the line a value stood on, not the one after it).
    void WarnAt(int32_t line, const char* format, ...) __attribute__((format(printf, 3, 4)));

  private:
    // The file is read a block at a time into buf_: content files are read a character at a time,
    // and the C library's locked getc/ungetc pair cost more than the parsing around it.
    bool Fill();
    int Peek() {
        if (pos_ == len_ && !Fill()) return EOF;
        return static_cast<unsigned char>(buf_[pos_]);
    }
    int Get() {
        if (pos_ == len_ && !Fill()) return EOF;
        const int c = static_cast<unsigned char>(buf_[pos_++]);
        if (c == '\n') ++line_;
        return c;
    }
    void SkipSpace();
    void WarnLine(int32_t line, const char* format, va_list args);
    // Consumes the rest of a word whose first `taken` characters are in `word`, and warns.
    bool SkipWord(char* word, int32_t taken);

    FILE* file_;
    Diagnostics* diagnostics_;
    int32_t pos_ = 0;
    int32_t len_ = 0;
    char buf_[4096];
    char path_[128];
    int32_t line_;
    bool failed_;
    bool skipBadWords_ = false;
};

}  // namespace veloria
