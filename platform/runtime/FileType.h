#pragma once

#include <string>
#include <vector>

// A kind of file the program opens. Turning it into text the first time registers it, so
// that a dialog filtered on its name finds its extensions.
class FileType {
public:
    std::string Name;
    std::string Extensions; // ".jfif;.jpe;.jpeg;.jpg"

    std::string ToString();

    // The registered type of that name, or nullptr.
    static const FileType* Registered(const std::string& name);
    // Glob patterns for a dialog filter, in lower and upper case ("*.jpg *.JPG ...").
    std::string Patterns() const;

private:
    bool m_registered = false;
};
