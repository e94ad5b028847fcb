#pragma once
// The diagnostics every program uses: each warning on stderr as "file:line: message" ("file:
// message" when it concerns the file as a whole), counted so that tools and tests can ask how many
// a run gave.
#include <cstdint>

#include "presentation/platform.h"

namespace veloria {

class StderrDiagnostics : public Diagnostics {
  public:
    void Warn(const char* file, int32_t line, const char* message) override;
    int32_t Count() const { return count_; }
    // Counted but not written: a fuzzer's millions of warnings would drown its own report.
    void SetQuiet(bool quiet) { quiet_ = quiet; }
    // The last warning as it was (or would have been) written, without the line break.
    const char* Last() const { return last_; }

  private:
    int32_t count_ = 0;
    bool quiet_ = false;
    char last_[512] = {};
};

}  // namespace veloria
