#include "icon/FileTypes1.h"

std::shared_ptr<FileType> FileTypes1::pJpeg;

void FileTypes1::Initialize()
{
    pJpeg = std::make_shared<FileType>();
    pJpeg->Name = "image/jpeg";
    pJpeg->Extensions = ".jfif;.jpe;.jpeg;.jpg";
    pJpeg->ToString();
}

void FileTypes1::Release()
{
    pJpeg = nullptr;
}
