#pragma once
// Where the program lies, where the process stands, and where the data is.
#include <string>

// The folder of the running program file, without a trailing backslash
// ("C:\ZELK"; "C:" for a program in a drive's root).
std::string Gde_Exe();

// The current drive and folder: "C:\DATA\X", or "C:\" at a drive's root.
std::string Gde_Sam();

// Makes the folder tree and the server table, reads the data location from
// the table and publishes it as the shared values ST_adresa, FI_adresa,
// DB_adresa, TX_adresa, DB_firma, DB_naziv, DB_godina and DB_objekt
// (platform/runtime/public_vars.h); sets the date format and the tables'
// default folder and search path. Ends the program itself on a fatal
// failure.
void DB_PUT();
