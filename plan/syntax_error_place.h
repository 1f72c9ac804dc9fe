// Where a syntax error stands. zlconf writes its error line as soon as it
// meets the error and then reads the rest of the input, which moves the
// source window on; so the place is taken when that line is written, while
// the window still holds the error's line.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <optional>

#include "config/lexer.h"
#include "plan/link_plan.h"
#include "plan/source_window.h"

namespace plan {

class syntax_error_place {
public:
    syntax_error_place(const source_window& source, const lexer& lex);
    ~syntax_error_place();
    syntax_error_place(const syntax_error_place&) = delete;
    syntax_error_place& operator=(const syntax_error_place&) = delete;

    /// The stream for zlconf's error line; what is written to it is dropped.
    std::FILE* stream() const { return stream_; }

    struct place {
        std::uint64_t offset = 0;  // of the token, from the start of the input
        source_point at;
        source_window::quote quote;
    };
    /// Taken at the first line written, if any.
    const std::optional<place>& taken() const { return taken_; }

private:
    static ssize_t write(void* self, const char* bytes, std::size_t size);

    const source_window& source_;
    const lexer& lex_;
    std::FILE* stream_;
    std::optional<place> taken_;
};

}  // namespace plan
