#include "plan/syntax_error_place.h"

#include <new>

namespace plan {

syntax_error_place::syntax_error_place(const source_window& source, const lexer& lex)
    : source_(source), lex_(lex) {
    const cookie_io_functions_t functions{nullptr, &syntax_error_place::write, nullptr, nullptr};
    stream_ = fopencookie(this, "w", functions);
    if (stream_ == nullptr) throw std::bad_alloc();  // it fails only for want of memory
    // Unbuffered, so that the line arrives while the lexer stands at the error.
    std::setvbuf(stream_, nullptr, _IONBF, 0);
}

syntax_error_place::~syntax_error_place() {
    std::fclose(stream_);
}

ssize_t syntax_error_place::write(void* self, const char*, std::size_t size) {
    auto& place = *static_cast<syntax_error_place*>(self);
    if (!place.taken_) {
        const std::uint64_t offset = place.lex_.token_offset();
        place.taken_ = {offset, place.source_.point_at(offset), place.source_.quote_at(offset)};
    }
    return static_cast<ssize_t>(size);
}

}  // namespace plan
