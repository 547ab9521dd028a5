#pragma once

#include "platform/runtime/FileType.h"

#include <memory>

// The file types the program opens: JPEG pictures.
namespace FileTypes1 {
extern std::shared_ptr<FileType> pJpeg;
void Initialize();
void Release();
}
