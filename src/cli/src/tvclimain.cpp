// tvcli entry point: the top-level options run without the library.
#include <cstring>

#include "tvcli.h"

int main(int argc, char **argv)
{
    if (argc < 2) {
        tvcli_print_help(0);
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "shell") != 0 && tvcli_internal_command(argv[1]))
        return 0;

    tval_libinit(tva_aen_app_tvcli);
    int rc = tvcli_cmdline_parser(argc, argv);
    tval_libexit();
    return rc;
}
