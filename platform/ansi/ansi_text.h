#pragma once
// The ANSI code page (Windows-1252) services a program of single-byte texts
// needs on a host that speaks UTF-8: conversion where a text meets a host
// name or a locale string, and the upper-case folding Windows uses when it
// compares names without regard to case.
#include <string>
#include <string_view>

namespace platform::ansi {

// Windows-1252 bytes to UTF-8. The five unassigned codes map to the C1
// controls of the same value, so every byte string survives a round trip.
std::string toUtf8(std::string_view cp1252);

// UTF-8 to Windows-1252. Characters the code page lacks, and malformed
// UTF-8, become '?'.
std::string fromUtf8(std::string_view utf8);

// Upper case of ASCII letters and of the code page's letter pairs
// (à/À ... þ/Þ, š/Š, œ/Œ, ž/Ž, ÿ/Ÿ); every other byte is returned as it is.
char upper(char c);

// True when both texts are equal after upper().
bool equalNoCase(std::string_view a, std::string_view b);

}  // namespace platform::ansi
