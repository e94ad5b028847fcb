#pragma once
// A content file read the way the game's reader reads it ("%d " numbers, text lines through the
// end of the line), but keeping the line of every value and never cutting a line, so the checker
// can say where a value stands and how long a line really is.
#include <cstdint>
#include <string>
#include <vector>

namespace veloria::check {

class ContentText {
  public:
    // Reads name below root (an empty root: name as it stands); Path() is the name.
    ContentText(const std::string& root, const std::string& name);

    const std::string& Path() const { return path_; }
    bool Exists() const { return exists_; }

    // Like ReadInt: skips white space, reads a signed integer (clamped to 32 bits), then skips
    // the white space after it. False, without moving, at anything that is not a number.
    bool Int(int32_t* value, int32_t* line = nullptr);
    // The rest of the current line, without its end-of-line; false at the end of the file.
    bool Line(std::string* text, int32_t* line = nullptr);
    // Only white space is left.
    bool AtEnd();
    // The next word, for messages (does not move); "the end of the file" when there is none.
    std::string NextWord();
    // The line of the next thing that is not white space.
    int32_t LineHere();
    // Moves past the next word.
    void SkipWord();
    // From now on a number must be a whole word: "2x9" is no number at all.
    void WholeWords() { wholeWords_ = true; }

  private:
    void SkipSpace();

    std::string path_;
    bool exists_ = false;
    std::string text_;
    size_t pos_ = 0;
    int32_t line_ = 1;
    bool wholeWords_ = false;
};

// The numbers of a file that holds only numbers, with the line of each; reading stops at the
// first word that is not a number (stray, on strayLine). With wordsAsValues (levels, which the
// game reads so) that word instead takes its place as a 0 and reading goes on.
struct NumberFile {
    bool exists = false;
    std::vector<int32_t> values;
    std::vector<int32_t> lines;
    std::string stray;
    int32_t strayLine = 0;
    size_t strayAfter = 0;               // numbers before the stray word
    int32_t LineOf(size_t index) const;  // 0 when the file has no such number
};
NumberFile ReadNumberFile(const std::string& root, const std::string& path,
                          bool wordsAsValues = false);

}  // namespace veloria::check
