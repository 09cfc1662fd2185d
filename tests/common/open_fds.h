/* Number of descriptors this process holds open, to check that code under
 * test closes what it opens. */
#ifndef TESTS_COMMON_OPEN_FDS_H
#define TESTS_COMMON_OPEN_FDS_H

#include <dirent.h>

inline int open_fd_count()
{
    int n = 0;
    DIR *d = opendir("/proc/self/fd");
    if (!d)
        return -1;
    while (struct dirent *e = readdir(d))
        n += e->d_name[0] != '.';
    closedir(d);
    return n - 1; /* the one reading the directory */
}

#endif
