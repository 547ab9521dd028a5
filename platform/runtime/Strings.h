#pragma once

#include <string>

// Text functions with 1-based character positions. Texts are UTF-8; a byte that does not
// start a valid UTF-8 sequence counts as one character of its own, so any bytes are safe.

int Len(const std::string& text);
std::string Left(const std::string& text, int count);
std::string Mid(const std::string& text, int start);
std::string Mid(const std::string& text, int start, int count);
// Position of the first occurrence of find at or after start, or 0. Case-sensitive.
int InStr(const std::string& source, const std::string& find);
int InStr(int start, const std::string& source, const std::string& find);
// The n-th field (1-based) of text split at separator; empty when there is no such field.
std::string NthField(const std::string& text, const std::string& separator, int n);
// The number at the start of text (after blanks and line breaks); 0 when there is none.
double Val(const std::string& text);
std::string Str(int value);
std::string Str(double value);
