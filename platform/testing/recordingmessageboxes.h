#pragma once
#include <string>
#include <vector>

#include "platform/messagebox.h"

namespace orvela::testing {

// Records message and error boxes instead of showing them; installs itself.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    RecordingMessageBoxes() { setMessageBoxes(this); }
    ~RecordingMessageBoxes() override { setMessageBoxes(nullptr); }
    void message(const std::string& text) override { messages.push_back(text); }
    void error(const std::string& text) override { errors.push_back(text); }
    std::vector<std::string> messages;
    std::vector<std::string> errors;
};

}  // namespace orvela::testing
