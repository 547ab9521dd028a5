#include "platform/runtime/FileType.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>

namespace {
std::map<std::string, FileType>& registry()
{
    static std::map<std::string, FileType> types;
    return types;
}
}

std::string FileType::ToString()
{
    if (!m_registered) {
        m_registered = true;
        registry()[Name] = *this;
    }
    return Name;
}

const FileType* FileType::Registered(const std::string& name)
{
    const auto found = registry().find(name);
    return found == registry().end() ? nullptr : &found->second;
}

std::string FileType::Patterns() const
{
    std::string patterns;
    std::stringstream stream(Extensions);
    std::string extension;
    while (std::getline(stream, extension, ';')) {
        if (extension.empty())
            continue;
        std::string upper = extension;
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        for (const std::string& form : {extension, upper})
            patterns += (patterns.empty() ? "*" : " *") + form;
    }
    return patterns;
}
