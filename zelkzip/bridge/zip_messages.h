#pragma once
#include <string>
#include <vector>

// The pieces of a message text that are each ended by "|", in order; text
// after the last "|" is not part of the list.
std::vector<std::string> SplitZipMessage(const std::string& cMsg);
