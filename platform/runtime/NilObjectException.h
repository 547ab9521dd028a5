#pragma once

#include <stdexcept>

// Raised where an object the program relies on is missing.
class NilObjectException : public std::runtime_error {
public:
    explicit NilObjectException(const std::string& what) : std::runtime_error(what) {}
};
