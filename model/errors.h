#pragma once
// The two exceptions of the model. Each carries one message text that is shown
// to the user as it is; readers turn InputError into a message at the top of a
// read, so neither ever reaches the user as an exception.
#include <stdexcept>
#include <string>

namespace korva {

class InputError : public std::runtime_error {
public:
    explicit InputError(const std::string& text) : std::runtime_error(text) {}
};

class GenericError : public std::runtime_error {
public:
    explicit GenericError(const std::string& text) : std::runtime_error(text) {}
};

} // namespace korva
