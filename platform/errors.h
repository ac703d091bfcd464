#pragma once
// The errors the system raises; the error box shows their message (Windows-1250 text).
#include <stdexcept>
#include <string>

namespace orvela {

class OrvelaError : public std::runtime_error {
public:
    explicit OrvelaError(const std::string& messageCp1250) : std::runtime_error(messageCp1250) {}
};

// The runtime's input/output errors: "File not found" or "I/O error %d".
class InOutError : public OrvelaError {
public:
    explicit InOutError(int code);
    int code() const { return code_; }
    static constexpr int kFileNotFound = 2;

private:
    int code_;
};

// "'%s' is not a valid integer value"
class ConvertError : public OrvelaError {
public:
    explicit ConvertError(const std::string& textCp1250);
};

// Formats like C's sprintf with a single substitution, keeping bytes untouched.
std::string formatMessage(const char* pattern, const std::string& value);

}  // namespace orvela
