#pragma once
// The program's command line is the path of a file to open. A file association passes it in
// double quotes; one enclosing pair is removed, everything else is taken as it stands.
void StripEnclosingQuotes(char* commandLine);
