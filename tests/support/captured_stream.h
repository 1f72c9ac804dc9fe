// A FILE* whose contents a test can read back.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

class captured_stream {
public:
    captured_stream() : file_(open_memstream(&data_, &size_)) {}
    ~captured_stream() {
        std::fclose(file_);
        std::free(data_);
    }
    captured_stream(const captured_stream&) = delete;
    captured_stream& operator=(const captured_stream&) = delete;

    std::FILE* file() const { return file_; }
    std::string text() {
        std::fflush(file_);
        return std::string(data_, size_);
    }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* file_;
};
