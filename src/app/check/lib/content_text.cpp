#include "content_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "content/reader.h"

namespace veloria::check {

ContentText::ContentText(const std::string& root, const std::string& name) : path_(name) {
    const std::string path =
        root.empty() || name.empty() || name[0] == '/' ? name : root + "/" + name;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return;  // reading a folder would throw
    std::ifstream in(path, std::ios::binary);
    exists_ = static_cast<bool>(in);
    if (exists_) text_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ContentText::SkipSpace() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
        if (text_[pos_] == '\n') ++line_;
        ++pos_;
    }
}

bool ContentText::Int(int32_t* value, int32_t* line) {
    SkipSpace();
    // The game's own number rule; only the line bookkeeping and the whole-word rule are ours.
    int32_t v = 0;
    bool clamped = false;
    const size_t left = text_.size() - pos_;
    const int32_t span =
        left > 0 ? ScanInteger(text_.data() + pos_,
                               static_cast<int32_t>(std::min<size_t>(left, 1 << 30)), &v, &clamped)
                 : 0;
    if (span == 0) return false;
    const size_t p = pos_ + static_cast<size_t>(span);
    if (wholeWords_ && p < text_.size() && !std::isspace(static_cast<unsigned char>(text_[p]))) {
        return false;
    }
    if (line) *line = line_;
    *value = v;
    pos_ = p;
    SkipSpace();
    return true;
}

bool ContentText::Line(std::string* text, int32_t* line) {
    if (pos_ >= text_.size()) return false;
    if (line) *line = line_;
    size_t end = text_.find('\n', pos_);
    size_t stop = end == std::string::npos ? text_.size() : end;
    text->assign(text_, pos_, stop - pos_);
    if (!text->empty() && text->back() == '\r') text->pop_back();
    pos_ = end == std::string::npos ? text_.size() : end + 1;
    if (end != std::string::npos) ++line_;
    return true;
}

bool ContentText::AtEnd() {
    SkipSpace();
    return pos_ >= text_.size();
}

std::string ContentText::NextWord() {
    size_t p = pos_;
    while (p < text_.size() && std::isspace(static_cast<unsigned char>(text_[p]))) ++p;
    if (p >= text_.size()) return "the end of the file";
    size_t e = p;
    while (e < text_.size() && !std::isspace(static_cast<unsigned char>(text_[e])) && e - p < 24) {
        ++e;
    }
    return "'" + text_.substr(p, e - p) + "'";
}

int32_t ContentText::LineHere() {
    int32_t line = line_;
    for (size_t p = pos_; p < text_.size() && std::isspace(static_cast<unsigned char>(text_[p]));
         ++p) {
        if (text_[p] == '\n') ++line;
    }
    return line;
}

int32_t NumberFile::LineOf(size_t index) const {
    return index < lines.size() ? lines[index] : 0;
}

void ContentText::SkipWord() {
    SkipSpace();
    while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    SkipSpace();
}

NumberFile ReadNumberFile(const std::string& root, const std::string& path, bool wordsAsValues) {
    ContentText t(root, path);
    NumberFile f;
    f.exists = t.Exists();
    if (wordsAsValues) t.WholeWords();
    int32_t v = 0, line = 0;
    for (;;) {
        while (t.Int(&v, &line)) {
            f.values.push_back(v);
            f.lines.push_back(line);
        }
        if (t.AtEnd()) break;
        if (f.stray.empty()) {
            f.strayLine = t.LineHere();
            f.stray = t.NextWord();
            f.strayAfter = f.values.size();
        }
        if (!wordsAsValues) break;
        f.values.push_back(0);
        f.lines.push_back(t.LineHere());
        t.SkipWord();
    }
    return f;
}

}  // namespace veloria::check
