// The program's own FC-HBA API dispatch layer over the libraries that
// /etc/hba.conf lists. The HBA_ functions keep the standard common-library
// signatures of <hbaapi.h>; an adapter handle carries the library row in its
// upper 16 bits and the library's own handle in the lower 16 bits.
#pragma once

#include <ctime>  // <hbaapi.h> uses struct tm without including it
#include <hbaapi.h>

#include <cstddef>

constexpr int kHbaMaxLibraries = 32;
constexpr int kHbaMaxAdapters = 64;
constexpr size_t kHbaLibraryNameSize = 64;
constexpr size_t kHbaLibraryPathSize = 256;
constexpr size_t kHbaAdapterNameSize = 64;

// Library row states.
enum HbaLibraryStatus { kHbaLibNotSetUp = 0, kHbaLibUsable = 1, kHbaLibFailed = 2 };

// Copies the path of the library that reported adapter `index` into `path`
// (kHbaLibraryPathSize bytes) and returns its dynamic-loader handle; an empty
// path and null when the index or its library is unknown.
void *HbaLibraryOfAdapter(HBA_UINT32 index, char *path);

// The row text filters of /etc/hba.conf lines, exposed for their tables of
// cases: splits one line (without its newline) into name and filtered path.
// False when the line takes no library row.
bool HbaParseConfLine(const char *line, char *name, size_t nameSize, char *path, size_t pathSize);
