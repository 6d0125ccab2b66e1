#pragma once
// The compression library's messages: the callback that writes the ones
// that matter into the message file, the reader that takes its lines back
// as records, and the splitter of a message text into its fields.
#include <optional>
#include <string>
#include <vector>

#include "platform/files/file_services.h"

// Three call forms, tested in this order:
//  1. cFileName given: creates the message file of that name (only when no
//     file of that name exists) and keeps its handle in the single static
//     slot. Returns whether the file was created.
//  2. cFileName absent, lClose true: closes the handle in the slot.
//  3. otherwise a library message: message 22 or 21 writes its whole text,
//     message 15 the second field of its text (the whole text when it has
//     no second field), each as a line ended by CR LF; other messages write
//     nothing.
// Forms 2 and 3 return true.
bool UnZipCallBack(void* hwnd, int nMsgNum, const std::string& cMsg,
                   const std::optional<std::string>& cFileName = std::nullopt,
                   std::optional<bool> lClose = std::nullopt);

// The pieces of the text each ended by "|", in order; text after the last
// "|" is not a field.
std::vector<std::string> SplitZipMessage(const std::string& cMsg);

// One record (line without CR LF) of the file, read in chunks of up to 1000
// bytes: from the current position, or, with nRecNum, the nRecNum-th record
// from the start. Empty when there is no record; a short last chunk without
// CR then goes to *cErrorRecord.
std::string ReadFlatRecord(platform::files::File& nFileHandle, std::optional<long> nRecNum = std::nullopt,
                           std::string* cErrorRecord = nullptr);
