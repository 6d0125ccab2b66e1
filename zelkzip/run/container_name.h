#pragma once
// The container's file name: company code, year folder and today's date,
// "01-2001 (2004-03-15) .ZIP" in C:\...\FIRMA-01\2001.
#include <string>

#include "platform/clock/local_clock.h"

std::string ZELK2000_NAZIV();

// The same for a given current folder and date; ZELK2000_NAZIV() is this
// with Gde_Sam() and the system date.
std::string ContainerName(const std::string& target_folder, const platform::clock::LocalTime& today);
