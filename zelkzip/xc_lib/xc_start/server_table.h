#pragma once
// The server table SERVER.DBF: which data folder, company, business year and
// unit the program works with. These make it and bring an older layout up
// to date; both leave the work area current on entry current again.
#include <string>

// Makes the table at cPath anew with its default record, replacing any file
// of that name, and closes every open table. Returns 0.
int CR_SERV(const std::string& cPath);

// Brings the table at cPath to the current six-field layout when it has
// fewer fields, keeping its records and a copy of the old file in
// "server_stari.dbf"; a current table is left untouched. Returns 0.
int CR_SERV_izmeni(const std::string& cPath);
