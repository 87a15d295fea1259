#pragma once
// Web addresses the game opens: at exit ("play.url") and from the logo and
// main menu. An address file is an INI file with [InternetShortcut] "URL".

// Minimises the game window and asks the system to open the address. A
// failure is written to the error log; the game goes on either way.
void openWebAddress(const char* url);

// Opens the address of an address file if the file exists; false if it
// does not.
bool openUrlShortcut(const char* path);
