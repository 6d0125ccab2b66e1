#pragma once
// The yes-or-no question before an operation.
#include <optional>
#include <string>

// Joins tekst1, CR LF and tekst2 (a default text when both are blank),
// shows a Yes/No box with the icon named by the first letter of slika
// ("?" question, "U" warning, "I" information, "X" stop; omitted or blank:
// question; anything else: none) and the title naslov ("START OPERACIJE"
// when omitted or blank). stop = 1 makes Yes the default button, anything
// else No. Returns false for No, true otherwise.
bool F_ND(const std::string& tekst1, const std::string& tekst2,
          std::optional<std::string> slika = std::nullopt,
          std::optional<std::string> naslov = std::nullopt,
          std::optional<int> stop = std::nullopt);

// The message-box style of an icon code, before the foreground flag.
int F_ND_IconStyle(const std::optional<std::string>& slika);
